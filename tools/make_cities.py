#!/usr/bin/python3
"""Writes data/cities.txt: the main city of every time zone, for the place
in the options dialog.

Source and licence: zone1970.tab of the time zone database, as Debian's
package tzdata installs it (/usr/share/zoneinfo/zone1970.tab); the
database is in the public domain (IANA).

One line per zone, sorted by city name, fields separated by a tab:
  city name, latitude (degrees, north positive), longitude (degrees, east
  positive), zone name
The city is the last part of the zone's name with "_" read as a blank
("America/Argentina/Buenos_Aires" -> "Buenos Aires"), the coordinates those
of the zone's principal location, to two decimals. Lines starting with "#"
are comments. The names are ASCII, so the file reads the same in
Windows-1250 like every other data file.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCE = pathlib.Path("/usr/share/zoneinfo/zone1970.tab")
TARGET = ROOT / "data" / "cities.txt"

# ISO 6709: +DDMM+DDDMM or +DDMMSS+DDDMMSS.
COORDINATES = re.compile(r"^([+-])(\d{2})(\d{2})(\d{2})?([+-])(\d{3})(\d{2})(\d{2})?$")


def degrees(sign: str, d: str, m: str, s: str | None) -> float:
    value = int(d) + int(m) / 60 + (int(s) / 3600 if s else 0)
    return -value if sign == "-" else value


def place(coordinates: str) -> tuple[float, float]:
    match = COORDINATES.match(coordinates)
    if not match:
        raise ValueError(f"{SOURCE}: coordinates {coordinates!r} are not ISO 6709")
    g = match.groups()
    return degrees(g[0], g[1], g[2], g[3]), degrees(g[4], g[5], g[6], g[7])


def city_of(zone: str) -> str:
    return zone.rsplit("/", 1)[-1].replace("_", " ")


def rows() -> list[tuple[str, float, float, str]]:
    found = []
    for line in SOURCE.read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        fields = line.split("\t")
        latitude, longitude = place(fields[1])
        found.append((city_of(fields[2]), latitude, longitude, fields[2]))
    return sorted(found, key=lambda r: (r[0].casefold(), r[3]))


def main() -> int:
    lines = [
        "# The main city of every time zone: name, latitude, longitude (degrees,",
        "# north and east positive), zone. From zone1970.tab of the time zone",
        "# database (public domain), written by tools/make_cities.py.",
    ]
    for name, latitude, longitude, zone in rows():
        lines.append(f"{name}\t{latitude:.2f}\t{longitude:.2f}\t{zone}")
    data = ("\r\n".join(lines) + "\r\n").encode("ascii")
    TARGET.write_bytes(data)
    print(f"{TARGET.relative_to(ROOT)}: {len(lines) - 3} cities, {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
