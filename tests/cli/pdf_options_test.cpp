// The PDF side of caelora-export: the document name, the export scheme and
// the folder of all latitudes; and the exporter itself run without a display.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <sys/wait.h>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/export_options.h"

using namespace caelora;

namespace {

namespace fs = std::filesystem;

struct CommandRun {
  std::string output;
  int status = -1;
};
CommandRun run(const std::string& command) {
  CommandRun r;
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) r.output.append(buf, n);
  r.status = ::pclose(pipe);
  return r;
}

// The exporter beside this test's folder in the build tree.
fs::path exporter() { return fs::canonical("/proc/self/exe").parent_path().parent_path() / "bin" / "caelora-export"; }

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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
TEST(PdfExporter, WritesTheDocumentWithoutADisplayAndReportsFailuresInOneLine) {
  if (!fs::exists(exporter())) GTEST_SKIP() << "no " << exporter();
  const fs::path dir = fs::temp_directory_path() / ("caelora_cli_pdf_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string env = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM SOURCE_DATE_EPOCH=1700000000 XDG_CONFIG_HOME='" +
                          (dir / "config").string() + "' ";
  const fs::path pdf = dir / "chart.pdf";
  const CommandRun ok = run(env + "'" + exporter().string() + "' '" + pdf.string() + "' --latitude 71 --export-scheme 1");
  EXPECT_EQ(ok.status, 0) << ok.output;
  EXPECT_EQ(slurp(pdf).rfind("%PDF-1.2\r", 0), 0u);
  const CommandRun check = run("qpdf --check '" + pdf.string() + "'");
  EXPECT_EQ(check.status, 0) << check.output;

  const fs::path blocked = dir / "no-such-folder" / "chart.pdf";
  const CommandRun bad = run(env + "'" + exporter().string() + "' '" + blocked.string() + "'");
  EXPECT_EQ(WEXITSTATUS(bad.status), 1) << bad.output;
  EXPECT_NE(bad.output.find(blocked.string()), std::string::npos) << bad.output;
  EXPECT_EQ(std::count(bad.output.begin(), bad.output.end(), '\n'), 1) << bad.output;

  // The picture does need one, and says so instead of aborting.
  const fs::path png = dir / "chart.png";
  const CommandRun picture = run(env + "'" + exporter().string() + "' --png '" + png.string() + "'");
  EXPECT_TRUE(WIFEXITED(picture.status)) << picture.output;
  EXPECT_EQ(WEXITSTATUS(picture.status), 1) << picture.output;
  EXPECT_NE(picture.output.find("needs a display"), std::string::npos) << picture.output;
  EXPECT_EQ(std::count(picture.output.begin(), picture.output.end(), '\n'), 1) << picture.output;
  EXPECT_FALSE(fs::exists(png));
  fs::remove_all(dir);
}
