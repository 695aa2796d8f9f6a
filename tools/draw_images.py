#!/usr/bin/env python3
"""Draw the QTSysCheck bitmaps and the application icon.

Usage: python3 tools/draw_images.py OUTDIR

Writes question.bmp, tick.bmp, cross.bmp, logo.bmp and logo.ico into OUTDIR,
and each bitmap again for 120, 144 and 192 DPI as NAME_120.bmp and so on.
The larger ones are drawn from the same geometry at their own pixel size, not
enlarged, so they stay sharp.  Everything is computed from simple geometry so
the output is byte-for-byte reproducible and needs nothing beyond the Python
standard library.
"""

import math
import os
import struct
import sys

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# The display scales the window picks its images for; 96 is 100 %.
DPIS = (96, 120, 144, 192)


# ---------------------------------------------------------------- helpers

def scaled(n, dpi):
    """A length of n pixels at 96 DPI in whole pixels at dpi, half rounded up."""
    return (2 * n * dpi + 96) // 192


def at_dpi(p, dpi):
    """A coordinate in pixel centres at 96 DPI moved to dpi.  Pixel x covers
    [x - 0.5, x + 0.5]: the scaling is about the image's edge at -0.5, not
    about the first pixel's centre."""
    return (p + 0.5) * dpi / 96.0 - 0.5


def scaled_box(box, dpi):
    """An inclusive pixel box at 96 DPI moved to dpi, its edges rounded as
    the image size is."""
    x0, y0, x1, y1 = box
    return (scaled(x0, dpi), scaled(y0, dpi),
            scaled(x1 + 1, dpi) - 1, scaled(y1 + 1, dpi) - 1)


def colours_of(pixels, first=()):
    """Distinct colours in first-seen order, so the output never depends on
    hashing."""
    colours = list(first)
    seen = set(colours)
    for row in pixels:
        for rgb in row:
            if rgb not in seen:
                seen.add(rgb)
                colours.append(rgb)
    return colours


def pack_palette(colours):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in colours)


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
    """Bottom-up pixel rows, each padded to a multiple of 4 bytes.  At 4 bpp
    the first of two pixels takes the high half of their byte."""
    out = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for x, rgb in enumerate(row):
            if bpp == 24:
                line += bytes((rgb[2], rgb[1], rgb[0]))
            elif bpp == 4 and x % 2:
                line[-1] |= palette_index[rgb]
            elif bpp == 4:
                line.append(palette_index[rgb] << 4)
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


def info_header(width, height, bpp, image_size, colours_used=0):
    # BITMAPINFOHEADER, BI_RGB; 2835 px/m is the usual 72 dpi.
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0,
                       image_size, 2835, 2835, colours_used, 0)


def write_bmp(path, pixels, bpp=24):
    """bpp 8 and 4 write a palette of only the colours used: one byte or half
    a byte a pixel instead of three, which matters as the program file
    carries every scale."""
    height, width = len(pixels), len(pixels[0])
    palette = b""
    index = None
    colours_used = 0
    if bpp in (4, 8):
        colours = colours_of(pixels)
        index = {c: i for i, c in enumerate(colours)}
        palette = pack_palette(colours)
        colours_used = len(colours)
    data = pack_rows(pixels, bpp, index)
    offset = 14 + 40 + len(palette)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset))
        f.write(info_header(width, height, bpp, len(data), colours_used))
        f.write(palette)
        f.write(data)


def icon_bpp(pixels):
    """The fewest bits a pixel that hold the image's colours and black:
    4 (16 colours), 8 (256) or 24.  The program file carries every size of
    the icon, so each takes no more room than its colours need."""
    colours = len(colours_of(pixels, (BLACK,)))
    return 4 if colours <= 16 else 8 if colours <= 256 else 24


def ico_image(pixels, mask, bpp):
    """One icon resource: header, palette (4 and 8 bpp), XOR bitmap, AND
    mask."""
    height, width = len(pixels), len(pixels[0])
    palette = b""
    index = None
    colours_used = 0
    if bpp in (4, 8):
        # Black first so transparent pixels use index 0.  At 4 bpp the full
        # 16-entry palette, the classic form of a 16-colour icon; at 8 bpp
        # only the colours used, which biClrUsed says.
        colours = colours_of(pixels, (BLACK,))
        index = {c: i for i, c in enumerate(colours)}
        palette = pack_palette(colours)
        if bpp == 4:
            palette += b"\0" * (4 * (16 - len(colours)))
        else:
            colours_used = len(colours)
    xor = pack_rows(pixels, bpp, index)
    andm = pack_mask(mask)
    return (info_header(width, 2 * height, bpp, len(xor) + len(andm),
                        colours_used)
            + palette + xor + andm)


def write_ico(path, images):
    """images: list of (pixels, mask, bpp)."""
    blobs = [ico_image(p, m, bpp) for p, m, bpp in images]
    offset = 6 + 16 * len(images)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    for (pixels, _, bpp), blob in zip(images, blobs):
        size = len(pixels)
        # The colour count field says 16 for a 4-bpp image, 0 from 8 bpp up.
        colour_count = 1 << bpp if bpp < 8 else 0
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colour_count,
                           0, 1, bpp, len(blob), offset)
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


def scaled_mark(dpi, width, height, segments, radius, box, *colours):
    """A stroke mark given at 96 DPI, drawn at dpi.  The outline and halo stay
    one pixel and a quarter pixel: they smooth the edge, whatever its size.
    The box scales too, so the mark clears the row box at every scale as it
    does at 96 DPI."""
    segments = [tuple(at_dpi(c, dpi) for c in s) for s in segments]
    return stroke_mark(scaled(width, dpi), scaled(height, dpi), segments,
                       radius * dpi / 96.0, scaled_box(box, dpi), *colours)


def draw_tick(dpi=96):
    # Short stroke down-right into the elbow, long stroke up-right.
    segments = [(4.0, 7.4, 6.6, 10.0), (6.6, 10.0, 11.8, 4.9)]
    return scaled_mark(dpi, 19, 21, segments, 1.9, (2, 3, 13, 12),
                       (0, 130, 0), (90, 190, 41), (132, 243, 74),
                       (200, 236, 190))


def draw_cross(dpi=96):
    segments = [(5.0, 5.0, 11.0, 11.0), (11.0, 5.0, 5.0, 11.0)]
    return scaled_mark(dpi, 19, 21, segments, 1.9, (3, 3, 13, 13),
                       (156, 0, 0), (198, 44, 0), (239, 170, 156),
                       (246, 212, 206))


# The question mark as drawn at 96 DPI, one pixel wide: the hook, then the dot.
QUESTION_HOOK = [(5, 2), (6, 2), (7, 2), (8, 3), (8, 4), (7, 5),
                 (6, 6), (6, 7), (6, 8)]
QUESTION_DOT = (6, 10)


def draw_question(dpi=96):
    """A round pen as wide as one 96-DPI pixel, in whole pixels, through the
    same points at every scale.  Each point snaps to where the pen's edges
    fall on pixel edges, and a pixel is ink when the pen covers at least half
    of it: crisp black, not a grey blur.  At 96 DPI this gives the pixels
    the mark has always had."""
    size = scaled(11, dpi)
    pen = scaled(1, dpi)

    def snap(c):
        p = at_dpi(c, dpi)
        return math.floor(p + 0.5) if pen % 2 else math.floor(p) + 0.5

    hook = [(snap(x), snap(y)) for x, y in QUESTION_HOOK]
    segments = [a + b for a, b in zip(hook, hook[1:])]
    dot = (snap(QUESTION_DOT[0]), snap(QUESTION_DOT[1]))
    radius = pen / 2.0
    sub = 8

    def inked(px, py):
        return (math.hypot(px - dot[0], py - dot[1]) <= radius
                or min(seg_dist(px, py, *s) for s in segments) <= radius)

    img = blank(size, size)
    for y in range(size):
        for x in range(size):
            covered = sum(inked(x - 0.5 + (i + 0.5) / sub,
                                y - 0.5 + (j + 0.5) / sub)
                          for j in range(sub) for i in range(sub))
            if 2 * covered >= sub * sub:
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
    drawings = (("question", draw_question), ("tick", draw_tick),
                ("cross", draw_cross),
                ("logo", lambda dpi: draw_logo(scaled(40, dpi))))
    for dpi in DPIS:
        for name, draw in drawings:
            pixels = draw(dpi)
            # The 96-DPI files keep their names and their 24 bpp.
            if dpi == 96:
                write_bmp(os.path.join(outdir, name + ".bmp"), pixels)
                continue
            colours = len(colours_of(pixels))
            bpp = 4 if colours <= 16 else 8 if colours <= 256 else 24
            write_bmp(os.path.join(outdir, "%s_%d.bmp" % (name, dpi)),
                      pixels, bpp)
    # Windows asks for 16 and 32 at 100 %, 20 and 40 at 125 %, 24 and 48 at
    # 150 %, 32 and 64 at 200 %.
    icons = []
    for size in (16, 20, 24, 32, 40, 48, 64):
        pixels, mask = draw_logo_icon(size)
        icons.append((pixels, mask, icon_bpp(pixels)))
    write_ico(os.path.join(outdir, "logo.ico"), icons)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
