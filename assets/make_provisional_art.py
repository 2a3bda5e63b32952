#!/usr/bin/env python3
"""Writes the provisional program icon and the two cursors of Tintspot.

    python3 assets/make_provisional_art.py assets

mainicon.ico: 16 x 16 and 32 x 32, 256 colours, a 2 x 2 grid of bevelled
squares (green, orange / purple, red).
hand.cur: 32 x 32 monochrome pointing hand, hot spot (20, 10) at the fingertip.
dropper.cur: 32 x 32 monochrome eyedropper, hot spot (17, 31) at the tip.
The cursors have no screen-inverting pixels.
"""
import math
import struct
import sys

# Cursor pictures: '.' transparent, 'X' black, 'o' white.
HAND = [
    "................................",  # 0
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",  # 5
    "................................",
    "................................",
    "................................",
    "................................",
    "...................XXX..........",  # 10: fingertip, hot spot (20, 10)
    "..................XoooX.........",
    "..................XoooX.........",
    "..................XoooX.........",
    "..................XoooX.........",
    "..................XoooXXX.......",  # 15
    "..................XoooXooXXX....",
    "..................XoooXooXooXX..",
    "..............XX..XoooXooXooXoX.",
    ".............XooX.XoooooooooXoX.",
    ".............XoooXXoooooooooooX.",  # 20
    "..............XoooXoooooooooooX.",
    "...............XoooooooooooooX..",
    "...............XoooooooooooooX..",
    "................XooooooooooooX..",
    "................XoooooooooooX...",  # 25
    ".................XooooooooooX...",
    ".................XooooooooooX...",
    ".................XXXXXXXXXXXX...",
    "................................",
    "................................",  # 30
    "................................",
]


def dropper():
    """An eyedropper lying diagonally: black bulb top right, white barrel
    with a black outline down to the tip at (17, 31)."""
    tip = (17.5, 31.5)
    top = (25.5, 8.5)
    bulb = (26.5, 5.5)
    rows = []
    for y in range(32):
        row = ""
        for x in range(32):
            px, py = x + 0.5, y + 0.5
            dx, dy = top[0] - tip[0], top[1] - tip[1]
            t = max(0.0, min(1.0, ((px - tip[0]) * dx + (py - tip[1]) * dy) / (dx * dx + dy * dy)))
            dist = math.hypot(px - (tip[0] + t * dx), py - (tip[1] + t * dy))
            width = 0.6 + 1.4 * t  # narrower towards the tip
            if math.hypot(px - bulb[0], py - bulb[1]) <= 4.2:
                row += "X"
            elif dist <= width:
                row += "o"
            elif dist <= width + 1.1:
                row += "X"
            else:
                row += "."
        rows.append(row)
    rows[31] = rows[31][:17] + "X" + rows[31][18:]
    return rows


def mono_cursor(rows, hot_x, hot_y):
    assert len(rows) == 32 and all(len(r) == 32 for r in rows)
    xor_rows, and_rows = [], []
    for row in reversed(rows):  # bottom-up
        xor_bits = and_bits = 0
        for x, c in enumerate(row):
            bit = 1 << (31 - x)
            if c == ".":
                and_bits |= bit
            elif c == "o":
                xor_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 32 * 4 * 2, 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hot_x, hot_y, len(image), 6 + 16)
    return directory + entry + image


SQUARES = [
    (0, 0, (0, 160, 70)),     # green, top left
    (1, 0, (240, 140, 0)),    # orange, top right
    (0, 1, (130, 60, 170)),   # purple, bottom left
    (1, 1, (210, 30, 40)),    # red, bottom right
]


def shade(colour, amount):
    return tuple(max(0, min(255, int(c + (255 - c) * amount if amount > 0 else c * (1 + amount))))
                 for c in colour)


def icon_pixels(size):
    """Palette index per pixel (None: transparent) and the palette."""
    palette = [(0, 0, 0)]
    pixels = [[None] * size for _ in range(size)]
    half = size // 2
    for col, row, colour in SQUARES:
        light, face, dark = shade(colour, 0.45), colour, shade(colour, -0.45)
        base = len(palette)
        palette += [light, face, dark]
        x0, y0 = col * half, row * half
        inner = half - 1  # one transparent pixel between the squares
        for y in range(inner):
            for x in range(inner):
                bevel = max(1, size // 16)
                if x < bevel or y < bevel:
                    index = base
                elif x >= inner - bevel or y >= inner - bevel:
                    index = base + 2
                else:
                    index = base + 1
                pixels[y0 + y + (row == 1)][x0 + x + (col == 1)] = index
    return pixels, palette


def icon_image(size):
    pixels, palette = icon_pixels(size)
    palette = palette + [(0, 0, 0)] * (256 - len(palette))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    pal = b"".join(bytes([b, g, r, 0]) for r, g, b in palette)
    xor_stride = (size + 3) // 4 * 4
    and_stride = ((size + 31) // 32) * 4
    xor_data = and_data = b""
    for row in reversed(pixels):
        line = bytes(0 if p is None else p for p in row)
        xor_data += line + bytes(xor_stride - size)
        bits = 0
        for x, p in enumerate(row):
            if p is None:
                bits |= 1 << (and_stride * 8 - 1 - x)
        and_data += bits.to_bytes(and_stride, "big")
    return header + pal + xor_data + and_data


def icon():
    images = [icon_image(16), icon_image(32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    with open(f"{folder}/hand.cur", "wb") as f:
        f.write(mono_cursor(HAND, 20, 10))
    with open(f"{folder}/dropper.cur", "wb") as f:
        f.write(mono_cursor(dropper(), 17, 31))
    with open(f"{folder}/mainicon.ico", "wb") as f:
        f.write(icon())


if __name__ == "__main__":
    main()
