#include "skin.h"

#include <stdexcept>

#include "gif_decoder.h"

namespace tintspot {

const std::vector<SkinEntry>& SkinEntries() {
  static const std::vector<SkinEntry> entries = {
      {&SkinPictures::imgMain, "IMGMAIN", 171, 90, false},
      {&SkinPictures::imgHeader, "IMGHEADER", 112, 19, false},
      {&SkinPictures::imgTitleDeact, "IMGTITLEDEACT", 112, 19, false},
      {&SkinPictures::imgTopo, "IMGTOPO", 20, 19, false},
      {&SkinPictures::imgTopd, "IMGTOPD", 20, 19, false},
      {&SkinPictures::imgMin, "IMGMIN", 20, 19, false},
      {&SkinPictures::imgMind, "IMGMIND", 20, 19, false},
      {&SkinPictures::imgClose, "IMGCLOSE", 19, 19, false},
      {&SkinPictures::imgClosed, "IMGCLOSED", 19, 19, false},
      {&SkinPictures::imgMagu, "IMGMAGU", 133, 16, false},
      {&SkinPictures::imgMagd, "IMGMAGD", 133, 16, false},
      {&SkinPictures::imgHelp, "IMGHELP", 19, 16, false},
      {&SkinPictures::imgHelpd, "IMGHELPD", 19, 16, false},
      {&SkinPictures::imgMenu, "IMGMENU", 19, 16, false},
      {&SkinPictures::imgMenud, "IMGMENUD", 19, 16, false},
      {&SkinPictures::imgLockBlack, "IMGLOCKBLACK", 7, 11, true},
      {&SkinPictures::imgLockWhite, "IMGLOCKWHITE", 7, 11, true},
  };
  return entries;
}

SkinPictures LoadSkin(const std::function<std::vector<std::uint8_t>(const char*)>& fetch) {
  SkinPictures skin;
  for (const SkinEntry& entry : SkinEntries()) {
    const std::vector<std::uint8_t> bytes = fetch(entry.resource);
    if (bytes.empty()) throw std::runtime_error(std::string("Missing picture ") + entry.resource);
    GifResult decoded = DecodeGif(bytes.data(), bytes.size());
    if (!decoded.picture)
      throw std::runtime_error(std::string("Damaged picture ") + entry.resource + ": " +
                               decoded.error);
    Picture& picture = *decoded.picture;
    if (picture.pixels.Width() != entry.width || picture.pixels.Height() != entry.height ||
        picture.transparent.has_value() != entry.transparent)
      throw std::runtime_error(std::string("Picture ") + entry.resource +
                               " has the wrong size or transparency");
    skin.*entry.member = std::move(picture);
  }
  return skin;
}

}  // namespace tintspot
