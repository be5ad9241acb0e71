// SPDX-License-Identifier: GPL-2.0-or-later
// The whole export: the document read back by real PDF readers, the order
// and switching of the layers, the document information, reproducible bytes,
// a comma-decimal locale, and no file lost or left half-written on failure.
#include <algorithm>
#include <clocale>
#include <cstdlib>

#include "export/all_latitudes.h"
#include "export/export_pdf.h"
#include "tests/export/export_test_support.h"

namespace caelora::test {
namespace {

// The content streams of the pages, in page order: the streams whose length
// is an indirect object (the font program's length is written directly).
std::vector<std::string> pageStreams(const std::string& pdf) {
  std::vector<std::string> pages;
  const std::string open = " 0 R\r>>\rstream\r\n";
  for (std::size_t pos = pdf.find(open); pos != std::string::npos; pos = pdf.find(open, pos + 1)) {
    const std::size_t start = pos + open.size();
    pages.push_back(pdf.substr(start, pdf.find("endstream\r", start) - start));
  }
  return pages;
}

class ExportPdfTest : public ExportTest {
 protected:
  void SetUp() override {
    ExportTest::SetUp();
    ::setenv("SOURCE_DATE_EPOCH", "1765163045", 1);  // 2025-12-08 03:04:05 UTC
    milkyWay_ = readMilkyWayOutlines(dataDir() + "/milkyway");
  }
  void TearDown() override {
    ::unsetenv("SOURCE_DATE_EPOCH");
    ExportTest::TearDown();
  }

  std::string exportTo(const std::string& name, ExportScheme scheme = ExportScheme::Standard,
                       const std::string& folder = dataDir()) {
    const fs::path path = dir_ / name;
    exportPDF(settings_, folder, milkyWay_, scheme, path.string());
    return path.string();
  }

  MilkyWayOutlines milkyWay_;
};

TEST_F(ExportPdfTest, DocumentPassesQpdfAndShowsItsInformationAndText) {
  const std::string path = exportTo("chart.pdf");
  const CommandResult check = runCommand("qpdf --check " + test::quoted(path));
  EXPECT_EQ(check.status, 0) << check.output;
  EXPECT_EQ(check.output.find("WARNING"), std::string::npos) << check.output;
  const CommandResult info = runCommand("pdfinfo " + test::quoted(path));
  EXPECT_NE(info.output.find("Creator:         Caelora 1.2"), std::string::npos) << info.output;
  EXPECT_NE(info.output.find("Producer:        Quillmar's PDF Engine"), std::string::npos);
  EXPECT_NE(info.output.find("Title:           Caelora\n"), std::string::npos);
  EXPECT_NE(info.output.find("Subject:         Caelora (50\xC2\xB0 North)"), std::string::npos);
  EXPECT_NE(info.output.find("Pages:           2"), std::string::npos);
  EXPECT_NE(info.output.find("CreationDate:    Mon Dec  8 03:04:05 2025"), std::string::npos) << info.output;
  // The constellation abbreviations are whole strings on the disc page.
  const CommandResult text = runCommand("pdftotext -f 2 -l 2 " + test::quoted(path) + " -");
  EXPECT_NE(text.output.find("UMa"), std::string::npos) << text.output.substr(0, 400);
}

TEST_F(ExportPdfTest, SubjectOfASouthernChartHasNoSignAndTheSouthText) {
  settings_.latitude = -35;
  const DocumentInfo info = exportDocumentInfo(settings_);
  EXPECT_EQ(info.subject, "Caelora (35\xB0 South)");
  settings_.languageFile = dataDir() + "/czech.lng";
  settings_.latitude = 60;
  EXPECT_EQ(exportDocumentInfo(settings_).subject.find("Caelora (60\xB0 "), 0u);
  EXPECT_TRUE(exportDocumentInfo(settings_).author.empty());
  EXPECT_TRUE(exportDocumentInfo(settings_).keywords.empty());
}

TEST_F(ExportPdfTest, DiscPageLayersComeInOrderAndFollowTheSwitches) {
  settings_.showGrid = true;
  settings_.showEcliptic = true;
  const auto all = pageStreams(readFile(exportTo("all.pdf")));
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].rfind("0.85 0 0 0.85 0 0 cm\r1 0 0 1 60 170 cm\r", 0), 0u);
  const std::string& disc = all[1];
  EXPECT_EQ(disc.rfind("0.85 0 0 0.85 0 0 cm\r1 0 0 1 60 130 cm\r0 0 0 0.6 K\r", 0), 0u);
  const std::vector<std::string> inOrder = {
      "0 0 0 0.6 K\r0 0 0 1 k\r",   // disc face
      "0 0 0 0.9 k\r0 0 0 0.9 K\r", // Milky Way
      "0 0 0 0.7 K\r0.5 w\r",       // grid
      "0 0 0 0.7 K\r0.8 w\r",       // ecliptic
      "0 0 0 0.5 K\r0.5 w\r",       // figures
      "1 J\r0 0 0 0 K\r",           // stars
      "0 0 0 0 k\rq 1 0 0 1 ",      // names
      "0 0 0 0 k 0 0 0 0 K\r",      // date ring
      "0 0 0 0.4 K\r0 0 0 1 k\r[] 0 d\r"};  // the band below the disc
  std::size_t at = 0;
  for (const std::string& marker : inOrder) {
    const std::size_t found = disc.find(marker, at);
    ASSERT_NE(found, std::string::npos) << "missing or out of order: " << marker;
    at = found + 1;
  }

  settings_.showGrid = settings_.showEcliptic = false;
  settings_.showMilkyWay = settings_.showLines = settings_.showNames = false;
  const auto barePages = pageStreams(readFile(exportTo("bare.pdf")));
  ASSERT_EQ(barePages.size(), 2u);
  const std::string& bare = barePages[1];
  for (const char* absent : {"b*\r", "0.5 w\r", "0.8 w\r", "/F1 7 Tf", "/F1 6 Tf"})
    EXPECT_EQ(bare.find(absent), std::string::npos) << absent;
  for (const char* present : {"0 0 0 0.6 K\r0 0 0 1 k\r", "1 J\r", "0 0 0 0 k 0 0 0 0 K\r", "[] 0 d\r"})
    EXPECT_NE(bare.find(present), std::string::npos) << present;
}

// With the horizon grid the kit has a third page to print on film: in the
// frame of the mask page, its window's outline the very path of the mask's.
TEST_F(ExportPdfTest, HorizonGridComesOnAThirdPageOverTheWindow) {
  for (int latitude : {50, -35}) {
    settings_.latitude = static_cast<std::int16_t>(latitude);
    settings_.showHorizonGrid = true;
    const std::string path = exportTo("grid.pdf");
    const CommandResult check = runCommand("qpdf --check " + test::quoted(path));
    EXPECT_EQ(check.status, 0) << check.output;
    const auto pages = pageStreams(readFile(path));
    ASSERT_EQ(pages.size(), 3u);
    const std::string frame = "0.85 0 0 0.85 0 0 cm\r1 0 0 1 60 170 cm\r";
    EXPECT_EQ(pages[2].rfind(frame, 0), 0u);
    const std::size_t from = pages[0].find(" m\r", pages[0].find("2 w\r"));
    const std::size_t start = pages[0].rfind('\r', from) + 1;
    const std::string window = pages[0].substr(start, pages[0].find("b\r1 w", start) - start);
    ASSERT_GT(window.size(), 1000u);
    EXPECT_NE(pages[2].find("\r1 w\r" + window + "s\r"), std::string::npos) << latitude;
  }
}

TEST_F(ExportPdfTest, InverseSchemeFillsMaskAndDiscWithNoInk) {
  const auto pages = pageStreams(readFile(exportTo("inverse.pdf", ExportScheme::Inverse)));
  ASSERT_EQ(pages.size(), 2u);
  const std::string& disc = pages[1];
  EXPECT_NE(disc.find("0 0 0 0.15 K\r0 0 0 0 k\r"), std::string::npos);
  EXPECT_NE(disc.find("0 0 0 1 K\r0 0 0 0 k\r[] 0 d\r"), std::string::npos);
}

TEST_F(ExportPdfTest, SourceDateEpochMakesTwoRunsByteIdentical) {
  const std::string first = readFile(exportTo("one.pdf"));
  const std::string second = readFile(exportTo("two.pdf"));
  EXPECT_EQ(first, second);
  EXPECT_NE(first.find("/CreationDate (D:20251208030405)"), std::string::npos);
}

TEST_F(ExportPdfTest, CommaDecimalLocaleWritesTheSameBytes) {
  const std::string plain = readFile(exportTo("c.pdf"));
  std::string underComma;
  {
    test::CommaLocale comma;
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    underComma = readFile(exportTo("cs.pdf"));
  }
  EXPECT_EQ(underComma, plain);
}

TEST_F(ExportPdfTest, FailingExportKeepsTheOldFileAndLeavesNothingElse) {
  const fs::path target = dir_ / "chart.pdf";
  writeFile(target, "the previous chart");
  const fs::path folder = dir_ / "program";
  fs::create_directories(folder);
  fs::copy_file(dataDir() + "/Cons.txt", folder / "Cons.txt");
  if (fs::exists(dataDir() + "/Symbols.txt")) fs::copy_file(dataDir() + "/Symbols.txt", folder / "Symbols.txt");
  try {
    exportPDF(settings_, folder.string(), milkyWay_, ExportScheme::Standard, target.string());  // no yale.dat
    FAIL() << "an export without the star catalogue must fail";
  } catch (const ExportError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find(target.string()), std::string::npos) << what;
    EXPECT_NE(what.find("yale.dat"), std::string::npos) << what;
  }
  EXPECT_EQ(readFile(target), "the previous chart");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"chart.pdf", "program"}));
}

TEST_F(ExportPdfTest, UnwritableFolderIsReportedWithThePath) {
  const fs::path target = dir_ / "missing-folder" / "chart.pdf";
  try {
    exportPDF(settings_, dataDir(), milkyWay_, ExportScheme::Standard, target.string());
    FAIL() << "writing into a folder that does not exist must fail";
  } catch (const ExportError& e) {
    EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos) << e.what();
  }
  EXPECT_FALSE(fs::exists(target));
}

TEST_F(ExportPdfTest, EveryLatitudeGetsItsOwnDocument) {
  EXPECT_EQ(latitudeFileName(50), "caelora-50N.pdf");
  EXPECT_EQ(latitudeFileName(-35), "caelora-35S.pdf");
  const fs::path folder = dir_ / "all" / "nested";
  const std::vector<std::string> written = exportAllLatitudes(settings_, dataDir(), milkyWay_, ExportScheme::Inverse, folder.string());
  ASSERT_EQ(written.size(), 112u);
  EXPECT_EQ(written.front(), (folder / "caelora-25N.pdf").string());
  EXPECT_EQ(written.back(), (folder / "caelora-80S.pdf").string());
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 112);
  for (const std::string& path : {written[0], written[55], written[56], written[111]}) {
    const CommandResult check = runCommand("qpdf --check " + test::quoted(path));
    EXPECT_EQ(check.status, 0) << path << check.output;
  }
  const CommandResult info = runCommand("pdfinfo " + test::quoted(folder / "caelora-71S.pdf"));
  EXPECT_NE(info.output.find("Subject:         Caelora (71\xC2\xB0 South)"), std::string::npos) << info.output;
  // A file where the folder should be stops the run with the folder named.
  writeFile(dir_ / "blocked", "x");
  try {
    exportAllLatitudes(settings_, dataDir(), milkyWay_, ExportScheme::Standard, (dir_ / "blocked").string());
    FAIL() << "a file in place of the folder must stop the run";
  } catch (const ExportError& e) {
    EXPECT_NE(std::string(e.what()).find((dir_ / "blocked").string()), std::string::npos) << e.what();
  }
  // Of two documents that cannot be written, the earlier one is named.
  for (const char* name : {"caelora-30N.pdf", "caelora-60S.pdf"}) fs::create_directories(dir_ / "two" / name / "x");
  try {
    exportAllLatitudes(settings_, dataDir(), milkyWay_, ExportScheme::Standard, (dir_ / "two").string());
    FAIL() << "a folder in place of a document must stop the run";
  } catch (const ExportError& e) {
    EXPECT_NE(std::string(e.what()).find("caelora-30N.pdf"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace caelora::test
