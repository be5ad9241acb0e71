// SPDX-License-Identifier: GPL-2.0-or-later
// The embedded font's objects as they come from a font section, the widths
// that text placement reads, and the sections that cannot be used.
#include <gtest/gtest.h>

#include "pdf/pdf_writer.h"
#include "pdf_test_support.h"

namespace caelora {
namespace {

using test::PdfTest;

const std::string kDescriptive =
    "BaseFont=Test-Font\r\n"
    "FirstChar=32\r\n"
    "LastChar=33\r\n"
    "Widths=[ 250 ]\r\n"
    "Flags=32\r\n"
    "FontBBox=[ 0 0 1000 1000 ]\r\n"
    "StemV=80\r\n";

class EmbeddedFont : public PdfTest {
 protected:
  // Writes a document with font 1 described by `section` and no pages;
  // returns the file.
  std::string writeWithFont(const std::string& section) {
    const auto language = dir_ / "test.lng";
    test::writeFile(language, "[GUI_Strings]\r\n101=Test\r\n[Font1]\r\n" + section);
    const auto target = dir_ / "font.pdf";
    writer_.pdfInit();
    writer_.setFileName(target.string());
    writer_.setLanguageFile(language.string());
    writer_.pdfBeginDocument(DocumentInfo{});
    PdfFont font;
    font.subtype = "Type1";
    font.embedded = true;
    writer_.fonts().push_back(font);
    writer_.pdfWriteResources();
    writer_.pdfEndDocument();
    return test::readFile(target);
  }

  // The message of the error that writing with `section` raises.
  std::string errorFor(const std::string& section) {
    try {
      writeWithFont(section);
    } catch (const PdfError& error) {
      return error.what();
    }
    return "no error";
  }

  PdfWriter writer_{test::fixedClock()};
};

TEST_F(EmbeddedFont, WithDifferencesTheEncodingFollowsTheFontDictionary) {
  const std::string pdf =
      writeWithFont("Differences=32 /space /A\r\n" + kDescriptive + "LoD=3\r\nData=00FF7a\r\n");
  const std::string expected =
      "4 0 obj\r<<\r/Type /Font\r/Subtype /Type1\r/Encoding 5 0 R\r/BaseFont /Test-Font\r"
      "/FirstChar 32\r/LastChar 33\r/Widths [ 250 ]\r/FontDescriptor 6 0 R\r>>\rendobj\r"
      "5 0 obj\r<< /Type /Encoding /Differences [32 /space /A] >> endobj\r"
      "6 0 obj\r<<\r/Type /FontDescriptor/FontName /Test-Font\r/Flags 32\r"
      "/FontBBox [ 0 0 1000 1000 ]\r/StemV 80\r/FontFile3 7 0 R\r>>\rendobj\r"
      "7 0 obj\r<<\r/Filter /FlateDecode\r/Subtype /Type1C\r/Length 3\r>>\rstream\r\n"
      "\x00\xFF\x7A\r\nendstream\rendobj\r"
      "8 0 obj\r<<\r/Font <<\r/F1 4 0 R \r>>\r/ProcSet [ /PDF /Text ]\r>>\rendobj\r";
  EXPECT_NE(pdf.find(expected), std::string::npos) << pdf;

  const auto offsets = test::xrefOffsets(pdf);
  ASSERT_EQ(offsets.size(), 8u);
  for (std::size_t n = 4; n <= 8; ++n) {
    const std::string opening = std::to_string(n) + " 0 obj\r";
    EXPECT_EQ(pdf.compare(static_cast<std::size_t>(offsets[n - 1]), opening.size(), opening), 0) << n;
  }
}

TEST_F(EmbeddedFont, WithoutDifferencesTheDescriptorFollowsDirectly) {
  const std::string pdf = writeWithFont(kDescriptive + "LoD=0\r\n");
  EXPECT_NE(pdf.find("/Subtype /Type1\r/Encoding /WinAnsiEncoding\r/BaseFont /Test-Font\r"), std::string::npos);
  EXPECT_NE(pdf.find("/FontDescriptor 5 0 R\r>>\rendobj\r5 0 obj\r<<\r/Type /FontDescriptor/FontName /Test-Font\r"),
            std::string::npos);
  EXPECT_NE(pdf.find("/FontFile3 6 0 R\r>>\rendobj\r6 0 obj\r"), std::string::npos);
  EXPECT_NE(pdf.find("/Length 0\r>>\rstream\r\n\r\nendstream\r"), std::string::npos);
  EXPECT_EQ(pdf.find("/Encoding 5"), std::string::npos);
}

TEST_F(EmbeddedFont, OneWidthFillsOnlyTheFirstCode) {
  writeWithFont(kDescriptive + "LoD=0\r\n");
  const FontWidths& widths = writer_.fontWidths();
  EXPECT_EQ(widths.firstChar, 32);
  ASSERT_EQ(widths.widths.size(), 224u);
  EXPECT_EQ(widths.at(32), 250);
  EXPECT_EQ(widths.at(33), 0);
  EXPECT_EQ(widths.at(255), 0);
  EXPECT_THROW(widths.at(31), PdfError);
}

TEST_F(EmbeddedFont, WidthsAreRoundedHalvesToEven) {
  writeWithFont("FirstChar=250\r\nWidths=[ 250.5 251.5 -3 ]\r\nLoD=0\r\n");
  EXPECT_EQ(writer_.fontWidths().at(250), 250);
  EXPECT_EQ(writer_.fontWidths().at(251), 252);
  EXPECT_EQ(writer_.fontWidths().at(252), -3);
}

TEST_F(EmbeddedFont, RealFontSectionGivesWidthsToLatinAndCzechLetters) {
  const std::string language = test::readFile(test::dataDir() + "/czech.lng");
  const std::size_t at = language.find("[Font1]\r\n");
  ASSERT_NE(at, std::string::npos);
  writeWithFont(language.substr(at + 9));
  EXPECT_EQ(writer_.fontWidths().at('A'), 667);
  EXPECT_EQ(writer_.fontWidths().at(0x9E), 500);  // z with caron
  EXPECT_EQ(writer_.fontWidths().at(0xF8), 333);  // r with caron
}

TEST_F(EmbeddedFont, UnusableSectionsStopTheDocumentNamingFileAndKey) {
  const std::string language = (dir_ / "test.lng").string();
  struct Case {
    std::string section;
    std::string key;
  };
  const std::vector<Case> cases = {
      {"FirstChar=32\r\nData=00\r\n", "LoD"},                     // absent
      {"FirstChar=32\r\nLoD=many\r\n", "LoD"},                    // not a number
      {"LoD=0\r\n", "FirstChar"},                                 // absent for font 1
      {"FirstChar=254\r\nWidths=[ 1 2 3 ]\r\nLoD=0\r\n", "Widths"},  // more widths than codes
      {"FirstChar=32\r\nWidths=[ 1 x ]\r\nLoD=0\r\n", "Widths"},
      {"FirstChar=32\r\nLoD=2\r\nData=00GG\r\n", "Data"},         // not hexadecimal
      {"FirstChar=32\r\nLoD=3\r\nData=0000\r\n", "Data"},         // shorter than declared
      {"FirstChar=32\r\nLoD=1\r\nData=0000\r\n", "Data"},         // longer than declared
      // Values copied into the document have the syntax of their key.
      {"BaseFont=Foo Bar>> endobj\r\nLoD=0\r\n", "BaseFont \"Foo Bar>> endobj\" is not a PDF name"},
      {"FirstChar=32\r\nFlags=abc\r\nLoD=0\r\n", "Flags \"abc\" is not an integer"},
      {"FirstChar=32\r\nFontBBox=[\r\nLoD=0\r\n", "FontBBox \"[\" is not an array of four numbers"},
      {"FirstChar=32\r\nFontBBox=[ 0 0 1 ]\r\nLoD=0\r\n", "FontBBox"},
      {"FirstChar=32\r\nWidths=250 251\r\nLoD=0\r\n", "Widths \"250 251\" is not an array of numbers"},
      {"FirstChar=32\r\nItalicAngle=1e5\r\nLoD=0\r\n", "ItalicAngle"},
      {"FirstChar=3 2\r\nLoD=0\r\n", "FirstChar"},
      {"Differences=32 /space] >> endobj 9 0 obj << >> endobj\r\nFirstChar=32\r\nLoD=0\r\n",
       "Differences \"32 /space] >> endobj 9 0 obj << >> endob...\" is not a list of character codes and glyph names"},
  };
  for (const auto& c : cases) {
    const std::string message = errorFor(c.section);
    EXPECT_NE(message.find(language), std::string::npos) << c.section << message;
    EXPECT_NE(message.find(c.key), std::string::npos) << c.section << message;
    EXPECT_EQ(strayFiles("test.lng"), std::vector<std::string>()) << c.section;
  }
}

}  // namespace
}  // namespace caelora
