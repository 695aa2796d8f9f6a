#!/usr/bin/env python3
"""Rewrites 8-bit RGB PNG files compressed: the tests' screenshots are stored uncompressed,
which is right for a test and wasteful in a repository.

Usage: compress_png.py FILE...   (each file is rewritten in place)
"""
import struct
import sys
import zlib


def chunks(data):
    at = 8
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        yield kind, data[at + 8:at + 8 + length]
        at += 12 + length


def chunk(kind, body):
    return (struct.pack(">I", len(body)) + kind + body +
            struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))


def compress(path):
    data = open(path, "rb").read()
    header = dict((k, v) for k, v in chunks(data) if k == b"IHDR")[b"IHDR"]
    width, height, depth, colour = struct.unpack(">IIBB", header[:10])
    if depth != 8 or colour != 2:
        raise SystemExit("%s: only 8-bit RGB is handled" % path)
    raw = zlib.decompress(b"".join(v for k, v in chunks(data) if k == b"IDAT"))
    stride = 3 * width
    rows = []
    for y in range(height):
        line = raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)]
        if raw[y * (stride + 1)] != 0:
            raise SystemExit("%s: rows must be unfiltered" % path)
        # "Sub" filter: each byte less the one three to its left; flat areas become zeros.
        rows.append(b"\x01" + bytes(line[i] if i < 3 else (line[i] - line[i - 3]) & 0xFF
                                    for i in range(stride)))
    body = zlib.compress(b"".join(rows), 9)
    with open(path, "wb") as f:
        f.write(data[:8] + chunk(b"IHDR", header) + chunk(b"IDAT", body) + chunk(b"IEND", b""))


for name in sys.argv[1:]:
    compress(name)
