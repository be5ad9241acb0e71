#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the Messier objects data/messier.dat.

Source and licence: npm package d3-celestial, file data/messier.json (the 110
objects of Messier's catalogue with their kinds and magnitudes), BSD-3-Clause
licence, Copyright (c) 2015 Olaf Frohn.

Getting the source (nothing is installed system-wide):
  npm install --prefix /tmp/npm d3-celestial

One object a line, in catalogue order: "number,kind,ra,dec,mag" with the
kind 1 for a galaxy, 2 for a star cluster (open or globular, and the star
clouds and asterisms Messier listed), 3 for a nebula (diffuse, planetary or
a supernova remnant); the right ascension in thousandths of an hour, the
declination in hundredths of a degree and the visual magnitude in
hundredths, as in yale.dat. Values are rounded (halves to even) from the
exact decimal texts of the source.

Usage: tools/make_messier.py [--celestial DIR]
"""
import argparse
import decimal
import json
import pathlib
import sys
from decimal import Decimal

ROOT = pathlib.Path(__file__).resolve().parent.parent
CELESTIAL = pathlib.Path("/tmp/npm/node_modules/d3-celestial/data")
KINDS = {"s": 1, "e": 1, "i": 1, "gc": 2, "oc": 2, "pos": 2, "sfr": 3, "pn": 3, "snr": 3, "rn": 3}
# Objects that must land where they belong: number -> (RA hours, declination).
LANDMARKS = {31: (0.712, 41.27), 42: (5.588, -5.39), 45: (3.783, 24.12), 13: (16.695, 36.46)}


def whole(value: Decimal) -> int:
    return int(value.quantize(Decimal(1), rounding=decimal.ROUND_HALF_EVEN))


def record(feature) -> tuple:
    props = feature["properties"]
    lon, lat = (Decimal(str(v)) for v in feature["geometry"]["coordinates"])
    ra = whole((lon % 360 + 360) % 360 * 1000 / 15) % 24000
    number = int(feature["id"][1:])
    kind = KINDS[props["type"]]
    return (number, kind, ra, whole(lat * 100), whole(Decimal(str(props["mag"])) * 100))


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--celestial", type=pathlib.Path, default=CELESTIAL)
    args = parser.parse_args()
    features = json.loads((args.celestial / "messier.json").read_text(encoding="utf-8"))["features"]
    records = sorted(record(f) for f in features)
    if [r[0] for r in records] != list(range(1, 111)):
        sys.exit("messier.json does not hold M1 to M110 once each")
    for number, (ra_h, dec_deg) in LANDMARKS.items():
        _, _, ra, dec, _ = records[number - 1]
        if abs(ra / 1000 - ra_h) > 0.01 or abs(dec / 100 - dec_deg) > 0.1:
            sys.exit(f"M{number} lands at {ra / 1000} h, {dec / 100} deg")
    text = "".join(",".join(str(v) for v in r) + "\n" for r in records)
    (ROOT / "data" / "messier.dat").write_text(text, encoding="ascii", newline="\n")
    print(f"data/messier.dat: {len(records)} objects")
    return 0


if __name__ == "__main__":
    sys.exit(main())
