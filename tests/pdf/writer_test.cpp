// SPDX-License-Identifier: GPL-2.0-or-later
// The document writer: the exact bytes of a small document, line rules,
// the information dictionary, the page tree, and the limits.
#include <gtest/gtest.h>

#include "pdf/pdf_writer.h"
#include "pdf_test_support.h"

namespace caelora {
namespace {

using test::PdfTest;

// Offsets counted by hand: 15 (object 1), 113 (4), 158 (5), 238 (6),
// 331 (7), 349 (2), 398 (3); the page content runs from 274 to 314.
const std::string kSmallDocument =
    "%PDF-1.2\r"
    "%\xE2\xE3\xCF\xD3\r"
    "1 0 obj\r"
    "<<\r"
    "/CreationDate (D:20261208030405)\r"
    "/Creator <FEFF004300610065006C006F00720061>\r"
    ">>\r"
    "endobj\r"
    "4 0 obj\r"
    "<<\r"
    "/ProcSet [ /PDF /Text ]\r"
    ">>\r"
    "endobj\r"
    "5 0 obj\r"
    "<<\r"
    "/Type /Page\r"
    "/Parent 3 0 R\r"
    "/Resources 4 0 R\r"
    "/Contents 6 0 R\r"
    ">>\r"
    "endobj\r"
    "6 0 obj\r"
    "<<\r"
    "/Length 7 0 R\r"
    ">>\r"
    "stream\r\n"
    "0.85 0 0 0.85 0 0 cm\r"
    "1 0 0 1 60 170 cm \r"
    "endstream\r"
    "endobj\r"
    "7 0 obj\r"
    "40\r"
    "endobj\r"
    "2 0 obj\r"
    "<<\r"
    "/Type /Catalog\r"
    "/Pages 3 0 R\r"
    ">>\r"
    "endobj\r"
    "3 0 obj\r"
    "<<\r"
    "/Type /Pages\r"
    "/Count 1\r"
    "/MediaBox [ 0 0 595 842 ]\r"
    "/Kids [ 5 0 R ]\r"
    ">>\r"
    "endobj\r"
    "xref\r"
    "0 8\r"
    "0000000000 65535 f \r"
    "0000000015 00000 n \r"
    "0000000349 00000 n \r"
    "0000000398 00000 n \r"
    "0000000113 00000 n \r"
    "0000000158 00000 n \r"
    "0000000238 00000 n \r"
    "0000000331 00000 n \r"
    "trailer\r"
    "<<\r"
    "/Size 8\r"
    "/Root 2 0 R\r"
    "/Info 1 0 R\r"
    ">>\r"
    "startxref\r"
    "483\r"
    "%%EOF\r";

TEST_F(PdfTest, SmallDocumentHasExactlyTheDesignedBytes) {
  const auto target = dir_ / "small.pdf";
  PdfWriter writer(test::fixedClock());
  writer.pdfInit();
  writer.setFileName(target.string());
  DocumentInfo info;
  info.creator = "Caelora";
  writer.pdfBeginDocument(info);
  writer.pdfWriteResources();
  const std::int32_t start = writer.pdfBeginPage();
  EXPECT_EQ(start, 274);
  writer.pdfWriteLine("  0.85 0 0 0.85 0 0 cm");  // leading spaces go, uncounted
  writer.pdfWriteLine("1 0 0 1 60 170 cm ");     // the trailing one stays
  writer.pdfEndPage(start);
  writer.pdfEndDocument();

  EXPECT_TRUE(writer.finished());
  EXPECT_EQ(test::readFile(target), kSmallDocument);
  EXPECT_EQ(strayFiles("small.pdf"), std::vector<std::string>());
}

TEST_F(PdfTest, LineEndsAndCountedBytes) {
  PdfWriter writer(test::fixedClock());
  writer.setFileName((dir_ / "lines.pdf").string());
  const std::int32_t before = writer.offset();
  writer.pdfWriteLine("   a b  ");  // 5 characters and CR
  writer.pdfWriteLine("c", false, true);  // CR LF
  writer.pdfWriteLine("d", false, false, true);  // no line end
  writer.pdfWriteLine(" \tx");  // only spaces are trimmed
  EXPECT_EQ(writer.offset() - before, 6 + 3 + 1 + 3);
}

TEST_F(PdfTest, InformationDictionaryListsOnlyTheFieldsGiven) {
  const auto target = dir_ / "info.pdf";
  PdfWriter writer(test::fixedClock());
  writer.setFileName(target.string());
  writer.pdfBeginDocument(DocumentInfo{});
  writer.pdfWriteResources();
  writer.pdfEndDocument();
  const std::string empty = test::readFile(target);
  EXPECT_NE(empty.find("1 0 obj\r<<\r/CreationDate (D:20261208030405)\r>>\rendobj\r"), std::string::npos);

  DocumentInfo all{"a", "b", "c", "d", "e", "f"};
  writer.pdfInit();
  writer.setFileName(target.string());
  writer.pdfBeginDocument(all);
  writer.pdfWriteResources();
  writer.pdfEndDocument();
  const std::string full = test::readFile(target);
  EXPECT_NE(full.find("/CreationDate (D:20261208030405)\r/Author <FEFF0061>\r/Creator <FEFF0062>\r"
                      "/Producer <FEFF0063>\r/Title <FEFF0064>\r/Subject <FEFF0065>\r"
                      "/Keywords <FEFF0066>\r>>\r"),
            std::string::npos);
}

TEST_F(PdfTest, PageTreeNamesEveryPageInOrder) {
  const auto target = dir_ / "pages.pdf";
  PdfWriter writer(test::fixedClock());
  writer.setFileName(target.string());
  writer.pdfBeginDocument(DocumentInfo{});
  writer.pdfWriteResources();
  for (int page = 0; page < 3; ++page) {
    const std::int32_t start = writer.pdfBeginPage();
    writer.pdfWriteLine("0 0 m");
    writer.pdfEndPage(start);
  }
  writer.pdfEndDocument();
  const std::string pdf = test::readFile(target);
  EXPECT_NE(pdf.find("/Count 3\r/MediaBox [ 0 0 595 842 ]\r/Kids [ 5 0 R 8 0 R 11 0 R ]\r"), std::string::npos);
  EXPECT_NE(pdf.find("xref\r0 14\r"), std::string::npos);
}

TEST_F(PdfTest, ObjectLimitStopsTheDocumentAndLeavesNoFile) {
  {
    PdfWriter writer(test::fixedClock());
    writer.setFileName((dir_ / "many.pdf").string());
    writer.pdfBeginDocument(DocumentInfo{});
    writer.pdfWriteResources();  // object 4
    // Each page takes three objects: pages 1..1665 use objects 5..4999.
    for (int page = 0; page < 1665; ++page) writer.pdfEndPage(writer.pdfBeginPage());
    EXPECT_EQ(writer.objectCount(), 4999);
    EXPECT_EQ(writer.pageCount(), 1665);
    // The next page would need objects 5000..5002.
    EXPECT_THROW(writer.pdfEndPage(writer.pdfBeginPage()), PdfError);
  }
  EXPECT_TRUE(strayFiles().empty());
}

}  // namespace
}  // namespace caelora
