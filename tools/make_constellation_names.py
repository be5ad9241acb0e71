#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes data/Cons.txt and the "Names" fragments of the language files.

Source: npm package d3-celestial, data/constellations.json (BSD-3-Clause
licence, Copyright (c) 2015 Olaf Frohn): the 88 constellations with Serpens in
two parts, their abbreviations, IAU names, label positions and Czech names.
The English names are this project's own list below; a few Czech names of the
package are corrected to the usual Czech forms.

Cons.txt holds one record per constellation, alphabetical by Latin name:
  index, ra (1/1000 h), dec (1/100 degree), "abbreviation", "Latin name"
in Windows-1250 with CR LF. The order is part of the format: the zodiac
legend of the PDF mask takes the names at fixed indices, checked below.

tools/lang/<language>/30-names.ini gets section [Names]:
  ConNames: the national names in Cons.txt order, joined by commas;
  Objects: the ten texts beside the symbols of the disc legend on the mask.
Run tools/build_language_files.py afterwards.

Getting the source: npm install --prefix /tmp/npm d3-celestial
Usage: tools/make_constellation_names.py [--celestial DIR]
"""
import argparse
import json
import pathlib
import sys
import unicodedata

ROOT = pathlib.Path(__file__).resolve().parent.parent
CELESTIAL = pathlib.Path("/tmp/npm/node_modules/d3-celestial/data")

# Indices of Cons.txt that the zodiac panel of the mask lists, Aries to Pisces.
ZODIAC = [(6, "Aries"), (78, "Taurus"), (37, "Gemini"), (11, "Cancer"), (45, "Leo"),
          (86, "Virgo"), (48, "Libra"), (72, "Scorpius"), (71, "Sagittarius"),
          (15, "Capricornus"), (3, "Aquarius"), (65, "Pisces")]

# English names by Latin name (the package's English list names Ursa Major
# after its asterism and gives Circinus and Pyxis the same name).
ENGLISH = {
    "Andromeda": "Andromeda", "Antlia": "Air Pump", "Apus": "Bird of Paradise",
    "Aquarius": "Water Bearer", "Aquila": "Eagle", "Ara": "Altar", "Aries": "Ram",
    "Auriga": "Charioteer", "Boötes": "Herdsman", "Caelum": "Chisel",
    "Camelopardalis": "Giraffe", "Cancer": "Crab", "Canes Venatici": "Hunting Dogs",
    "Canis Major": "Great Dog", "Canis Minor": "Little Dog", "Capricornus": "Sea Goat",
    "Carina": "Keel", "Cassiopeia": "Cassiopeia", "Centaurus": "Centaur",
    "Cepheus": "Cepheus", "Cetus": "Whale", "Chamaeleon": "Chameleon",
    "Circinus": "Compasses", "Columba": "Dove", "Coma Berenices": "Berenice's Hair",
    "Corona Australis": "Southern Crown", "Corona Borealis": "Northern Crown",
    "Corvus": "Crow", "Crater": "Cup", "Crux": "Southern Cross", "Cygnus": "Swan",
    "Delphinus": "Dolphin", "Dorado": "Swordfish", "Draco": "Dragon",
    "Equuleus": "Little Horse", "Eridanus": "River Eridanus", "Fornax": "Furnace",
    "Gemini": "Twins", "Grus": "Crane", "Hercules": "Hercules", "Horologium": "Clock",
    "Hydra": "Water Snake", "Hydrus": "Lesser Water Snake", "Indus": "Indian",
    "Lacerta": "Lizard", "Leo": "Lion", "Leo Minor": "Lesser Lion", "Lepus": "Hare",
    "Libra": "Scales", "Lupus": "Wolf", "Lynx": "Lynx", "Lyra": "Lyre",
    "Mensa": "Table Mountain", "Microscopium": "Microscope", "Monoceros": "Unicorn",
    "Musca": "Fly", "Norma": "Carpenter's Square", "Octans": "Octant",
    "Ophiuchus": "Serpent Bearer", "Orion": "Orion", "Pavo": "Peacock",
    "Pegasus": "Winged Horse", "Perseus": "Perseus", "Phoenix": "Phoenix",
    "Pictor": "Painter's Easel", "Pisces": "Fishes", "Piscis Austrinus": "Southern Fish",
    "Puppis": "Stern", "Pyxis": "Mariner's Compass", "Reticulum": "Net",
    "Sagitta": "Arrow", "Sagittarius": "Archer", "Scorpius": "Scorpion",
    "Sculptor": "Sculptor", "Scutum": "Shield", "Serpens Caput": "Serpent's Head",
    "Serpens Cauda": "Serpent's Tail", "Sextans": "Sextant", "Taurus": "Bull",
    "Telescopium": "Telescope", "Triangulum": "Triangle",
    "Triangulum Australe": "Southern Triangle", "Tucana": "Toucan",
    "Ursa Major": "Great Bear", "Ursa Minor": "Little Bear", "Vela": "Sails",
    "Virgo": "Virgin", "Volans": "Flying Fish", "Vulpecula": "Little Fox",
}

# The IAU form where the package's name differs from it.
LATIN_FIXES = {"Corona Austrina": "Corona Australis"}

# Czech names where the usual form differs from the package's.
CZECH_FIXES = {
    "Ursa Minor": "Malá medvědice",
    "Serpens Caput": "Hlava hada",
    "Serpens Cauda": "Ocas hada",
    "Chamaeleon": "Chameleon",
}

# Texts beside the ten symbols of the disc legend: the four star classes of
# the PDF disc, then the other marks of the disc (figures, ecliptic, grid,
# grid hour numbers, the cross at the pole). A comma separates entries, so no
# text may hold one; the second five stand in a column about 40 points wide.
OBJECTS = {
    "english": ["< 1 mag", "1 - 2.5 mag", "2.5 - 4 mag", "4 - 5 mag", "Milky Way",
                "Constellation", "Ecliptic", "RA/Dec grid", "Hour of RA", "Pole"],
    "czech": ["< 1 mag", "1 - 2.5 mag", "2.5 - 4 mag", "4 - 5 mag", "Mléčná dráha",
              "Souhvězdí", "Ekliptika", "Síť RA/Dec", "Hodina RA", "Pól"],
}


def plain(text: str) -> str:
    """Text without diacritics, for sorting (Boötes sorts as Bootes)."""
    return "".join(c for c in unicodedata.normalize("NFD", text)
                   if unicodedata.category(c) != "Mn")


def plain_spaces(text: str) -> str:
    """The package separates some words with typographic spaces."""
    return "".join(" " if unicodedata.category(c) == "Zs" else c for c in text).strip()


def ra_thousandths(longitude_deg: float) -> int:
    return round((longitude_deg % 360.0) / 15.0 * 1000) % 24000


def load_constellations(path: pathlib.Path) -> list:
    collection = json.loads(path.read_text(encoding="utf-8"))
    entries = []
    for feature in collection["features"]:
        p = feature["properties"]
        latin = LATIN_FIXES.get(p["name"], p["name"])
        lon, lat = feature["geometry"]["coordinates"]
        entries.append({
            "abbr": feature["id"],
            "latin": latin,
            "ra": ra_thousandths(lon),
            "dec": round(lat * 100),
            "czech": CZECH_FIXES.get(latin, plain_spaces(p["cz"])),
            "english": ENGLISH[latin],
        })
    entries.sort(key=lambda e: plain(e["latin"]))
    return entries


def check(entries: list) -> None:
    if len(entries) != 89:
        raise SystemExit(f"{len(entries)} constellations, expected 89")
    for index, latin in ZODIAC:
        if entries[index]["latin"] != latin:
            raise SystemExit(f"index {index} is {entries[index]['latin']}, expected {latin}")
    if len(ENGLISH) != 89:
        raise SystemExit(f"{len(ENGLISH)} English names, expected 89")
    for e in entries:
        for field in ("abbr", "latin", "czech", "english"):
            text = e[field]
            if not text or any(c in text for c in ',"()\\'):
                raise SystemExit(f"{e['latin']}: {field} {text!r} is empty or holds , \" ( ) or \\")
            text.encode("cp1250")  # fails on a letter outside Windows-1250


def write_cons(entries: list) -> None:
    lines = [f'{i},{e["ra"]},{e["dec"]},"{e["abbr"]}","{e["latin"]}"\r\n'
             for i, e in enumerate(entries)]
    (ROOT / "data" / "Cons.txt").write_bytes("".join(lines).encode("cp1250"))
    print(f"data/Cons.txt: {len(lines)} records")


def write_fragment(language: str, names: list) -> None:
    objects = OBJECTS[language]
    if len(objects) != 10 or any("," in o for o in objects):
        raise SystemExit(f"{language}: the legend needs ten texts without commas")
    text = ("; Written by tools/make_constellation_names.py: constellation names in\n"
            "; the order of Cons.txt, and the texts of the disc legend on the mask.\n"
            "[Names]\n"
            f"ConNames={','.join(names)}\n"
            f"Objects={','.join(objects)}\n")
    path = ROOT / "tools" / "lang" / language / "30-names.ini"
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text(text, encoding="utf-8")
    print(f"{path.relative_to(ROOT)}: {len(names)} names")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--celestial", type=pathlib.Path, default=CELESTIAL,
                        help="the data folder of the d3-celestial package")
    args = parser.parse_args()
    entries = load_constellations(args.celestial / "constellations.json")
    check(entries)
    write_cons(entries)
    write_fragment("english", [e["english"] for e in entries])
    write_fragment("czech", [e["czech"] for e in entries])
    return 0


if __name__ == "__main__":
    sys.exit(main())
