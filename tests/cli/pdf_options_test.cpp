// SPDX-License-Identifier: GPL-2.0-or-later
// The PDF side of caelora-export: the document name, the export scheme and
// the folder of all latitudes; and the exporter itself run without a display.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>

#include "cli/export_options.h"
#include "tests/test_support.h"

using namespace caelora;
using test::CommandResult;
using test::readFile;
using test::runCommand;
namespace fs = std::filesystem;

namespace {

const fs::path kExporter = CAELORA_EXPORT_PROGRAM;

}  // namespace

TEST(PdfOptions, DocumentNameSchemeAndAllLatitudes) {
  const ExportOptions o = parseExportOptions({"chart.PDF", "--export-scheme", "1", "--latitude", "-35"});
  EXPECT_EQ(o.pdfFile, "chart.PDF");
  EXPECT_EQ(o.exportScheme, ExportScheme::Inverse);
  EXPECT_TRUE(o.pngFile.empty());
  EXPECT_EQ(parseExportOptions({"--all-latitudes", "out"}).allLatitudesDir, "out");
  EXPECT_EQ(parseExportOptions({"a.pdf"}).exportScheme, ExportScheme::Standard);
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"a.pdf", "--export-scheme", "2"}, {"a.pdf", "b.pdf"}, {"chart"}, {}}) {
    EXPECT_THROW(parseExportOptions(bad), UsageError) << ::testing::PrintToString(bad);
  }
}

// Writing a document needs no display: no DISPLAY, no platform plugin forced.
// Drawing the PNG needs one.
using PdfExporter = test::ScratchFolderTest;

TEST_F(PdfExporter, WritesTheDocumentWithoutADisplayAndReportsFailuresInOneLine) {
  const std::string env = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM SOURCE_DATE_EPOCH=1700000000 XDG_CONFIG_HOME='" +
                          (dir_ / "config").string() + "' ";
  const fs::path pdf = dir_ / "chart.pdf";
  const CommandResult ok = runCommand(env + "'" + kExporter.string() + "' '" + pdf.string() + "' --latitude 71 --export-scheme 1");
  EXPECT_EQ(ok.status, 0) << ok.output;
  EXPECT_EQ(readFile(pdf).rfind("%PDF-1.2\r", 0), 0u);
  const CommandResult check = runCommand("qpdf --check '" + pdf.string() + "'");
  EXPECT_EQ(check.status, 0) << check.output;

  const fs::path blocked = dir_ / "no-such-folder" / "chart.pdf";
  const CommandResult bad = runCommand(env + "'" + kExporter.string() + "' '" + blocked.string() + "'");
  EXPECT_EQ(WEXITSTATUS(bad.status), 1) << bad.output;
  EXPECT_NE(bad.output.find(blocked.string()), std::string::npos) << bad.output;
  EXPECT_EQ(std::count(bad.output.begin(), bad.output.end(), '\n'), 1) << bad.output;

  // The picture does need one, and says so instead of aborting.
  const fs::path png = dir_ / "chart.png";
  const CommandResult picture = runCommand(env + "'" + kExporter.string() + "' --png '" + png.string() + "'");
  EXPECT_TRUE(WIFEXITED(picture.status)) << picture.output;
  EXPECT_EQ(WEXITSTATUS(picture.status), 1) << picture.output;
  EXPECT_NE(picture.output.find("needs a display"), std::string::npos) << picture.output;
  EXPECT_EQ(std::count(picture.output.begin(), picture.output.end(), '\n'), 1) << picture.output;
  EXPECT_FALSE(fs::exists(png));
}

// The documents load no graphics library; a picture is drawn by the
// renderer beside the exporter, and without it the exporter says so.
TEST_F(PdfExporter, LinksNoGraphicsLibraryAndNamesAMissingRenderer) {
  const CommandResult libraries = runCommand("ldd '" + kExporter.string() + "'");
  ASSERT_EQ(libraries.status, 0) << libraries.output;
  for (const char* graphics : {"libQt6Gui", "libQt6Widgets", "libGL", "libEGL", "libX11", "libxcb", "libfontconfig", "libfreetype"})
    EXPECT_EQ(libraries.output.find(graphics), std::string::npos) << graphics << " in:\n" << libraries.output;

  fs::copy_file(kExporter, dir_ / "caelora-export");
  const CommandResult alone = runCommand("'" + (dir_ / "caelora-export").string() + "' --png '" + (dir_ / "c.png").string() + "'");
  EXPECT_EQ(WEXITSTATUS(alone.status), 1) << alone.output;
  EXPECT_NE(alone.output.find((dir_ / "caelora-render").string() + " cannot be started"), std::string::npos) << alone.output;
}
