// SPDX-License-Identifier: GPL-2.0-or-later
// A two-page document with the embedded font of the real language file, as
// the export writes it, checked by the real readers: qpdf, pdffonts,
// pdftotext; and by reading the file back ourselves.
#include <gtest/gtest.h>

#include <regex>

#include "i18n/cp1250.h"
#include "pdf/content.h"
#include "pdf/pdf_writer.h"
#include "pdf_test_support.h"

namespace caelora {
namespace {

using test::PdfTest;

const char* const kCzechLine = "Příliš žluťoučký kůň úpěl ďábelské ódy";

// Writes the document into `target` and returns nothing; a failure throws.
void writeTwoPages(const test::fs::path& target) {
  PdfWriter writer(test::fixedClock());
  writer.pdfInit();
  writer.setFileName(target.string());
  writer.setLanguageFile(test::dataDir() + "/czech.lng");
  DocumentInfo info;
  info.creator = utf8ToCp1250("Otočná mapa 1.2");
  info.producer = "Caelora tests";
  info.title = utf8ToCp1250("Otočná mapa");
  info.subject = utf8ToCp1250("Otočná mapa (50° severní šířky)");
  writer.pdfBeginDocument(info);
  writer.fonts().assign(1, PdfFont::embeddedChartFont());
  writer.pdfWriteResources();

  std::int32_t start = writer.pdfBeginPage();
  writer.pdfWriteLine("0.85 0 0 0.85 0 0 cm");
  writer.pdfWriteLine("1 0 0 1 60 170 cm");
  writer.pdfWriteLine("BT");
  writer.pdfWriteLine("/F1 14 Tf");
  writer.pdfWriteLine("20 700 Td");
  writer.pdfWriteLine("(" + utf8ToCp1250(kCzechLine) + ") Tj");
  writer.pdfWriteLine("ET");
  pdfArcText(writer, PageDisc::ofPage(595, 842), 0, 0.8, utf8ToCp1250("LEDEN (ÚNOR) \\ ŘÍJEN"), 16);
  pdfArcText(writer, PageDisc(297.5 + 12, 544.5, 297.5), 180, -0.83, utf8ToCp1250("Jižní obzor"), -10);
  writer.pdfEndPage(start);

  // A page long enough to reach the file in several blocks.
  start = writer.pdfBeginPage();
  writer.pdfWriteLine("0.85 0 0 0.85 0 0 cm");
  writer.pdfWriteLine("1 0 0 1 60 130 cm");
  writer.pdfWriteLine("0 0 0 1 K");
  for (int i = 0; i < 600; ++i) {
    writer.pdfWriteLine(pdfCirclePath(297.5f, 544.5f, 2.0f + 0.44f * static_cast<float>(i)) + "S");
  }
  writer.pdfWriteLine(pdfHalfCirclePath(297.5f, 544.5f, 100) + "S");
  writer.pdfEndPage(start);
  writer.pdfEndDocument();
}

class TwoPageDocument : public PdfTest {
 protected:
  void SetUp() override {
    PdfTest::SetUp();
    target_ = dir_ / "chart.pdf";
    writeTwoPages(target_);
    pdf_ = test::readFile(target_);
  }
  test::fs::path target_;
  std::string pdf_;
};

TEST_F(TwoPageDocument, QpdfFindsNothingToWarnAbout) {
  const auto result = test::runCommand("qpdf --check " + test::quoted(target_));
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(result.output.find("WARNING"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("No syntax or stream encoding errors found"), std::string::npos) << result.output;
}

TEST_F(TwoPageDocument, EveryCrossReferencePointsAtItsObject) {
  EXPECT_GT(pdf_.size(), 2 * PdfWriter::kBufferLimit) << "the document must have been flushed mid-way";
  const auto offsets = test::xrefOffsets(pdf_);
  // 1 info, 2 catalog, 3 pages, 4 font, 5 encoding, 6 descriptor, 7 font
  // file, 8 resources, then page, contents and length for each page.
  ASSERT_EQ(offsets.size(), 14u);
  for (std::size_t n = 1; n <= offsets.size(); ++n) {
    const std::string opening = std::to_string(n) + " 0 obj\r";
    EXPECT_EQ(pdf_.compare(static_cast<std::size_t>(offsets[n - 1]), opening.size(), opening), 0)
        << "object " << n;
  }
  // The objects stand in the order 1, fonts, resources, pages, 2, 3.
  EXPECT_LT(offsets[0], offsets[3]);
  EXPECT_LT(offsets[7], offsets[8]);
  EXPECT_LT(offsets[13], offsets[1]);
  EXPECT_LT(offsets[1], offsets[2]);
}

TEST_F(TwoPageDocument, EachLengthEqualsItsStream) {
  // "/Length L 0 R" of each contents object against the bytes between the
  // line after "stream" and "endstream".
  const std::regex contents("(\\d+) 0 obj\r<<\r/Length (\\d+) 0 R\r>>\rstream\r\n");
  int streams = 0;
  for (auto it = std::sregex_iterator(pdf_.begin(), pdf_.end(), contents); it != std::sregex_iterator(); ++it) {
    const std::size_t begin = static_cast<std::size_t>(it->position(0) + it->length(0));
    const std::size_t end = pdf_.find("endstream\r", begin);
    const std::string lengthObject = (*it)[2].str() + " 0 obj\r";
    const std::size_t at = pdf_.find(lengthObject, end);
    ASSERT_NE(at, std::string::npos);
    const long declared = std::stol(pdf_.substr(at + lengthObject.size()));
    EXPECT_EQ(declared, static_cast<long>(end - begin));
    ++streams;
  }
  EXPECT_EQ(streams, 2);

  // The font program: LoD bytes between "stream" CR LF and CR LF "endstream".
  const std::size_t fontStream = pdf_.find("/Subtype /Type1C\r/Length ");
  ASSERT_NE(fontStream, std::string::npos);
  const long lod = std::stol(pdf_.substr(fontStream + 25));
  const std::size_t begin = pdf_.find("stream\r\n", fontStream) + 8;
  EXPECT_EQ(pdf_.compare(begin + static_cast<std::size_t>(lod), 12, "\r\nendstream\r"), 0);
}

TEST_F(TwoPageDocument, FontIsEmbeddedAsCompactType1) {
  const auto result = test::runCommand("pdffonts " + test::quoted(target_));
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_TRUE(std::regex_search(result.output, std::regex("TeXGyreHeros-Regular +Type 1C +Custom +yes +yes")))
      << result.output;
}

TEST_F(TwoPageDocument, CzechLettersComeBackAsText) {
  const auto result = test::runCommand("pdftotext -enc UTF-8 -f 1 -l 1 " + test::quoted(target_) + " -");
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_NE(result.output.find(kCzechLine), std::string::npos) << result.output;
}

TEST_F(TwoPageDocument, InformationStringsReadBackInUnicode) {
  const auto result = test::runCommand("pdfinfo -enc UTF-8 " + test::quoted(target_));
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_NE(result.output.find("Subject:         Otočná mapa (50° severní šířky)"), std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("Pages:           2"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("Page size:       595 x 842 pts (A4)"), std::string::npos) << result.output;
}

}  // namespace
}  // namespace caelora
