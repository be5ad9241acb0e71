#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Assembles the language files data/<language>.lng.

Each language has a folder tools/lang/<language>/ of UTF-8 fragments
(*.ini, taken in name order). Some are written by hand (the UI texts), others
by the generating scripts in tools/ (month names and dates, the glyph
overrides, the constellation names, the PDF font). This script joins them and
writes the language file in Windows-1250, the code page of the chart and of
the PDF, with CR LF line ends.

The program reads only the first section of a name, so a section that several
fragments add to (the UI texts by hand and the generated month names, say) is
written once, at its first place, with the keys of every fragment in it; a
key given twice in one section stops the build.

With --check it writes nothing and fails when a language file differs from
what its fragments make (a fragment edited without building again).
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
LANGUAGES = ("english", "czech", "german", "polish", "slovak", "hungarian", "slovenian",
             "croatian")
SECTION = re.compile(r"\[([^\]]+)\]\s*$")


def chunks(lines: list) -> list:
    """The fragment's sections as (name, lines): each section with the comment
    lines just before its header; lines before any header stand alone."""
    out, pending = [], []
    for line in lines:
        header = SECTION.match(line)
        if header:
            out.append([header.group(1).strip().lower(), pending + [line]])
            pending = []
        elif out and not line.startswith(";"):
            out[-1][1] += pending + [line]
            pending = []
        else:
            pending.append(line)
    if pending:
        if out:
            out[-1][1] += pending
        else:
            out.append([None, pending])
    return out


def merge(parts: list) -> list:
    """The sections of all fragments, each name once, in order of first sight."""
    merged, index = [], {}
    for part in parts:
        for name, lines in chunks(part.read_text(encoding="utf-8").rstrip("\n").split("\n")):
            if name is not None and name in index:
                body = [l for l in lines if not SECTION.match(l)]
                merged[index[name]][1].extend(body)
            else:
                if name is not None:
                    index[name] = len(merged)
                merged.append([name, list(lines)])
    return merged


def check_keys(language: str, sections: list) -> None:
    for name, lines in sections:
        keys = [l.split("=", 1)[0].strip().lower() for l in lines
                if "=" in l and not l.startswith(";") and not SECTION.match(l)]
        twice = sorted({k for k in keys if keys.count(k) > 1})
        if name is not None and twice:
            raise SystemExit(f"{language}: section [{name}] gives {', '.join(twice)} twice")


def build(language: str, check: bool = False) -> bool:
    """Writes data/<language>.lng, or with `check` tells whether it is up to date."""
    parts = sorted((ROOT / "tools" / "lang" / language).glob("*.ini"))
    sections = merge(parts)
    check_keys(language, sections)
    text = "\n".join("\n".join(lines).rstrip("\n") + "\n" for _, lines in sections)
    data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp1250")
    target = ROOT / "data" / f"{language}.lng"
    if check:
        current = target.read_bytes() if target.is_file() else b""
        if current != data:
            print(f"data/{language}.lng differs from tools/lang/{language}/: "
                  "run tools/build_language_files.py")
        return current == data
    target.write_bytes(data)
    print(f"data/{language}.lng: {len(parts)} fragments, {len(data)} bytes")
    return True


def main(argv) -> int:
    check = argv[1:] == ["--check"]
    if argv[1:] and not check:
        raise SystemExit("usage: build_language_files.py [--check]")
    results = [build(language, check) for language in LANGUAGES]
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
