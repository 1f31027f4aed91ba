#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Subsets Liberation Serif to the characters the window shows and writes
them as @font-face rules with the woff2 data inline, so the page needs no
font of the visitor's and fetches nothing.

    embedfonts.py OUT.css REGULAR.ttf BOLD.ttf
"""
import base64
import io
import sys

from fontTools import subset

# Basic Latin, Bulgarian Cyrillic, the spaces and minus a number may hold, the
# dashes and the middle dot of the names and short captions.
UNICODES = list(range(0x20, 0x7F)) + list(range(0x400, 0x460)) + [0xA0, 0x2212, 0x202F, 0x2028, 0x2029, 0x2014, 0xB7]


def woff2(path):
    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False
    options.desubroutinize = True
    options.drop_tables += ["FFTM"]  # FontForge's time stamps: nothing to show
    # A cut-down font may not carry the reserved name "Liberation": keep the
    # copyright and licence entries only (the page names it "Cylinder Serif").
    options.name_IDs = [0, 13, 14]
    font = subset.load_font(path, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=UNICODES)
    subsetter.subset(font)
    out = io.BytesIO()
    subset.save_font(font, out, options)
    return out.getvalue()


def main(out, regular, bold):
    rules = []
    for path, weight in ((regular, 400), (bold, 700)):
        data = base64.b64encode(woff2(path)).decode("ascii")
        rules.append('@font-face{font-family:"Cylinder Serif";font-weight:%d;'
                     'src:url(data:font/woff2;base64,%s) format("woff2")}' % (weight, data))
    with open(out, "w", encoding="ascii") as f:
        f.write("\n".join(rules) + "\n")


if __name__ == "__main__":
    main(*sys.argv[1:])
