#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the month names and the written date of the language files from
the Unicode Common Locale Data Repository.

Source and licence: Debian's unicode-cldr-core,
/usr/share/unicode/cldr/common/main/<code>.xml, the Gregorian calendar;
Copyright (c) Unicode, Inc., Unicode License (permissive, with notice).

Two fragments per language:
  12-months.ini  section [GUI_Strings], keys 501..512: the names on the date
                 ring, the stand-alone wide forms ("styczeń", where the
                 formatting form is the genitive "stycznia"), with a capital
                 first letter as they stand alone on the chart;
  16-date.ini    section [Sky_Time]: "Months", the formatting wide forms (the
                 genitive where the language writes a date with it:
                 "8 grudnia 2026"), and "DateTime", the long date pattern of
                 the locale with the time and the zone after it.
tools/build_language_files.py merges these sections with the hand-written
ones.

Usage: tools/make_month_names.py [--cldr DIR]   (apt-get install unicode-cldr-core)
"""
import argparse
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

ROOT = pathlib.Path(__file__).resolve().parent.parent
CLDR = pathlib.Path("/usr/share/unicode/cldr/common/main")
LANGUAGES = {"german": "de", "polish": "pl", "slovak": "sk", "hungarian": "hu",
             "slovenian": "sl", "croatian": "hr"}
# The fields of the long date pattern and the placeholders of "DateTime".
FIELDS = {"d": "{day}", "MMMM": "{month}", "y": "{year}"}
HEADER = "; Written by tools/make_month_names.py from CLDR ({code}.xml, Unicode License).\n"


def gregorian(path: pathlib.Path) -> ET.Element:
    calendar = ET.parse(path).getroot().find(".//calendars/calendar[@type='gregorian']")
    if calendar is None:
        raise SystemExit(f"{path}: no Gregorian calendar")
    return calendar


def months(calendar: ET.Element, context: str, path: pathlib.Path) -> list:
    width = calendar.find(f"months/monthContext[@type='{context}']/monthWidth[@type='wide']")
    names = [] if width is None else [m.text for m in width.findall("month") if m.get("alt") is None]
    if len(names) != 12 or not all(names):
        raise SystemExit(f"{path}: no twelve {context} wide month names")
    return names


def date_pattern(calendar: ET.Element, path: pathlib.Path) -> str:
    """The long date pattern with placeholders: "d. MMMM y" -> "{day}. {month} {year}"."""
    pattern = calendar.findtext("dateFormats/dateFormatLength[@type='long']/dateFormat/pattern")
    if not pattern:
        raise SystemExit(f"{path}: no long date pattern")
    out = ""
    for token in re.finditer(r"([a-zA-Z])\1*|[^a-zA-Z]+", pattern):
        text = token.group(0)
        if text[0].isalpha():
            if text not in FIELDS:
                raise SystemExit(f"{path}: the long date pattern {pattern!r} holds {text!r}")
            out += FIELDS[text]
        elif "'" in text:
            raise SystemExit(f"{path}: the long date pattern {pattern!r} quotes text")
        else:
            out += text
    return out


def capital(name: str) -> str:
    return name[:1].upper() + name[1:]


def write(language: str, code: str, cldr: pathlib.Path) -> None:
    path = cldr / f"{code}.xml"
    calendar = gregorian(path)
    alone = [capital(n) for n in months(calendar, "stand-alone", path)]
    written = months(calendar, "format", path)
    for name in alone + written:
        name.encode("cp1250")  # fails on a letter outside Windows-1250
        if "," in name:
            raise SystemExit(f"{path}: month name {name!r} holds a comma")
    folder = ROOT / "tools" / "lang" / language
    folder.mkdir(parents=True, exist_ok=True)
    lines = [HEADER.format(code=code), "; the names on the date ring, January to December\n",
             "[GUI_Strings]\n"] + [f"{501 + k}={name}\n" for k, name in enumerate(alone)]
    (folder / "12-months.ini").write_text("".join(lines), encoding="utf-8")
    lines = [HEADER.format(code=code), "; the date as the chart writes it, with its month names\n",
             "[Sky_Time]\n", f"DateTime={date_pattern(calendar, path)} {{time}} {{zone}}\n",
             f"Months={','.join(written)}\n"]
    (folder / "16-date.ini").write_text("".join(lines), encoding="utf-8")
    print(f"tools/lang/{language}: {', '.join(alone)}")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cldr", type=pathlib.Path, default=CLDR,
                        help="the common/main folder of CLDR")
    args = parser.parse_args()
    for language, code in LANGUAGES.items():
        write(language, code, args.cldr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
