#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the stroked vector font data/iso.fnt and the glyph overrides of the
language files (tools/lang/<language>/20-oglfont.ini).

Source and licence: the Hershey simplex Roman glyphs, file rowmans.jhf of the
Debian package hershey-fonts-data (/usr/share/hershey-fonts/). The Hershey
Fonts were originally created by Dr. A. V. Hershey while working at the U. S.
National Bureau of Standards; the format of the font data was originally
created by James Hurt, Cognition, Inc. Their licence allows any use provided
that this acknowledgement is distributed with the font data: it ships as
data/HERSHEY-FONTS.txt.

Getting the source: `apt-get install hershey-fonts-data`; when the file is not
installed, this script fetches the package with `apt-get download` into a
temporary folder and unpacks it there (`dpkg-deb --fsys-tarfile`).

Output format, one glyph a line, "code=definition": the definition lists
numbers in pairs x, v. x runs right from the glyph's origin, v down from the
top of a 32-unit box; a pair with a negative x starts a stroke at (|x|, v),
a positive one continues it. The Hershey body runs from y = -16 to +16 (y
downward), so v = y + 16 maps it one to one onto the box; capitals stand from
v = 4 to the baseline at v = 25, the x-height is v = 11. Every glyph is moved
right by its left bound plus one unit, so no stroke starts at x = 0.

iso.fnt holds the printable ASCII codes 32 to 126. The letters with diacritics
of Windows-1250 are composed here from a base glyph and accent strokes of our
own (Hershey's simplex Roman has none): the Czech, German, Polish, Slovak,
Hungarian, Slovenian and Croatian language files carry every letter of the
code page, the English one the Western European letters that English texts
may borrow (café, façade, rôle). Accents over capitals and ascenders sit in
the four units above the cap line (v 0 to 3), over lower-case letters between
v 6 and 9. The German sharp s and the degree sign, which Hershey's simplex
Roman lacks too, are drawn here stroke by stroke; every file carries them.

Usage: tools/make_font.py [--jhf PATH]
"""
import argparse
import pathlib
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
INSTALLED_JHF = pathlib.Path("/usr/share/hershey-fonts/rowmans.jhf")
PACKAGE = "hershey-fonts-data"

CAP_TOP = 4        # v of the cap line (and of the ascenders)
X_HEIGHT = 11      # v of the top of the lower-case letters
BASELINE = 25      # v of the baseline
UPPER_BAND = 0     # top v of an accent over a capital or an ascender
LOWER_BAND = 6     # top v of an accent over a lower-case letter
# The language files beside the Czech one that carry every letter of the code page.
EVERY_LETTER = ("german", "polish", "slovak", "hungarian", "slovenian", "croatian")
PROFILE_VALUE_LIMIT = 254  # a per-code key is read with a 255-character buffer


# ---------------------------------------------------------------------------
# Reading the Hershey glyphs

def find_jhf(explicit):
    if explicit:
        return pathlib.Path(explicit)
    if INSTALLED_JHF.exists():
        return INSTALLED_JHF
    work = pathlib.Path(tempfile.mkdtemp(prefix="hershey-"))
    subprocess.run(["apt-get", "download", PACKAGE], cwd=work, check=True)
    deb = next(work.glob(PACKAGE + "_*.deb"))
    tar = subprocess.run(["dpkg-deb", "--fsys-tarfile", str(deb)], check=True,
                         stdout=subprocess.PIPE).stdout
    subprocess.run(["tar", "-x", "-C", str(work)], input=tar, check=True)
    return work / INSTALLED_JHF.relative_to("/")


def read_jhf(path):
    """The glyphs of a .jhf file in file order: (left, right, strokes), with
    strokes as lists of (x, y) in Hershey units (y downward)."""
    glyphs = []
    text = path.read_text(encoding="ascii").split("\n")
    i = 0
    while i < len(text):
        line = text[i]
        i += 1
        if not line.strip():
            continue
        count = int(line[5:8])
        data = line[8:]
        # Long glyphs may continue on the following lines.
        while len(data) < 2 * count and i < len(text):
            data += text[i]
            i += 1
        if len(data) != 2 * count:
            raise SystemExit(f"{path}: glyph {line[:5].strip()} has {len(data)} "
                             f"characters of data, expected {2 * count}")
        left, right = ord(data[0]) - 82, ord(data[1]) - 82
        strokes, stroke = [], []
        for k in range(2, len(data), 2):
            pair = data[k:k + 2]
            if pair == " R":
                if stroke:
                    strokes.append(stroke)
                stroke = []
            else:
                stroke.append((ord(pair[0]) - 82, ord(pair[1]) - 82))
        if stroke:
            strokes.append(stroke)
        glyphs.append((left, right, strokes))
    return glyphs


def to_box(left, strokes):
    """Hershey strokes in font units: x moved by left bound + 1, v = y + 16."""
    return [[(x - left + 1, y + 16) for x, y in s] for s in strokes]


# ---------------------------------------------------------------------------
# Glyph geometry in font units

def points(strokes):
    return [p for s in strokes for p in s]


def centre_x(strokes, top=None, bottom=None):
    """Middle of the ink between rows top and bottom (all rows by default)."""
    xs = [x for x, v in points(strokes)
          if (top is None or v >= top) and (bottom is None or v <= bottom)]
    return round((min(xs) + max(xs)) / 2)


def lowest_points(strokes):
    """The points of the glyph's lowest row on or above the baseline."""
    rows = [v for _, v in points(strokes) if v <= BASELINE]
    low = max(rows)
    return sorted(x for x, v in points(strokes) if v == low)


def stem_x(strokes, top_v):
    """x of the vertical stroke that reaches up to row top_v."""
    for s in strokes:
        for (x1, v1), (x2, v2) in zip(s, s[1:]):
            if x1 == x2 and min(v1, v2) == top_v:
                return x1
    raise SystemExit("no stem reaches row %d" % top_v)


def without_dot(strokes):
    """The dotless i: every stroke that lies wholly above the x-height goes."""
    return [s for s in strokes if max(v for _, v in s) >= X_HEIGHT]


# ---------------------------------------------------------------------------
# Accent strokes: each returns a list of strokes placed about column cx with
# its top at row t (three units tall), or hanging from a point of the glyph.

def acute(cx, t):
    return [[(cx + 2, t), (cx - 1, t + 3)]]


def caron(cx, t):
    return [[(cx - 3, t), (cx, t + 3), (cx + 3, t)]]


def circumflex(cx, t):
    return [[(cx - 3, t + 3), (cx, t), (cx + 3, t + 3)]]


def breve(cx, t):
    return [[(cx - 3, t), (cx - 2, t + 2), (cx, t + 3), (cx + 2, t + 2), (cx + 3, t)]]


def ring(cx, t):
    return [[(cx - 1, t), (cx + 1, t), (cx + 2, t + 1), (cx + 2, t + 2), (cx + 1, t + 3),
             (cx - 1, t + 3), (cx - 2, t + 2), (cx - 2, t + 1), (cx - 1, t)]]


def dot_at(x, v):
    """A small diamond, as Hershey draws the dot of the i."""
    return [(x - 1, v), (x, v - 1), (x + 1, v), (x, v + 1), (x - 1, v)]


def diaeresis(cx, t):
    return [dot_at(cx - 3, t + 2), dot_at(cx + 3, t + 2)]


def dot_above(cx, t):
    return [dot_at(cx, t + 2)]


def double_acute(cx, t):
    return [[(cx, t), (cx - 2, t + 3)], [(cx + 4, t), (cx + 2, t + 3)]]


def cedilla(cx, _t):
    b = BASELINE
    return [[(cx, b), (cx, b + 2), (cx + 2, b + 3), (cx + 2, b + 4), (cx, b + 5), (cx - 2, b + 5)]]


def ogonek(x, _t):
    b = BASELINE
    return [[(x, b), (x - 2, b + 2), (x - 2, b + 4), (x - 1, b + 5), (x + 1, b + 5)]]


def apostrophe(x, t):
    """The caron of d, t, l and L: a short tick right of the stem's top."""
    return [[(x + 3, t), (x + 3, t + 1), (x + 2, t + 3)]]


def bar(x1, x2, v):
    return [[(x1, v), (x2, v)]]


# ---------------------------------------------------------------------------
# Composition

ABOVE = {"acute": acute, "caron": caron, "circumflex": circumflex, "breve": breve,
         "ring": ring, "diaeresis": diaeresis, "dot": dot_above, "double acute": double_acute}

# Windows-1250 code -> (base letter, mark). "Central" letters go to the Czech
# file, "Western" ones (the same code in Windows-1252) to both.
WESTERN = {
    0xC1: ("A", "acute"), 0xC2: ("A", "circumflex"), 0xC4: ("A", "diaeresis"),
    0xC7: ("C", "cedilla"), 0xC9: ("E", "acute"), 0xCB: ("E", "diaeresis"),
    0xCD: ("I", "acute"), 0xCE: ("I", "circumflex"), 0xD3: ("O", "acute"),
    0xD4: ("O", "circumflex"), 0xD6: ("O", "diaeresis"), 0xDA: ("U", "acute"),
    0xDC: ("U", "diaeresis"), 0xDD: ("Y", "acute"),
    0xE1: ("a", "acute"), 0xE2: ("a", "circumflex"), 0xE4: ("a", "diaeresis"),
    0xE7: ("c", "cedilla"), 0xE9: ("e", "acute"), 0xEB: ("e", "diaeresis"),
    0xED: ("i", "acute"), 0xEE: ("i", "circumflex"), 0xF3: ("o", "acute"),
    0xF4: ("o", "circumflex"), 0xF6: ("o", "diaeresis"), 0xFA: ("u", "acute"),
    0xFC: ("u", "diaeresis"), 0xFD: ("y", "acute"),
}
# Glyphs without a base letter, drawn in font units (x right, v down): the
# sharp s as a stem rising into two bowls, the right one the larger, and the
# degree sign as a ring at the cap line.
DRAWN = {
    0xDF: [[(5, BASELINE), (5, 9), (6, 6), (8, CAP_TOP), (11, CAP_TOP), (13, 5), (14, 7), (14, 9),
            (13, 11), (11, 12), (9, 12)],
           [(11, 12), (14, 13), (16, 15), (17, 18), (16, 22), (14, 24), (12, BASELINE), (9, BASELINE),
            (7, 24)]],
    0xB0: [[(3, CAP_TOP), (5, CAP_TOP), (6, 5), (6, 7), (5, 8), (3, 8), (2, 7), (2, 5), (3, CAP_TOP)]],
}
CENTRAL = {
    0x8A: ("S", "caron"), 0x8C: ("S", "acute"), 0x8D: ("T", "caron"), 0x8E: ("Z", "caron"),
    0x8F: ("Z", "acute"), 0x9A: ("s", "caron"), 0x9C: ("s", "acute"), 0x9D: ("t", "apostrophe"),
    0x9E: ("z", "caron"), 0x9F: ("z", "acute"), 0xA3: ("L", "stroke"), 0xA5: ("A", "ogonek"),
    0xAA: ("S", "cedilla"), 0xAF: ("Z", "dot"), 0xB3: ("l", "stroke"), 0xB9: ("a", "ogonek"),
    0xBA: ("s", "cedilla"), 0xBC: ("L", "apostrophe"), 0xBE: ("l", "apostrophe"),
    0xBF: ("z", "dot"), 0xC0: ("R", "acute"), 0xC3: ("A", "breve"), 0xC5: ("L", "acute"),
    0xC6: ("C", "acute"), 0xC8: ("C", "caron"), 0xCA: ("E", "ogonek"), 0xCC: ("E", "caron"),
    0xCF: ("D", "caron"), 0xD0: ("D", "stroke"), 0xD1: ("N", "acute"), 0xD2: ("N", "caron"),
    0xD5: ("O", "double acute"), 0xD8: ("R", "caron"), 0xD9: ("U", "ring"),
    0xDB: ("U", "double acute"), 0xDE: ("T", "cedilla"), 0xE0: ("r", "acute"),
    0xE3: ("a", "breve"), 0xE5: ("l", "acute"), 0xE6: ("c", "acute"), 0xE8: ("c", "caron"),
    0xEA: ("e", "ogonek"), 0xEC: ("e", "caron"), 0xEF: ("d", "apostrophe"),
    0xF0: ("d", "stroke"), 0xF1: ("n", "acute"), 0xF2: ("n", "caron"),
    0xF5: ("o", "double acute"), 0xF8: ("r", "caron"), 0xF9: ("u", "ring"),
    0xFB: ("u", "double acute"), 0xFE: ("t", "cedilla"),
}


def has_ascender(letter):
    return letter in "bdfhklt"


def accent_strokes(letter, mark, strokes):
    upper = letter.isupper() or has_ascender(letter)
    band = UPPER_BAND if upper else LOWER_BAND
    if mark in ABOVE:
        # Over the x-height part of a lower-case letter; over the whole glyph
        # otherwise (capitals, and the l of the Slovak ĺ).
        cx = centre_x(strokes, top=None if upper else X_HEIGHT, bottom=BASELINE)
        return ABOVE[mark](cx, band)
    if mark == "cedilla":
        if letter == "t":  # under the stem, not under the hook
            return cedilla(stem_x(strokes, CAP_TOP), band)
        low = lowest_points(strokes)
        return cedilla(round((low[0] + low[-1]) / 2), band)
    if mark == "ogonek":
        return ogonek(lowest_points(strokes)[-1], band)
    if mark == "apostrophe":
        return apostrophe(stem_x(strokes, CAP_TOP), CAP_TOP)
    if mark == "stroke":
        stem = stem_x(strokes, CAP_TOP)
        if letter == "L":
            return [[(stem - 2, 17), (stem + 4, 12)]]
        if letter == "l":
            return [[(stem - 3, 17), (stem + 3, 13)]]
        if letter == "D":
            return bar(stem - 3, stem + 5, 15)
        if letter == "d":
            return bar(stem - 4, stem + 2, 7)
    raise SystemExit(f"no composition for {letter} with {mark}")


def compose(base, letter, mark):
    strokes = base[ord(letter)]
    if letter == "i":
        strokes = without_dot(strokes)
    strokes = strokes + accent_strokes(letter, mark, strokes)
    # A mark that reaches left of the glyph moves the whole glyph right.
    shift = max(0, 1 - min(x for x, _ in points(strokes)))
    return [[(x + shift, v) for x, v in s] for s in strokes]


def glyph(base, code):
    """The strokes of an override: drawn, or composed from a base letter."""
    if code in DRAWN:
        return DRAWN[code]
    letter, mark = ({**WESTERN, **CENTRAL})[code]
    return compose(base, letter, mark)


def definition(strokes):
    numbers = []
    for s in strokes:
        for k, (x, v) in enumerate(s):
            # A pair with x <= 0 would read as a stroke start (or x = 0 as
            # none at all).
            if x < 1:
                raise SystemExit("a point would lie at x = %d" % x)
            numbers += [-x if k == 0 else x, v]
    return ",".join(str(n) for n in numbers)


# ---------------------------------------------------------------------------
# Output

def write_iso_fnt(base, path):
    lines = [f"{code}={definition(base[code]) if code != 32 else ''}" for code in range(32, 127)]
    path.write_text("\n".join(lines) + "\n", encoding="ascii", newline="\n")
    print(f"{path.relative_to(ROOT)}: {len(lines)} glyphs")


def write_overrides(base, letters, path, comment):
    codes = sorted(letters)
    out = [f"; {line}" for line in comment]
    out.append("[OGL_font]")
    out.append("Differences=" + ",".join(str(c) for c in codes))
    for code in codes:
        value = definition(glyph(base, code))
        if len(value) > PROFILE_VALUE_LIMIT:
            raise SystemExit(f"glyph {code} needs {len(value)} characters, "
                             f"more than a language file key can hold")
        out.append(f"{code}={value}")
    path.write_text("\n".join(out) + "\n", encoding="utf-8", newline="\n")
    print(f"{path.relative_to(ROOT)}: {len(codes)} glyphs")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--jhf", help="path of rowmans.jhf (default: the installed one)")
    args = parser.parse_args()

    glyphs = read_jhf(find_jhf(args.jhf))
    if len(glyphs) < 95:
        raise SystemExit(f"rowmans.jhf holds {len(glyphs)} glyphs, expected 96")
    # The file lists the ASCII codes from 32 on, in order.
    base = {32 + k: to_box(left, strokes) for k, (left, _, strokes) in enumerate(glyphs[:95])}

    write_iso_fnt(base, ROOT / "data" / "iso.fnt")
    every = {**WESTERN, **CENTRAL, **DRAWN}
    write_overrides(base, every, ROOT / "tools" / "lang" / "czech" / "20-oglfont.ini",
                    ["Písmena kódové stránky Windows-1250 s diakritikou pro vektorové",
                     "písmo mapy (klíč = kód znaku). Vytváří je tools/make_font.py",
                     "z Hersheyho písma simplex Roman, viz data/HERSHEY-FONTS.txt."])
    write_overrides(base, {**WESTERN, **DRAWN},
                    ROOT / "tools" / "lang" / "english" / "20-oglfont.ini",
                    ["Western European letters of Windows-1250 for the chart's vector",
                     "font (key = character code). Written by tools/make_font.py from",
                     "the Hershey simplex Roman glyphs, see data/HERSHEY-FONTS.txt."])
    for language in EVERY_LETTER:
        write_overrides(base, every, ROOT / "tools" / "lang" / language / "20-oglfont.ini",
                        ["The letters of Windows-1250 with diacritics, the sharp s and the",
                         "degree sign for the chart's vector font (key = character code).",
                         "Written by tools/make_font.py from the Hershey simplex Roman",
                         "glyphs, see data/HERSHEY-FONTS.txt."])
    return 0


if __name__ == "__main__":
    sys.exit(main())
