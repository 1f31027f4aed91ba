#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Liberation Serif cut to the window's characters, TeX Gyre Termes Math to
the formulas' and sketch's, as @font-face rules with the woff2 data inline: the
page needs no font of the visitor's and fetches nothing.
    embedfonts.py OUT.css REGULAR.ttf BOLD.ttf MATH.otf
"""
import base64
import io
import sys

from fontTools import subset

# Basic Latin, Bulgarian Cyrillic (А to я, Ѝ and ѝ; not the other languages'
# letters, 2 KB the page can spare), the spaces and minus a number may hold,
# the dashes and the middle dot of the names and short captions.
UNICODES = list(range(0x20, 0x7F)) + list(range(0x410, 0x450)) + [0x40D, 0x45D] + [
    0xA0, 0x2212, 0x202F, 0x2028, 0x2029, 0x2014, 0xB7]

# The formulas: digits, number signs, "min", operators, brackets, the radical,
# and the letters and π in mathematical italic (R H S V o p r s π, and a
# task's h d l B C P Q ρ), powers as a task's equations write them (³ ⁴);
# their stretched forms and the MATH table come with them.
MATH_UNICODES = [ord(c) for c in "0123456789.,E+\u2212=\u21d2\u00b7()[];<>\u2248\u221amin\u00b3\u2074"] + [
    0x1D445, 0x1D43B, 0x1D446, 0x1D449, 0x1D45C, 0x1D45D, 0x1D45F, 0x1D460, 0x1D70B,
    0x210E, 0x1D451, 0x1D459, 0x1D435, 0x1D436, 0x1D443, 0x1D444, 0x1D70C]


def woff2(path, unicodes, math=False):
    # A cut-down font must not carry the original's name (Liberation reserves
    # it, TeX Gyre's licence asks it): copyright and licence entries only.
    options = subset.Options(flavor="woff2", hinting=False, desubroutinize=True, name_IDs=[0, 13, 14])
    options.drop_tables += ["FFTM"]  # FontForge's time stamps: nothing to show
    if math:
        options.layout_features = ["ssty"]  # the smaller digits of exponents
    font = subset.load_font(path, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=unicodes)
    subsetter.subset(font)
    out = io.BytesIO()
    subset.save_font(font, out, options)
    return out.getvalue()


def rule(family, weight, data):
    return ('@font-face{font-family:"%s";font-weight:%d;'
            'src:url(data:font/woff2;base64,%s) format("woff2")}'
            % (family, weight, base64.b64encode(data).decode("ascii")))


def main(out, regular, bold, math):
    rules = [rule("Cylinder Serif", 400, woff2(regular, UNICODES)),
             rule("Cylinder Serif", 700, woff2(bold, UNICODES)),
             rule("Cylinder Math", 400, woff2(math, MATH_UNICODES, math=True))]
    with open(out, "w", encoding="ascii") as f:
        f.write("\n".join(rules) + "\n")


if __name__ == "__main__":
    main(*sys.argv[1:])
