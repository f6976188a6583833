#!/usr/bin/env python3
"""Counts and lists pixels of xwd dumps of the game's window (32 bits a pixel). A crop reads
WIDTHxHEIGHT+X+Y in window pixels; several crops add up; none means the whole window.

  xwd_pixels.py diff [--exact] A.xwd B.xwd [CROP...]   pixels that differ: by more than 8 in any
                                                      channel, or (--exact) at all
  xwd_pixels.py lit A.xwd [CROP...]                   pixels that are not black
  xwd_pixels.py list A.xwd [CROP]                     one line a pixel, hex pad-red-green-blue

Standard library only.
"""
import re
import struct
import sys

TOLERANCE = 8  # channel steps a compressed or dithered picture may wander


class Picture:
    def __init__(self, path):
        data = open(path, 'rb').read()
        header = struct.unpack('>25I', data[:100])
        header_size, self.width, self.height = header[0], header[4], header[5]
        bits_per_pixel, self.line, colours = header[11], header[12], header[19]
        if bits_per_pixel != 32:
            raise SystemExit('only 32-bit xwd dumps are handled')
        self.pixels = data[header_size + colours * 12:]

    def rows(self, crops):
        """(row start, first column, end column) of every row piece the crops cover."""
        for x0, y0, w, h in crops or [(0, 0, self.width, self.height)]:
            xs, xe = max(x0, 0), min(x0 + w, self.width)
            for y in range(max(y0, 0), min(y0 + h, self.height)):
                yield y * self.line, xs, xe


def parse_crops(texts):
    crops = []
    for text in texts:
        m = re.fullmatch(r'(\d+)x(\d+)\+(\d+)\+(\d+)', text)
        if not m:
            raise SystemExit('crop must read WIDTHxHEIGHT+X+Y')
        w, h, x, y = (int(v) for v in m.groups())
        crops.append((x, y, w, h))
    return crops


def count_differing(a, b, crops, tolerance):
    if (a.width, a.height) != (b.width, b.height):
        return a.width * a.height  # a window of another size differs everywhere
    count = 0
    for start, xs, xe in a.rows(crops):
        pa, pb = a.pixels[start + xs * 4:start + xe * 4], b.pixels[start + xs * 4:start + xe * 4]
        if pa == pb:
            continue
        for p in range(0, len(pa), 4):
            if any(abs(pa[p + k] - pb[p + k]) > tolerance for k in range(3)):
                count += 1
    return count


def count_lit(a, crops):
    count = 0
    for start, xs, xe in a.rows(crops):
        row = a.pixels[start + xs * 4:start + xe * 4]
        count += sum(1 for p in range(0, len(row), 4) if row[p:p + 3] != b'\0\0\0')
    return count


def list_pixels(a, crops):
    out = []
    for start, xs, xe in a.rows(crops):
        for p in range(start + xs * 4, start + xe * 4, 4):
            blue, green, red, pad = a.pixels[p:p + 4]
            out.append('%02x%02x%02x%02x' % (pad, red, green, blue))
    print('\n'.join(out))


def main():
    args = sys.argv[1:]
    command = args.pop(0) if args else ''
    if command == 'diff':
        tolerance = 0 if args and args[0] == '--exact' else TOLERANCE
        args = args[1:] if tolerance == 0 else args
        print(count_differing(Picture(args[0]), Picture(args[1]), parse_crops(args[2:]), tolerance))
    elif command == 'lit':
        print(count_lit(Picture(args[0]), parse_crops(args[1:])))
    elif command == 'list':
        list_pixels(Picture(args[0]), parse_crops(args[1:]))
    else:
        raise SystemExit(__doc__)


if __name__ == '__main__':
    main()
