"""Writes the pictures the resource scripts draw: 24-bit bitmaps (tool bars, image strips)
and 32-bit icons or cursors with a transparency mask. A picture is a list of rows, top row
first, of (r, g, b) tuples; None is a transparent pixel (icons and cursors only)."""

import struct


def write_bmp(path, pixels):
    """A bottom-up 24-bit bitmap file."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) // 4 * 4
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as out:
        out.write(header + info + data)


def icon_image(pixels):
    """One square image of an icon file: the 32-bit colours with alpha, then the mask."""
    n = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, n, n * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes((px[2], px[1], px[0], 255)) if px else b'\0\0\0\0'
                      for row in reversed(pixels) for px in row)
    stride = ((n + 31) // 32) * 4
    mask = b''
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, px in enumerate(row):
            if px is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def write_icon(path, pictures, cursor_hotspot=None):
    """An icon file (or a cursor file with the hot spot given) of square pictures, largest
    first as the system likes them."""
    images = [icon_image(p) for p in pictures]
    kind = 2 if cursor_hotspot else 1
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for pixels, data in zip(pictures, images):
        size = len(pixels)
        a, b = cursor_hotspot if cursor_hotspot else (1, 32)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, a, b, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))
