#!/usr/bin/env python3
"""Draw the QTSysCheck bitmaps and the application icon.

Usage: python3 tools/draw_images.py OUTDIR

Writes question.bmp, tick.bmp, cross.bmp, logo.bmp and logo.ico into OUTDIR.
Everything is computed from simple geometry so the output is byte-for-byte
reproducible and needs nothing beyond the Python standard library.
"""

import math
import os
import struct
import sys

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


# ---------------------------------------------------------------- helpers

def blank(width, height, colour=WHITE):
    """Top-down list of rows of (r, g, b) tuples."""
    return [[colour] * width for _ in range(height)]


def lerp(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def seg_dist(px, py, ax, ay, bx, by):
    """Distance from point P to segment AB."""
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)
    t = min(1.0, max(0.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def pack_rows(pixels, bpp, palette_index=None):
    """Bottom-up pixel rows, each padded to a multiple of 4 bytes."""
    out = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for rgb in row:
            if bpp == 24:
                line += bytes((rgb[2], rgb[1], rgb[0]))
            else:
                line.append(palette_index[rgb])
        line += b"\0" * (-len(line) % 4)
        out += line
    return bytes(out)


def pack_mask(mask):
    """1-bpp AND mask, bottom-up, rows padded to 4 bytes; 1 = transparent."""
    out = bytearray()
    for row in reversed(mask):
        line = bytearray((len(row) + 7) // 8)
        for x, transparent in enumerate(row):
            if transparent:
                line[x // 8] |= 0x80 >> (x % 8)
        line += b"\0" * (-len(line) % 4)
        out += line
    return bytes(out)


def info_header(width, height, bpp, image_size):
    # BITMAPINFOHEADER, BI_RGB; 2835 px/m is the usual 72 dpi.
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0,
                       image_size, 2835, 2835, 0, 0)


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    data = pack_rows(pixels, 24)
    offset = 14 + 40
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset))
        f.write(info_header(width, height, 24, len(data)))
        f.write(data)


def ico_image(pixels, mask, bpp):
    """One icon resource: header, palette (8 bpp), XOR bitmap, AND mask."""
    height, width = len(pixels), len(pixels[0])
    palette = b""
    index = None
    if bpp == 8:
        # Black first so transparent pixels use index 0; keep first-seen
        # order for the rest so the output never depends on hashing.
        colours = [BLACK]
        for row in pixels:
            for rgb in row:
                if rgb not in colours:
                    colours.append(rgb)
        index = {c: i for i, c in enumerate(colours)}
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
        palette += b"\0" * (4 * (256 - len(colours)))
    xor = pack_rows(pixels, bpp, index)
    andm = pack_mask(mask)
    return (info_header(width, 2 * height, bpp, len(xor) + len(andm))
            + palette + xor + andm)


def write_ico(path, images):
    """images: list of (pixels, mask, bpp)."""
    blobs = [ico_image(p, m, bpp) for p, m, bpp in images]
    offset = 6 + 16 * len(images)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    for (pixels, _, bpp), blob in zip(images, blobs):
        size = len(pixels)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bpp,
                           len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


# ------------------------------------------------------------ stroke marks

def stroke_mark(width, height, segments, radius, box, outline, fill_top,
                fill_bottom, halo):
    """Bold rounded strokes: outline ring, vertically shaded fill and a faint
    halo just outside the edge to soften the staircase.  Nothing is drawn
    outside box = (x0, y0, x1, y1) inclusive."""
    img = blank(width, height)
    x0, y0, x1, y1 = box
    dist = {(x, y): min(seg_dist(x, y, *s) for s in segments)
            for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)}
    inside = {p for p, d in dist.items() if d <= radius}
    # Inside pixels touching the outside (4-neighbour) form the outline,
    # which keeps it one pixel thick on the diagonals too.
    fill = {(x, y) for x, y in inside
            if all(n in inside for n in
                   ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)))}
    # Stretch the shading over the filled rows so both end colours appear.
    top = min(y for _, y in fill)
    span = float(max(y for _, y in fill) - top) or 1.0
    for (x, y), d in sorted(dist.items()):
        if (x, y) in fill:
            img[y][x] = lerp(fill_top, fill_bottom, (y - top) / span)
        elif (x, y) in inside:
            img[y][x] = outline
        elif d <= radius + 0.25:
            img[y][x] = halo
    return img


def draw_tick():
    # Short stroke down-right into the elbow, long stroke up-right.
    segments = [(4.0, 7.4, 6.6, 10.0), (6.6, 10.0, 11.8, 4.9)]
    return stroke_mark(19, 21, segments, 1.9, (2, 3, 13, 12),
                       (0, 130, 0), (90, 190, 41), (132, 243, 74),
                       (200, 236, 190))


def draw_cross():
    segments = [(5.0, 5.0, 11.0, 11.0), (11.0, 5.0, 5.0, 11.0)]
    return stroke_mark(19, 21, segments, 1.9, (3, 3, 13, 13),
                       (156, 0, 0), (198, 44, 0), (239, 170, 156),
                       (246, 212, 206))


def draw_question():
    img = blank(11, 11)
    dots = [(5, 2), (6, 2), (7, 2), (8, 3), (8, 4), (7, 5),
            (6, 6), (6, 7), (6, 8), (6, 10)]
    for x, y in dots:
        img[y][x] = BLACK
    return img


# ------------------------------------------------------------------- logo

# Triangle pointing left in unit coordinates: apex at the left middle,
# vertical base on the right.  The hole is the same triangle shrunk about
# its incentre, so the frame has an even width on all three sides.
OUTER = [(0.05, 0.5), (0.93, 0.08), (0.93, 0.92)]
FRAME = 0.15  # frame width as a fraction of the image size


def _incentre(tri):
    (ax, ay), (bx, by), (cx, cy) = tri
    a = math.hypot(cx - bx, cy - by)
    b = math.hypot(cx - ax, cy - ay)
    c = math.hypot(bx - ax, by - ay)
    s = a + b + c
    ix, iy = (a * ax + b * bx + c * cx) / s, (a * ay + b * by + c * cy) / s
    area = abs((bx - ax) * (cy - ay) - (cx - ax) * (by - ay)) / 2.0
    return ix, iy, 2.0 * area / s


def _edges(tri):
    """Edges as (nx, ny, c) with n pointing inwards: n.p + c = inside dist."""
    cx = sum(p[0] for p in tri) / 3.0
    cy = sum(p[1] for p in tri) / 3.0
    out = []
    for i in range(3):
        (ax, ay), (bx, by) = tri[i], tri[(i + 1) % 3]
        nx, ny = by - ay, ax - bx
        n = math.hypot(nx, ny)
        nx, ny = nx / n, ny / n
        c = -(nx * ax + ny * ay)
        if nx * cx + ny * cy + c < 0:
            nx, ny, c = -nx, -ny, -c
        out.append((nx, ny, c))
    return out


_OUT_EDGES = _edges(OUTER)
_IX, _IY, _R = _incentre(OUTER)
_K = (_R - FRAME) / _R
_IN_EDGES = _edges([(_IX + (x - _IX) * _K, _IY + (y - _IY) * _K)
                    for x, y in OUTER])


def logo_face(u, v):
    """Face index at unit point (u, v): 0 top, 1 bottom, 2 right, or None.
    Each point of the frame belongs to the side it is nearest to, which
    gives mitred corners like a bevelled picture frame."""
    dists = [nx * u + ny * v + c for nx, ny, c in _OUT_EDGES]
    if min(dists) < 0:
        return None
    if all(nx * u + ny * v + c > 0 for nx, ny, c in _IN_EDGES):
        return None
    # Edge order follows OUTER: apex->top-right, top-right->bottom-right,
    # bottom-right->apex.
    nearest = dists.index(min(dists))
    return (0, 2, 1)[nearest]


def logo_samples(size, sub=4):
    """Per pixel, how many of sub*sub samples land on each face."""
    grid = []
    for y in range(size):
        row = []
        for x in range(size):
            counts = [0, 0, 0]
            for j in range(sub):
                for i in range(sub):
                    f = logo_face((x + (i + 0.5) / sub) / size,
                                  (y + (j + 0.5) / sub) / size)
                    if f is not None:
                        counts[f] += 1
            row.append(counts)
        grid.append(row)
    return grid, sub * sub


def draw_logo(size=40):
    colours = [(144, 188, 220), (49, 109, 152), (226, 225, 225)]
    grid, total = logo_samples(size)
    img = blank(size, size)
    for y, row in enumerate(grid):
        for x, counts in enumerate(row):
            # Box-filter the samples against white for smooth edges.
            bg = total - sum(counts)
            img[y][x] = tuple(
                int(round((bg * 255 + sum(n * c[k] for n, c in
                                          zip(counts, colours))) / total))
                for k in range(3))
    return img


def draw_logo_icon(size):
    """Hard-edged version for the icon: the AND mask is all-or-nothing, so
    blending with white would leave a halo on dark backgrounds."""
    colours = [(190, 199, 206), (80, 135, 168), (233, 232, 232)]
    grid, total = logo_samples(size)
    pixels = blank(size, size, BLACK)
    mask = [[True] * size for _ in range(size)]
    for y, row in enumerate(grid):
        for x, counts in enumerate(row):
            if 2 * sum(counts) >= total:
                pixels[y][x] = colours[counts.index(max(counts))]
                mask[y][x] = False
    return pixels, mask


# -------------------------------------------------------------------- main

def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: draw_images.py OUTDIR\n")
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    write_bmp(os.path.join(outdir, "question.bmp"), draw_question())
    write_bmp(os.path.join(outdir, "tick.bmp"), draw_tick())
    write_bmp(os.path.join(outdir, "cross.bmp"), draw_cross())
    write_bmp(os.path.join(outdir, "logo.bmp"), draw_logo())
    icons = []
    for size, bpp in ((16, 8), (32, 24), (48, 8)):
        pixels, mask = draw_logo_icon(size)
        icons.append((pixels, mask, bpp))
    write_ico(os.path.join(outdir, "logo.ico"), icons)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
