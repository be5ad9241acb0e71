#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes data/Symbols.txt: the symbols of the legend on the mask page.

Source and licence: our own drawing, part of Caelora under the project's
licence; nothing is taken from elsewhere.

The file holds PDF content-stream operators, one group per line. The export
joins the lines with blanks and copies them into page 1 with the mask's frame
in force (units of 0.85 pt, y up), right after the legend panels, with the
fill colour of the legend texts and the stroke colour of the pivot cross set
and the fold line's dash pattern in force. So the file
  - holds no "%" comments (they would swallow the joined line),
  - draws each symbol inside "q ... Q", leaving colours, width and dash as
    they were,
  - draws in the fill colour in force (the texts' colour) or the stroke
    colour in force (the chart's line colour), so that both export schemes
    fit; only the Milky Way patch takes a fixed middle grey.
The legend texts ("Objects" of section Names) stand in two columns of five
lines in the right panel (x 425.2 to 545.2, y 260 to 320 below the title
bar): column 3 at x = 443 and column 4 at x = 503, baselines 309.6, 301.2,
292.8, 284.4 and 276. Each symbol stands just left of its text, centred
2.4 units above the baseline, in the order of the texts: stars brighter than
magnitude 1, 1 to 2.5, 2.5 to 4, 4 to 5 (dots of the widths the disc page
gives them: 4, 3, 2, 1), Milky Way; constellation figure, ecliptic, RA/Dec
grid, hour number of right ascension, celestial pole.
"""
import pathlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
KAPPA = 0.5522847498  # Bezier circle constant
BASELINES = [309.6, 301.2, 292.8, 284.4, 276.0]
LEFT_X = 435.0   # centre of the symbols of column 3
RIGHT_X = 494.5  # centre of the symbols of column 4


def n(v: float) -> str:
    text = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def ellipse(cx: float, cy: float, rx: float, ry: float) -> str:
    """A closed ellipse path of four cubic segments, without painting."""
    kx, ky = rx * KAPPA, ry * KAPPA
    pts = [
        (cx - rx, cy),
        (cx - rx, cy - ky), (cx - kx, cy - ry), (cx, cy - ry),
        (cx + kx, cy - ry), (cx + rx, cy - ky), (cx + rx, cy),
        (cx + rx, cy + ky), (cx + kx, cy + ry), (cx, cy + ry),
        (cx - kx, cy + ry), (cx - rx, cy + ky), (cx - rx, cy),
    ]
    out = [f"{n(pts[0][0])} {n(pts[0][1])} m"]
    for i in range(1, 13, 3):
        out.append(" ".join(f"{n(x)} {n(y)}" for x, y in pts[i:i + 3]) + " c")
    return " ".join(out)


def centre(row: int) -> float:
    return BASELINES[row] + 2.4


def star(row: int, width: float) -> str:
    return f"q {ellipse(LEFT_X, centre(row), width / 2, width / 2)} f Q"


def milky_way() -> str:
    y = centre(4)
    # A ragged band: two overlapping soft lobes in a middle grey.
    return (f"q 0 0 0 0.5 k {ellipse(LEFT_X - 2.5, y - 0.3, 5, 2.2)} f "
            f"{ellipse(LEFT_X + 2.5, y + 0.5, 3.5, 1.8)} f Q")


def constellation() -> str:
    y = centre(0)
    a, b, c = (RIGHT_X - 5.5, y - 1.8), (RIGHT_X, y + 1.8), (RIGHT_X + 5.5, y - 0.6)
    dots = " ".join(f"{ellipse(x, yy, 0.9, 0.9)} f" for x, yy in (a, b, c))
    return (f"q [] 0 d 0.5 w {n(a[0])} {n(a[1])} m {n(b[0])} {n(b[1])} l "
            f"{n(c[0])} {n(c[1])} l S {dots} Q")


def ecliptic() -> str:
    y = centre(1)
    return (f"q [] 0 d 0.8 w {n(RIGHT_X - 6)} {n(y - 1.5)} m "
            f"{n(RIGHT_X - 2)} {n(y + 2.5)} {n(RIGHT_X + 2)} {n(y + 2.5)} {n(RIGHT_X + 6)} {n(y - 1.5)} c S Q")


def grid() -> str:
    y = centre(2)
    lines = [
        (RIGHT_X - 6, y - 2, RIGHT_X + 6, y - 2),
        (RIGHT_X - 6, y + 2, RIGHT_X + 6, y + 2),
        (RIGHT_X - 3, y - 3.5, RIGHT_X - 3, y + 3.5),
        (RIGHT_X + 3, y - 3.5, RIGHT_X + 3, y + 3.5),
    ]
    path = " ".join(f"{n(x1)} {n(y1)} m {n(x2)} {n(y2)} l" for x1, y1, x2, y2 in lines)
    return f"q [] 0 d 0.5 w {path} S Q"


def hour_number() -> str:
    return f"q BT /F1 6 Tf 1 0 0 1 {n(RIGHT_X - 3.5)} {n(BASELINES[3])} Tm (12) Tj ET Q"


def pole() -> str:
    y = centre(4)
    return (f"q [] 0 d 1 w {n(RIGHT_X - 4)} {n(y)} m {n(RIGHT_X + 4)} {n(y)} l "
            f"{n(RIGHT_X)} {n(y - 4)} m {n(RIGHT_X)} {n(y + 4)} l S Q")


def main() -> None:
    lines = [star(0, 4), star(1, 3), star(2, 2), star(3, 1), milky_way(),
             constellation(), ecliptic(), grid(), hour_number(), pole()]
    target = ROOT / "data" / "Symbols.txt"
    target.write_bytes(("\r\n".join(lines) + "\r\n").encode("ascii"))
    print(f"data/Symbols.txt: {len(lines)} symbols")


if __name__ == "__main__":
    main()
