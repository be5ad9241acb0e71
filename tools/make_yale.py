#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the bright-star catalogue data/yale.dat.

Source and licence: npm package d3-celestial, file data/stars.8.json (the
Hipparcos stars to magnitude 8), BSD-3-Clause licence, Copyright (c) 2015
Olaf Frohn.

Getting the source (nothing is installed system-wide):
  npm install --prefix /tmp/npm d3-celestial

Every star of magnitude 6.5 or brighter, brightest first (ties by Hipparcos
number), one star a line: "ra,dec,mag,ci" with the right ascension in
thousandths of an hour (0..23999), the declination in hundredths of a degree,
the visual magnitude and the B-V colour index in hundredths of a magnitude; a
star without B-V gets 0. Values are rounded (halves to even) from the exact
decimal texts of the source, never truncated.

The source gives each star as a GeoJSON point [lon, lat] in degrees, where
lon is the right ascension in degrees folded into -180..180 (Vega is at
-80.77, i.e. 279.23 degrees = 18.616 h).

Usage: tools/make_yale.py [--celestial DIR]
"""
import argparse
import decimal
import json
import pathlib
import sys
from decimal import Decimal

ROOT = pathlib.Path(__file__).resolve().parent.parent
CELESTIAL = pathlib.Path("/tmp/npm/node_modules/d3-celestial/data")
FAINTEST = Decimal("6.5")

# Well-known stars that must land where they belong: Hipparcos number ->
# (name, RA hours, declination degrees).
LANDMARKS = {
    32349: ("Sirius", 6.752, -16.72),
    91262: ("Vega", 18.616, 38.78),
    11767: ("Polaris", 2.530, 89.26),
    71683: ("Alpha Centauri A", 14.660, -60.83),
    24436: ("Rigel", 5.242, -8.20),
    677: ("Alpheratz", 0.140, 29.09),
}


def exact(value) -> Decimal:
    """A JSON number or numeric text as the exact decimal it is written as."""
    return value if isinstance(value, Decimal) else Decimal(str(value))


def whole(value: Decimal) -> int:
    return int(value.quantize(Decimal(1), rounding=decimal.ROUND_HALF_EVEN))


def ra_thousandths(lon_deg: Decimal) -> int:
    ra_deg = exact(lon_deg) % 360
    if ra_deg < 0:  # Decimal's remainder keeps the dividend's sign
        ra_deg += 360
    ra = whole(ra_deg * 1000 / 15)
    return 0 if ra == 24000 else ra


def record(feature) -> tuple:
    props = feature["properties"]
    lon, lat = feature["geometry"]["coordinates"]
    bv = props.get("bv")
    ci = whole(exact(bv) * 100) if bv not in (None, "") else 0
    return (ra_thousandths(lon), whole(exact(lat) * 100), whole(exact(props["mag"]) * 100), ci)


def check_landmarks(by_id: dict) -> None:
    for hip, (name, ra_h, dec_deg) in LANDMARKS.items():
        ra, dec, _, _ = by_id[hip]
        if abs(ra / 1000 - ra_h) > 0.002 or abs(dec / 100 - dec_deg) > 0.02:
            sys.exit(f"{name} (HIP {hip}) lands at {ra / 1000} h, {dec / 100} deg")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--celestial", type=pathlib.Path, default=CELESTIAL)
    args = parser.parse_args()
    decimal.getcontext().prec = 30
    source = args.celestial / "stars.8.json"
    data = json.loads(source.read_text(encoding="utf-8"), parse_float=Decimal)
    stars = [f for f in data["features"] if exact(f["properties"]["mag"]) <= FAINTEST]
    stars.sort(key=lambda f: (exact(f["properties"]["mag"]), int(f["id"])))
    records = [record(f) for f in stars]
    check_landmarks({int(f["id"]): r for f, r in zip(stars, records)})
    text = "".join(f"{ra},{dec},{mag},{ci}\n" for ra, dec, mag, ci in records)
    (ROOT / "data" / "yale.dat").write_text(text, encoding="ascii", newline="\n")
    print(f"data/yale.dat: {len(records)} stars, magnitudes "
          f"{records[0][2] / 100} to {records[-1][2] / 100}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
