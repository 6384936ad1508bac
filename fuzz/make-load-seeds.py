#!/usr/bin/env python3
"""Writes the seed corpus of the .lhd loader: valid files and typical damage."""
import os
import struct
import zlib

out = os.path.join(os.path.dirname(__file__), "corpus", "load")

def text(s):
    b = s.encode()
    return struct.pack("<I", len(b)) + b

def category(rel, name, anchor, own, depth, flags, folder="", memo=""):
    return (bytes([2, rel]) + text(name) + text(folder) + struct.pack("<HHHB", anchor, own, depth, flags)
            + text(memo))

def stamp(y, mo, d, h, mi, s=0):
    return struct.pack("<HBBBBBB", y, mo, d, h, mi, s, 0)

def item(address, title, flags=1, location="", comment="", remind=(0, 0, 0, 0, 0), size=0):
    return (bytes([1]) + text(address) + text(location) + text(title) + bytes([3]) +
            struct.pack("<HI", 1, flags) + text(comment) + struct.pack("<II", size & 0xFFFFFFFF, size >> 32) +
            stamp(2026, 12, 6, 9, 30, 15) + stamp(*remind))

def file(body, version=1):
    return struct.pack("<BHBBI", version, 8, 1, 0, zlib.crc32(body)) + b"\0\0" + body

fixed = category(1, "Linkhaven", 0, 0, 0, 1) + category(0, "Webfavorite", 0, 1, 1, 0x11) + category(1, "Recycle", 1, 2, 1, 0x10, "C:\\Deleted")
rich = (fixed + item("http://example.com/", "Example") + category(0, "BBS", 1, 3, 2, 0x10)
        + item("https://a.example/x?y=1&z=2", "Ä title", comment="note")
        + item("", "file.txt", flags=4, location="/home/u", size=5 << 32)
        + item("", "Call", flags=6 | 0x20 | 0x40, remind=(0, 0, 0, 7, 30))
        + item("", "Once", flags=6, remind=(27, 1, 2, 3, 4))
        + category(1, "Joke", 3, 4, 2, 0x10) + category(0, "Life", 3, 5, 3, 0x10)
        + item("http://deep.example/", "deep"))
seeds = {
    "minimal.lhd": file(fixed),
    "rich.lhd": file(rich),
    "version6.lhd": file(rich, 6),
    "orphan.lhd": file(fixed + category(0, "orphan", 77, 3, 2, 0x10) + item("http://o/", "o")),
    "truncated.lhd": file(rich)[:-7],
    "badcrc.lhd": file(rich)[:5] + b"\0\0\0\0" + file(rich)[9:],
    "unknown-tag.lhd": file(fixed + b"\x07"),
}
os.makedirs(out, exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
