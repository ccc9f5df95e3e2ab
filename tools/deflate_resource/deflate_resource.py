#!/usr/bin/env python3
"""Writes a text file as one raw deflate stream (RFC 1951: no zlib or gzip header, no checksum),
the form of the program's "STRING" resources "HELP" and "WHATSNEW".

  deflate_resource.py help  help_texts.txt  help.deflate
  deflate_resource.py plain whats_new.txt   whats_new.deflate

The text is written in the Windows ANSI code page (1252) with CR LF line ends. In "help" mode
the input holds the 71 help texts, one per line (an empty line for a number without text); the
output gets the heading line and each text behind its number as three digits and a blank.
"""
import sys
import zlib

HELP_HEADING = "Brackwater for MBS Navision Help File"
HELP_COUNT = 71


def help_lines(lines):
    if len(lines) != HELP_COUNT:
        raise SystemExit(f"expected {HELP_COUNT} help texts, found {len(lines)}")
    return [HELP_HEADING] + [f"{n:03d} {text}" for n, text in enumerate(lines, start=1)]


def main(argv):
    if len(argv) != 4 or argv[1] not in ("help", "plain"):
        raise SystemExit(__doc__)
    mode, source, target = argv[1:]
    with open(source, encoding="utf-8", newline="") as f:
        lines = f.read().replace("\r\n", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if mode == "help":
        lines = help_lines(lines)
    data = "".join(line + "\r\n" for line in lines).encode("cp1252")
    packer = zlib.compressobj(9, zlib.DEFLATED, -zlib.MAX_WBITS)
    stream = packer.compress(data) + packer.flush()
    with open(target, "wb") as f:
        f.write(stream)


if __name__ == "__main__":
    main(sys.argv)
