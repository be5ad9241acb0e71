#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the constellation figure sets data/*.con.

Each set is a flat list of straight segments between two stars, one segment a
line: "ra1,dec1,ra2,dec2" with right ascension in thousandths of an hour
(0..23999) and declination in hundredths of a degree, both rounded.

Sources and licences:
- default.con (the IAU constellations, 743 segments) and chinese.con (the
  traditional Chinese asterisms): npm package d3-celestial, files
  data/constellations.lines.json and data/constellations.lines.cn.json,
  BSD-3-Clause licence, Copyright (c) 2015 Olaf Frohn.
- rey.con, skytel.con, hlad.con: Debian package stellarium-data, files
  skycultures/western_rey, western_SnT and western_hlad/constellationship.fab
  (figures as pairs of Hipparcos numbers). Licences as stated in each
  culture's info.ini, checked below: H. A. Rey figures by Mike Richards and
  Georg Zotti, CC BY-SA 4.0; Sky & Telescope figures by Paul Krizak and
  Jonathan E. Piskor, CC BY-SA 2.0; Czech figures after Hlad, Hovorka,
  Polechova, Weiselova (1988) by Miroslav Broz, GNU GPL v2.0. The Hipparcos
  numbers are placed with the star positions of d3-celestial's
  data/stars.14.json, whose feature ids are Hipparcos numbers.

Getting the sources (nothing is installed system-wide):
  npm install --prefix /tmp/npm d3-celestial
  cd /tmp/cons-deb && apt-get download stellarium-data
  dpkg-deb --fsys-tarfile stellarium-data_*.deb | tar -x --wildcards \
      './usr/share/stellarium/skycultures/western_*/constellationship.fab' \
      './usr/share/stellarium/skycultures/western_*/info.ini'

Usage: tools/make_figure_sets.py [--celestial DIR] [--skycultures DIR]
"""
import argparse
import configparser
import json
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
CELESTIAL = pathlib.Path("/tmp/npm/node_modules/d3-celestial/data")
SKYCULTURES = pathlib.Path("/tmp/cons-deb/usr/share/stellarium/skycultures")

# Figure sets from d3-celestial: output name, source file, expected segments
# (None: whatever the file holds).
CELESTIAL_SETS = [
    ("default.con", "constellations.lines.json", 743),
    ("chinese.con", "constellations.lines.cn.json", None),
]
# Figure sets from the sky cultures: output name, culture folder.
CULTURE_SETS = [
    ("rey.con", "western_rey"),
    ("skytel.con", "western_SnT"),
    ("hlad.con", "western_hlad"),
]
# Licences that allow redistribution of the figures with the program.
REDISTRIBUTABLE = re.compile(r"\b(CC BY-SA|GNU GPL|GPL)\b", re.IGNORECASE)


def ra_thousandths(longitude_deg: float) -> int:
    """GeoJSON longitude (degrees, -180..180 or 0..360) to RA in 1/1000 h."""
    hours = (longitude_deg % 360.0) / 15.0
    return round(hours * 1000) % 24000


def dec_hundredths(latitude_deg: float) -> int:
    if not -90.0 <= latitude_deg <= 90.0:
        raise ValueError(f"declination {latitude_deg} out of range")
    return round(latitude_deg * 100)


def encode_point(lon: float, lat: float) -> tuple:
    return (ra_thousandths(lon), dec_hundredths(lat))


def segments_of_multilines(path: pathlib.Path) -> list:
    """Every consecutive pair of points of every line string, in file order."""
    collection = json.loads(path.read_text(encoding="utf-8"))
    segments = []
    for feature in collection["features"]:
        geometry = feature["geometry"]
        if geometry["type"] != "MultiLineString":
            raise ValueError(f"{path}: feature {feature.get('id')} is {geometry['type']}")
        for line in geometry["coordinates"]:
            for a, b in zip(line, line[1:]):
                segments.append(encode_point(*a) + encode_point(*b))
    return segments


def hipparcos_positions(path: pathlib.Path) -> dict:
    collection = json.loads(path.read_text(encoding="utf-8"))
    return {int(f["id"]): f["geometry"]["coordinates"] for f in collection["features"]}


def check_licence(culture: pathlib.Path) -> str:
    info = configparser.ConfigParser(interpolation=None)
    info.read(culture / "info.ini", encoding="utf-8")
    licence = info.get("info", "license", fallback="")
    if not REDISTRIBUTABLE.search(licence):
        raise SystemExit(f"{culture.name}: licence {licence!r} does not allow redistribution")
    return licence


def culture_pairs(fab: pathlib.Path) -> list:
    """Hipparcos pairs of a constellationship.fab: "Abr n hip hip hip hip ..."."""
    pairs = []
    for number, raw in enumerate(fab.read_text(encoding="utf-8").splitlines(), 1):
        line = raw.split("#", 1)[0].strip()
        if not line:
            continue
        fields = line.split()
        count = int(fields[1])
        stars = [int(v) for v in fields[2:]]
        if len(stars) != 2 * count:
            raise SystemExit(f"{fab}:{number}: {fields[0]} lists {len(stars)} stars for {count} pairs")
        pairs += list(zip(stars[0::2], stars[1::2]))
    return pairs


def segments_of_culture(culture: pathlib.Path, positions: dict) -> list:
    segments = []
    seen = set()
    for a, b in culture_pairs(culture / "constellationship.fab"):
        if a == b or frozenset((a, b)) in seen:
            continue  # the files repeat some pairs, drawn once is enough
        seen.add(frozenset((a, b)))
        for hip in (a, b):
            if hip not in positions:
                raise SystemExit(f"{culture.name}: HIP {hip} is not in stars.14.json")
        segments.append(encode_point(*positions[a]) + encode_point(*positions[b]))
    return segments


def write_set(name: str, segments: list) -> None:
    text = "".join(f"{r1},{d1},{r2},{d2}\r\n" for r1, d1, r2, d2 in segments)
    (ROOT / "data" / name).write_bytes(text.encode("ascii"))
    print(f"data/{name}: {len(segments)} segments")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--celestial", type=pathlib.Path, default=CELESTIAL,
                        help="the data folder of the d3-celestial package")
    parser.add_argument("--skycultures", type=pathlib.Path, default=SKYCULTURES,
                        help="the skycultures folder of stellarium-data")
    args = parser.parse_args()

    for name, source, expected in CELESTIAL_SETS:
        segments = segments_of_multilines(args.celestial / source)
        if expected is not None and len(segments) != expected:
            raise SystemExit(f"{source}: {len(segments)} segments, expected {expected}")
        write_set(name, segments)

    positions = hipparcos_positions(args.celestial / "stars.14.json")
    for name, folder in CULTURE_SETS:
        culture = args.skycultures / folder
        licence = check_licence(culture)
        print(f"{folder}: {licence}")
        write_set(name, segments_of_culture(culture, positions))
    return 0


if __name__ == "__main__":
    sys.exit(main())
