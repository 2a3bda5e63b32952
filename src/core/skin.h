// The pictures of the main window's skin.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pixel_buffer.h"

namespace tintspot {

struct SkinPictures {
  Picture imgMain;        // readout panel, 171 x 90
  Picture imgHeader;      // title, inactive look, 112 x 19
  Picture imgTitleDeact;  // title, active look, 112 x 19
  Picture imgTopo;        // always-on-top off, 20 x 19
  Picture imgTopd;        // always-on-top on, 20 x 19
  Picture imgMin;         // minimize, 20 x 19
  Picture imgMind;        // minimize pressed
  Picture imgClose;       // close, 19 x 19
  Picture imgClosed;      // close pressed
  Picture imgMagu;        // magnifier bar while hidden, 133 x 16
  Picture imgMagd;        // magnifier bar while shown
  Picture imgHelp;        // help key, 19 x 16
  Picture imgHelpd;       // help key pressed
  Picture imgMenu;        // menu key, 19 x 16
  Picture imgMenud;       // menu key pressed
  Picture imgLockBlack;   // padlock, 7 x 11, one transparent colour
  Picture imgLockWhite;
};

struct SkinEntry {
  Picture SkinPictures::*member;
  const char* resource;  // resource name of the stored picture
  int width;
  int height;
  bool transparent;  // whether the picture has a transparent colour
};

// Every picture of the skin with its resource name and size.
const std::vector<SkinEntry>& SkinEntries();

// Decodes every picture from the bytes fetch returns for its resource name.
// Throws std::runtime_error naming the resource when one is missing, does
// not decode or has the wrong size.
SkinPictures LoadSkin(const std::function<std::vector<std::uint8_t>(const char*)>& fetch);

}  // namespace tintspot
