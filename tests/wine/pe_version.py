#!/usr/bin/env python3
"""Prints values of a Windows program's version resource, joined by "|" (an absent one is empty).

Usage: tests/wine/pe_version.py FILE KEY...   (keys of its first string table: CompanyName, ...)
Exits 1 when the file has no version resource.
"""
import struct
import sys

RT_VERSION = 16


def version_block(data):
    """The bytes of the first RT_VERSION resource, or None."""
    header = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", data, header + 6)
    optional = header + 24
    directories = optional + (112 if struct.unpack_from("<H", data, optional)[0] == 0x20B else 96)
    resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = optional + optional_size
    spans = [(rva, size, raw) for _, rva, size, raw in
             (struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections))]

    def offset(rva):
        for start, size, raw in spans:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f"address {rva:#x} lies in no section")

    base = offset(resource_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<12xHH", data, base + directory)
        for i in range(named + numbered):
            yield struct.unpack_from("<II", data, base + directory + 16 + 8 * i)

    level = 0
    for name, target in entries(0):  # types
        if name == RT_VERSION:
            level = target
            break
    else:
        return None
    for _ in range(2):  # the first name, then its first language
        if not level & 0x80000000:
            return None
        level = next(entries(level & 0x7FFFFFFF))[1]
    rva, size = struct.unpack_from("<II", data, base + level)
    start = offset(rva)
    return data[start:start + size]


def node(block, pos):
    """(key, text, children) of the version node at pos, and where it ends."""
    length, value_length, kind = struct.unpack_from("<HHH", block, pos)
    end = pos + length
    key_end = pos + 6
    while block[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = block[pos + 6:key_end].decode("utf-16-le")
    at = (key_end + 2 + 3) & ~3
    text = None
    if kind == 1 and value_length:
        text_end = at
        while text_end < end and block[text_end:text_end + 2] != b"\0\0":
            text_end += 2
        text = block[at:text_end].decode("utf-16-le")
        at = text_end + 2
    else:
        at += value_length
    children = []
    at = (at + 3) & ~3
    while at < end:
        child, child_end = node(block, at)
        children.append(child)
        at = (child_end + 3) & ~3
    return (key, text, children), end


def strings(path):
    with open(path, "rb") as stream:
        block = version_block(stream.read())
    if block is None:
        return None
    (_, _, children), _ = node(block, 0)
    for key, _, tables in children:
        if key == "StringFileInfo" and tables:
            return {name: text or "" for name, text, _ in tables[0][2]}
    return {}


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__.strip().splitlines()[-2])
    found = strings(sys.argv[1])
    if found is None:
        sys.exit(f"{sys.argv[1]}: no version resource")
    print("|".join(found.get(key, "") for key in sys.argv[2:]))
