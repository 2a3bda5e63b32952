#!/usr/bin/env python3
"""Checks of the reference colour model against hand-worked readouts.

Run as: python3 test_colour_reference.py
Prints each failing check and a final line "N passed, N failed"; exits
non-zero when any check fails.
"""

import os
import sys
import traceback
from fractions import Fraction

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import colour_reference as ref  # noqa: E402

F = Fraction
CHECKS = []


def check(function):
    CHECKS.append(function)
    return function


def parse_triple(text):
    return tuple(int(v) for v in text.split(","))


# Colour -> RGB, HEX, HSB, CMYK, outer shade, inner shade, padlock.
READOUTS = [
    ((0, 0, 0), "0,0,0", "#000000", "0,0,0", "0,0,0,100", (0, 0, 0), (0, 0, 0), "white"),
    ((255, 255, 255), "255,255,255", "#FFFFFF", "0,0,100", "0,0,0,0", (204, 204, 204), (235, 235, 235), "black"),
    ((128, 128, 128), "128,128,128", "#808080", "0,0,50", "0,0,0,50", (77, 77, 77), (108, 108, 108), "black"),
    ((255, 0, 0), "255,0,0", "#FF0000", "0,100,100", "0,100,100,0", (204, 0, 0), (235, 0, 0), "white"),
    ((0, 255, 0), "0,255,0", "#00FF00", "120,100,100", "100,0,100,0", (0, 204, 0), (0, 235, 0), "black"),
    ((0, 0, 255), "0,0,255", "#0000FF", "240,100,100", "100,100,0,0", (0, 0, 204), (0, 0, 235), "white"),
    ((255, 255, 0), "255,255,0", "#FFFF00", "60,100,100", "0,0,100,0", (204, 204, 0), (235, 235, 0), "black"),
    ((0, 255, 255), "0,255,255", "#00FFFF", "180,100,100", "100,0,0,0", (0, 204, 204), (0, 235, 235), "black"),
    ((255, 0, 255), "255,0,255", "#FF00FF", "300,100,100", "0,100,0,0", (204, 0, 204), (235, 0, 235), "white"),
    ((51, 102, 153), "51,102,153", "#336699", "210,67,60", "67,33,0,40", (34, 68, 102), (44, 88, 133), "white"),
    ((255, 0, 1), "255,0,1", "#FF0001", "360,100,100", "0,100,100,0", (204, 0, 1), (235, 0, 1), "white"),
    ((1, 0, 1), "1,0,1", "#010001", "300,100,0", "0,100,0,100", (0, 0, 0), (0, 0, 0), "white"),
    ((20, 10, 10), "20,10,10", "#140A0A", "0,50,8", "0,50,50,92", (0, 0, 0), (0, 0, 0), "white"),
    ((125, 125, 125), "125,125,125", "#7D7D7D", "0,0,49", "0,0,0,51", (74, 74, 74), (105, 105, 105), "black"),
    ((124, 124, 124), "124,124,124", "#7C7C7C", "0,0,49", "0,0,0,51", (73, 73, 73), (104, 104, 104), "white"),
]

# Colours whose readouts fall on an exact half: colour -> HEX, HSB, CMYK.
EXACT_HALVES = [
    ((33, 133, 193), "#2185C1", "203,83,76", "83,31,0,24"),
    ((70, 47, 30), "#462F1E", "25,57,27", "0,33,57,73"),
    ((40, 3, 3), "#280303", "0,92,16", "0,93,93,84"),
    ((200, 199, 199), "#C8C7C7", "0,0,78", "0,0,0,22"),
]


def make_readout_check(row):
    colour, rgb, hex_text, hsb, cmyk, outer, inner, padlock = row

    def run():
        line = ref.readout_line(*colour).split(" ")
        assert line[0] == rgb, line
        assert line[1] == hex_text, line
        assert line[2] == hsb, line
        assert line[3] == cmyk, line
        assert parse_triple(line[4]) == outer, line
        assert parse_triple(line[5]) == inner, line
        assert line[6] == padlock, line
        assert len(line) == 7, line

    run.__name__ = "readouts of %d,%d,%d" % colour
    return run


def make_half_check(row):
    colour, hex_text, hsb, cmyk = row

    def run():
        line = ref.readout_line(*colour).split(" ")
        assert line[1] == hex_text, line
        assert line[2] == hsb, line
        assert line[3] == cmyk, line

    run.__name__ = "exact-half readouts of %d,%d,%d" % colour
    return run


for _row in READOUTS:
    CHECKS.append(make_readout_check(_row))
for _row in EXACT_HALVES:
    CHECKS.append(make_half_check(_row))


# --- rounding helpers --------------------------------------------------------

@check
def extended_ties_go_to_even():
    two64 = 2 ** 64
    # 2**64 + 1 lies halfway between 2**64 and 2**64 + 2: the even significand wins.
    assert ref.ext(two64 + 1) == two64
    assert ref.ext(two64 + 3) == two64 + 4
    # Just above the tie it rounds up.
    assert ref.ext(F(two64 + 1) + F(1, 1000)) == two64 + 2
    # 1 + 2**-64 is halfway between 1 and 1 + 2**-63.
    assert ref.ext(1 + F(1, 2 ** 64)) == 1
    assert ref.ext(1 + F(3, 2 ** 64)) == 1 + F(4, 2 ** 64)
    # Every integer below 2**64 is exact.
    assert ref.ext(two64 - 1) == two64 - 1


@check
def nearest_thirds_and_decimals():
    # 1/3 = 0.0101...b; its 64-bit significand ends ...1010|1010..., rounded up.
    assert ref.ext(F(1, 3)) == F(0xAAAAAAAAAAAAAAAB, 2 ** 65)
    assert ref.ONE_THIRD == F(0xAAAAAAAAAAAAAAAB, 2 ** 65)
    assert ref.TWO_THIRDS == F(0xAAAAAAAAAAAAAAAB, 2 ** 64)
    assert ref.dbl(F(1, 3)) == F(0x15555555555555, 2 ** 54)
    assert ref.sgl(F(1, 3)) == F(0xAAAAAB, 2 ** 25)
    # The double nearest to 0.1.
    assert ref.dbl(F(1, 10)) == F(3602879701896397, 2 ** 55)
    assert abs(ref.DARKEN_INNER - F(8, 100)) <= F(1, 2 ** 68)
    assert ref.DARKEN_INNER != F(8, 100)


@check
def narrow_formats_and_signs():
    # 1 - 2**-25 is halfway between 1 - 2**-24 and 1 in single precision.
    assert ref.sgl(1 - F(1, 2 ** 25)) == 1
    assert ref.sgl(1 - F(3, 2 ** 25)) == 1 - F(2, 2 ** 24)
    assert ref.dbl(1 + F(1, 2 ** 53)) == 1
    assert ref.dbl(1 + F(3, 2 ** 53)) == 1 + F(2, 2 ** 52)
    assert ref.ext(0) == 0 and ref.dbl(0) == 0 and ref.sgl(0) == 0
    assert ref.ext(-F(1, 3)) == -ref.ext(F(1, 3))
    assert ref.dbl(-(2 ** 53 + 1)) == -(2 ** 53)


@check
def double_rounding_differs_from_single_rounding():
    # Exactly 1 + 2**-53 + 2**-64 rounds up to 1 + 2**-52 as a double, but
    # through extended precision it first becomes the tie 1 + 2**-53 and
    # then rounds to even, down to 1.
    x = 1 + F(1, 2 ** 53) + F(1, 2 ** 65)
    assert ref.dbl(x) == 1 + F(1, 2 ** 52)
    assert ref.dbl(ref.ext(x)) == 1


@check
def integer_rounding():
    assert ref.round_half_even(F(5, 2)) == 2
    assert ref.round_half_even(F(7, 2)) == 4
    assert ref.round_half_even(F(201, 2)) == 100
    assert ref.channel_round(F(511, 2)) == 0   # 255.5 -> 256, low 8 bits 0
    assert ref.channel_round(F(509, 2)) == 254
    assert ref.whole_number(F(25, 2)) == "13"
    assert ref.whole_number(F(75, 2)) == "38"
    assert ref.whole_number(F(1, 2)) == "1"
    assert ref.whole_number(F(1, 2) - F(1, 2 ** 70)) == "0"
    assert ref.whole_number(F(0)) == "0"


# --- the values behind the edge-case texts -----------------------------------

@check
def hue_just_short_of_a_full_turn():
    hue, _, _ = ref.rgb_to_hsb(255, 0, 1)
    assert hue < 1
    assert abs(hue - F(99935, 100000)) < F(1, 100000)


@check
def exact_halves_land_as_described():
    hue, _, _ = ref.rgb_to_hsb(33, 133, 193)
    assert hue * 360 == F(405, 2)
    hue, _, _ = ref.rgb_to_hsb(70, 47, 30)
    assert F(254, 10) < hue * 360 < F(51, 2)
    _, sat, _ = ref.rgb_to_hsb(40, 3, 3)
    assert F(924, 10) < sat * 100 < F(185, 2)
    _, magenta, yellow, _ = ref.cmyk_values(40, 3, 3)
    assert magenta == F(185, 2) and yellow == F(185, 2)
    _, sat, _ = ref.rgb_to_hsb(200, 199, 199)
    assert F(4, 10) < sat * 100 < F(1, 2)
    _, magenta, yellow, _ = ref.cmyk_values(200, 199, 199)
    assert F(4, 10) < magenta < F(1, 2) and magenta == yellow


@check
def black_ninety_nine_point_six():
    _, magenta, _, black = ref.cmyk_values(1, 0, 1)
    assert magenta == 100
    # k = 1 - 1/255 as a single, so black is about 99.61.
    assert abs(black - F(99608, 1000)) < F(1, 1000)
    assert ref.whole_number(black) == "100"


@check
def padlock_threshold():
    assert ref.weighted_brightness(125, 125, 125) == 125
    assert ref.has_contrast((125, 125, 125), (0, 0, 0))
    assert not ref.has_contrast((124, 124, 124), (0, 0, 0))
    # The comparison is on the absolute difference.
    assert ref.has_contrast((0, 0, 0), (125, 125, 125))


@check
def shades_of_a_dim_red():
    outer, inner = ref.shades(40, 3, 3)
    assert outer == (0, 0, 0)
    assert inner == (20, 1, 1)


def main():
    passed = failed = 0
    for function in CHECKS:
        try:
            function()
        except AssertionError as error:
            failed += 1
            where = traceback.extract_tb(error.__traceback__)[-1]
            print("FAIL %s (line %d: %s) %s"
                  % (function.__name__, where.lineno, where.line, error))
        else:
            passed += 1
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
