// SPDX-License-Identifier: GPL-2.0-or-later
// The main window `Mapka`: the start-up sequence, the chart surface that
// covers its client area, the reaction to resizing and the shut-down.
#pragma once

#include <QRegion>
#include <QWidget>
#include <memory>
#include <string>

#include "app/aspect_ratio.h"
#include "chart/chart_scene.h"
#include "app/load_notes_box.h"
#include "chart/step_runner.h"
#include "settings/qt/qsettings_store.h"

namespace caelora {

class ChartClock;
class CornerMenu;
class DiscGrip;
class Stage;

class Mapka : public QWidget {
  Q_OBJECT

 public:
  // Runs the whole start-up; `programFolder` holds the data files.
  explicit Mapka(const std::string& programFolder, QWidget* parent = nullptr);
  ~Mapka() override;

  // The constellation-figure file does not exist: warn, then let the user
  // choose another set.
  void erorek(const std::string& fileName);
  // Sets the fixed OpenGL state again (the chart's context must exist).
  void DrawInit();
  // Draws one frame and presents it (at the next pass of the event loop).
  void kreslix();
  // Rebuilds the grab region for the stage's size and the latitude.
  void shaped_stage();
  // Lays out and repaints the corner menu.
  void DrawMenu();

  // True once the stage has been painted since start-up or markUndrawn.
  bool vykresleno() const { return vykresleno_; }
  // The chart counts as not drawn until the stage paints again (the options
  // dialog has closed).
  void markUndrawn() { vykresleno_ = false; }
  // Width/height ratio the window keeps.
  float aspectRatio() const { return aspectRatio_; }
  // Where a press grabs the star disc, in stage pixels.
  const QRegion& grabRegion() const { return grabRegion_; }

  int stageWidth() const { return stageWidth_; }
  int stageHeight() const { return stageHeight_; }
  Stage* stage() const { return stage_; }
  CornerMenu* picMenu() const { return picMenu_; }
  DiscGrip* grip() const { return grip_; }
  ChartClock* chartClock() const { return clock_; }
  ChartScene& scene() { return *scene_; }
  QSettingsStore& settingsStore() { return store_; }
  const std::string& programFolder() const { return programFolder_; }
  // What went wrong during start-up (and later rebuilds), one line each.
  const StepRunner& steps() const { return steps_; }
  StepRunner& steps() { return steps_; }

  // Puts the window's texts, and Qt's own, in the current language.
  void localize();

  // The box that lists what could not be loaded, while it is open. Notes
  // made before the first frame appear once it is shown; later ones (the
  // options) right after the step that made them, in the same box while it
  // is open.
  QMessageBox* loadNotesBox() const { return notesBox_.box(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
#ifdef Q_OS_WIN
  bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

 private:
  void checkContext();
  void placeOnTop();
  void shutDown();
  void noteMade(const std::string& note);
  void firstFrameShown();
  void queueNotesReport();
  void reportNotes();

  std::string programFolder_;
  bool vykresleno_ = false;
  float aspectRatio_ = 1.0f;
  AspectKeeper aspectKeeper_{*this, aspectRatio_};
  QRegion grabRegion_;
  QSettingsStore store_;
  StepRunner steps_;
  std::unique_ptr<ChartScene> scene_;
  Stage* stage_ = nullptr;
  CornerMenu* picMenu_ = nullptr;
  DiscGrip* grip_ = nullptr;
  ChartClock* clock_ = nullptr;
  int stageWidth_ = 0;
  int stageHeight_ = 0;
  int lastWidth_ = 0;
  bool shutDown_ = false;
  LoadNotesBox notesBox_{*this};
  std::size_t notesReported_ = 0;  // notes of steps_ the user has been shown
  bool frameShown_ = false;
  bool reportQueued_ = false;
  std::string reportedMissing_;  // the figure file erorek told the user of
};

}  // namespace caelora
