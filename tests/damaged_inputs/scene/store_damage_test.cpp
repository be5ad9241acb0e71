// SPDX-License-Identifier: GPL-2.0-or-later
// A damaged settings file under the real QSettings store: the settings
// read from it draw a chart, and saving over it neither crashes nor turns a
// folder in its place into a file.
#include <gtest/gtest.h>

#include <QSettings>
#include <QString>

#include "chart/chart_scene.h"
#include "settings/qt/qsettings_store.h"
#include "tests/damaged_inputs/damage.h"

namespace caelora::damage {
namespace {

const std::string kData = CAELORA_SOURCE_DATA_DIR;

// A store as the options dialog leaves it, with a southern latitude.
const std::string kSound =
    "[Startup]\nSMapCMode=1\nSMapLMode=True\nSMapNMode=True\nSMapMMode=True\nSMapILMode=5\n"
    "SMapIMMode=5\nSMapIPMode=1\nSMapFLang=" + kData + "/english.lng\nSMapFLines=" + kData +
    "/default.con\nSMapLat=-35\nSMapDaily=False\nSMapRaDec=True\nSMapEclip=True\nSMapTopMost=True\n";

std::string damagedStore(Damage d) {
  switch (d) {
    case Damage::Empty: return "";
    case Damage::Truncated: return kSound.substr(0, kSound.find("SMapLat=-35") + 10);  // "SMapLat=-3"
    case Damage::Garbage: return kSound.substr(0, 40) + garbage();
    case Damage::HugeNumber: return replaceLine(replaceLine(kSound, 2, "SMapCMode=99999999999999999999"), 11, "SMapLat=-99999999999999999999");
    case Damage::TooFewFields: return replaceLine(replaceLine(kSound, 11, "SMapLat"), 9, "SMapFLang=");
    case Damage::LongLine: return replaceLine(kSound, 10, "SMapFLines=" + std::string(300000, 'x'));
    case Damage::NotWindows1250: return replaceLine(kSound, 10, "SMapFLines=" + kData + "/\x81\x83\x88\x90\x98.con");
    default: return kSound;
  }
}

class DamagedStore : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedStore, ReadsSettingsThatDrawAChart) {
  const Damage d = GetParam();
  FolderCopy home(kData, std::string("store_") + damageName(d));
  const fs::path conf = home.path() / "config" / "Caelora" / "Caelora.conf";
  fs::create_directories(conf.parent_path());
  if (d == Damage::Directory) fs::create_directories(conf / "inside");
  else if (d != Damage::Missing) writeFile(conf, damagedStore(d));
  // No folder, pipe, device or runaway file is opened: it would hang or fill
  // the memory; the note says what stands in the file's place.
  const bool refused = d == Damage::Directory || d == Damage::Pipe || d == Damage::Device || d == Damage::Oversized;
  if (refused && d != Damage::Directory) applyDamage(conf.parent_path(), conf.filename().string(), d);
  // Where $XDG_CONFIG_HOME would point: the store of the program itself.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromStdString((home.path() / "config").string()));

  Settings settings = defaultSettings(home.path().string());
  try {
    QSettingsStore store;
    ASSERT_EQ(store.fileName().toStdString(), conf.string());
    settings = loadSettings(store, home.path().string());
    EXPECT_FALSE(refused);
  } catch (const std::runtime_error& e) {
    EXPECT_TRUE(refused) << e.what();
    EXPECT_NE(std::string(e.what()).find(conf.string() + "\": " + reasonOf(d)), std::string::npos) << e.what();
  }
  const int magnitude = settings.latitude < 0 ? -settings.latitude : settings.latitude;
  EXPECT_GE(magnitude, 25);
  EXPECT_LE(magnitude, 80);
  EXPECT_LE(static_cast<int>(settings.colourScheme), 3);
  switch (d) {
    case Damage::Truncated: EXPECT_EQ(settings.latitude, -25); break;
    case Damage::HugeNumber:
      EXPECT_EQ(settings.latitude, 50);
      EXPECT_EQ(settings.colourScheme, ScreenScheme::Colour);
      break;
    case Damage::TooFewFields:
      EXPECT_EQ(settings.latitude, 50);
      EXPECT_EQ(settings.languageFile, "");
      break;
    case Damage::Missing:
    case Damage::Empty:
    case Damage::Directory:
    case Damage::Pipe:
    case Damage::Device:
    case Damage::Oversized: EXPECT_EQ(settings, defaultSettings(home.path().string())); break;
    default: break;
  }

  // The chart starts: the stars, the disc and the mask never depend on the
  // store; a figure file that is not there is reported.
  std::vector<std::string> notes;
  StepRunner steps([&](const std::string& note) { notes.push_back(note); });
  ChartScene scene(settings, home.path().string());
  std::vector<std::string> missing;
  scene.loadAtStartup(steps, [&](const std::string& file) { missing.push_back(file); });
  scene.recordMaskIfNeeded(steps);
  const auto layers = scene.takePending();
  for (Layer layer : {Layer::Stars, Layer::DateScale, Layer::WindowShape, Layer::Mask}) {
    ASSERT_EQ(layers.count(layer), 1u) << layerName(layer);
    EXPECT_FALSE(layers.at(layer).empty()) << layerName(layer);
  }
  const bool badFigureFile = d == Damage::LongLine || d == Damage::NotWindows1250;
  if (badFigureFile && settings.showLines) {
    EXPECT_EQ(missing.size(), 1u);
  }

  // The options dialog writes every value back; a folder in the file's place
  // stays a folder.
  {
    QSettingsStore store;
    saveSettings(store, settings);
    store.flush();
  }
  if (d == Damage::Directory) {
    EXPECT_TRUE(fs::is_directory(conf));
  } else if (refused) {
    EXPECT_EQ(fs::symlink_status(conf).type(), d == Damage::Pipe     ? fs::file_type::fifo
                                               : d == Damage::Device ? fs::file_type::symlink
                                                                     : fs::file_type::regular);
    if (d == Damage::Oversized) {
      EXPECT_EQ(fs::file_size(conf), kOversizedBytes);
    }
  } else {
    QSettingsStore again;
    EXPECT_EQ(loadSettings(again, home.path().string()), settings) << "what was saved reads back";
  }
}

INSTANTIATE_TEST_SUITE_P(Table, DamagedStore,
                         ::testing::Values(Damage::Missing, Damage::Empty, Damage::Truncated, Damage::Garbage,
                                           Damage::HugeNumber, Damage::TooFewFields, Damage::LongLine,
                                           Damage::NotWindows1250, Damage::Directory, Damage::Pipe,
                                           Damage::Device, Damage::Oversized),
                         [](const ::testing::TestParamInfo<Damage>& info) { return std::string(damageName(info.param)); });

}  // namespace
}  // namespace caelora::damage
