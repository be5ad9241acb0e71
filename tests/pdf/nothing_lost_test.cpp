// SPDX-License-Identifier: GPL-2.0-or-later
// An export that fails must not cost the user the file they had, nor leave
// a broken one behind; an export that succeeds replaces it whole.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "pdf/content.h"
#include "pdf/pdf_writer.h"
#include "pdf/replacing_file.h"
#include "pdf_test_support.h"

namespace caelora {
namespace {

using test::PdfTest;

const std::string kOldDocument = "the user's previous chart";

// A writer half-way through a page with an embedded font; returns the
// start of the page's content.
std::int32_t beginDocumentWithPage(PdfWriter& writer, const std::string& target) {
  writer.pdfInit();
  writer.setFileName(target);
  writer.setLanguageFile(test::dataDir() + "/english.lng");
  writer.pdfBeginDocument(DocumentInfo{});
  PdfFont font;
  font.subtype = "Type1";
  font.embedded = true;
  writer.fonts().push_back(font);
  writer.pdfWriteResources();
  const std::int32_t start = writer.pdfBeginPage();
  for (int i = 0; i < 2000; ++i) writer.pdfWriteLine("0 0 m 10 10 l S");  // past the first block
  return start;
}

TEST_F(PdfTest, FailedExportLeavesThePreviousFileAndNoOther) {
  const auto target = dir_ / "chart.pdf";
  test::writeFile(target, kOldDocument);
  {
    PdfWriter writer(test::fixedClock());
    beginDocumentWithPage(writer, target.string());
    EXPECT_EQ(test::readFile(target), kOldDocument) << "the target is untouched while writing";
    // A character below the font's first code stops the export.
    EXPECT_THROW(pdfArcText(writer, PageDisc::ofPage(595, 842), 0, 0.8, "\x1F", 12), PdfError);
    EXPECT_EQ(strayFiles("chart.pdf"), std::vector<std::string>());
  }
  EXPECT_EQ(test::readFile(target), kOldDocument);
  EXPECT_EQ(strayFiles("chart.pdf"), std::vector<std::string>());
}

TEST_F(PdfTest, ErrorInsideTheWriterDropsTheDocumentAtOnce) {
  const auto target = dir_ / "chart.pdf";
  const auto language = dir_ / "broken.lng";
  test::writeFile(language, "[Font1]\r\nFirstChar=32\r\nData=00\r\n");  // no LoD
  test::writeFile(target, kOldDocument);
  PdfWriter writer(test::fixedClock());
  writer.setFileName(target.string());
  writer.setLanguageFile(language.string());
  writer.pdfBeginDocument(DocumentInfo{});
  PdfFont font;
  font.subtype = "Type1";
  font.embedded = true;
  writer.fonts().push_back(font);
  EXPECT_THROW(writer.pdfWriteResources(), PdfError);
  EXPECT_EQ(strayFiles("chart.pdf"), std::vector<std::string>({"broken.lng"}));
  // A caller that goes on regardless gets errors, never a document.
  EXPECT_THROW(writer.pdfWriteLine("0 0 m", true), PdfError);
  EXPECT_THROW(writer.pdfEndDocument(), PdfError);
  EXPECT_FALSE(writer.finished());
  EXPECT_EQ(test::readFile(target), kOldDocument);
  EXPECT_EQ(strayFiles("chart.pdf"), std::vector<std::string>({"broken.lng"}));
}

TEST_F(PdfTest, StartingAgainDropsTheUnfinishedDocument) {
  const auto target = dir_ / "chart.pdf";
  PdfWriter writer(test::fixedClock());
  beginDocumentWithPage(writer, target.string());
  EXPECT_TRUE(strayFiles().empty()) << "the unfinished document has no name in the folder";
  writer.pdfInit();
  EXPECT_TRUE(strayFiles().empty());
  EXPECT_FALSE(test::fs::exists(target));
}

TEST_F(PdfTest, FinishedExportReplacesThePreviousFileKeepingItsPermissions) {
  const auto target = dir_ / "chart.pdf";
  test::writeFile(target, kOldDocument);
  test::fs::permissions(target, test::fs::perms::owner_read | test::fs::perms::owner_write |
                                    test::fs::perms::group_read);
  PdfWriter writer(test::fixedClock());
  writer.pdfEndPage(beginDocumentWithPage(writer, target.string()));
  writer.pdfEndDocument();
  const std::string pdf = test::readFile(target);
  EXPECT_EQ(pdf.compare(0, 9, "%PDF-1.2\r"), 0);
  EXPECT_EQ(pdf.compare(pdf.size() - 6, 6, "%%EOF\r"), 0);
  EXPECT_EQ(test::fs::status(target).permissions() & test::fs::perms::all,
            test::fs::perms::owner_read | test::fs::perms::owner_write | test::fs::perms::group_read);
  EXPECT_EQ(strayFiles("chart.pdf"), std::vector<std::string>());
}

TEST_F(PdfTest, TargetNameOfTheLongestLengthIsWritten) {
  const auto target = dir_ / (std::string(251, 'x') + ".pdf");  // 255 bytes, the most a name may have
  PdfWriter writer(test::fixedClock());
  writer.pdfEndPage(beginDocumentWithPage(writer, target.string()));
  writer.pdfEndDocument();
  EXPECT_EQ(test::readFile(target).compare(0, 8, "%PDF-1.2"), 0);
  EXPECT_EQ(strayFiles().size(), 1u);
}

// Each unusable target fails at the start, with the path and the reason in
// the message, and creates nothing.
struct UnusableTarget {
  std::string path;
  std::string reason;
};

TEST_F(PdfTest, UnwritableFolderIsReportedWithPathAndReason) {
  const std::vector<UnusableTarget> targets = {
      {"/etc/hostname/chart.pdf", "Not a directory"},             // a folder that is a file
      {(dir_ / "missing" / "chart.pdf").string(), "the folder \"" + (dir_ / "missing").string() + "\" does not exist"},
      {"/proc/chart.pdf", ""},                                    // the kernel's folder takes no files
  };
  for (const auto& target : targets) {
    PdfWriter writer(test::fixedClock());
    writer.setFileName(target.path);
    try {
      writer.pdfBeginDocument(DocumentInfo{});
      ADD_FAILURE() << target.path << " was accepted";
    } catch (const PdfError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(target.path), std::string::npos) << message;
      EXPECT_NE(message.find(target.reason), std::string::npos) << message;
      EXPECT_GT(message.size(), target.path.size() + 20) << "a reason follows the path: " << message;
    }
  }
  EXPECT_TRUE(strayFiles().empty());
}

TEST_F(PdfTest, TargetThatIsAFolderFailsAtTheEndAndKeepsTheFolder) {
  const auto target = dir_ / "chart.pdf";
  test::fs::create_directory(target);
  test::writeFile(target / "inside.txt", kOldDocument);
  PdfWriter writer(test::fixedClock());
  writer.pdfEndPage(beginDocumentWithPage(writer, target.string()));
  try {
    writer.pdfEndDocument();
    ADD_FAILURE() << "a folder was replaced by the document";
  } catch (const PdfError& error) {
    EXPECT_NE(std::string(error.what()).find(target.string() + "\": a folder of that name is in the way"),
              std::string::npos) << error.what();
  }
  EXPECT_FALSE(writer.finished());
  EXPECT_EQ(test::readFile(target / "inside.txt"), kOldDocument);
  EXPECT_EQ(strayFiles("chart.pdf"), std::vector<std::string>());
}

// A writer killed half-way (the child below, once it has written 100 KiB)
// leaves no file: an unnamed one vanishes with the process; a named one is
// removed by the next writer in the folder, unless a live writer holds it.
TEST_F(PdfTest, KilledWriterLeavesNothingBehind) {
  const auto target = dir_ / "chart.pdf";
  test::writeFile(target, kOldDocument);
  for (const auto kind : {ReplacingFile::Temporary::Unnamed, ReplacingFile::Temporary::Named}) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ReplacingFile file(target.string(), kind);
      file.append(std::string(100 * 1024, 'x'));
      if (::write(ready[1], "w", 1) != 1) ::_exit(1);
      ::pause();
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(test::readFile(target), kOldDocument);
    const std::size_t left = kind == ReplacingFile::Temporary::Named ? 1 : 0;
    ASSERT_EQ(strayFiles("chart.pdf").size(), left);
  }
  ReplacingFile live((dir_ / "live.pdf").string(), ReplacingFile::Temporary::Named);
  ReplacingFile next((dir_ / "next.pdf").string(), ReplacingFile::Temporary::Named);
  next.append("%PDF");
  next.commit();
  std::vector<std::string> files = strayFiles("chart.pdf");
  std::sort(files.begin(), files.end());
  const std::vector<std::string> expected = {test::fs::path(live.temporaryPath()).filename().string(), "next.pdf"};
  EXPECT_EQ(files, expected);
}

}  // namespace
}  // namespace caelora
