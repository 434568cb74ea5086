#!/usr/bin/env python3
"""Draws the two built-in 64x64 pictures, LOGO and WAFER, as 24-bit BMP files.

Run from the repository root: python3 tools/make_bitmaps.py
The results are committed under resources/ and compiled into the program.
"""
import math
import struct

N = 64


def write_bmp(path, pixels):
    """pixels[y][x] = (r, g, b), y = 0 is the top row."""
    row_bytes = N * 3  # 192, already a multiple of 4
    image = bytearray()
    for y in range(N - 1, -1, -1):  # BMP rows are stored bottom-up
        for x in range(N):
            r, g, b = pixels[y][x]
            image += bytes((b, g, r))
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(image), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, N, N, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + image)
    assert len(image) == row_bytes * N


def clamp(v):
    return max(0, min(255, int(round(v))))


def logo():
    # A deep-blue tile with a white stylised "T" whose bar is an arm's upper
    # link: a joint disc at each end and an orange tool point below.
    px = [[(0, 0, 0)] * N for _ in range(N)]
    for y in range(N):
        for x in range(N):
            t = (x + y) / (2 * (N - 1))
            px[y][x] = (clamp(20 + 30 * t), clamp(50 + 60 * t), clamp(120 + 90 * t))

    def disc(cx, cy, r, col):
        for y in range(N):
            for x in range(N):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    px[y][x] = col

    def rect(x0, y0, x1, y1, col):
        for y in range(max(0, y0), min(N, y1)):
            for x in range(max(0, x0), min(N, x1)):
                px[y][x] = col

    white = (245, 248, 255)
    rect(10, 12, 54, 20, white)       # bar of the T
    rect(28, 12, 36, 48, white)       # stem
    disc(11, 16, 6, white)
    disc(53, 16, 6, white)
    disc(11, 16, 3, (40, 80, 170))    # joint bores
    disc(53, 16, 3, (40, 80, 170))
    disc(32, 52, 6, (255, 150, 30))   # tool point
    disc(32, 52, 2.5, (255, 230, 180))
    # a thin frame
    for i in range(N):
        for (x, y) in ((i, 0), (i, N - 1), (0, i), (N - 1, i)):
            px[y][x] = (200, 215, 240)
    return px


def wafer():
    # A silicon wafer seen from above on a dark carrier: a grey-violet disc
    # with a grid of square dies, the edge exclusion ring and a notch at
    # the bottom.
    px = [[(24, 24, 30)] * N for _ in range(N)]
    cx = cy = N / 2
    radius = 30.5
    pitch = 6
    for y in range(N):
        for x in range(N):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            d = math.hypot(dx, dy)
            if d > radius:
                continue
            # notch: a small semicircle cut at the bottom edge
            if math.hypot(dx, dy - radius) < 3.0:
                continue
            shade = 1.0 - 0.25 * (d / radius)
            base = (150 * shade, 140 * shade, 175 * shade)
            col = base
            if d < radius - 3.0:
                gx, gy = (x - 2) % pitch, (y - 2) % pitch
                # a die counts only when it lies wholly inside the usable area
                x0 = x - gx
                y0 = y - gy
                corners = [(x0, y0), (x0 + pitch, y0), (x0, y0 + pitch), (x0 + pitch, y0 + pitch)]
                whole = all(math.hypot(a - cx, b - cy) < radius - 3.0 for a, b in corners)
                if whole:
                    if gx == 0 or gy == 0:
                        col = (90, 85, 110)  # scribe lines
                    else:
                        # dies shimmer from violet to green across the wafer
                        t = (x + y) / (2 * N)
                        col = (clamp(120 - 40 * t), clamp(110 + 70 * t), clamp(190 - 50 * t))
            px[y][x] = tuple(clamp(c) for c in col)
    return px


if __name__ == '__main__':
    write_bmp('resources/LOGO.bmp', logo())
    write_bmp('resources/WAFER.bmp', wafer())
    print('wrote resources/LOGO.bmp and resources/WAFER.bmp')
