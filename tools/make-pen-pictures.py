#!/usr/bin/env python3
"""Draws the record window's pictures in data/PenData: the six channel markers
(25 x 14) and the two faces of the mode button (24 x 24), each also at twice the size
("@2x"), as PNG files under the names the program loads ("green.dat", "12.dat", ...).

Only the standard library: shapes are filled with 4 x 4 supersampling, so edges stay
crisp at 100 % and 200 %.   Run: tools/make-pen-pictures.py [output folder]
"""

import os
import struct
import sys
import zlib

SUB = 4


def png(width, height, pixels):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(pixels[y * width * 4:(y + 1) * width * 4]) for y in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def inside_polygon(x, y, points):
    hit = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


class Canvas:
    def __init__(self, width, height, scale):
        self.w, self.h, self.s = width * scale, height * scale, scale
        self.px = [0] * (self.w * self.h * 4)

    def fill(self, test, colour):
        """Blends `colour` over every pixel by the share of its subsamples `test` accepts
        (test takes logical coordinates)."""
        r, g, b, a = colour
        for py in range(self.h):
            for px in range(self.w):
                hits = sum(test((px + (i + 0.5) / SUB) / self.s, (py + (j + 0.5) / SUB) / self.s)
                           for i in range(SUB) for j in range(SUB))
                if not hits:
                    continue
                cover = hits / (SUB * SUB) * a / 255
                k = (py * self.w + px) * 4
                old_a = self.px[k + 3] / 255
                out_a = cover + old_a * (1 - cover)
                for c, v in enumerate((r, g, b)):
                    old = self.px[k + c]
                    self.px[k + c] = round((v * cover + old * old_a * (1 - cover)) / out_a) if out_a else 0
                self.px[k + 3] = round(out_a * 255)

    def polygon(self, points, colour):
        self.fill(lambda x, y: inside_polygon(x, y, points), colour)

    def circle(self, cx, cy, radius, colour):
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2, colour)

    def rect(self, x0, y0, x1, y1, colour):
        self.fill(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, colour)

    def save(self, path):
        with open(path, "wb") as f:
            f.write(png(self.w, self.h, self.px))


MARKERS = {
    "green": (0, 128, 0), "red": (255, 0, 0), "blue": (0, 0, 255),
    "maroon": (128, 0, 0), "yellow": (255, 255, 0), "red2": (255, 0, 255),
}


def marker(scale, colour):
    c = Canvas(25, 14, scale)
    outline = tuple(int(v * 0.55) for v in colour) + (255,)
    c.polygon([(1, 1), (16, 1), (24, 7), (16, 13), (1, 13)], outline)
    c.polygon([(2, 2), (15.6, 2), (22.3, 7), (15.6, 12), (2, 12)], colour + (255,))
    c.rect(4, 6.2, 13, 7.8, (255, 255, 255, 200))
    return c


def record_face(scale):
    c = Canvas(24, 24, scale)
    c.circle(12, 12, 10, (90, 20, 20, 255))
    c.circle(12, 12, 9, (230, 40, 40, 255))
    c.circle(10, 10, 3.5, (255, 160, 160, 160))
    return c


def read_face(scale):
    c = Canvas(24, 24, scale)
    c.polygon([(4, 2), (15, 2), (20, 7), (20, 22), (4, 22)], (40, 60, 110, 255))
    c.polygon([(5, 3), (14.5, 3), (19, 7.5), (19, 21), (5, 21)], (245, 248, 255, 255))
    c.polygon([(14.5, 3), (19, 7.5), (14.5, 7.5)], (180, 195, 225, 255))
    for row in range(4):
        y = 10 + row * 3
        c.rect(7, y, 17 if row % 2 == 0 else 14, y + 1.2, (50, 100, 200, 255))
    return c


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data", "PenData")
    os.makedirs(out, exist_ok=True)
    for scale, suffix in ((1, ""), (2, "@2x")):
        for name, colour in MARKERS.items():
            marker(scale, colour).save(os.path.join(out, name + suffix + ".dat"))
        record_face(scale).save(os.path.join(out, "12" + suffix + ".dat"))
        read_face(scale).save(os.path.join(out, "13" + suffix + ".dat"))


if __name__ == "__main__":
    main()
