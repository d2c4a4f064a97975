#!/usr/bin/env python3
"""Prints what a Windows shortcut starts, read from the .lnk file itself, as
TARGET|ARGUMENTS: lnk_target.py FILE.lnk"""
import struct
import sys

data = open(sys.argv[1], "rb").read()
flags = struct.unpack_from("<I", data, 0x14)[0]
pos = 0x4C  # after the fixed header
if flags & 0x01:  # the target's ID list, skipped: LinkInfo has its path
    pos += 2 + struct.unpack_from("<H", data, pos)[0]
target = ""
if flags & 0x02:  # LinkInfo, with the target's local path
    size, _, _, _, base = struct.unpack_from("<5I", data, pos)
    target = data[pos + base:].split(b"\0")[0].decode("cp1252")
    pos += size
width, codec = (2, "utf-16-le") if flags & 0x80 else (1, "cp1252")
strings = {}  # those present of: name, relative path, working folder, arguments, icon
for bit in 0x04, 0x08, 0x10, 0x20, 0x40:
    if flags & bit:
        count = struct.unpack_from("<H", data, pos)[0]
        # Wine counts the closing NUL too; Windows does not.
        strings[bit] = data[pos + 2:pos + 2 + count * width].decode(codec).rstrip("\0")
        pos += 2 + count * width
print(target + "|" + strings.get(0x20, ""))
