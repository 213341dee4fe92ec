#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Regenerate the program icon and the multi-item drag cursor (PNG for Qt, CUR for Windows).

Edit the pictures below (one character per pixel) and run
    python3 resources/tools/draw_assets.py
The output is byte-for-byte reproducible.
"""

import struct
import zlib
from pathlib import Path

RESOURCES = Path(__file__).resolve().parent.parent

# Program icon: 32 x 32, standard 16-colour palette. '.' is transparent.
ICON_LEGEND = {
    "K": 0,  # black
    "r": 1,  # dark red
    "g": 2,  # dark green
    "y": 3,  # dark yellow
    "b": 4,  # dark blue
    "m": 5,  # dark magenta
    "c": 6,  # dark cyan
    "L": 7,  # light grey
    "D": 8,  # dark grey
    "R": 9,  # red
    "G": 10,  # green
    "Y": 11,  # yellow
    "B": 12,  # blue
    "M": 13,  # magenta
    "C": 14,  # cyan
    "W": 15,  # white
}

# Palette entries as (red, green, blue), in index order.
PALETTE = [
    (0x00, 0x00, 0x00),
    (0x80, 0x00, 0x00),
    (0x00, 0x80, 0x00),
    (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80),
    (0x80, 0x00, 0x80),
    (0x00, 0x80, 0x80),
    (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80),
    (0xFF, 0x00, 0x00),
    (0x00, 0xFF, 0x00),
    (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF),
    (0xFF, 0x00, 0xFF),
    (0x00, 0xFF, 0xFF),
    (0xFF, 0xFF, 0xFF),
]

ICON = """
................................
................................
..........KK....................
..........KDK...................
..........KDDK..................
.......RR.KDDDKKKKKKKKKKKKKK....
....RRRYYRKDLWWWWWWWWWWWWRRRK...
.RRRYYYWWYKDLLLLLLLLLLLLLRRRRRK.
....RRRYYRKDDDDDDDDDDDDDDRRRK...
.......RR.KDDDKKKKKKKKKKKKKK....
..........KDDK..................
..........KDK...................
..........KK....................
................KKKK............
................KLDK............
.KKKKK..........KDDK.....KKKKKK.
.KLLDKKKKKKKKKKKKKKKKKKKKKLLLDK.
.KLLDKGGGGGGGGGGGGGGGGGGGKLLLDK.
.KLLDKgggggggggggggggggggKLLLDK.
.KLLDKgggggggggggggggggggKLLLDK.
.KLLDKgggggggggggggggggggKLLLDK.
.KLLDKKKKKKKKKKKKKKKKKKKKKLLLDK.
.KKKKK...KLDK.K..K..KLDK.KKKKKK.
.........KLDK.K..K..KLDK........
........KLDKKKKKKK..KLDK........
........KLDK........KLDK........
.......KLDK.........KLDK........
.......KLDK.........KKKK........
.......KKKK.....................
................................
................................
................................
"""

# Drag cursor: 32 x 32, hot spot at the arrow tip. '.' is transparent.
CURSOR_HOT_SPOT = (0, 0)
CURSOR_LEGEND = {
    ".": (0, 0, 0, 0),
    "K": (0, 0, 0, 255),
    "W": (255, 255, 255, 255),
}

CURSOR = """
K...............................
KK..............................
KWK.............................
KWWK............................
KWWWK...........................
KWWWWK..........................
KWWWWWK.........................
KWWWWWWK........................
KWWWWWWWK.......................
KWWWWWWWWK......................
KWWWWWWWWWK.....................
KWWWWWWKKKKK....................
KWWWKWWK........................
KWWK.KWWK.......................
KWK..KWWK.......................
KK....KWWK......................
K.....KWWK...KKKKKKKKKK.........
.......KWWK..KWWWWWWWWK.........
.......KWWK..KWKKKKKKKKKK.......
........KK...KWKWWWWWWWWK.......
.............KWKWKKKKKKKKKK.....
.............KWKWKWWWWWWWWK.....
.............KWKWKWWWWWWWWK.....
.............KWKWKWWWWWWWWK.....
.............KWKWKWWWWWWWWK.....
.............KWKWKWWWWWWWWK.....
.............KWKWKWWWWWWWWK.....
.............KKKWKWWWWWWWWK.....
...............KKKWWWWWWWWK.....
.................KWWWWWWWWK.....
.................KWWWWWWWWK.....
.................KKKKKKKKKK.....
"""


def grid(text, legend, allow_transparent):
    rows = text.strip("\n").split("\n")
    if len(rows) != 32 or any(len(row) != 32 for row in rows):
        raise ValueError("picture must be 32 x 32 characters")
    for row in rows:
        for ch in row:
            if ch not in legend and not (allow_transparent and ch == "."):
                raise ValueError(f"unknown pixel character {ch!r}")
    return rows


def icon_bytes():
    rows = grid(ICON, ICON_LEGEND, True)
    colour = bytearray()
    mask = bytearray()
    # Icon bitmaps are stored bottom row first.
    for row in reversed(rows):
        indices = [0 if ch == "." else ICON_LEGEND[ch] for ch in row]
        for x in range(0, 32, 2):
            colour.append(indices[x] << 4 | indices[x + 1])
        bits = 0
        for ch in row:
            bits = bits << 1 | (ch == ".")
        mask += struct.pack(">I", bits)
    palette = b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(colour), 0, 0, 0, 0)
    image = info + palette + bytes(colour) + bytes(mask)
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 0, 0, len(image), 6 + 16)
    return header + entry + image


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def cursor_bytes():
    rows = grid(CURSOR, CURSOR_LEGEND, False)
    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter
        for ch in row:
            raw += bytes(CURSOR_LEGEND[ch])
    ihdr = struct.pack(">IIBBBBB", 32, 32, 8, 6, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + png_chunk(b"IHDR", ihdr)
        + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9))
        + png_chunk(b"IEND", b"")
    )


def windows_cursor_bytes():
    # Monochrome, so that every Windows version and Wine draw the same black and white pixels as
    # the PNG: the AND mask keeps the screen where it is set, the XOR bitmap paints white.
    rows = grid(CURSOR, CURSOR_LEGEND, False)
    for row in rows:
        for ch in row:
            if CURSOR_LEGEND[ch] not in ((0, 0, 0, 0), (0, 0, 0, 255), (255, 255, 255, 255)):
                raise ValueError(f"the Windows cursor has no colour for {ch!r}")
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        white = transparent = 0
        for ch in row:
            red, _, _, alpha = CURSOR_LEGEND[ch]
            white = white << 1 | (alpha == 255 and red == 255)
            transparent = transparent << 1 | (alpha == 0)
        xor += struct.pack(">I", white)
        mask += struct.pack(">I", transparent)
    palette = struct.pack("<8B", 0, 0, 0, 0, 255, 255, 255, 0)
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    image = info + palette + bytes(xor) + bytes(mask)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, *CURSOR_HOT_SPOT, len(image), 6 + 16)
    return header + entry + image


def main():
    (RESOURCES / "VormoWep.ico").write_bytes(icon_bytes())
    (RESOURCES / "DragMultiCursor.png").write_bytes(cursor_bytes())
    (RESOURCES / "DragMultiCursor.cur").write_bytes(windows_cursor_bytes())


if __name__ == "__main__":
    main()
