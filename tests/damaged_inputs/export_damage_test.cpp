// SPDX-License-Identifier: GPL-2.0-or-later
// The export with one damaged data file: it either writes a whole document
// that qpdf accepts, or fails with a message that names the file (and the
// record), keeping the previous document and leaving no other file behind.
// One test per case of the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>

#include "export/colours.h"
#include "export/export_pdf.h"
#include "export/mask_page.h"
#include "export/title_block.h"
#include "sky/milky_way.h"
#include "tests/damaged_inputs/damage.h"

namespace caelora::damage {
namespace {

const std::string kData = CAELORA_SOURCE_DATA_DIR;
const std::string kPrevious = "%PDF-1.2\rthe previous chart, byte for byte\r%%EOF\r";

struct ExportCase {
  std::string file;
  Damage damage;
  std::vector<std::string> failureHas;  // pieces of the message; none: the export succeeds
};

std::string caseName(const ::testing::TestParamInfo<ExportCase>& info) {
  std::string file = info.param.file;
  for (char& c : file)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return file + "_" + damageName(info.param.damage);
}

const std::vector<Damage> kAllDamage = {Damage::Missing,      Damage::Directory, Damage::Empty,
                                        Damage::Truncated,    Damage::Garbage,   Damage::HugeNumber,
                                        Damage::TooFewFields, Damage::LongLine,  Damage::NotWindows1250,
                                        Damage::Pipe,         Damage::Device,    Damage::Oversized};
const std::vector<Damage> kInRecord = {Damage::Truncated, Damage::Garbage, Damage::HugeNumber,
                                       Damage::TooFewFields, Damage::LongLine};

bool inRecord(Damage d) { return std::find(kInRecord.begin(), kInRecord.end(), d) != kInRecord.end(); }

// The files of page 2 (the star disc) through the export driver.
std::vector<ExportCase> documentCases() {
  std::vector<ExportCase> cases;
  struct Feed {
    std::string file, record;
  };
  for (const Feed& f : {Feed{"yale.dat", "record 100"}, Feed{"default.con", "record 50"},
                        Feed{"Cons.txt", "record 40"}, Feed{"boundaries.dat", "record 100"},
                        Feed{"messier.dat", "record 50"}}) {
    for (Damage d : kAllDamage) {
      if (f.file == "Cons.txt" && d == Damage::NotWindows1250) {
        cases.push_back({f.file, d, {}});  // an abbreviation may hold any byte
      } else if (inRecord(d) || d == Damage::NotWindows1250) {
        cases.push_back({f.file, d, {f.file, f.record}});
      } else {
        cases.push_back({f.file, d, {f.file, reasonOf(d)}});
      }
    }
  }
  cases.push_back({"yale.dat", Damage::OutOfRange, {"yale.dat", "record 100", "brighter than any star"}});
  // The export strokes no vector font.
  for (Damage d : kAllDamage) cases.push_back({"iso.fnt", d, {}});
  // The language file carries the embedded font: without it, or with a font
  // program cut short or of a length beyond reason, there is no document.
  for (const std::string lang : {"english.lng", "czech.lng"}) {
    for (Damage d : wholeFileDamage()) cases.push_back({lang, d, {lang, d == Damage::Empty ? "is empty" : reasonOf(d)}});
    cases.push_back({lang, Damage::Truncated, {lang, "Data"}});
    cases.push_back({lang, Damage::HugeNumber, {lang, "LoD"}});
    cases.push_back({lang, Damage::Injection, {lang, "Differences", "is not a list of character codes"}});
    cases.push_back({lang, Damage::Utf8, {lang, "is saved as UTF-8"}});
    for (Damage d : {Damage::Garbage, Damage::LongLine, Damage::NotWindows1250}) cases.push_back({lang, d, {}});
  }
  return cases;
}

// Page 1 (the mask sheet and its title block) needs the legend drawing and
// the national names of the language file.
std::vector<ExportCase> maskCases() {
  std::vector<ExportCase> cases;
  for (Damage d : kAllDamage) {
    if (inRecord(d) || d == Damage::NotWindows1250) cases.push_back({"Symbols.txt", d, {"Symbols.txt", "line 5"}});
    else cases.push_back({"Symbols.txt", d, {"Symbols.txt", reasonOf(d)}});
  }
  cases.push_back({"Symbols.txt", Damage::Injection, {"Symbols.txt", "line 5", "a string that is not closed"}});
  for (const std::string lang : {"english.lng", "czech.lng"})
    cases.push_back({lang, Damage::TooFewFields, {lang, "ConNames"}});
  return cases;
}

class DamagedExport : public ::testing::TestWithParam<ExportCase> {
 protected:
  void SetUp() override {
    ::setenv("SOURCE_DATE_EPOCH", "1765163045", 1);
    const ExportCase& c = GetParam();
    folder_ = std::make_unique<FolderCopy>(kData, "export_" + caseName({c, 0}));
    applyDamage(folder_->path(), c.file, c.damage);
    out_ = folder_->path() / "out";
    fs::create_directories(out_);
    writeFile(target(), kPrevious);
    settings_ = defaultSettings(folder_->path().string());
    settings_.showGrid = settings_.showEcliptic = settings_.showBoundaries = settings_.showMessier = true;
    if (c.file == "czech.lng") settings_.languageFile = folder_->file("czech.lng");
  }
  void TearDown() override { ::unsetenv("SOURCE_DATE_EPOCH"); }

  fs::path target() const { return out_ / "chart.pdf"; }

  // What the export left: the target's bytes and every file beside it.
  void expectOutcome(const std::string& failure) {
    const ExportCase& c = GetParam();
    std::vector<std::string> files;
    for (const fs::directory_entry& e : fs::directory_iterator(out_)) files.push_back(e.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"chart.pdf"}) << "no temporary file is left";
    if (c.failureHas.empty()) {
      EXPECT_EQ(failure, "") << "the export should succeed";
      const std::string pdf = readFile(target());
      EXPECT_EQ(pdf.rfind("%PDF-1.2", 0), 0u);
      EXPECT_NE(pdf, kPrevious);
      return;
    }
    ASSERT_NE(failure, "") << "the export should fail";
    for (const std::string& piece : c.failureHas) EXPECT_NE(failure.find(piece), std::string::npos) << piece << " in: " << failure;
    EXPECT_LT(failure.size(), 600u) << "one readable message";
    EXPECT_EQ(readFile(target()), kPrevious) << "the previous document stays as it was";
  }

  std::unique_ptr<FolderCopy> folder_;
  fs::path out_;
  Settings settings_;
};

class DamagedDocument : public DamagedExport {};

TEST_P(DamagedDocument, WritesAWholeDocumentOrNamesTheFile) {
  std::string failure;
  try {
    exportPDF(settings_, folder_->path().string(), readMilkyWayOutlines(kData + "/milkyway"), ExportScheme::Standard,
              target().string());
  } catch (const ExportError& e) {
    failure = e.what();
  }
  expectOutcome(failure);
}

INSTANTIATE_TEST_SUITE_P(Table, DamagedDocument, ::testing::ValuesIn(documentCases()), caseName);

// Page 1 as the driver writes it: the mask, then the title block, through
// the same replacing writer; a failure drops the unfinished file.
void writeMaskDocument(const Settings& settings, const std::string& folder, const std::string& path) {
  PdfWriter writer([] { return std::tm{}; });
  ExportState state(writer, settings, folder);
  try {
    writer.pdfInit();
    writer.setFileName(path);
    writer.setLanguageFile(settings.languageFile);
    writer.pdfBeginDocument({});
    writer.fonts().assign(1, PdfFont::embeddedChartFont());
    writer.pdfWriteResources();
    const std::int32_t start = writer.pdfBeginPage();
    writer.pdfWriteLine("0.85 0 0 0.85 0 0 cm");
    writer.pdfWriteLine("1 0 0 1 60 170 cm");
    state.conNameList = readConNameList(settings.languageFile);
    plotMask(state);
    plotTitleBlock(state);
    writer.pdfEndPage(start);
    writer.pdfEndDocument();
  } catch (...) {
    writer.pdfInit();
    throw;
  }
}

class DamagedMaskPage : public DamagedExport {};

TEST_P(DamagedMaskPage, WritesTheSheetOrNamesTheFile) {
  std::string failure;
  try {
    writeMaskDocument(settings_, folder_->path().string(), target().string());
  } catch (const std::exception& e) {
    failure = e.what();
  }
  expectOutcome(failure);
}

INSTANTIATE_TEST_SUITE_P(Table, DamagedMaskPage, ::testing::ValuesIn(maskCases()), caseName);

}  // namespace
}  // namespace caelora::damage
