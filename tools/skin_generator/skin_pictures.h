// Every picture of the skin, by the resource name it is stored under.
#pragma once

#include <string>

#include "fonts.h"
#include "pixel_buffer.h"

namespace skin {

// Throws std::invalid_argument for a name that is not a skin picture.
tintspot::Picture DrawSkinPicture(const FontFiles& fonts, const std::string& resource);

}  // namespace skin
