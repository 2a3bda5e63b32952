#!/usr/bin/env python3
"""Compare the readouts tool against the independent Python reference model.

usage: check_readouts.py PATH_TO_READOUTS_BINARY [--count N] [--seed S]

The tool reads lines "R G B" on stdin and writes one line per colour:
    RGB HEX HSB CMYK OUTER INNER PADLOCK
All colours are piped to it in a single run; its output is compared line by
line with colour_reference.readout_line.  Prints up to 20 mismatches and a
final line "N passed, N failed"; exits non-zero on any mismatch or when the
tool fails.
"""

import argparse
import os
import random
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import colour_reference  # noqa: E402

MAX_REPORTED = 20

# Colours whose readouts are fixed by hand-worked examples: primaries and
# secondaries, greys around the padlock threshold, the hue just short of a
# full turn, very dark colours, and the colours whose readouts fall on or
# next to an exact half.
NAMED_COLOURS = [
    (0, 0, 0), (255, 255, 255), (128, 128, 128),
    (255, 0, 0), (0, 255, 0), (0, 0, 255),
    (255, 255, 0), (0, 255, 255), (255, 0, 255),
    (51, 102, 153), (255, 0, 1), (1, 0, 1), (20, 10, 10),
    (125, 125, 125), (124, 124, 124),
    (33, 133, 193), (70, 47, 30), (40, 3, 3), (200, 199, 199),
]

CHANNEL_LEVELS = (0, 1, 127, 128, 254, 255)


def build_colours(count, seed):
    colours = list(NAMED_COLOURS)
    colours += [(v, v, v) for v in range(256)]
    colours += [(r, g, b) for b in CHANNEL_LEVELS
                for g in CHANNEL_LEVELS for r in CHANNEL_LEVELS]
    rng = random.Random(seed)
    colours += [(rng.randrange(256), rng.randrange(256), rng.randrange(256))
                for _ in range(count)]
    return colours


def main(argv=None):
    parser = argparse.ArgumentParser(
        description="Check the readouts tool against the reference model.")
    parser.add_argument("binary", help="path to the readouts tool")
    parser.add_argument("--count", type=int, default=20000,
                        help="number of random colours (default 20000)")
    parser.add_argument("--seed", type=int, default=1,
                        help="seed of the random colours (default 1)")
    args = parser.parse_args(argv)
    if args.count < 0:
        parser.error("--count must not be negative")

    colours = build_colours(args.count, args.seed)
    request = "".join("%d %d %d\n" % c for c in colours)

    tool_failed = False
    try:
        run = subprocess.run([args.binary], input=request.encode("ascii"),
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    except OSError as error:
        print("cannot run %s: %s" % (args.binary, error))
        print("0 passed, %d failed" % len(colours))
        return 2
    if run.returncode != 0:
        tool_failed = True
        print("%s exited with status %d" % (args.binary, run.returncode))
        if run.stderr:
            sys.stdout.write(run.stderr.decode("utf-8", "replace"))

    got_lines = run.stdout.decode("utf-8", "replace").split("\n")
    if got_lines and got_lines[-1] == "":
        got_lines.pop()
    else:
        # The last line lacks its newline (or there is no output at all).
        if run.stdout:
            tool_failed = True
            print("output does not end with a newline")
    got_lines = [line.rstrip("\r") for line in got_lines]

    passed = failed = 0
    reported = 0
    for index, colour in enumerate(colours):
        expected = colour_reference.readout_line(*colour)
        got = got_lines[index] if index < len(got_lines) else None
        if got == expected:
            passed += 1
            continue
        failed += 1
        if reported < MAX_REPORTED:
            reported += 1
            print("colour %d %d %d (line %d):" % (colour + (index + 1,)))
            print("  expected: %s" % expected)
            print("  got:      %s" % ("<missing>" if got is None else got))
    if failed > reported:
        print("... %d more mismatches not shown" % (failed - reported))
    if len(got_lines) > len(colours):
        tool_failed = True
        print("%d extra output lines" % (len(got_lines) - len(colours)))

    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed or tool_failed else 0


if __name__ == "__main__":
    sys.exit(main())
