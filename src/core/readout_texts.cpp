#include "readout_texts.h"

#include "colour_model.h"

namespace tintspot {
namespace {

char* AppendTriple(char* out, TColor colour) {
  out = AppendDecimal(out, RedOf(colour));
  *out++ = ',';
  out = AppendDecimal(out, GreenOf(colour));
  *out++ = ',';
  return AppendDecimal(out, BlueOf(colour));
}

char* AppendHex(char* out, TColor colour) {
  static const char kDigits[] = "0123456789ABCDEF";
  *out++ = '#';
  for (unsigned channel : {RedOf(colour), GreenOf(colour), BlueOf(colour)}) {
    *out++ = kDigits[channel >> 4];
    *out++ = kDigits[channel & 0xF];
  }
  return out;
}

char* AppendSigned(char* out, int value) {
  if (value < 0) *out++ = '-';
  const unsigned long long magnitude =
      value < 0 ? 0ULL - static_cast<unsigned long long>(static_cast<long long>(value))
                : static_cast<unsigned long long>(value);
  return AppendDecimal(out, magnitude);
}

}  // namespace

std::string PixelText(ScreenPoint cursor) {
  char text[32];
  char* end = AppendSigned(text, cursor.x);
  *end++ = ' ';
  *end++ = 'x';
  *end++ = ' ';
  end = AppendSigned(end, cursor.y);
  return std::string(text, end);
}

std::string RGBText(TColor colour) {
  char text[16];
  return std::string(text, AppendTriple(text, colour));
}

std::string HEXText(TColor colour) {
  char text[8];
  return std::string(text, AppendHex(text, colour));
}

ReadoutTexts MakeReadoutTexts(TColor colour, ScreenPoint cursor) {
  return ReadoutTexts{PixelText(cursor), RGBText(colour), HEXText(colour), CMYKText(colour),
                      HSBText(colour)};
}

void AppendReadoutLine(std::string& out, TColor colour) {
  const Shades shades = ShadesOf(colour);
  char line[128];
  char* p = AppendTriple(line, colour);
  *p++ = ' ';
  p = AppendHex(p, colour);
  *p++ = ' ';
  p = AppendHSBText(p, colour);
  *p++ = ' ';
  p = AppendCMYKText(p, colour);
  *p++ = ' ';
  p = AppendTriple(p, shades.outer);
  *p++ = ' ';
  p = AppendTriple(p, shades.inner);
  out.append(line, p);
  out += HasContrast(colour, kBlack) ? " black" : " white";
}

std::string ReadoutLine(TColor colour) {
  std::string line;
  AppendReadoutLine(line, colour);
  return line;
}

}  // namespace tintspot
