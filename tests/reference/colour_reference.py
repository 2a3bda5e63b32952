"""Independent reference model of Tintspot's colour readouts.

Every value is an exact fractions.Fraction.  The floating-point behaviour of
the program is reproduced in software, operation by operation:

* each arithmetic operation (and each integer-to-real conversion) is computed
  exactly and then rounded to x87 extended precision: a 64-bit significand,
  round to nearest, ties to even;
* a value the program stores as a double is rounded once more, to a 53-bit
  significand; a value stored as a single, to a 24-bit significand.

No hardware floating point is used anywhere, so the model is independent of
the compiler and the FPU of the machine running it.  All values met here are
zero or normal numbers well inside the exponent range of every format, so
only the significand width matters.

Run as a script, it reads lines "R G B" on stdin and writes one readout line
per colour:  RGB HEX HSB CMYK OUTER INNER PADLOCK
"""

from fractions import Fraction
import sys

EXT_BITS = 64
DBL_BITS = 53
SGL_BITS = 24

ZERO = Fraction(0)
ONE = Fraction(1)


# ---------------------------------------------------------------------------
# Rounding helpers
# ---------------------------------------------------------------------------

def round_significand(x, bits):
    """Round the exact value x to the nearest number with a `bits`-bit
    significand, ties to even.  Zero stays zero; the sign is kept."""
    x = Fraction(x)
    n = x.numerator
    d = x.denominator
    if n == 0:
        return ZERO
    negative = n < 0
    if negative:
        n = -n
    # Pick a scale 2**s so that n * 2**s / d lies in [2**(bits-1), 2**bits).
    s = bits - 1 - (n.bit_length() - d.bit_length())
    num = n << s if s >= 0 else n
    den = d if s >= 0 else d << -s
    if num < den << (bits - 1):
        s += 1
        if s > 0:
            num = n << s
            den = d
        else:
            num = n
            den = d << -s
    q, r = divmod(num, den)
    twice = r << 1
    if twice > den or (twice == den and q & 1):
        q += 1
    # q * 2**-s is the rounded magnitude (q may have reached 2**bits, which
    # is still exact).
    if s >= 0:
        result = Fraction(q, 1 << s)
    else:
        result = Fraction(q << -s)
    return -result if negative else result


def ext(x):
    """Result of one x87 operation: exact value rounded to 64 bits."""
    return round_significand(x, EXT_BITS)


def dbl(x):
    """Extended value stored as a double."""
    return round_significand(x, DBL_BITS)


def sgl(x):
    """Extended value stored as a single."""
    return round_significand(x, SGL_BITS)


def round_half_even(x):
    """Nearest integer to the exact value x, ties to even."""
    x = Fraction(x)
    fl = x.numerator // x.denominator
    rest = x - fl
    if rest > Fraction(1, 2) or (rest == Fraction(1, 2) and fl & 1):
        return fl + 1
    return fl


def round_half_up(x):
    """Nearest integer to the exact value x, exact halves upward."""
    x = Fraction(x) + Fraction(1, 2)
    return x.numerator // x.denominator


def channel_round(value):
    """round(value) of a channel: nearest integer ties to even, low 8 bits."""
    return round_half_even(value) & 0xFF


def whole_number(value):
    """Whole-number text: nearest integer, exact halves upward."""
    return str(round_half_up(value))


# Constants: the extended values nearest to the decimal or rational numbers.
ONE_THIRD = ext(Fraction(1, 3))
TWO_THIRDS = ext(Fraction(2, 3))
DARKEN_INNER = ext(Fraction(8, 100))
DARKEN_OUTER = ext(Fraction(12, 100))


# Per-channel values depend on one byte only; computing them once keeps the
# model fast enough for large random checks.
_CHANNEL_FRACTION = [dbl(ext(Fraction(v) / 255)) for v in range(256)]
_CMY_FRACTION = [sgl(ext(1 - ext(Fraction(v) / 255))) for v in range(256)]


# ---------------------------------------------------------------------------
# Conversions
# ---------------------------------------------------------------------------

def rgb_to_hsb(red, green, blue):
    """Hue, saturation, brightness (stored doubles) of an 8-bit colour."""
    r = _CHANNEL_FRACTION[red]
    g = _CHANNEL_FRACTION[green]
    b = _CHANNEL_FRACTION[blue]
    hi = max(r, g, b)
    lo = min(r, g, b)
    delta = dbl(ext(hi - lo))
    brightness = hi
    if delta == 0:
        return ZERO, ZERO, brightness
    saturation = dbl(ext(delta / hi))
    half_delta = ext(delta / 2)

    def term(channel):
        return dbl(ext(ext(ext(ext(hi - channel) / 6) + half_delta) / delta))

    d_r = term(r)
    d_g = term(g)
    d_b = term(b)
    if r == hi:
        hue = dbl(ext(d_b - d_g))
    elif g == hi:
        hue = dbl(ext(ext(ONE_THIRD + d_r) - d_b))
    else:
        hue = dbl(ext(ext(TWO_THIRDS + d_g) - d_r))
    if hue < 0:
        hue = dbl(ext(hue + 1))
    return hue, saturation, brightness


def hsb_to_rgb(hue, saturation, brightness):
    """Colour (R, G, B) of stored double hue, saturation and brightness."""
    v = brightness
    s = saturation
    if s == 0:
        c = channel_round(ext(v * 255))
        return c, c, c
    x = dbl(ext(hue * 6))
    sector = x.numerator // x.denominator
    f = ext(x - sector)
    p = dbl(ext(ext(1 - s) * v))
    q = dbl(ext(ext(1 - ext(s * f)) * v))
    t = dbl(ext(ext(1 - ext(s * ext(1 - f))) * v))
    if sector == 0:
        channels = (v, t, p)
    elif sector == 1:
        channels = (q, v, p)
    elif sector == 2:
        channels = (p, v, t)
    elif sector == 3:
        channels = (p, q, v)
    elif sector == 4:
        channels = (t, p, v)
    elif sector == 5:
        channels = (v, p, q)
    else:
        raise ValueError("hue %r lies outside [0, 1)" % (hue,))
    return tuple(channel_round(ext(value * 255)) for value in channels)


def cmyk_values(red, green, blue):
    """Cyan, magenta, yellow and black percentages (stored singles)."""
    c = _CMY_FRACTION[red]
    m = _CMY_FRACTION[green]
    y = _CMY_FRACTION[blue]
    k = ONE
    if c < k:
        k = c
    if m < k:
        k = m
    if y < k:
        k = y
    if k == 1:
        return ZERO, ZERO, ZERO, Fraction(100)
    room = ext(1 - k)

    def percent(value):
        return sgl(ext(ext(ext(value - k) / room) * 100))

    return percent(c), percent(m), percent(y), sgl(ext(k * 100))


def cmyk_text(red, green, blue):
    return ",".join(whole_number(v) for v in cmyk_values(red, green, blue))


def hsb_text(red, green, blue):
    hue, saturation, brightness = rgb_to_hsb(red, green, blue)
    # The products of a double with 360 or 100 fit an extended significand,
    # so the whole-number decision is taken on the exact product.
    return ",".join(whole_number(v) for v in
                    (hue * 360, saturation * 100, brightness * 100))


def weighted_brightness(red, green, blue):
    return dbl(ext(Fraction(299 * red + 587 * green + 114 * blue) / 1000))


def has_contrast(first, second):
    difference = ext(weighted_brightness(*first) - weighted_brightness(*second))
    return abs(difference) >= 125


def shades(red, green, blue):
    """(outer shade, inner shade) of the swatch rings."""
    hue, saturation, brightness = rgb_to_hsb(red, green, blue)
    b1 = dbl(ext(brightness - DARKEN_INNER))
    if b1 < 0:
        b1 = ZERO
    inner = hsb_to_rgb(hue, saturation, b1)
    b2 = dbl(ext(b1 - DARKEN_OUTER))
    if b2 < 0:
        b2 = ZERO
    outer = hsb_to_rgb(hue, saturation, b2)
    return outer, inner


def readout_line(red, green, blue):
    """The checker's line for one colour:
    RGB HEX HSB CMYK OUTER INNER PADLOCK"""
    outer, inner = shades(red, green, blue)
    padlock = "black" if has_contrast((red, green, blue), (0, 0, 0)) else "white"
    return " ".join((
        "%d,%d,%d" % (red, green, blue),
        "#%02X%02X%02X" % (red, green, blue),
        hsb_text(red, green, blue),
        cmyk_text(red, green, blue),
        "%d,%d,%d" % outer,
        "%d,%d,%d" % inner,
        padlock,
    ))


def main():
    for line in sys.stdin:
        fields = line.split()
        if not fields:
            continue
        red, green, blue = (int(v) for v in fields)
        sys.stdout.write(readout_line(red, green, blue) + "\n")


if __name__ == "__main__":
    main()
