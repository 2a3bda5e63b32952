#include "skin_pictures.h"

#include <stdexcept>

#include "button_row.h"
#include "padlock_glyph.h"
#include "palette.h"
#include "readout_panel.h"
#include "title_strip.h"

namespace skin {

namespace {

tintspot::Picture Opaque(PixelBuffer pixels) { return {std::move(pixels), std::nullopt}; }

PixelBuffer FromStrip(const FontFiles& fonts, const StripLook& look, int left, int width) {
  return Crop(TitleStrip(fonts, look), left, 0, width, kStripHeight);
}

PixelBuffer FromRow(const FontFiles& fonts, const RowLook& look, int left, int width) {
  return Crop(ButtonRow(fonts, look), left, 0, width, kRowHeight);
}

}  // namespace

tintspot::Picture DrawSkinPicture(const FontFiles& fonts, const std::string& resource) {
  const StripLook title{palette::kTitleActive};
  const int tab = kMinTabLeft - kTopTabLeft;
  const int closeTab = kStripWidth - kCloseTabLeft;
  if (resource == "IMGMAIN") return Opaque(ReadoutPanel(fonts));
  if (resource == "IMGTITLEDEACT") return Opaque(FromStrip(fonts, title, 0, kTopTabLeft));
  if (resource == "IMGHEADER")
    return Opaque(FromStrip(fonts, StripLook{palette::kTitleInactive}, 0, kTopTabLeft));
  if (resource == "IMGTOPO") return Opaque(FromStrip(fonts, title, kTopTabLeft, tab));
  if (resource == "IMGTOPD") {
    StripLook lit = title;
    lit.onTopLit = true;
    return Opaque(FromStrip(fonts, lit, kTopTabLeft, tab));
  }
  if (resource == "IMGMIN") return Opaque(FromStrip(fonts, title, kMinTabLeft, tab));
  if (resource == "IMGMIND") {
    StripLook pressed = title;
    pressed.minPressed = true;
    return Opaque(FromStrip(fonts, pressed, kMinTabLeft, tab));
  }
  if (resource == "IMGCLOSE") return Opaque(FromStrip(fonts, title, kCloseTabLeft, closeTab));
  if (resource == "IMGCLOSED") {
    StripLook pressed = title;
    pressed.closePressed = true;
    return Opaque(FromStrip(fonts, pressed, kCloseTabLeft, closeTab));
  }
  if (resource == "IMGMAGU") return Opaque(FromRow(fonts, RowLook{}, 0, kMagBarWidth));
  if (resource == "IMGMAGD") {
    RowLook shown;
    shown.magnifierShown = true;
    return Opaque(FromRow(fonts, shown, 0, kMagBarWidth));
  }
  if (resource == "IMGHELP") return Opaque(FromRow(fonts, RowLook{}, kHelpKeyLeft, kKeyWidth));
  if (resource == "IMGHELPD") {
    RowLook pressed;
    pressed.helpPressed = true;
    return Opaque(FromRow(fonts, pressed, kHelpKeyLeft, kKeyWidth));
  }
  if (resource == "IMGMENU") return Opaque(FromRow(fonts, RowLook{}, kMenuKeyLeft, kKeyWidth));
  if (resource == "IMGMENUD") {
    RowLook pressed;
    pressed.menuPressed = true;
    return Opaque(FromRow(fonts, pressed, kMenuKeyLeft, kKeyWidth));
  }
  if (resource == "IMGLOCKBLACK") return tintspot::MakePadlock(tintspot::kBlack);
  if (resource == "IMGLOCKWHITE") return tintspot::MakePadlock(tintspot::kWhite);
  throw std::invalid_argument("no skin picture called " + resource);
}

}  // namespace skin
