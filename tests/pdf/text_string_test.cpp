// SPDX-License-Identifier: GPL-2.0-or-later
// Information strings: Windows-1250 bytes to UTF-16 hex strings.
#include <gtest/gtest.h>

#include "pdf/text_string.h"

namespace caelora {
namespace {

TEST(PdfTextString, GivesOneCodeUnitPerCharacter) {
  EXPECT_EQ(pdfTextString(""), "()");
  EXPECT_EQ(pdfTextString("abc"), "<FEFF006100620063>");
  EXPECT_EQ(pdfTextString("abc").size(), 18u);
  EXPECT_EQ(pdfTextString("0 (!)~"), "<FEFF00300020002800210029007E>");
  // Czech letters: z, r, S, s with caron, C and c with caron, dot above.
  EXPECT_EQ(pdfTextString("\x9E\xF8\x8A\x9A\xC8\xE8\xFF"), "<FEFF017E015901600161010C010D02D9>");
  EXPECT_EQ(pdfTextString("\xB0"), "<FEFF00B0>");  // degree sign
}

TEST(PdfTextString, LeavesOutTheBytesWithoutAnEntry) {
  EXPECT_EQ(pdfTextString("\x80"), "<FEFF>");
  EXPECT_EQ(pdfTextString("a\x81\x83\x88\x90\x98\xAC" "b"), "<FEFF00610062>");
}

TEST(PdfLiteralText, EscapesWhatWouldEndOrBreakTheString) {
  EXPECT_EQ(pdfLiteralText("Berenice's Hair (Coma)"), "Berenice's Hair \\(Coma\\)");
  EXPECT_EQ(pdfLiteralText("a\\b"), "a\\\\b");
  EXPECT_EQ(pdfLiteral("a\rb"), "(a\\rb)");  // a bare CR would read back as a line feed
}

}  // namespace
}  // namespace caelora
