// The texts of the five readout labels.
#pragma once

#include <string>

#include "colour_types.h"
#include "geometry.h"

namespace tintspot {

// Texts shown by lblPixel, lblRGB, lblHEX, lblCMYK and lblHSL.
struct ReadoutTexts {
  std::string pixel;  // "512 x 384"
  std::string rgb;    // "51,102,153"
  std::string hex;    // "#336699"
  std::string cmyk;   // "67,33,0,40"
  std::string hsb;    // "210,67,60" (shown by lblHSL)
};

std::string PixelText(ScreenPoint cursor);
std::string RGBText(TColor colour);
std::string HEXText(TColor colour);

// All five texts; the colour texts read only the low three bytes of colour.
ReadoutTexts MakeReadoutTexts(TColor colour, ScreenPoint cursor);

// One line of the readouts tool: "RGB HEX HSB CMYK OUTER INNER PADLOCK".
std::string ReadoutLine(TColor colour);
void AppendReadoutLine(std::string& out, TColor colour);

}  // namespace tintspot
