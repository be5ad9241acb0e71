#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Reads the messages of a Qt binary translation catalogue (.qm).

The tools take translations from Debian packages that ship such catalogues
(stellarium-data's sky-culture catalogues, qt6-translations-l10n). A .qm file
is a 16-byte magic number followed by tagged blocks: one byte tag, a 32-bit
big-endian length, the block. The messages block (tag 0x69) lists the
messages one after another, each a run of tagged fields ended by tag 1:

  2  source text, UTF-16BE      (32-bit length, bytes)
  3  translation, UTF-16BE      (32-bit length, bytes; 0xFFFFFFFF: none);
     a message with plural forms has several
  4  context, UTF-16BE          (32-bit length, bytes)
  5  obsolete hash              (4 bytes)
  6  source text, UTF-8         (32-bit length, bytes)
  7  context, UTF-8             (32-bit length, bytes)
  8  comment, UTF-8             (32-bit length, bytes)
  9  obsolete marker            (no payload)

Usage as a script: tools/qm_catalogue.py FILE.qm [SOURCE TEXT ...] prints
every message, or the translations of the source texts given.
"""
import pathlib
import struct
import sys
from dataclasses import dataclass, field

MAGIC = bytes.fromhex("3cb86418caef9c95cd211cbf60a1bddd")
MESSAGES = 0x69
END, SOURCE16, TRANSLATION, CONTEXT16, OBSOLETE1, SOURCE8, CONTEXT8, COMMENT, OBSOLETE2 = range(1, 10)
NO_TEXT = 0xFFFFFFFF


@dataclass
class Message:
    source: str = ""
    context: str = ""
    comment: str = ""
    translations: list = field(default_factory=list)


def blocks(data: bytes, path) -> dict:
    if data[:16] != MAGIC:
        raise SystemExit(f"{path}: not a Qt translation catalogue")
    found, pos = {}, 16
    while pos < len(data):
        if pos + 5 > len(data):
            raise SystemExit(f"{path}: block header cut short at byte {pos}")
        tag, length = data[pos], struct.unpack(">I", data[pos + 1:pos + 5])[0]
        found[tag] = data[pos + 5:pos + 5 + length]
        pos += 5 + length
    return found


def field_text(block: bytes, pos: int, utf16: bool, path):
    length = struct.unpack(">I", block[pos:pos + 4])[0]
    pos += 4
    if length == NO_TEXT:
        return None, pos
    if pos + length > len(block):
        raise SystemExit(f"{path}: message text runs past its block at byte {pos}")
    raw = block[pos:pos + length]
    return raw.decode("utf-16-be" if utf16 else "utf-8"), pos + length


def messages(path) -> list:
    """Every message of the catalogue, in file order."""
    path = pathlib.Path(path)
    block = blocks(path.read_bytes(), path).get(MESSAGES, b"")
    out, current, pos = [], Message(), 0
    while pos < len(block):
        tag = block[pos]
        pos += 1
        if tag == END:
            out.append(current)
            current = Message()
        elif tag in (SOURCE16, TRANSLATION, CONTEXT16, SOURCE8, CONTEXT8, COMMENT):
            text, pos = field_text(block, pos, tag in (SOURCE16, TRANSLATION, CONTEXT16), path)
            if tag == TRANSLATION:
                current.translations.append(text)
            elif tag in (SOURCE16, SOURCE8):
                current.source = text or ""
            elif tag in (CONTEXT16, CONTEXT8):
                current.context = text or ""
            else:
                current.comment = text or ""
        elif tag == OBSOLETE1:
            pos += 4
        elif tag != OBSOLETE2:
            raise SystemExit(f"{path}: unknown message field {tag} at byte {pos - 1}")
    return out


def translations(path, comment: str = "") -> dict:
    """Source text -> first translation, for the messages with `comment`
    (the sky-culture catalogues mark e.g. genitive forms by a comment)."""
    table = {}
    for m in messages(path):
        if m.comment == comment and m.translations and m.translations[0]:
            table.setdefault(m.source, m.translations[0])
    return table


def main(argv) -> int:
    if len(argv) < 2:
        raise SystemExit(__doc__)
    found = messages(argv[1])
    wanted = set(argv[2:])
    for m in found:
        if not wanted or m.source in wanted:
            print(f"{m.context!r} {m.comment!r} {m.source!r} -> {m.translations!r}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
