#!/usr/bin/env python3
"""How many pixels differ between two xwd dumps of the same window (32 bits a pixel), by more
than 8 in any channel, within an optional crop given as WIDTHxHEIGHT+X+Y (window pixels).

  xwd_diff.py A.xwd B.xwd [CROP]   prints the count

Standard library only.
"""
import re
import struct
import sys


def read_xwd(path):
    data = open(path, 'rb').read()
    header = struct.unpack('>25I', data[:100])
    header_size, width, height = header[0], header[4], header[5]
    bits_per_pixel, bytes_per_line, colours = header[11], header[12], header[19]
    if bits_per_pixel != 32:
        raise SystemExit('only 32-bit xwd dumps are handled')
    start = header_size + colours * 12
    return width, height, bytes_per_line, data[start:]


def main():
    wa, ha, la, a = read_xwd(sys.argv[1])
    wb, hb, lb, b = read_xwd(sys.argv[2])
    if (wa, ha) != (wb, hb):
        print(wa * ha)  # a window of another size differs everywhere
        return
    x0, y0, w, h = 0, 0, wa, ha
    if len(sys.argv) > 3:
        m = re.fullmatch(r'(\d+)x(\d+)\+(\d+)\+(\d+)', sys.argv[3])
        if not m:
            raise SystemExit('crop must read WIDTHxHEIGHT+X+Y')
        w, h, x0, y0 = (int(v) for v in m.groups())
    count = 0
    for y in range(max(y0, 0), min(y0 + h, ha)):
        for x in range(max(x0, 0), min(x0 + w, wa)):
            pa, pb = y * la + x * 4, y * lb + x * 4
            if any(abs(a[pa + k] - b[pb + k]) > 8 for k in range(3)):
                count += 1
    print(count)


if __name__ == '__main__':
    main()
