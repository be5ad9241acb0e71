// SPDX-License-Identifier: GPL-2.0-or-later
// What each fuzz target does with one input, shared by the libFuzzer targets
// in fuzz/targets/ and by the replay tests in tests/fuzz_regressions/. Every
// entry point feeds the bytes to one reader of outside input, swallows the
// errors that reader is meant to report (DataError, PdfError) and throws
// FuzzFinding when a result breaks a rule the reader promises. Anything else
// that escapes, or any sanitizer report, is a finding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace caelora::fuzz {

class FuzzFinding : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// The comma-delimited data files: the same bytes as "yale.dat", as a figure
// set, as "Cons.txt" and as "boundaries.dat", and field by field through
// SequentialInput.
void sequentialInput(const std::uint8_t* data, std::size_t size);

// "iso.fnt" and the "OGL_font" section of a language file, both written to a
// temporary folder and read by loadFont; the glyphs are then drawn. The two
// files are separated by a line "#####"; without it the language file has
// no overrides.
void glyphFile(const std::uint8_t* data, std::size_t size);

// Glyph definitions drawn by drawArcText and drawLineText: the first bytes
// choose scheme, size, radius and angle, the rest up to the first NUL is
// the definition of every letter of the text after the NUL.
void glyphDefinitions(const std::uint8_t* data, std::size_t size);

// A language file read by the profile reader: section and key names taken
// from the file itself and fixed ones, at several buffer sizes.
void profileReader(const std::uint8_t* data, std::size_t size);

// Four Milky Way outline resources, each preceded by its length (two bytes,
// little-endian), after a byte choosing latitude and scheme; decoded, and
// when all four decode, turned into the layer's triangles.
void milkyWayOutline(const std::uint8_t* data, std::size_t size);

// A settings store whose fourteen values are the lines of the input (a line
// "\x01" leaves its key out), read by loadSettings, saved and read again; and
// each line through parseBoolean and parseWholeNumber.
void settingsText(const std::uint8_t* data, std::size_t size);

// The information strings and literal strings of the PDF: pdfTextString and
// the escaping of parentheses and backslashes.
void pdfText(const std::uint8_t* data, std::size_t size);

// A legend drawing, written as "Symbols.txt" and read by readLegendSymbols.
// A drawing it accepts must read by the PDF syntax as it was written: no
// string left open, no comment, "q"/"Q" and "BT"/"ET" in pairs, and text
// drawn after it still tokens of its own.
void legendSymbols(const std::uint8_t* data, std::size_t size);

// The keys of section "Font1" of a language file, from which PdfWriter
// writes the embedded font of a document without pages. A document it
// finishes must hold exactly the objects its cross-reference table lists,
// at the offsets listed, each with its dictionaries and arrays closed.
void fontKeys(const std::uint8_t* data, std::size_t size);

}  // namespace caelora::fuzz
