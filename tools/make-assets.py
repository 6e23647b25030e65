#!/usr/bin/env python3
"""Writes the program's binary assets: the 16-colour application icon (32x32 and 16x16) and the
1x1 transparent GIF. Their output is committed; run this only to change them."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "app", "resources")

# The standard 16-colour palette, as (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREY, RED, YELLOW, WHITE, DARKYELLOW = 0, 8, 9, 11, 15, 3


def draw(size):
    """A yellow speech bubble crossed by a red 'no' sign; None is transparent."""
    s = size / 32.0
    px = [[None] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            cx, cy = (x + 0.5) / s, (y + 0.5) / s
            # Bubble: an ellipse with a tail at the lower left.
            e = ((cx - 15) / 13.5) ** 2 + ((cy - 13) / 10.5) ** 2
            tail = 5 <= cx <= 12 and 19 <= cy <= 29 and (cx - 5) >= (cy - 19) * 0.2 and \
                (12 - cx) >= (cy - 19) * 0.7
            if e <= 1.0 or tail:
                px[y][x] = YELLOW
                if e > 0.82 and not tail:
                    px[y][x] = DARKYELLOW
            # The 'no' sign: a red ring with a diagonal bar.
            r = math.hypot(cx - 21, cy - 21)
            bar = abs((cx - 21) + (cy - 21)) / math.sqrt(2) <= 1.6 and r <= 9.5
            if 7.5 <= r <= 10.5 or bar:
                px[y][x] = RED
            elif r < 7.5:
                px[y][x] = WHITE
    return px


def icon_image(size):
    px = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor_row = (size * 4 + 31) // 32 * 4
    and_row = (size + 31) // 32 * 4
    xor, mask = b"", b""
    for y in reversed(range(size)):
        row = bytearray(xor_row)
        bits = bytearray(and_row)
        for x in range(size):
            c = px[y][x]
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                c = 0
            row[x // 2] |= c << (4 if x % 2 == 0 else 0)
        xor += bytes(row)
        mask += bytes(bits)
    return header + palette + xor + mask


def write_icon(path):
    images = [icon_image(32), icon_image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


def write_gif(path):
    gif = (b"GIF89a" + struct.pack("<HH", 1, 1) + b"\x80\x00\x00"
           + b"\x00\x00\x00\xff\xff\xff"              # two-colour table
           + b"\x21\xf9\x04\x01\x00\x00\x00\x00"      # colour 0 is transparent
           + b"\x2c" + struct.pack("<HHHH", 0, 0, 1, 1) + b"\x00"
           + b"\x02\x02\x44\x01\x00"                  # one pixel of colour 0
           + b"\x3b")
    with open(path, "wb") as f:
        f.write(gif)


if __name__ == "__main__":
    write_icon(os.path.join(OUT, "Corvane.ico"))
    write_gif(os.path.join(OUT, "ChangeR.gif"))
