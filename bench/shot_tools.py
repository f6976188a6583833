#!/usr/bin/env python3
"""Screenshots for the whole-program benchmark, with nothing but the standard library.

  shot_tools.py png SHOT.xwd OUT.png     an xwd dump of a window (32 bits a pixel) as a PNG
  shot_tools.py diff A.png B.png [MASK]  how two screenshots of this tool differ: the share of
                                         pixels that differ by more than 8 in any channel, the
                                         largest difference, and with MASK a PNG marking them

Only the PNGs this tool writes are read back (8-bit RGB, no filtering).
"""
import struct
import sys
import zlib


def read_xwd(path):
    data = open(path, 'rb').read()
    header = struct.unpack('>25I', data[:100])
    header_size, width, height = header[0], header[4], header[5]
    byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
    colours = header[19]
    if bits_per_pixel != 32:
        raise SystemExit('only 32-bit xwd dumps are handled')
    start = header_size + colours * 12
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * 4]
        row = bytearray(width * 3)
        # Least significant byte first: blue, green, red, pad.
        b, g, r = (0, 1, 2) if byte_order == 0 else (3, 2, 1)
        row[0::3] = line[r::4]
        row[1::3] = line[g::4]
        row[2::3] = line[b::4]
        rows.append(bytes(row))
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, payload):
        body = kind + payload
        return struct.pack('>I', len(payload)) + body + struct.pack('>I', zlib.crc32(body))
    raw = b''.join(b'\0' + row for row in rows)
    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n')
        out.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b'IDAT', zlib.compress(raw, 6)))
        out.write(chunk(b'IEND', b''))


def read_png(path):
    data = open(path, 'rb').read()
    at, idat, width, height = 8, b'', 0, 0
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        payload = data[at + 8:at + 8 + length]
        if kind == b'IHDR':
            width, height = struct.unpack('>II', payload[:8])
        elif kind == b'IDAT':
            idat += payload
        at += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 3 + 1
    return width, height, [raw[y * stride + 1:(y + 1) * stride] for y in range(height)]


def diff(first, second, mask_path=None):
    wa, ha, a = read_png(first)
    wb, hb, b = read_png(second)
    if (wa, ha) != (wb, hb):
        print(f'sizes differ: {wa}x{ha} and {wb}x{hb}')
        return 1
    differing, largest, mask = 0, 0, []
    for row_a, row_b in zip(a, b):
        mask_row = bytearray(wa * 3)
        for x in range(wa):
            d = max(abs(row_a[3 * x + c] - row_b[3 * x + c]) for c in range(3))
            largest = max(largest, d)
            if d > 8:
                differing += 1
                mask_row[3 * x:3 * x + 3] = b'\xff\xff\xff'
        mask.append(bytes(mask_row))
    print(f'{100.0 * differing / (wa * ha):.3f} % of pixels differ by more than 8, '
          f'largest difference {largest}')
    if mask_path:
        write_png(mask_path, wa, ha, mask)
    return 0


def main(args):
    if len(args) >= 3 and args[0] == 'png':
        write_png(args[2], *read_xwd(args[1]))
        return 0
    if len(args) >= 3 and args[0] == 'diff':
        return diff(args[1], args[2], args[3] if len(args) > 3 else None)
    print(__doc__)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
