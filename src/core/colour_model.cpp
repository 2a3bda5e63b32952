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

unsigned ChannelByte(double value) {
  return static_cast<unsigned>(RoundHalfEven(static_cast<Extended>(value) * 255)) & 0xFFu;
}

TINTSPOT_FP_ISOLATED TColor ComputeRgb(double h, double s, double v) {
  if (s == 0.0) {
    const unsigned grey = ChannelByte(v);
    return MakeColor(grey, grey, grey);
  }
  const double x = StoreDouble(static_cast<Extended>(h) * 6);
  const double floorX = std::floor(x);
  // A hue of exactly one turn is the same colour as a hue of zero.
  int sector = static_cast<int>(floorX) % 6;
  if (sector < 0) sector += 6;
  const Extended f = static_cast<Extended>(x) - floorX;
  const Extended es = s;
  const Extended ev = v;
  const double p = StoreDouble((1 - es) * ev);
  const double q = StoreDouble((1 - es * f) * ev);
  const double t = StoreDouble((1 - es * (1 - f)) * ev);

  double red, green, blue;
  switch (sector) {
    case 0: red = v; green = t; blue = p; break;
    case 1: red = q; green = v; blue = p; break;
    case 2: red = p; green = v; blue = t; break;
    case 3: red = p; green = q; blue = v; break;
    case 4: red = t; green = p; blue = v; break;
    default: red = v; green = p; blue = q; break;
  }
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
  double lowered = StoreDouble(static_cast<Extended>(brightness) - (inner ? kInnerStep : kOuterStep));
  return lowered < 0.0 ? 0.0 : lowered;
}

TINTSPOT_FP_ISOLATED Extended Scaled(double value, int factor) {
  return static_cast<Extended>(value) * factor;  // exact: 53 + 9 bits fit in 64
}

void AppendWhole(std::string& out, long double value) { out += WholeNumberText(value); }

}  // namespace

long long RoundHalfEven(long double value) {
  const long double whole = std::floor(value);
  const long double fraction = value - whole;  // exact for these magnitudes
  auto n = static_cast<long long>(whole);
  if (fraction > 0.5L || (fraction == 0.5L && (n % 2) != 0)) ++n;
  return n;
}

std::string WholeNumberText(long double value) {
  const long double whole = std::floor(value);
  auto n = static_cast<unsigned long long>(whole);
  if (value - whole >= 0.5L) ++n;
  return std::to_string(n);
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

std::string CMYKText(TColor colour) {
  ExtendedPrecisionScope precision;
  const Cmyk cmyk = ComputeCmyk(colour);
  std::string text;
  AppendWhole(text, cmyk.cyan);
  text += ',';
  AppendWhole(text, cmyk.magenta);
  text += ',';
  AppendWhole(text, cmyk.yellow);
  text += ',';
  AppendWhole(text, cmyk.black);
  return text;
}

std::string HSBText(TColor colour) {
  ExtendedPrecisionScope precision;
  const Hsb hsb = ComputeHsb(colour);
  std::string text;
  AppendWhole(text, Scaled(hsb.hue, 360));
  text += ',';
  AppendWhole(text, Scaled(hsb.saturation, 100));
  text += ',';
  AppendWhole(text, Scaled(hsb.brightness, 100));
  return text;
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
