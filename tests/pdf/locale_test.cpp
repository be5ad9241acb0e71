// SPDX-License-Identifier: GPL-2.0-or-later
// The document does not depend on the user's locale: written under a locale
// whose decimal separator is a comma, it has the same bytes as under "C".
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "pdf/content.h"
#include "pdf/pdf_writer.h"
#include "pdf_test_support.h"

namespace caelora {
namespace {

using test::PdfTest;

std::string writeDocument(const test::fs::path& dir) {
  std::string widths = "[ ";
  for (int code = 32; code <= 255; ++code) widths += std::to_string(400 + code) + ".5 ";
  const auto language = dir / "comma.lng";
  test::writeFile(language, "[Font1]\r\nBaseFont=Test\r\nFirstChar=32\r\nLastChar=255\r\nWidths=" + widths +
                                "]\r\nItalicAngle=-9.5\r\nLoD=1\r\nData=00\r\n");
  const auto target = dir / "comma.pdf";
  PdfWriter writer(test::fixedClock());
  writer.setFileName(target.string());
  writer.setLanguageFile(language.string());
  writer.pdfBeginDocument(DocumentInfo{"", "Caelora 1.2", "", "", "", ""});
  PdfFont font;
  font.subtype = "Type1";
  font.embedded = true;
  writer.fonts().push_back(font);
  writer.pdfWriteResources();
  const std::int32_t start = writer.pdfBeginPage();
  for (int i = 0; i < 2000; ++i) writer.pdfWriteLine(pdfCirclePath(297.5f, 544.5f, 1.37f * static_cast<float>(i)) + "S");
  pdfArcText(writer, PageDisc(297.5 + 1.25, 544.5, 297.5), 12.5, 0.93, "Leden 1234567", 16);
  pdfArcText(writer, PageDisc::ofPage(595, 842), 190, -0.5, "Jih", -8);
  writer.pdfEndPage(start);
  writer.pdfEndDocument();
  return test::readFile(target);
}

TEST_F(PdfTest, CommaDecimalLocaleChangesNoByte) {
  const std::string underC = writeDocument(dir_);
  std::string underComma;
  {
    test::CommaLocale comma;
    // The locale is really in effect, for C++ streams and for C alike.
    std::ostringstream cpp;
    cpp << 1.5;
    EXPECT_EQ(cpp.str(), "1,5");
    char c[16];
    std::snprintf(c, sizeof c, "%.1f", 1.5);
    EXPECT_STREQ(c, "1,5");
    underComma = writeDocument(dir_);
  }
  EXPECT_GT(underC.size(), 100000u);
  EXPECT_TRUE(underC == underComma) << "the documents differ";
  EXPECT_NE(underC.find("/ItalicAngle -9.5\r"), std::string::npos);
  EXPECT_EQ(underC.find(','), std::string::npos) << "no comma anywhere in a document without texts";
}

}  // namespace
}  // namespace caelora
