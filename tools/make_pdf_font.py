#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes section [Font1] of the language files: the font embedded in the PDF.

Source: TeX Gyre Heros Regular (texgyreheros-regular.otf) from Debian's
fonts-texgyre, by the GUST e-foundry (B. Jackowski, J. M. Nowacki, P. Strzelczyk),
based on URW Nimbus Sans L; GUST Font License (a LaTeX Project Public License
variant), which allows embedding and redistribution.

The compact font program (the font's CFF table) is cut down to the glyphs of
the Windows-1250 code page with python3-fonttools (glyph names kept, so that
readers map them back to Unicode), compressed with zlib and stored as hex
digits. The section holds the PDF entries of the font dictionary and its
descriptor, each value as it appears in the document:

  Differences  "32 /space /exclam ..." the font's own glyph names for the
               codes 32 to 255 (.notdef for codes the code page leaves empty)
  BaseFont     subset tag + "+" + the PostScript name
  FirstChar, LastChar, Widths  "[ w ... w ]", advance widths in 1/1000 em
  Flags, FontBBox, ItalicAngle, Ascent, Descent, Leading, CapHeight,
  XHeight, StemV, StemH, AvgWidth, MaxWidth, MissingWidth
  LoD          byte count of the compressed program
  Data         the compressed program, two hex digits per byte

The profile reader returns at most size - 1 characters: Differences and
Widths are read with size 3000, the short keys with 255, Data with room for
2 x LoD digits. The script checks those limits.

Usage: tools/make_pdf_font.py [--font PATH]
Run tools/build_language_files.py afterwards.
"""
import argparse
import hashlib
import io
import pathlib
import sys
import unicodedata
import zlib

from fontTools import subset
from fontTools.pens.boundsPen import BoundsPen
from fontTools.ttLib import TTFont

ROOT = pathlib.Path(__file__).resolve().parent.parent
FONT = pathlib.Path("/usr/share/texmf/fonts/opentype/public/tex-gyre/texgyreheros-regular.otf")
LANGUAGES = ("english", "czech", "german", "polish", "slovak", "hungarian", "slovenian",
             "croatian")
FIRST_CHAR = 32
LAST_CHAR = 255
LONG_LIMIT = 3000 - 1
SHORT_LIMIT = 255 - 1
NONSYMBOLIC = 32


def code_page_glyphs(font: TTFont) -> list:
    """Glyph name of each code FIRST_CHAR..LAST_CHAR; .notdef where the code
    page holds no character or a control code (the soft hyphen keeps its
    glyph, as readers show it)."""
    cmap = font.getBestCmap()
    names = []
    for code in range(FIRST_CHAR, LAST_CHAR + 1):
        try:
            char = bytes([code]).decode("cp1250")
        except UnicodeDecodeError:
            names.append(".notdef")
            continue
        control = unicodedata.category(char) == "Cc"  # DEL: no glyph
        names.append(".notdef" if control else cmap.get(ord(char), ".notdef"))
    return names


def subset_font(path: pathlib.Path, glyphs: set) -> TTFont:
    options = subset.Options()
    options.glyph_names = True
    options.notdef_outline = True
    options.layout_features = []
    options.name_IDs = ["*"]
    font = TTFont(str(path))
    subsetter = subset.Subsetter(options)
    subsetter.populate(glyphs=sorted(glyphs))
    subsetter.subset(font)
    return font


def subset_tag(glyphs: list) -> str:
    digest = hashlib.sha1(" ".join(glyphs).encode("ascii")).digest()
    return "".join(chr(ord("A") + b % 26) for b in digest[:6])


def font_bbox(font: TTFont) -> list:
    glyph_set = font.getGlyphSet()
    pen = BoundsPen(glyph_set)
    for name in font.getGlyphOrder():
        glyph_set[name].draw(pen)
    return [round(v) for v in pen.bounds]


def number(value) -> str:
    return str(int(value)) if float(value).is_integer() else repr(float(value))


def font_section(path: pathlib.Path) -> tuple:
    full = TTFont(str(path))
    if full["head"].unitsPerEm != 1000:
        sys.exit(f"{path}: units per em must be 1000")
    names = code_page_glyphs(full)
    font = subset_font(path, set(names))
    top = font["CFF "].cff.topDictIndex[0]
    private = top.Private
    metrics = font["hmtx"].metrics
    os2 = font["OS/2"]
    widths = [metrics[n][0] for n in names]
    drawn = [w for n, w in zip(names, widths) if n != ".notdef" and w > 0]

    program = font["CFF "].compile(font)
    packed = zlib.compress(program, 9)

    base_name = font["CFF "].cff.fontNames[0]
    entries = [
        ("Differences", f"{FIRST_CHAR} " + " ".join("/" + n for n in names)),
        ("BaseFont", subset_tag(names) + "+" + base_name),
        ("FirstChar", str(FIRST_CHAR)),
        ("LastChar", str(LAST_CHAR)),
        ("Widths", "[ " + " ".join(str(w) for w in widths) + " ]"),
        ("Flags", str(NONSYMBOLIC)),
        ("FontBBox", "[ " + " ".join(str(v) for v in font_bbox(font)) + " ]"),
        ("ItalicAngle", number(font["post"].italicAngle)),
        ("Ascent", str(os2.sTypoAscender)),
        ("Descent", str(os2.sTypoDescender)),
        ("Leading", str(os2.sTypoAscender - os2.sTypoDescender + os2.sTypoLineGap)),
        ("CapHeight", str(os2.sCapHeight)),
        ("XHeight", str(os2.sxHeight)),
        ("StemV", number(private.StdVW)),
        ("StemH", number(private.StdHW)),
        ("AvgWidth", str(round(sum(drawn) / len(drawn)))),
        ("MaxWidth", str(max(drawn))),
        ("MissingWidth", str(metrics[".notdef"][0])),
        ("LoD", str(len(packed))),
        ("Data", packed.hex().upper()),
    ]
    for key, value in entries:
        limit = LONG_LIMIT if key in ("Differences", "Widths") else SHORT_LIMIT
        if key != "Data" and len(value) > limit:
            sys.exit(f"{key} has {len(value)} characters; the reader returns at most {limit}")
    return entries, len(program), len(packed)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--font", type=pathlib.Path, default=FONT)
    args = parser.parse_args()
    if not args.font.exists():
        sys.exit(f"{args.font} is missing: apt-get install fonts-texgyre")
    entries, raw, packed = font_section(args.font)
    text = io.StringIO()
    text.write("; Written by tools/make_pdf_font.py: the font embedded in the PDF,\n")
    text.write("; TeX Gyre Heros (GUST Font License) cut to the Windows-1250 glyphs.\n")
    text.write("[Font1]\n")
    for key, value in entries:
        text.write(f"{key}={value}\n")
    for language in LANGUAGES:
        target = ROOT / "tools" / "lang" / language / "40-font1.ini"
        target.write_text(text.getvalue(), encoding="utf-8", newline="\n")
        print(f"{target.relative_to(ROOT)}: program {raw} bytes, compressed {packed} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
