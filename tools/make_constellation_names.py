#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes data/Cons.txt and the "Names" fragments of the language files.

Source: npm package d3-celestial, data/constellations.json (BSD-3-Clause
licence, Copyright (c) 2015 Olaf Frohn): the 88 constellations with Serpens in
two parts, their abbreviations, IAU names, label positions and Czech names.
The English names are this project's own list below; a few Czech names of the
package are corrected to the usual Czech forms.

The German, Polish, Slovak, Hungarian, Slovenian and Croatian names come from
the sky-culture translation catalogues of Debian's stellarium-data
(/usr/share/stellarium/translations/stellarium-skycultures/<code>.qm, GNU
GPL v2 or later), which translate the IAU names; read by tools/qm_catalogue.py.
The catalogues name Serpens as a whole, so its head and tail are named below,
and a few of their names are mended (NATIONAL_FIXES, each checked against
what the catalogue says, so a changed catalogue is noticed).

Cons.txt holds one record per constellation, alphabetical by Latin name:
  index, ra (1/1000 h), dec (1/100 degree), "abbreviation", "Latin name"
in Windows-1250 with CR LF. The order is part of the format: the zodiac
legend of the PDF mask takes the names at fixed indices, checked below.

tools/lang/<language>/30-names.ini gets section [Names]:
  ConNames: the national names in Cons.txt order, joined by commas;
  Objects: the ten texts beside the symbols of the disc legend on the mask.
Run tools/build_language_files.py afterwards.

Getting the sources: npm install --prefix /tmp/npm d3-celestial;
apt-get install stellarium-data
Usage: tools/make_constellation_names.py [--celestial DIR] [--skycultures DIR]
"""
import argparse
import json
import pathlib
import sys
import unicodedata

import qm_catalogue

ROOT = pathlib.Path(__file__).resolve().parent.parent
CELESTIAL = pathlib.Path("/tmp/npm/node_modules/d3-celestial/data")
SKYCULTURES = pathlib.Path("/usr/share/stellarium/translations/stellarium-skycultures")

# The languages named from the catalogues: folder under tools/lang -> code.
CATALOGUED = {"german": "de", "polish": "pl", "slovak": "sk", "hungarian": "hu",
              "slovenian": "sl", "croatian": "hr"}

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

# The halves of Serpens, which the catalogues do not name apart.
SERPENS_PARTS = {
    "german": ("Kopf der Schlange", "Schwanz der Schlange"),
    "polish": ("Głowa Węża", "Ogon Węża"),
    "slovak": ("Hlava hada", "Chvost hada"),
    "hungarian": ("Kígyó Feje", "Kígyó Farka"),
    "slovenian": ("Glava kače", "Rep kače"),
    "croatian": ("Glava zmije", "Rep zmije"),
}

# Names mended: Latin name -> (what the catalogue says, the traditional name).
NATIONAL_FIXES = {
    "german": {"Phoenix": ("Phoenix", "Phönix")},                 # the German spelling
    "polish": {"Hydra": ("Wąż Wodny (Hydra)", "Wąż Wodny")},       # no Latin in brackets
    "slovak": {"Triangulum Australe": ("Južný trujuholník", "Južný trojuholník"),  # misspelt
               "Ursa Minor": ("Malý medveď", "Malá medvedica")},  # as Veľká medvedica
    "croatian": {"Crux": ("Križ", "Južni križ")},                  # Cygnus is a cross too
}

# Croatian writes only the first word of a constellation's name with a
# capital ("Veliki medvjed"); the catalogue mixes both ways.
FIRST_WORD_CAPITAL_ONLY = {"croatian"}

# Texts beside the ten symbols of the disc legend: the four star classes of
# the PDF disc, then the other marks of the disc (figures, ecliptic, grid,
# grid hour numbers, the cross at the pole). A comma separates entries, so no
# text may hold one; the second five stand in a column about 40 points wide.
OBJECTS = {
    "english": ["< 1 mag", "1 - 2.5 mag", "2.5 - 4 mag", "4 - 5 mag", "Milky Way",
                "Constellation", "Ecliptic", "RA/Dec grid", "Hour of RA", "Pole"],
    "czech": ["< 1 mag", "1 - 2.5 mag", "2.5 - 4 mag", "4 - 5 mag", "Mléčná dráha",
              "Souhvězdí", "Ekliptika", "Síť RA/Dec", "Hodina RA", "Pól"],
    "german": ["< 1 mag", "1 - 2.5 mag", "2.5 - 4 mag", "4 - 5 mag", "Milchstraße",
               "Sternbild", "Ekliptik", "RA/Dec-Netz", "RA-Stunde", "Pol"],
    "polish": ["< 1 mag", "1 - 2.5 mag", "2.5 - 4 mag", "4 - 5 mag", "Droga Mleczna",
               "Gwiazdozbiór", "Ekliptyka", "Siatka RA/Dec", "Godzina RA", "Biegun"],
    "slovak": ["< 1 mag", "1 - 2.5 mag", "2.5 - 4 mag", "4 - 5 mag", "Mliečna cesta",
               "Súhvezdie", "Ekliptika", "Sieť RA/Dec", "Hodina RA", "Pól"],
    "hungarian": ["< 1 mag", "1 - 2.5 mag", "2.5 - 4 mag", "4 - 5 mag", "Tejút",
                  "Csillagkép", "Ekliptika", "RA/Dec háló", "RA óra", "Pólus"],
    "slovenian": ["< 1 mag", "1 - 2.5 mag", "2.5 - 4 mag", "4 - 5 mag", "Rimska cesta",
                  "Ozvezdje", "Ekliptika", "Mreža RA/Dec", "Ura RA", "Pol"],
    "croatian": ["< 1 mag", "1 - 2.5 mag", "2.5 - 4 mag", "4 - 5 mag", "Mliječni put",
                 "Zviježđe", "Ekliptika", "Mreža RA/Dec", "Sat RA", "Pol"],
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


def national_names(language: str, entries: list, catalogue: pathlib.Path) -> list:
    """The names of one catalogued language in Cons.txt order."""
    table = qm_catalogue.translations(catalogue)
    fixes = NATIONAL_FIXES.get(language, {})
    head, tail = SERPENS_PARTS[language]
    names = []
    for e in entries:
        latin = e["latin"]
        if latin in ("Serpens Caput", "Serpens Cauda"):
            names.append(head if latin == "Serpens Caput" else tail)
            continue
        name = table.get(latin, table.get(plain(latin)))  # the catalogue writes Bootes
        if name is None:
            raise SystemExit(f"{catalogue}: no translation of {latin}")
        if latin in fixes:
            found, wanted = fixes[latin]
            if name != found:
                raise SystemExit(f"{catalogue}: {latin} is {name!r} now, not {found!r}: check the fix")
            name = wanted
        if language in FIRST_WORD_CAPITAL_ONLY:
            first, _, rest = name.partition(" ")
            name = (first + " " + rest.lower()).strip()
        names.append(plain_spaces(name))
    check_names(language, names)
    return names


def check_names(language: str, names: list) -> None:
    if len(set(names)) != len(names):
        raise SystemExit(f"{language}: two constellations share a name")
    for name in names:
        if not name or any(c in name for c in ',"()\\'):
            raise SystemExit(f"{language}: {name!r} is empty or holds , \" ( ) or \\")
        name.encode("cp1250")  # fails on a letter outside Windows-1250


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
    parser.add_argument("--skycultures", type=pathlib.Path, default=SKYCULTURES,
                        help="the folder of stellarium-data's sky-culture catalogues")
    args = parser.parse_args()
    entries = load_constellations(args.celestial / "constellations.json")
    check(entries)
    write_cons(entries)
    write_fragment("english", [e["english"] for e in entries])
    write_fragment("czech", [e["czech"] for e in entries])
    for language, code in CATALOGUED.items():
        write_fragment(language, national_names(language, entries, args.skycultures / f"{code}.qm"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
