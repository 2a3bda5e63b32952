#include "colour_model.h"

#include <cmath>

#include "fp_precision.h"

// The arithmetic lives in functions the optimiser may not inline or analyse
// across: the precision guard is an asm statement, and nothing may be
// computed before it has run.
#if defined(__GNUC__) && !defined(__clang__)
#define TINTSPOT_FP_ISOLATED __attribute__((noipa))
#else
#define TINTSPOT_FP_ISOLATED __attribute__((noinline))
#endif

namespace tintspot {
namespace {

using Extended = long double;

// The nearest extended values to these fractions; the compiler rounds the
// quotient and the literals correctly to the 64-bit significand.
constexpr Extended kOneThird = 1.0L / 3.0L;
constexpr Extended kTwoThirds = 2.0L / 3.0L;
constexpr Extended kInnerStep = 0.08L;
constexpr Extended kOuterStep = 0.12L;

double StoreDouble(Extended v) { return static_cast<double>(v); }
float StoreSingle(Extended v) { return static_cast<float>(v); }

struct Hsb {
  double hue;
  double saturation;
  double brightness;
};

TINTSPOT_FP_ISOLATED Hsb ComputeHsb(TColor colour) {
  const double r = StoreDouble(static_cast<Extended>(RedOf(colour)) / 255);
  const double g = StoreDouble(static_cast<Extended>(GreenOf(colour)) / 255);
  const double b = StoreDouble(static_cast<Extended>(BlueOf(colour)) / 255);

  double max = r;
  if (g > max) max = g;
  if (b > max) max = b;
  double min = r;
  if (g < min) min = g;
  if (b < min) min = b;

  const double delta = StoreDouble(static_cast<Extended>(max) - min);
  Hsb out{0.0, 0.0, max};
  if (delta == 0.0) return out;  // black, white and every grey

  out.saturation = StoreDouble(static_cast<Extended>(delta) / max);

  auto term = [&](double channel) {
    const Extended difference = static_cast<Extended>(max) - channel;
    return StoreDouble((difference / 6 + static_cast<Extended>(delta) / 2) / delta);
  };
  const double dR = term(r);
  const double dG = term(g);
  const double dB = term(b);

  double hue;
  if (r == max) {
    hue = StoreDouble(static_cast<Extended>(dB) - dG);
  } else if (g == max) {
    hue = StoreDouble((kOneThird + dR) - dB);
  } else {
    hue = StoreDouble((kTwoThirds + dG) - dR);
  }
  if (hue < 0.0) hue = StoreDouble(static_cast<Extended>(hue) + 1);
  out.hue = hue;
  return out;
}

inline long long NearestEven(Extended value);

unsigned ChannelByte(double value) {
  return static_cast<unsigned>(NearestEven(static_cast<Extended>(value) * 255)) & 0xFFu;
}

TINTSPOT_FP_ISOLATED TColor ComputeRgb(double h, double s, double v) {
  if (s == 0.0) {
    const unsigned grey = ChannelByte(v);
    return MakeColor(grey, grey, grey);
  }
  const double x = StoreDouble(static_cast<Extended>(h) * 6);
  const double floorX = x >= 0 ? static_cast<double>(static_cast<long long>(x)) : std::floor(x);
  // A hue of exactly one turn is the same colour as a hue of zero.
  int sector = static_cast<int>(floorX) % 6;
  if (sector < 0) sector += 6;
  const Extended f = static_cast<Extended>(x) - floorX;
  const Extended es = s;
  const Extended ev = v;
  const double p = StoreDouble((1 - es) * ev);
  const double q = StoreDouble((1 - es * f) * ev);
  const double t = StoreDouble((1 - es * (1 - f)) * ev);

  // The value each channel takes, sector by sector: v, p, q or t.
  const double values[4] = {v, p, q, t};
  enum { V, P, Q, T };
  static constexpr int kChannels[6][3] = {{V, T, P}, {Q, V, P}, {P, V, T},
                                          {P, Q, V}, {T, P, V}, {V, P, Q}};
  const double red = values[kChannels[sector][0]];
  const double green = values[kChannels[sector][1]];
  const double blue = values[kChannels[sector][2]];
  return MakeColor(ChannelByte(red), ChannelByte(green), ChannelByte(blue));
}

struct Cmyk {
  float cyan;
  float magenta;
  float yellow;
  float black;
};

TINTSPOT_FP_ISOLATED Cmyk ComputeCmyk(TColor colour) {
  const float c = StoreSingle(1 - static_cast<Extended>(RedOf(colour)) / 255);
  const float m = StoreSingle(1 - static_cast<Extended>(GreenOf(colour)) / 255);
  const float y = StoreSingle(1 - static_cast<Extended>(BlueOf(colour)) / 255);
  float k = 1.0f;
  if (c < k) k = c;
  if (m < k) k = m;
  if (y < k) k = y;
  if (k == 1.0f) return Cmyk{0.0f, 0.0f, 0.0f, 100.0f};  // only black
  const Extended rest = 1 - static_cast<Extended>(k);
  auto share = [&](float channel) {
    return StoreSingle((static_cast<Extended>(channel) - k) / rest * 100);
  };
  return Cmyk{share(c), share(m), share(y), StoreSingle(static_cast<Extended>(k) * 100)};
}

TINTSPOT_FP_ISOLATED double WeightedBrightness(TColor colour) {
  const long sum = 299L * RedOf(colour) + 587L * GreenOf(colour) + 114L * BlueOf(colour);
  return StoreDouble(static_cast<Extended>(sum) / 1000);
}

TINTSPOT_FP_ISOLATED bool DiffersBy125(double a, double b) {
  return std::fabs(static_cast<Extended>(a) - b) >= 125;
}

TINTSPOT_FP_ISOLATED double LowerBrightness(double brightness, bool inner) {
  double lowered =
      StoreDouble(static_cast<Extended>(brightness) - (inner ? kInnerStep : kOuterStep));
  return lowered < 0.0 ? 0.0 : lowered;
}

TINTSPOT_FP_ISOLATED Extended Scaled(double value, int factor) {
  return static_cast<Extended>(value) * factor;  // exact: 53 + 9 bits fit in 64
}

// The integer nearest to a value in [0, 2^62), ties to even: adding 2^63
// leaves no fraction bits in a 64-bit significand, so the addition itself
// rounds, under the rounding mode the precision scope pins to nearest-even.
// Needs 64-bit precision control; the callers run inside the scope.
long long NearestEven(Extended value) {
  constexpr Extended kShift = 9223372036854775808.0L;  // 2^63
  const Extended rounded = (value + kShift) - kShift;
  // Integral and below 2^53: exact as a double, whose conversion truncates
  // without touching the x87 control word.
  return static_cast<long long>(static_cast<double>(rounded));
}

// Writes a value in the whole-number format: the nearest integer, an exact
// half going up. Returns the end of the text.
char* AppendWhole(char* out, Extended value) {
  long long whole = NearestEven(value);
  if (value - whole == 0.5L) ++whole;  // a tie that went to the even one below
  return AppendDecimal(out, static_cast<unsigned long long>(whole));
}

}  // namespace

long long RoundHalfEven(long double value) {
  ExtendedPrecisionScope precision;
  return NearestEven(value);
}

std::string WholeNumberText(long double value) {
  ExtendedPrecisionScope precision;
  char text[24];
  return std::string(text, AppendWhole(text, value));
}

void RGBToHSB(TColor colour, double& hue, double& saturation, double& brightness) {
  ExtendedPrecisionScope precision;
  const Hsb hsb = ComputeHsb(colour);
  hue = hsb.hue;
  saturation = hsb.saturation;
  brightness = hsb.brightness;
}

TColor HSBToRGB(double hue, double saturation, double brightness) {
  ExtendedPrecisionScope precision;
  return ComputeRgb(hue, saturation, brightness);
}

char* AppendCMYKText(char* out, TColor colour) {
  ExtendedPrecisionScope precision;
  const Cmyk cmyk = ComputeCmyk(colour);
  out = AppendWhole(out, cmyk.cyan);
  *out++ = ',';
  out = AppendWhole(out, cmyk.magenta);
  *out++ = ',';
  out = AppendWhole(out, cmyk.yellow);
  *out++ = ',';
  return AppendWhole(out, cmyk.black);
}

char* AppendHSBText(char* out, TColor colour) {
  ExtendedPrecisionScope precision;
  const Hsb hsb = ComputeHsb(colour);
  out = AppendWhole(out, Scaled(hsb.hue, 360));
  *out++ = ',';
  out = AppendWhole(out, Scaled(hsb.saturation, 100));
  *out++ = ',';
  return AppendWhole(out, Scaled(hsb.brightness, 100));
}

std::string CMYKText(TColor colour) {
  char text[kMaxListText];
  return std::string(text, AppendCMYKText(text, colour));
}

std::string HSBText(TColor colour) {
  char text[kMaxListText];
  return std::string(text, AppendHSBText(text, colour));
}

char* AppendDecimal(char* out, unsigned long long value) {
  char digits[20];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0) *out++ = digits[--n];
  return out;
}

bool HasContrast(TColor a, TColor b) {
  ExtendedPrecisionScope precision;
  return DiffersBy125(WeightedBrightness(a), WeightedBrightness(b));
}

Shades ShadesOf(TColor colour) {
  ExtendedPrecisionScope precision;
  const Hsb hsb = ComputeHsb(colour);
  const double b1 = LowerBrightness(hsb.brightness, true);
  const double b2 = LowerBrightness(b1, false);
  return Shades{ComputeRgb(hsb.hue, hsb.saturation, b2), ComputeRgb(hsb.hue, hsb.saturation, b1)};
}

}  // namespace tintspot
