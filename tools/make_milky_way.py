#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Derives the four Milky Way outlines data/milkyway/101.bin .. 104.bin.

Source: data/mw.json of the npm package d3-celestial (Olaf Frohn, BSD-3-Clause
licence), Milky Way brightness contours in five levels (ol1 faintest .. ol5
brightest) as GeoJSON rings of [right ascension in degrees, -180..180;
declination in degrees]. Install it with
    npm install --prefix /tmp/npm d3-celestial
and run
    /usr/bin/python3 tools/make_milky_way.py [/tmp/npm/node_modules/d3-celestial/data/mw.json]

What it makes, in galactic coordinates (north galactic pole at right ascension
192.25, declination 27.4 degrees; ascending node of the galactic plane at
longitude 33 degrees, right ascension 282.25 degrees: the frame the chart
converts back with):

  101  outer band, northern edge      103  inner band, northern edge
  102  outer band, southern edge      104  inner band, southern edge

Inner band: only the faintest level has rings that run once round the whole
sky, one north and one south of the plane; they are picked by their winding
(360 degrees of longitude), not by their place in the file. Each edge is the
ring's outer envelope per galactic longitude (the highest latitude of the
northern ring, the lowest of the southern one, on a fine grid of longitudes),
so folds of the contour become one edge that is a function of longitude. The
deepest fold, the channel the faint ring cuts along the Great Rift from Cygnus
to Aquila (l about 12 to 73, b near 0), is left out that way.

Outer band: no contour level is wider than the faintest one, so the outer band
is the inner band widened on the sphere: each edge is pushed out by the union
of spherical caps of WIDEN_DEG about its points, then smoothed along the
longitude with a running mean of SMOOTH_DEG.

File form: little-endian int16 pairs (c, d) with c = (180 - l) x 100 and
d = b x 1000, no header. A northern edge runs from l = 0 to l = 360 (c = 18000
down to -18000), a southern edge the other way; first and last pair lie on the
seam at l = 0/360 with the same latitude, so every file is a closed ring. The
latitude stays within +-32.7 degrees so that d fits into int16.

It also writes a picture of the four edges in galactic coordinates
(/tmp/milkyway-edges.png, or the path given with --picture).
"""
import argparse
import json
import math
import pathlib
import struct
import sys

import numpy as np

ROOT = pathlib.Path(__file__).resolve().parent.parent
DEFAULT_SOURCE = pathlib.Path("/tmp/npm/node_modules/d3-celestial/data/mw.json")

POLE_DEC_DEG = 27.4          # declination of the north galactic pole
NODE_RA_DEG = 282.25         # right ascension of the ascending node
NODE_L_DEG = 33.0            # galactic longitude of that node
INNER_STEP_DEG = 0.05        # longitude grid of the inner band
OUTER_STEP_DEG = 0.1         # longitude grid of the outer band
WIDEN_DEG = 8.0              # how much wider the outer band is, on the sphere
SMOOTH_DEG = 3.0             # running-mean window along the outer edges
SIMPLIFY_DEG = 0.003         # largest departure of a kept edge from the sampled one
LONGEST_STEP_DEG = 1.0       # longest step between kept points (curves on the disc)
LATITUDE_LIMIT_DEG = 32.7    # |b| x 1000 must fit into int16
POLE_MARGIN_DEG = 2.0        # celestial poles must lie well outside the bands

D2R = math.pi / 180.0


def equatorial_to_galactic(ra_deg, dec_deg):
    """Galactic (l, b) in degrees, l in 0..360, of equatorial points."""
    a = np.radians(np.asarray(ra_deg) - NODE_RA_DEG)
    d = np.radians(np.asarray(dec_deg))
    e = POLE_DEC_DEG * D2R
    x = np.cos(d) * np.cos(a)
    y = np.cos(d) * np.sin(a)
    z = np.sin(d)
    cos_b_sin_l = math.sin(e) * y + math.cos(e) * z
    sin_b = -math.cos(e) * y + math.sin(e) * z
    l = np.degrees(np.arctan2(cos_b_sin_l, x)) + NODE_L_DEG
    return np.mod(l, 360.0), np.degrees(np.arcsin(np.clip(sin_b, -1.0, 1.0)))


def galactic_to_equatorial(l_deg, b_deg):
    """The conversion the chart applies when it loads the outlines."""
    big_l = np.radians(np.asarray(l_deg) - NODE_L_DEG)
    b = np.radians(np.asarray(b_deg))
    e = POLE_DEC_DEG * D2R
    dec = np.arcsin(math.cos(e) * np.cos(b) * np.sin(big_l) + math.sin(e) * np.sin(b))
    ra = np.arctan2(-(math.cos(e) * np.sin(b) - math.sin(e) * np.cos(b) * np.sin(big_l)),
                    np.cos(big_l) * np.cos(b))
    return np.mod(np.degrees(ra) + NODE_RA_DEG, 360.0), np.degrees(dec)


def winding_deg(l):
    """Total change of longitude once round a closed ring."""
    step = np.diff(np.concatenate([l, l[:1]]))
    return float(np.sum((step + 180.0) % 360.0 - 180.0))


def all_sky_rings(source):
    """The faintest level's rings that wind once round the sky, as (l, b)."""
    features = {f["id"]: f for f in json.loads(source.read_text())["features"]}
    rings = []
    for polygon in features["ol1"]["geometry"]["coordinates"]:
        for ring in polygon:
            pts = np.asarray(ring, dtype=float)
            l, b = equatorial_to_galactic(np.mod(pts[:, 0], 360.0), pts[:, 1])
            if abs(abs(winding_deg(l)) - 360.0) < 1.0:
                rings.append((l, b))
    if len(rings) != 2:
        sys.exit(f"expected two rings round the sky in ol1, found {len(rings)}")
    rings.sort(key=lambda r: -float(np.mean(r[1])))
    return rings[0], rings[1]  # northern, southern


def envelope(ring, step_deg, pick):
    """Latitude of the ring's outer envelope at l = 0, step, ..., 360 - step.

    Every segment of the ring is unwrapped across the seam at l = 0/360 and
    interpolated at each grid longitude it spans; `pick` (np.fmax or np.fmin)
    keeps the outermost crossing."""
    l, b = ring
    n = int(round(360.0 / step_deg))
    out = np.full(n, np.nan)
    l2 = np.roll(l, -1)
    b2 = np.roll(b, -1)
    dl = (l2 - l + 180.0) % 360.0 - 180.0
    for l1, b1, d, bb in zip(l, b, dl, b2):
        lo, hi = (l1, l1 + d) if d >= 0 else (l1 + d, l1)
        k = np.arange(math.ceil(lo / step_deg), math.floor(hi / step_deg) + 1)
        if k.size == 0:
            continue
        t = (k * step_deg - l1) / d if d != 0 else np.zeros(k.size)
        idx = np.mod(k, n)
        out[idx] = pick(out[idx], b1 + t * (bb - b1))
    if np.isnan(out).any():
        sys.exit("a ring round the sky left a longitude without an edge")
    return out


def resample(values, step_from, step_to):
    """A periodic edge on another longitude grid (linear interpolation)."""
    n_to = int(round(360.0 / step_to))
    x_from = np.arange(values.size + 1) * step_from
    return np.interp(np.arange(n_to) * step_to, x_from, np.append(values, values[0]))


def widen(edge_b, step_deg, radius_deg, north):
    """The edge pushed out by spherical caps of radius_deg about its points."""
    n = edge_b.size
    out = np.full(n, -90.0 if north else 90.0)
    cos_r = math.cos(radius_deg * D2R)
    for j, b0 in enumerate(edge_b):
        b0r = b0 * D2R
        reach = math.degrees(math.asin(min(1.0, math.sin(radius_deg * D2R) / math.cos(b0r))))
        k = np.arange(math.floor(-reach / step_deg), math.ceil(reach / step_deg) + 1)
        dl = np.radians(k * step_deg)
        a = math.sin(b0r)
        c = math.cos(b0r) * np.cos(dl)
        r = np.hypot(a, c)
        ok = r >= cos_r
        phi = np.arctan2(a, c[ok])
        half = np.arccos(np.clip(cos_r / r[ok], -1.0, 1.0))
        idx = np.mod(j + k[ok], n)
        if north:
            out[idx] = np.fmax(out[idx], np.degrees(phi + half))
        else:
            out[idx] = np.fmin(out[idx], np.degrees(phi - half))
    return out


def smooth(values, step_deg, window_deg):
    half = max(1, int(round(window_deg / step_deg / 2)))
    kernel = np.ones(2 * half + 1) / (2 * half + 1)
    padded = np.concatenate([values[-half:], values, values[:half]])
    return np.convolve(padded, kernel, mode="valid")


def simplify(l, b):
    """Drops the points of a sampled edge that a straight step between their
    neighbours replaces to within SIMPLIFY_DEG (Douglas-Peucker), but keeps
    steps no longer than LONGEST_STEP_DEG: a straight step in galactic
    coordinates turns into a curve on the disc. The envelope is made of the
    source ring's straight segments, so most grid points go."""
    keep = np.zeros(l.size, dtype=bool)
    keep[0] = keep[-1] = True
    stack = [(0, l.size - 1)]
    while stack:
        a, z = stack.pop()
        if z <= a + 1:
            continue
        dl, db = l[z] - l[a], b[z] - b[a]
        off = np.abs(db * (l[a + 1:z] - l[a]) - dl * (b[a + 1:z] - b[a])) / math.hypot(dl, db)
        k = a + 1 + int(np.argmax(off))
        if off[k - a - 1] > SIMPLIFY_DEG or dl > LONGEST_STEP_DEG:
            keep[k] = True
            stack += [(a, k), (k, z)]
    return l[keep], b[keep]


def edge_pairs(edge_b, step_deg, north):
    """The (c, d) codes of one closed edge: l from 0 to 360 for a northern edge,
    from 360 to 0 for a southern one; the last point repeats the first
    latitude on the other side of the seam."""
    n = edge_b.size
    l, b = simplify(np.arange(n + 1) * step_deg, np.append(edge_b, edge_b[0]))
    if not north:
        l, b = l[::-1], b[::-1]
    c = np.rint((180.0 - l) * 100.0).astype(np.int64)
    d = np.rint(b * 1000.0).astype(np.int64)
    assert c.min() >= -18000 and c.max() <= 18000
    assert np.abs(d).max() <= int(LATITUDE_LIMIT_DEG * 1000)
    return list(zip(c.tolist(), d.tolist()))


def check_poles(north_b, south_b, step_deg, name):
    """The celestial poles (l = 123, b = +27.4 and l = 303, b = -27.4) must lie
    outside every band, or the chart's projection about one pole would turn a
    band inside out."""
    n = north_b.size
    at_ncp = north_b[int(round((NODE_L_DEG + 90.0) / step_deg)) % n]
    at_scp = south_b[int(round((NODE_L_DEG + 270.0) / step_deg)) % n]
    if at_ncp > POLE_DEC_DEG - POLE_MARGIN_DEG or at_scp < -POLE_DEC_DEG + POLE_MARGIN_DEG:
        sys.exit(f"{name}: a celestial pole lies inside the band "
                 f"(northern edge {at_ncp:.2f} at l=123, southern {at_scp:.2f} at l=303)")
    if np.any(north_b <= south_b):
        sys.exit(f"{name}: the edges cross")


def write_outline(path, pairs):
    path.write_bytes(b"".join(struct.pack("<hh", c, d) for c, d in pairs))
    lat = [d / 1000.0 for _, d in pairs]
    print(f"{path.relative_to(ROOT)}: {len(pairs)} points, b {min(lat):+.1f} .. {max(lat):+.1f}")


def draw_picture(path, rings, edges):
    """The four edges (and the source rings, thin) in galactic coordinates:
    l = 0 in the middle, growing to the left; b from -40 to +40."""
    from PIL import Image, ImageDraw

    scale = 4
    width, height = 360 * scale, 80 * scale

    def xy(l, b):
        x = (180.0 - ((np.asarray(l) + 180.0) % 360.0 - 180.0)) * scale
        return x, (40.0 - np.asarray(b)) * scale

    img = Image.new("RGB", (width, height + 20), (12, 12, 24))
    draw = ImageDraw.Draw(img)
    for b in range(-30, 31, 10):
        draw.line([(0, (40 - b) * scale), (width, (40 - b) * scale)],
                  fill=(60, 60, 80) if b else (110, 110, 140))
    for l in range(0, 360, 30):
        x, _ = xy(l, 0)
        draw.line([(float(x), 0), (float(x), height)], fill=(60, 60, 80))
        draw.text((float(x) + 2, height + 4), str(l), fill=(200, 200, 200))

    def polyline(l, b, colour, width_px):
        x, y = xy(l, b)
        pts = []
        for i in range(len(x)):
            if pts and abs(x[i] - pts[-1][0]) > width / 2:  # wrapped across the picture
                draw.line(pts, fill=colour, width=width_px)
                pts = []
            pts.append((float(x[i]), float(y[i])))
        draw.line(pts, fill=colour, width=width_px)

    for l, b in rings:
        polyline(np.append(l, l[0]), np.append(b, b[0]), (90, 90, 90), 1)
    colours = {"101": (80, 160, 255), "102": (80, 220, 140),
               "103": (255, 200, 60), "104": (255, 90, 90)}
    for name, pairs in edges.items():
        c = np.array([p[0] for p in pairs]) / 100.0
        d = np.array([p[1] for p in pairs]) / 1000.0
        polyline(180.0 - c, d, colours[name], 2)
        draw.text((4, 4 + 12 * (int(name) - 101)), name, fill=colours[name])
    for label, l, b in (("Sgr (bulge)", 8, -24), ("Cyg", 80, 27), ("rift (source fold)", 55, -2), ("Per/Aur", 165, 27),
                        ("Cru", 300, -24)):
        x, y = xy(l, b)
        draw.text((float(x), float(y)), label, fill=(230, 230, 230))
    img.save(path)
    print(f"picture: {path}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("source", nargs="?", type=pathlib.Path, default=DEFAULT_SOURCE)
    parser.add_argument("--picture", type=pathlib.Path, default=pathlib.Path("/tmp/milkyway-edges.png"))
    args = parser.parse_args()

    north_ring, south_ring = all_sky_rings(args.source)
    inner_n = envelope(north_ring, INNER_STEP_DEG, np.fmax)
    inner_s = envelope(south_ring, INNER_STEP_DEG, np.fmin)
    check_poles(inner_n, inner_s, INNER_STEP_DEG, "inner band")

    coarse_n = resample(inner_n, INNER_STEP_DEG, OUTER_STEP_DEG)
    coarse_s = resample(inner_s, INNER_STEP_DEG, OUTER_STEP_DEG)
    outer_n = smooth(widen(coarse_n, OUTER_STEP_DEG, WIDEN_DEG, True), OUTER_STEP_DEG, SMOOTH_DEG)
    outer_s = smooth(widen(coarse_s, OUTER_STEP_DEG, WIDEN_DEG, False), OUTER_STEP_DEG, SMOOTH_DEG)
    outer_n = np.minimum(outer_n, LATITUDE_LIMIT_DEG - 0.05)
    outer_s = np.maximum(outer_s, -LATITUDE_LIMIT_DEG + 0.05)
    check_poles(outer_n, outer_s, OUTER_STEP_DEG, "outer band")

    # The round trip the chart makes must come back to the source.
    l, b = north_ring
    ra, dec = galactic_to_equatorial(l, b)
    l2, b2 = equatorial_to_galactic(ra, dec)
    assert np.allclose(b, b2, atol=1e-9) and np.allclose((l - l2 + 180) % 360 - 180, 0, atol=1e-9)

    folder = ROOT / "data" / "milkyway"
    folder.mkdir(parents=True, exist_ok=True)
    edges = {
        "101": edge_pairs(outer_n, OUTER_STEP_DEG, True),
        "102": edge_pairs(outer_s, OUTER_STEP_DEG, False),
        "103": edge_pairs(inner_n, INNER_STEP_DEG, True),
        "104": edge_pairs(inner_s, INNER_STEP_DEG, False),
    }
    for name, pairs in edges.items():
        write_outline(folder / f"{name}.bin", pairs)
    draw_picture(args.picture, [north_ring, south_ring], edges)
    return 0


if __name__ == "__main__":
    sys.exit(main())
