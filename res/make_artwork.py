#!/usr/bin/env python3
"""Draws the installer's artwork: the product picture (Picture.bmp, 112 x 224, 8 bits
per pixel, run-length encoded) and the application icon (QuillonDeploy.ico, 32 x 32 and 16 x 16, 16
colours). Plain Python, no image libraries, so the output is the same byte for byte
wherever it runs. The build uses the committed files; run this only to change them.

    python3 res/make_artwork.py res
"""
import math
import struct
import sys
from pathlib import Path

# A 5 x 7 pixel font with the few letters the artwork needs.
GLYPHS = {
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "-": ["00000", "00000", "00000", "01110", "00000", "00000", "00000"],
    " ": ["00000"] * 7,
}


class Canvas:
    """An RGB picture, top row first."""

    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def rect(self, left, top, right, bottom, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour)

    def text(self, left, top, text, colour, scale=1, spacing=1):
        x = left
        for ch in text:
            for row, bits in enumerate(GLYPHS[ch]):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        self.rect(x + col * scale, top + row * scale,
                                  x + (col + 1) * scale, top + (row + 1) * scale, colour)
            x += (5 + spacing) * scale

    @staticmethod
    def text_width(text, scale=1, spacing=1):
        return len(text) * (5 + spacing) * scale - spacing * scale


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def quantise(colour, step):
    return tuple(min(255, (c // step) * step + step // 2) for c in colour)


def draw_quill(canvas, tip, top, width, colours, step=None):
    """A feather: a shaft from tip (the nib, lower left) to top, with vanes that widen
    to the middle and a notch cut in one side."""
    (x0, y0), (x1, y1) = tip, top
    length = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / length, (y1 - y0) / length
    nx, ny = -uy, ux
    vane_light, vane_dark, shaft = colours
    for y in range(canvas.height):
        for x in range(canvas.width):
            px, py = x + 0.5 - x0, y + 0.5 - y0
            along = px * ux + py * uy
            across = px * nx + py * ny
            t = along / length
            if t < 0.0 or t > 1.0:
                continue
            if t < 0.22:
                # the bare quill near the nib
                if abs(across) <= max(0.6, width * 0.06):
                    canvas.put(x, y, shaft)
                continue
            s = (t - 0.22) / 0.78
            half = width * math.sin(math.pi * min(1.0, s * 1.08)) ** 0.8 * (1.0 - 0.25 * s)
            if abs(across) <= max(0.6, width * 0.06):
                canvas.put(x, y, shaft)
            elif abs(across) <= half:
                # a slit in the upper vane, as a real feather has, slanting to the tip
                slit = s - 0.12 * (abs(across) / max(half, 1e-6))
                if across > 0 and 0.52 < slit < 0.545 and abs(across) > half * 0.35:
                    continue
                shade = abs(across) / max(half, 1e-6)
                colour = mix(vane_light, vane_dark, shade * 0.85)
                if across < 0:
                    colour = mix(colour, vane_dark, 0.35)
                canvas.put(x, y, quantise(colour, step) if step else colour)


def picture():
    width, height = 112, 224
    top_colour, bottom_colour = (24, 34, 86), (18, 108, 128)
    canvas = Canvas(width, height, top_colour)
    # the panel: a vertical gradient with a light rim and a darker side, like a box
    for y in range(height):
        row = quantise(mix(top_colour, bottom_colour, y / (height - 1)), 8)
        for x in range(width):
            canvas.put(x, y, row)
    canvas.rect(0, 0, width, 2, (212, 222, 240))
    canvas.rect(0, height - 2, width, height, (10, 20, 52))
    canvas.rect(0, 0, 2, height, (150, 170, 210))
    canvas.rect(width - 3, 0, width, height, (12, 24, 60))
    # a soft light behind the emblem
    for y in range(10, 130):
        for x in range(4, width - 4):
            d = math.hypot(x - 56, (y - 70) * 0.8) / 52.0
            if d < 1.0:
                base = canvas.get(x, y)
                canvas.put(x, y, quantise(mix(base, (90, 140, 200), (1 - d) ** 2 * 0.6), 8))
    draw_quill(canvas, (30, 124), (86, 18), 17,
               ((252, 250, 236), (186, 200, 226), (232, 196, 92)), step=6)
    # ink drop under the nib
    for y in range(118, 136):
        for x in range(20, 42):
            if math.hypot(x - 28.5, (y - 128.5) * 1.4) < 5.5:
                canvas.put(x, y, (20, 24, 40))
    # the product's name
    gold, white = (240, 204, 96), (246, 248, 252)
    name = "QUILLON"
    canvas.text((width - Canvas.text_width(name, 2)) // 2 + 1, 149, name, (8, 18, 44), 2)
    canvas.text((width - Canvas.text_width(name, 2)) // 2, 148, name, white, 2)
    tools = "TOOLS"
    canvas.text((width - Canvas.text_width(tools, 2)) // 2 + 1, 167, tools, (8, 18, 44), 2)
    canvas.text((width - Canvas.text_width(tools, 2)) // 2, 166, tools, gold, 2)
    canvas.rect(18, 187, width - 18, 188, gold)
    line = "PLUG-IN FILTERS"
    canvas.text((width - Canvas.text_width(line)) // 2, 194, line, (200, 220, 236))
    return canvas


def bmp8(canvas):
    colours = sorted({c for row in canvas.pixels for c in row})
    if len(colours) > 256:
        raise SystemExit(f"picture has {len(colours)} colours, more than 256")
    index = {c: i for i, c in enumerate(colours)}
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)
    palette += b"\0" * (1024 - len(palette))
    # Run-length encoded (BI_RLE8): the picture is mostly runs of one colour, and it is
    # carried inside every copy of the installer.
    rows = b""
    for n, y in enumerate(reversed(range(canvas.height))):
        row = [index[c] for c in canvas.pixels[y]]
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and run < 255 and row[x + run] == row[x]:
                run += 1
            rows += struct.pack("<BB", run, row[x])
            x += run
        # End of line, and after the last line end of bitmap.
        rows += b"\0\1" if n == canvas.height - 1 else b"\0\0"
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 8, 1, len(rows),
                       2835, 2835, 256, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + palette + rows


# The 16 colours of the standard VGA palette, which every display can show.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
TRANSPARENT = (1, 2, 3)


def icon_image(size):
    canvas = Canvas(size, size, TRANSPARENT)
    inset = 1 if size == 32 else 0
    radius = 5 if size == 32 else 2
    for y in range(inset, size - inset):
        for x in range(inset, size - inset):
            cx = min(max(x, inset + radius), size - 1 - inset - radius)
            cy = min(max(y, inset + radius), size - 1 - inset - radius)
            if math.hypot(x - cx, y - cy) <= radius + 0.3:
                canvas.put(x, y, VGA[4] if y < size * 0.6 else VGA[6])
    s = size / 32.0
    draw_quill(canvas, (7 * s, 27 * s), (27 * s, 4 * s), 7.5 * s,
               (VGA[15], VGA[7], VGA[11]))
    return canvas


def nearest_vga(colour):
    return min(range(16), key=lambda i: sum((colour[k] - VGA[i][k]) ** 2 for k in range(3)))


def ico(images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for canvas in images:
        size = canvas.width
        xor_stride = ((size * 4 + 31) // 32) * 4
        and_stride = ((size + 31) // 32) * 4
        xor, mask = b"", b""
        for y in reversed(range(size)):
            nibbles, bits = [], []
            for x in range(size):
                c = canvas.get(x, y)
                nibbles.append(0 if c == TRANSPARENT else nearest_vga(c))
                bits.append(1 if c == TRANSPARENT else 0)
            row = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
            xor += row + b"\0" * (xor_stride - len(row))
            mrow = bytes(sum(bits[i + b] << (7 - b) for b in range(8)) for i in range(0, size, 8))
            mask += mrow + b"\0" * (and_stride - len(mrow))
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in VGA)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask),
                           0, 0, 16, 0)
        blob = info + palette + xor + mask
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + blobs


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent)
    (out / "Picture.bmp").write_bytes(bmp8(picture()))
    (out / "QuillonDeploy.ico").write_bytes(ico([icon_image(32), icon_image(16)]))


if __name__ == "__main__":
    main()
