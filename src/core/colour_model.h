// The colour conversions behind the readouts, exact to the last bit.
//
// Every operation is evaluated in x87 extended precision (64-bit
// significand, round to nearest, ties to even); a value that the algorithm
// stores is rounded to double or single at that point and re-enters later
// steps exactly. The texts at exact halves (hue 202.5, saturation 92.5, ...)
// depend on each of these roundings, so the order of operations below is
// part of the behaviour. Each public function pins the x87 precision itself,
// so the results do not depend on how the process was started.
#pragma once

#include <string>

#include "colour_types.h"

namespace tintspot {

// Hue in [0, 1) (0 red, 1/3 green, 2/3 blue); saturation and brightness in
// [0, 1], brightness being the largest channel / 255.
void RGBToHSB(TColor colour, double& hue, double& saturation, double& brightness);

TColor HSBToRGB(double hue, double saturation, double brightness);

// "C,M,Y,K" as whole percentages.
std::string CMYKText(TColor colour);

// "H,S,B": hue in degrees, saturation and brightness in percent.
std::string HSBText(TColor colour);

// True when the weighted brightnesses (299 R + 587 G + 114 B) / 1000 of the
// two colours differ by 125 or more.
bool HasContrast(TColor a, TColor b);

// The two inner rings of the swatch: the colour with its brightness lowered
// by 0.08 (inner) and by 0.20 (outer), never below zero.
struct Shades {
  TColor outer;
  TColor inner;
};
Shades ShadesOf(TColor colour);

// Whole-number format of the readouts: nearest integer, exact halves upward,
// decided on the exact value given. Values are never negative here.
std::string WholeNumberText(long double value);

// The same texts written into a buffer of at least kMaxListText characters;
// they return the end of what they wrote (no terminating zero).
constexpr int kMaxListText = 24;
char* AppendCMYKText(char* out, TColor colour);
char* AppendHSBText(char* out, TColor colour);
// Plain decimal digits of value; returns the end.
char* AppendDecimal(char* out, unsigned long long value);

// Ties-to-even rounding of a channel value, as the colour model uses it.
long long RoundHalfEven(long double value);

}  // namespace tintspot
