// SPDX-License-Identifier: GPL-2.0-or-later
// caelora-export run on a damaged program folder. The program takes the
// folder it stands in when that holds yale.dat, so each case copies the
// executable into a scratch folder beside the (damaged) data files; its
// settings store lies under a scratch $XDG_CONFIG_HOME.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdio>

#include "tests/damaged_inputs/damage.h"

namespace caelora::damage {
namespace {

const std::string kData = CAELORA_SOURCE_DATA_DIR;
const std::string kPrevious = "%PDF-1.2\rthe previous chart\r%%EOF\r";
const std::string kPreviousPicture = "\x89PNG\r\n\x1a\nthe previous picture";

struct ProgramRun {
  std::string output;  // standard error and output
  int status = -1;
};

struct EndToEndCase {
  std::string file;  // "Caelora.conf" is the settings store
  Damage damage;
  std::vector<std::string> pngNote;   // pieces of the note of the PNG run; none: no note
  std::vector<std::string> pdfError;  // pieces of the message; none: the document is written
};

std::string caseName(const ::testing::TestParamInfo<EndToEndCase>& info) {
  std::string file = info.param.file;
  for (char& c : file)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return file + "_" + damageName(info.param.damage);
}

// The exporter and the renderer it starts for a picture, copied into `folder`.
void copyExporter(const fs::path& folder) {
  fs::copy_file(CAELORA_EXPORT_PROGRAM, folder / "caelora-export");
  fs::copy_file(CAELORA_RENDER_PROGRAM, folder / "caelora-render");
}

// The copy of the exporter in `folder`, run by the shell after `limits`
// (a ulimit command, say), with its store in folder/config.
ProgramRun runExporter(const fs::path& folder, const std::string& arguments, const std::string& limits = "") {
  const std::string command = "cd '" + folder.string() + "' && " + limits + " XDG_CONFIG_HOME='" +
                              (folder / "config").string() + "' ./caelora-export " + arguments + " 2>&1";
  ProgramRun r;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return r;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) r.output.append(buf, n);
  const int status = ::pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return r;
}

class DamagedExporter : public ::testing::TestWithParam<EndToEndCase> {
 protected:
  void SetUp() override {
    const EndToEndCase& c = GetParam();
    folder_ = std::make_unique<FolderCopy>(kData, "e2e_" + caseName({c, 0}));
    copyExporter(folder_->path());
    fs::create_directories(folder_->path() / "config" / "Caelora");
    if (c.file == "Caelora.conf") {
      writeFile(folder_->path() / "config" / "Caelora" / "Caelora.conf", "[Startup]\nSMapLat=-35\n" + garbage());
    } else {
      applyDamage(folder_->path(), c.file, c.damage);
    }
    out_ = folder_->path() / "out";
    fs::create_directories(out_);
  }

  ProgramRun run(const std::string& arguments) const { return runExporter(folder_->path(), arguments); }

  std::unique_ptr<FolderCopy> folder_;
  fs::path out_;
};

// What the exporter left in out/: the names of its files.
std::vector<std::string> filesIn(const fs::path& folder) {
  std::vector<std::string> files;
  for (const fs::directory_entry& e : fs::directory_iterator(folder)) files.push_back(e.path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}

TEST_P(DamagedExporter, PictureAndDocumentAreWholeOrRefused) {
  const EndToEndCase& c = GetParam();
  const fs::path png = out_ / "chart.png";
  writeFile(png, kPreviousPicture);
  const ProgramRun picture = run("--png '" + png.string() + "' --size 400");
  if (c.pngNote.empty()) {
    ASSERT_EQ(picture.status, 0) << picture.output;
    EXPECT_EQ(picture.output.find("caelora-export:"), std::string::npos) << picture.output;
    const QImage image(QString::fromStdString(png.string()));
    ASSERT_FALSE(image.isNull()) << "no picture";
    // The layers draw: plenty of lit pixels inside the horizon window.
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) > 40) ++lit;
    EXPECT_GT(lit, image.width() * image.height() / 20);
  } else {
    // A picture that lacks a part fails as the document does.
    EXPECT_EQ(picture.status, 1) << picture.output;
    for (const std::string& piece : c.pngNote) EXPECT_NE(picture.output.find(piece), std::string::npos) << piece << " in:\n" << picture.output;
    EXPECT_EQ(readFile(png), kPreviousPicture) << "the previous picture stays as it was";
  }

  const fs::path pdf = out_ / "chart.pdf";
  writeFile(pdf, kPrevious);
  const ProgramRun document = run("'" + pdf.string() + "'");
  EXPECT_EQ(filesIn(out_), (std::vector<std::string>{"chart.pdf", "chart.png"})) << "no temporary file";
  if (c.pdfError.empty()) {
    EXPECT_EQ(document.status, 0) << document.output;
    EXPECT_EQ(readFile(pdf).rfind("%PDF-1.2", 0), 0u);
    EXPECT_NE(readFile(pdf), kPrevious);
  } else {
    EXPECT_EQ(document.status, 1) << document.output;
    for (const std::string& piece : c.pdfError) EXPECT_NE(document.output.find(piece), std::string::npos) << piece << " in:\n" << document.output;
    EXPECT_EQ(readFile(pdf), kPrevious) << "the previous document stays as it was";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedExporter,
    ::testing::Values(EndToEndCase{"yale.dat", Damage::Garbage, {"yale.dat", "record 100"}, {"yale.dat", "record 100"}},
                      EndToEndCase{"yale.dat", Damage::Pipe, {"yale.dat", "is a pipe"}, {"yale.dat", "is a pipe"}},
                      EndToEndCase{"yale.dat", Damage::Device, {"yale.dat", "is a device"}, {"yale.dat", "is a device"}},
                      EndToEndCase{"Cons.txt", Damage::Missing, {"Cons.txt"}, {"Cons.txt"}},
                      EndToEndCase{"default.con", Damage::TooFewFields, {"default.con", "record 50"}, {"default.con", "record 50"}},
                      EndToEndCase{"iso.fnt", Damage::Directory, {"iso.fnt"}, {}},
                      EndToEndCase{"english.lng", Damage::Empty, {"english.lng"}, {"english.lng"}},
                      EndToEndCase{"Caelora.conf", Damage::Garbage, {}, {}}),
    caseName);

// The picture is written as the document is: under the very bytes of its
// name, and only whole. Past the file size limit (512 bytes) the write fails
// with the reason, and the previous picture stays with nothing beside it.
TEST(Exporter, PictureKeepsTheBytesOfItsNameAndTheOldOneWhenItDoesNotFit) {
  FolderCopy folder(kData, "e2e_png_name");
  copyExporter(folder.path());
  const fs::path out = folder.path() / "out";
  fs::create_directories(out);
  const std::string name = "chart-\xFF\xFE.png";  // not UTF-8
  const ProgramRun written = runExporter(folder.path(), "--png 'out/" + name + "' --size 64");
  ASSERT_EQ(written.status, 0) << written.output;
  EXPECT_EQ(filesIn(out), std::vector<std::string>{name});

  writeFile(out / name, kPreviousPicture);
  const ProgramRun full = runExporter(folder.path(), "--png 'out/" + name + "' --size 400", "ulimit -f 1;");
  EXPECT_EQ(full.status, 1) << full.output;
  EXPECT_NE(full.output.find(name + "\": File too large"), std::string::npos) << full.output;
  EXPECT_EQ(readFile(out / name), kPreviousPicture);
  EXPECT_EQ(filesIn(out), std::vector<std::string>{name});
}

}  // namespace
}  // namespace caelora::damage
