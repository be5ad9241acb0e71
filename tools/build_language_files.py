#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Assembles data/english.lng and data/czech.lng.

Each language has a folder tools/lang/<language>/ of UTF-8 fragments
(*.ini, taken in name order). Some are written by hand (the UI texts), others
by the generating scripts in tools/ (the glyph overrides, the constellation
names, the PDF font). This script joins them and writes the language file in
Windows-1250, the code page of the chart and of the PDF, with CR LF line ends.
"""
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
LANGUAGES = {"english": "english.lng", "czech": "czech.lng"}


def build(language: str, target: str) -> None:
    parts = sorted((ROOT / "tools" / "lang" / language).glob("*.ini"))
    text = "\n".join(p.read_text(encoding="utf-8").rstrip("\n") + "\n" for p in parts)
    data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp1250")
    (ROOT / "data" / target).write_bytes(data)
    print(f"data/{target}: {len(parts)} fragments, {len(data)} bytes")


def main() -> int:
    for language, target in LANGUAGES.items():
        build(language, target)
    return 0


if __name__ == "__main__":
    sys.exit(main())
