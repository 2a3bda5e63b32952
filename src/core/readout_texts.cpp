#include "readout_texts.h"

#include "colour_model.h"

namespace tintspot {
namespace {

std::string TripleText(unsigned a, unsigned b, unsigned c) {
  std::string text = std::to_string(a);
  text += ',';
  text += std::to_string(b);
  text += ',';
  text += std::to_string(c);
  return text;
}

}  // namespace

std::string PixelText(ScreenPoint cursor) {
  return std::to_string(cursor.x) + " x " + std::to_string(cursor.y);
}

std::string RGBText(TColor colour) {
  return TripleText(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

std::string HEXText(TColor colour) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text = "#";
  for (unsigned channel : {RedOf(colour), GreenOf(colour), BlueOf(colour)}) {
    text += kDigits[channel >> 4];
    text += kDigits[channel & 0xF];
  }
  return text;
}

ReadoutTexts MakeReadoutTexts(TColor colour, ScreenPoint cursor) {
  return ReadoutTexts{PixelText(cursor), RGBText(colour), HEXText(colour), CMYKText(colour),
                      HSBText(colour)};
}

std::string ReadoutLine(TColor colour) {
  const Shades shades = ShadesOf(colour);
  std::string line = RGBText(colour);
  line += ' ';
  line += HEXText(colour);
  line += ' ';
  line += HSBText(colour);
  line += ' ';
  line += CMYKText(colour);
  line += ' ';
  line += RGBText(shades.outer);
  line += ' ';
  line += RGBText(shades.inner);
  line += HasContrast(colour, kBlack) ? " black" : " white";
  return line;
}

}  // namespace tintspot
