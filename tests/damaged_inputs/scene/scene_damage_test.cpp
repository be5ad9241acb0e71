// SPDX-License-Identifier: GPL-2.0-or-later
// The chart's start-up with one damaged data file: every layer whose data is
// sound is drawn, the notes name the damaged file and its record, and no
// vertex lands outside the chart. One test per case of the table.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>

#include "chart/chart_scene.h"
#include "tests/damaged_inputs/damage.h"

namespace caelora::damage {
namespace {

const std::string kData = CAELORA_SOURCE_DATA_DIR;

struct SceneCase {
  std::string file;
  Damage damage;
  std::set<Layer> blank;      // layers left without a single vertex
  std::vector<std::string> noteHas;  // pieces of one note; none: no note at all
};

std::string caseName(const ::testing::TestParamInfo<SceneCase>& info) {
  std::string file = info.param.file;
  for (char& c : file)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return file + "_" + damageName(info.param.damage);
}

bool drawsSomething(const DisplayList& list) {
  for (const GlCommand& c : list.commands())
    if (c.op == GlCommand::Op::Vertex) return true;
  return false;
}

// A vertex far outside the chart (or not a number at all) draws a line
// across the window: the chart lies within -1..1, lettering within a few
// units of its own origin.
bool verticesAreSane(const DisplayList& list) {
  for (const GlCommand& c : list.commands()) {
    if (c.op != GlCommand::Op::Vertex) continue;
    if (!std::isfinite(c.a) || !std::isfinite(c.b) || std::fabs(c.a) > 10 || std::fabs(c.b) > 10) return false;
  }
  return true;
}

std::string joined(const std::vector<std::string>& notes) {
  std::ostringstream s;
  for (const std::string& n : notes) s << "\n  " << n;
  return s.str();
}

// Missing, something else in its place, or empty: the file is named, and
// what is wrong with it. Damage within a record names the record as well.
const std::vector<Damage>& kWholeFile = wholeFileDamage();
const std::vector<Damage> kInRecord = {Damage::Truncated, Damage::Garbage,  Damage::HugeNumber,
                                       Damage::TooFewFields, Damage::LongLine};

std::vector<SceneCase> sceneCases() {
  std::vector<SceneCase> cases;
  auto add = [&](const std::string& file, Damage d, std::set<Layer> blank, std::vector<std::string> note) {
    if (!note.empty() && !reasonOf(d).empty()) note.push_back(reasonOf(d));
    cases.push_back({file, d, std::move(blank), std::move(note)});
  };
  // The comma-delimited files: the one layer they feed stays empty.
  struct Feed {
    std::string file;
    Layer layer;
    std::string record;
  };
  for (const Feed& f : {Feed{"yale.dat", Layer::Stars, "record 100"},
                        Feed{"default.con", Layer::Figures, "record 50"},
                        Feed{"Cons.txt", Layer::Names, "record 40"},
                        Feed{"boundaries.dat", Layer::Boundaries, "record 100"}}) {
    for (Damage d : kWholeFile) add(f.file, d, {f.layer}, {f.file});
    for (Damage d : kInRecord) add(f.file, d, {f.layer}, {f.file, f.record});
  }
  // A number cannot hold those bytes; an abbreviation can (its letters
  // without a glyph draw nothing).
  add("yale.dat", Damage::NotWindows1250, {Layer::Stars}, {"yale.dat", "record 100"});
  add("default.con", Damage::NotWindows1250, {Layer::Figures}, {"default.con", "record 50"});
  add("Cons.txt", Damage::NotWindows1250, {}, {});
  // An abbreviation of the boundaries is three letters.
  add("boundaries.dat", Damage::NotWindows1250, {Layer::Boundaries}, {"boundaries.dat", "record 100"});
  add("yale.dat", Damage::OutOfRange, {Layer::Stars}, {"yale.dat", "record 100", "brighter than any star"});

  // The glyph file: without it the names have no strokes; a damaged glyph
  // draws nothing and leaves the others alone.
  for (Damage d : kWholeFile) add("iso.fnt", d, {Layer::Names}, {"iso.fnt"});
  // Cut short after "F", the file lacks most letters of the month and compass
  // names: they are named. The other damage takes only "G", which no text uses.
  add("iso.fnt", Damage::Truncated, {}, {"iso.fnt", "has no glyph for \"JMNOSWabceghilmnoprstuvwy\""});
  for (Damage d : kInRecord)
    if (d != Damage::Truncated) add("iso.fnt", d, {}, {});
  add("iso.fnt", Damage::NotWindows1250, {}, {});

  // The language file in use: every layer is still drawn (texts it lacks
  // are left out), but a file that is not there is named.
  for (const std::string lang : {"english.lng", "czech.lng"}) {
    for (Damage d : kWholeFile) add(lang, d, {}, {lang});
    for (Damage d : kInRecord) add(lang, d, {}, {});
    add(lang, Damage::NotWindows1250, {}, {});
    add(lang, Damage::Utf8, {}, {lang, "is saved as UTF-8"});  // garbled texts, but drawn
  }
  // The legend drawing is read by the export only.
  for (Damage d : kWholeFile) add("Symbols.txt", d, {}, {});
  for (Damage d : kInRecord) add("Symbols.txt", d, {}, {});
  add("Symbols.txt", Damage::NotWindows1250, {}, {});
  return cases;
}

class DamagedStartUp : public ::testing::TestWithParam<SceneCase> {};

TEST_P(DamagedStartUp, DrawsTheSoundLayersAndNamesTheDamage) {
  const SceneCase& c = GetParam();
  FolderCopy folder(kData, caseName({c, 0}));
  applyDamage(folder.path(), c.file, c.damage);

  Settings settings = defaultSettings(folder.path().string());
  settings.showGrid = settings.showEcliptic = settings.showHorizonGrid = settings.showBoundaries = true;  // every layer
  settings.showPlanets = settings.showMessier = true;
  if (c.file == "czech.lng") settings.languageFile = folder.file("czech.lng");
  std::vector<std::string> notes;
  StepRunner steps([&](const std::string& note) { notes.push_back(note); });
  std::vector<std::string> missingFigures;
  ChartScene scene(settings, folder.path().string());
  scene.setInstant(1768507200, steps);  // the planets of 15 January 2026
  scene.loadAtStartup(steps, [&](const std::string& file) { missingFigures.push_back(file); });
  scene.recordMaskIfNeeded(steps);  // the first frame
  const std::map<Layer, DisplayList> layers = scene.takePending();

  EXPECT_EQ(layers.size(), kAllLayers.size()) << "every layer is recorded, if only empty";
  for (const auto& [layer, list] : layers) {
    EXPECT_EQ(drawsSomething(list), c.blank.count(layer) == 0) << layerName(layer) << joined(notes);
    EXPECT_TRUE(verticesAreSane(list)) << layerName(layer);
  }
  if (c.noteHas.empty()) {
    EXPECT_TRUE(notes.empty()) << joined(notes);
  } else {
    ASSERT_EQ(notes.size(), 1u) << joined(notes);
    for (const std::string& piece : c.noteHas) EXPECT_NE(notes[0].find(piece), std::string::npos) << piece << " in" << joined(notes);
    EXPECT_LT(notes[0].size(), 400u) << "a note is one readable line";
  }
  // Only a figure file that is not there is reported apart; whatever else
  // stands in its place is the figure layer's note.
  const bool figuresGone = c.file == "default.con" && c.damage == Damage::Missing;
  EXPECT_EQ(missingFigures.size(), figuresGone ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Table, DamagedStartUp, ::testing::ValuesIn(sceneCases()), caseName);

}  // namespace
}  // namespace caelora::damage
