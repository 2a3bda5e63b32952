// The faces the program names ("Tahoma", "Small Fonts", bold or not), from Wine's own font
// files (Debian's fonts-wine), so the text looks as the Windows build's does under Wine.
#pragma once

#include "text_face.h"
#include "text_look.h"

namespace tintspot::x11 {

// The folder of Wine's fonts: $TINTSPOT_FONT_DIR when set, else /usr/share/wine/fonts.
std::string FontFolder();
// The face for a font of the program, opened once and kept; throws std::runtime_error naming
// the file when it cannot be opened.
const TextFace& FaceFor(const FontSpec& font);

}  // namespace tintspot::x11
