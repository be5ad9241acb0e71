#!/usr/bin/python3
"""Writes the constellation boundaries data/boundaries.dat.

Source and licence: npm package d3-celestial, file
data/constellations.borders.json (the boundaries of the 88 IAU
constellations, each edge shared by two constellations once, J2000),
BSD-3-Clause licence, Copyright (c) 2015 Olaf Frohn.

Getting the source (nothing is installed system-wide):
  npm install --prefix /tmp/npm d3-celestial@0.7.35

The boundaries were drawn along hour circles and parallels of the equinox
B1875. Each corner of the source (a GeoJSON point [lon, lat]: lon the right
ascension in degrees folded into -180..180, lat the declination) is carried
to B1875 with the IAU 1976 precession, must land within MAX_CORNER_ARCSEC of
a whole second of right ascension and a whole minute of declination, and is
put there. Between two corners the boundary keeps its right ascension or its
declination at B1875; it is cut into equal steps of at most one degree of
declination (along an hour circle) or of right ascension (along a parallel),
and every point is carried back to J2000.

One edge (the boundary between two corners) a line:
  "And","Lac",n,ra1,dec1,...,ran,decn
the two constellations on either side (IAU abbreviations), the number of
points and the points in order, right ascension in thousandths of an hour
(0..23999) and declination in hundredths of a degree, both rounded. The
edges follow the source's order, corner to corner.

Usage: tools/make_boundaries.py [--celestial DIR]
"""
import argparse
import json
import math
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
CELESTIAL = pathlib.Path("/tmp/npm/node_modules/d3-celestial/data")

J2000 = 2451545.0
B1875 = 2405889.258550475  # Julian date of the Besselian epoch 1875.0
ARCSEC = math.pi / (180 * 3600)
MAX_CORNER_ARCSEC = 2.0
STEP_DEG = 1.0

# The 88 constellations. Serpens is one of them in two parts, Caput and
# Cauda, each bounded by Ophiuchus; versions of the source that tell the
# parts apart as Ser1 and Ser2 are read as Ser, the one name the chart and
# the IAU give both.
CONSTELLATIONS = set("""
And Ant Aps Aql Aqr Ara Ari Aur Boo CMa CMi CVn Cae Cam Cap Car Cas Cen Cep
Cet Cha Cir Cnc Col Com CrA CrB Crt Cru Crv Cyg Del Dor Dra Equ Eri For Gem
Gru Her Hor Hya Hyi Ind LMi Lac Leo Lep Lib Lup Lyn Lyr Men Mic Mon Mus Nor
Oct Oph Ori Pav Peg Per Phe Pic PsA Psc Pup Pyx Ret Scl Sco Sct Ser Sex Sge
Sgr Tau Tel TrA Tri Tuc UMa UMi Vel Vir Vol Vul""".split())
SERPENS_PARTS = {"Ser1": "Ser", "Ser2": "Ser"}


def precession(jd_from: float, jd_to: float) -> list:
    """The IAU 1976 precession matrix (Lieske 1977) from one epoch to another."""
    big_t = (jd_from - J2000) / 36525
    t = (jd_to - jd_from) / 36525
    w = 2306.2181 + 1.39656 * big_t - 0.000139 * big_t ** 2
    zeta = (w * t + (0.30188 - 0.000344 * big_t) * t ** 2 + 0.017998 * t ** 3) * ARCSEC
    z = (w * t + (1.09468 + 0.000066 * big_t) * t ** 2 + 0.018203 * t ** 3) * ARCSEC
    theta = ((2004.3109 - 0.85330 * big_t - 0.000217 * big_t ** 2) * t
             - (0.42665 + 0.000217 * big_t) * t ** 2 - 0.041833 * t ** 3) * ARCSEC
    cx, sx = math.cos(zeta), math.sin(zeta)
    cz, sz = math.cos(z), math.sin(z)
    ct, st = math.cos(theta), math.sin(theta)
    return [[cz * ct * cx - sz * sx, -cz * ct * sx - sz * cx, -cz * st],
            [sz * ct * cx + cz * sx, -sz * ct * sx + cz * cx, -sz * st],
            [st * cx, -st * sx, ct]]


TO_B1875 = precession(J2000, B1875)
TO_J2000 = precession(B1875, J2000)


def rotate(matrix: list, ra_hours: float, dec_deg: float) -> tuple:
    """(ra hours 0..24, dec degrees) turned by a precession matrix."""
    ra, dec = math.radians(ra_hours * 15), math.radians(dec_deg)
    v = (math.cos(dec) * math.cos(ra), math.cos(dec) * math.sin(ra), math.sin(dec))
    x, y, z = (sum(row[i] * v[i] for i in range(3)) for row in matrix)
    return (math.degrees(math.atan2(y, x)) / 15) % 24, math.degrees(math.asin(max(-1.0, min(1.0, z))))


def arc_arcsec(a: tuple, b: tuple) -> float:
    """Angular distance of two (ra hours, dec degrees) points, arcseconds."""
    da = math.radians((a[0] - b[0]) * 15)
    d1, d2 = math.radians(a[1]), math.radians(b[1])
    c = math.sin(d1) * math.sin(d2) + math.cos(d1) * math.cos(d2) * math.cos(da)
    return math.degrees(math.acos(max(-1.0, min(1.0, c)))) * 3600


def mend(ids: str, corners: list) -> list:
    """The source's corners with its known faults put right."""
    if ids != "Cep,UMi":
        return corners
    mended = []
    for lon, lat in corners:
        # Between 23 h and 8 h Cepheus meets Ursa Minor along the parallel
        # +88 of B1875. The corner at 1 h of it is written 88.3564 in the
        # source, three tenths of a degree off; 88.6564 lands on +88.0000.
        if (lon, lat) == (24.7077, 88.3564):
            lat = 88.6564
        # Two corners lie off that parallel, at 23.953 h +87.913 and
        # 2.818 h +87.555 (B1875): the parallel runs 0.09 and 0.46 degrees
        # farther north there. They are not corners of the boundary, which
        # goes on along the parallel from 23 h through 1 h to 8 h.
        if (lon, lat) in ((0.9483, 88.6092), (57.6647, 88.0063)):
            continue
        mended.append([lon, lat])
    if len(mended) != len(corners) - 2 or [24.7077, 88.6564] not in mended:
        raise SystemExit("the Cepheus/Ursa Minor edge is not as expected: look at it again")
    return mended


def constellations(ids: str) -> tuple:
    names = tuple(SERPENS_PARTS.get(n, n) for n in ids.split(","))
    if len(names) != 2 or names[0] == names[1] or not set(names) <= CONSTELLATIONS:
        raise SystemExit(f"edge {ids!r} does not part two constellations")
    return names


def b1875_corner(lon: float, lat: float, worst: list) -> tuple:
    """A source corner at B1875 on the whole second and arcminute it stands for."""
    ra, dec = rotate(TO_B1875, (lon % 360) / 15, lat)
    ra_round = (round(ra * 3600) / 3600) % 24
    dec_round = round(dec * 60) / 60
    off = arc_arcsec((ra, dec), (ra_round, dec_round))
    if off > worst[0]:
        worst[:] = [off, lon, lat, ra, dec]
    if off > MAX_CORNER_ARCSEC:
        raise SystemExit(f"corner {lon}, {lat}: {off:.1f} arcsec from a round B1875 value")
    return ra_round, dec_round


def ra_step_hours(a: float, b: float) -> float:
    """From right ascension a to b (hours) the shorter way round."""
    return (b - a + 12) % 24 - 12


def subdivide(a: tuple, b: tuple) -> list:
    """The B1875 points from corner a to corner b, a excluded."""
    if a[0] == b[0]:
        span = b[1] - a[1]
        n = max(1, math.ceil(abs(span) / STEP_DEG - 1e-9))
        return [(a[0], a[1] + span * i / n) for i in range(1, n + 1)]
    if a[1] == b[1]:
        span = ra_step_hours(a[0], b[0])
        n = max(1, math.ceil(abs(span) * 15 / STEP_DEG - 1e-9))
        return [((a[0] + span * i / n) % 24, a[1]) for i in range(1, n + 1)]
    raise SystemExit(f"corners {a} and {b} (B1875) share neither right ascension nor declination")


def encode(point: tuple) -> str:
    ra, dec = rotate(TO_J2000, *point)
    return f"{round(ra * 1000) % 24000},{round(dec * 100)}"


def edges_of(features: list, worst: list) -> list:
    """Every edge as (first, second, [encoded points]), in the source's order."""
    edges = []
    for feature in features:
        geometry = feature["geometry"]
        if geometry["type"] != "MultiLineString":
            raise SystemExit(f"feature {feature['ids']} is {geometry['type']}")
        names = constellations(feature["ids"])
        for line in geometry["coordinates"]:
            corners = [b1875_corner(lon, lat, worst) for lon, lat in mend(feature["ids"], line)]
            for a, b in zip(corners, corners[1:]):
                if a == b:
                    continue
                points = [encode(p) for p in [a] + subdivide(a, b)]
                edges.append(names + (points,))
    return edges


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--celestial", type=pathlib.Path, default=CELESTIAL,
                        help="the data folder of the d3-celestial package")
    args = parser.parse_args()

    source = json.loads((args.celestial / "constellations.borders.json").read_text(encoding="utf-8"))
    worst = [0.0, 0, 0, 0, 0]
    edges = edges_of(source["features"], worst)
    named = {n for first, second, _ in edges for n in (first, second)}
    if named != CONSTELLATIONS:
        raise SystemExit(f"constellations without a boundary: {sorted(CONSTELLATIONS - named)}")

    text = "".join(f'"{a}","{b}",{len(points)},{",".join(points)}\r\n' for a, b, points in edges)
    (ROOT / "data" / "boundaries.dat").write_bytes(text.encode("ascii"))
    off, lon, lat, ra, dec = worst
    print(f"data/boundaries.dat: {len(edges)} edges, {sum(len(e[2]) for e in edges)} points")
    print(f"largest distance of a corner from its round B1875 value: {off:.2f} arcsec "
          f"(source {lon}, {lat}; B1875 {ra:.6f} h {dec:+.6f})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
