#!/usr/bin/env python3
"""Draws the program's icons: the main icon and the tray animation frames
ICON0 to ICON15 (a clock face whose hand goes round in sixteen steps), at the
sizes trays and window lists ask for, and writes the resource list.

Each size is drawn on its own pixel grid (not scaled from a large picture),
with 8 x 8 samples per pixel, so the small sizes stay crisp.
Run it from anywhere: python3 src/resources/make_icons.py
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ICON_DIR = os.path.join(HERE, "icons")
FRAME_SIZES = (16, 22, 24, 32, 48)
MAIN_SIZES = (16, 22, 24, 32, 48, 64, 128)
SAMPLES = 8

FACE = (0xFD, 0xF6, 0xE3)
RIM = (0x1C, 0x4F, 0x82)
TICK = (0x1C, 0x4F, 0x82)
HAND = (0xE0, 0x4A, 0x0A)
TRAIL = (0xF6, 0xB2, 0x7A)


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def capsule(x0, y0, x1, y1, half):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / length2 if length2 else 0.0
        t = max(0.0, min(1.0, t))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= half * half

    return inside


def sector(cx, cy, r, end_angle):
    """The pie from twelve o'clock clockwise to end_angle (radians)."""

    def inside(x, y):
        dx, dy = x - cx, y - cy
        if dx * dx + dy * dy > r * r:
            return False
        angle = math.atan2(dx, -dy) % (2 * math.pi)
        return angle <= end_angle

    return inside


def render(size, layers):
    """layers: (colour, shape) painted in order; returns RGBA rows."""
    pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    step = 1.0 / SAMPLES
    offsets = [(i + 0.5) * step for i in range(SAMPLES)]
    for y in range(size):
        for x in range(size):
            r = g = b = a = 0.0
            for colour, shape in layers:
                hits = 0
                for oy in offsets:
                    for ox in offsets:
                        if shape(x + ox, y + oy):
                            hits += 1
                if not hits:
                    continue
                cover = hits / (SAMPLES * SAMPLES)
                # "over" compositing in premultiplied form
                r = colour[0] * cover + r * (1 - cover)
                g = colour[1] * cover + g * (1 - cover)
                b = colour[2] * cover + b * (1 - cover)
                a = cover + a * (1 - cover)
            pixels[y][x] = (r, g, b, a)
    rows = []
    for row in pixels:
        out = bytearray()
        for r, g, b, a in row:
            if a > 0:
                out += bytes((round(r / a), round(g / a), round(b / a), round(a * 255)))
            else:
                out += bytes((0, 0, 0, 0))
        rows.append(bytes(out))
    return rows


def write_png(path, size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + row for row in rows)
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def face_layers(size):
    c = size / 2.0
    outer = size / 2.0 - 0.25
    rim = max(1.25, size * 0.085)
    layers = [(RIM, circle(c, c, outer)), (FACE, circle(c, c, outer - rim))]
    inner = outer - rim
    # Hour marks at 12, 3, 6 and 9; the others from 32 pixels on.
    for hour in range(12):
        major = hour % 3 == 0
        if not major and size < 32:
            continue
        angle = hour * math.pi / 6
        sx, sy = math.sin(angle), -math.cos(angle)
        length = inner * (0.22 if major else 0.12)
        half = max(0.5, size * (0.035 if major else 0.022))
        r0, r1 = inner - length, inner - 0.4
        layers.append((TICK, capsule(c + sx * r0, c + sy * r0, c + sx * r1, c + sy * r1, half)))
    return layers, c, inner


def hand(c, length, angle, half, colour):
    return (colour, capsule(c, c, c + math.sin(angle) * length, c - math.cos(angle) * length, half))


def frame_icon(size, frame):
    layers, c, inner = face_layers(size)
    angle = frame * 2 * math.pi / 16
    if frame:
        layers.insert(2, (TRAIL, sector(c, c, inner * 0.80, angle)))
    layers.append(hand(c, inner * 0.80, angle, max(0.75, size * 0.055), HAND))
    layers.append((RIM, circle(c, c, max(1.0, size * 0.07))))
    return layers


def main_icon(size):
    layers, c, inner = face_layers(size)
    half = max(0.8, size * 0.05)
    layers.append(hand(c, inner * 0.52, 10 * math.pi / 6 + math.pi / 36, half * 1.15, RIM))
    layers.append(hand(c, inner * 0.80, 2 * math.pi / 6 - math.pi / 36, half, RIM))
    layers.append(hand(c, inner * 0.86, 7 * math.pi / 6, max(0.5, size * 0.025), HAND))
    layers.append((HAND, circle(c, c, max(1.0, size * 0.06))))
    return layers


def main():
    os.makedirs(ICON_DIR, exist_ok=True)
    files = []
    for size in MAIN_SIZES:
        name = "MAINICON-%d.png" % size
        write_png(os.path.join(ICON_DIR, name), size, render(size, main_icon(size)))
        files.append(name)
    for frame in range(16):
        for size in FRAME_SIZES:
            name = "ICON%d-%d.png" % (frame, size)
            write_png(os.path.join(ICON_DIR, name), size, render(size, frame_icon(size, frame)))
            files.append(name)
    with open(os.path.join(HERE, "icons.qrc"), "w", encoding="utf-8") as qrc:
        qrc.write("<!DOCTYPE RCC>\n<!-- Written by make_icons.py. -->\n<RCC version=\"1.0\">\n")
        qrc.write("  <qresource prefix=\"/icons\">\n")
        for name in files:
            qrc.write("    <file alias=\"%s\">icons/%s</file>\n" % (name, name))
        qrc.write("  </qresource>\n</RCC>\n")


if __name__ == "__main__":
    main()
