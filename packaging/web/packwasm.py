#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page's WebAssembly, which emscripten writes into its script as base64,
packed with LZMA instead, with the module that unpacks it (unpack.cpp) beside
it for unpack.js: after gzip the page is about 10 KB smaller than with the
module deflated, 40 KB smaller than as emscripten writes it. The packed text
goes into the page as data blocks of 8,192 characters: Chromium takes about
twice as long to parse it as one block of 120 KB.
    packwasm.py PAGE.html UNPACK.wasm        packs the page in place
    packwasm.py --pack IN OUT [LC LP PB]     a file's packed text (the tests')
"""
import base64
import lzma
import os
import re
import sys

# The glue's module, not its empty prefix of data URIs.
URI = re.compile(r'"data:application/octet-stream;base64,([A-Za-z0-9+/=]+)"')
PACKED = "@PACKED_WASM@"
UNPACK = "@UNPACK_WASM@"
BLOCK = 8192


def pack(data, lc=3, lp=0, pb=0):
    """A props byte, the size (32 bits, little endian), the raw LZMA stream;
    base64. lc 3, lp 0, pb 0 pack this module best (0.2 % under xz's own)."""
    stream = lzma.compress(data, format=lzma.FORMAT_RAW, filters=[{
        "id": lzma.FILTER_LZMA1, "preset": 9 | lzma.PRESET_EXTREME,
        "dict_size": max(len(data), 4096), "lc": lc, "lp": lp, "pb": pb}])
    header = bytes([(pb * 5 + lp) * 9 + lc]) + len(data).to_bytes(4, "little")
    return base64.b64encode(header + stream).decode("ascii")


def blocks(text):
    """The text in data blocks, which the browser neither runs nor shows."""
    return "".join(f'<script type="application/octet-stream">{text[i:i + BLOCK]}</script>'
                   for i in range(0, len(text), BLOCK))


def pack_page(path, unpack_path):
    with open(path, encoding="utf-8") as f:
        page = f.read()
    with open(unpack_path, "rb") as f:
        unpack = f.read()
    modules = URI.findall(page)
    if len(modules) != 1 or page.count(PACKED) != 1 or page.count(UNPACK) != 1:
        sys.exit(f"{path}: not one WebAssembly data URI, one {PACKED} and one {UNPACK}")
    wasm = base64.b64decode(modules[0], validate=True)
    if wasm[:4] != b"\0asm" or unpack[:4] != b"\0asm":
        sys.exit(f"{path}: its data URI or {unpack_path} holds no WebAssembly")
    # The glue keeps its name of the module, now empty: unpack.js instantiates it.
    page = URI.sub('""', page).replace(PACKED, blocks(pack(wasm)))
    page = page.replace(UNPACK, base64.b64encode(unpack).decode("ascii"))
    with open(path + ".tmp", "w", encoding="utf-8") as f:
        f.write(page)
    os.replace(path + ".tmp", path)


def main(args):
    if len(args) in (3, 6) and args[0] == "--pack":
        with open(args[1], "rb") as f:
            data = f.read()
        with open(args[2], "w", encoding="ascii") as f:
            f.write(pack(data, *map(int, args[3:])))
    elif len(args) == 2 and not args[0].startswith("-"):
        pack_page(*args)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
