// SPDX-License-Identifier: GPL-2.0-or-later
// Start-up, resizing and shut-down of the main window.
#include "app/mapka.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMoveEvent>
#include <QOpenGLContext>
#include <QResizeEvent>
#include <QTimer>

#include "app/aspect_ratio.h"
#include "app/chart_clock.h"
#include "app/corner_menu.h"
#include "app/grab_region.h"
#include "app/disc_drag.h"
#include "app/stage.h"
#include "app/localize_form.h"
#include "app/options_host.h"
#include "gl/context_format.h"
#include "gl/frame.h"
#include "ui/qt_translations.h"
#include "ui/ui_text.h"
#include "ui/whole_pixels.h"

namespace caelora {

namespace {
// The designed client area: 5880 x 5880 twips at 15 twips per pixel.
constexpr int kInitialClientPx = 392;

void printNote(const std::string& note) { qWarning("Caelora: %s", note.c_str()); }

// A message box in the middle of the screen: placed once it has taken the
// size its text needs, which it does as it is shown.
class ScreenCentredBox : public QMessageBox {
 public:
  ScreenCentredBox(Icon icon, const QString& title, const QString& text, QWidget* parent)
      : QMessageBox(icon, title, text, QMessageBox::Ok, parent) {}

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    centreOnScreen(*this);
  }
};

// A text of the language file, or `english` when the file lacks it.
QString guiQStringOr(const std::string& languageFile, int key, const char* english) {
  const QString text = guiQString(languageFile, key);
  return text.trimmed().isEmpty() ? QString::fromUtf8(english) : text;
}
}  // namespace

Mapka::Mapka(const std::string& programFolder, QWidget* parent)
    : QWidget(parent),
      programFolder_(programFolder),
      steps_([this](const std::string& note) { noteMade(note); }) {
  setProperty("tag", QStringLiteral("101"));
  Settings settings = defaultSettings(programFolder_);
  steps_.run("settings", [&] { settings = loadSettings(store_, programFolder_); });
  scene_ = std::make_unique<ChartScene>(settings, programFolder_);
  steps_.run("localise", [&] { localize(); });
  steps_.run("aspect ratio", [&] { aspectRatio_ = 1.0f; });
  steps_.run("OpenGL context", [&] { checkContext(); });
  stage_ = new Stage(*scene_, steps_, this);
  connect(stage_, &Stage::painted, this, [this] {
    vykresleno_ = true;
    firstFrameShown();
  });
  grip_ = new DiscGrip(*this);
  picMenu_ = new CornerMenu(*this);
  resize(kInitialClientPx, kInitialClientPx);
  stageWidth_ = kInitialClientPx;
  stageHeight_ = kInitialClientPx;
  stage_->setGeometry(0, 0, stageWidth_, stageHeight_);
  scene_->loadAtStartup(steps_, [this](const std::string& file) { erorek(file); });
  steps_.run("clock", [&] { clock_ = new ChartClock(*scene_, *stage_, this); });
  // The GL state of DrawInit is set when the stage's context comes up
  // (Stage::initializeGL), right after the recordings are compiled.
  steps_.run("window placement", [&] { placeOnTop(); });
}

Mapka::~Mapka() { shutDown(); }

void Mapka::localize() {
  useQtTranslations(scene_->settings().languageFile);
  localizeForm(this, scene_->settings().languageFile);
}

void Mapka::checkContext() {
  QOpenGLContext probe;
  probe.setFormat(chartSurfaceFormat());
  if (!probe.create() || !canDrawChart(probe)) reportContextFailure();
}

void Mapka::placeOnTop() {
  if (!scene_->settings().alwaysOnTop) return;
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  centreOnScreen(*this);
}

void Mapka::erorek(const std::string& fileName) {
  reportedMissing_ = fileName;
  const std::string& lang = scene_->settings().languageFile;
  const QString text = guiQString(lang, 2030) + QLatin1Char(' ') + shortenedText(QString::fromStdString(fileName)) +
                       QLatin1Char(' ') + guiQString(lang, 305) + QStringLiteral("\r\n") +
                       guiQString(lang, 306);
  if (isVisible()) {
    QMessageBox::warning(this, guiQString(lang, 101), text);
  } else {
    // Before the window is on the screen there is nothing to stand over: the
    // box opens in the middle of the screen, as the options do after it.
    ScreenCentredBox box(QMessageBox::Warning, guiQString(lang, 101), text, this);
    box.exec();
  }
  showOptionsDialog(*this);
}

void Mapka::noteMade(const std::string& note) {
  printNote(note);
  if (frameShown_) queueNotesReport();
}

void Mapka::firstFrameShown() {
  // A frame drawn for a window that is not on the screen shows nothing yet.
  if (frameShown_ || !isVisible()) return;
  frameShown_ = true;
  queueNotesReport();
}

void Mapka::queueNotesReport() {
  // Every note of one step (start-up, applying the options) in one box:
  // the report waits until the step has returned to the event loop.
  if (reportQueued_) return;
  reportQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    reportQueued_ = false;
    reportNotes();
  });
}

void Mapka::reportNotes() {
  const std::vector<std::string>& notes = steps_.errors();
  const std::string& lang = scene_->settings().languageFile;
  QStringList fresh;
  for (std::size_t i = notesReported_; i < notes.size(); ++i) {
    // The missing figure file has had a box of its own.
    if (!reportedMissing_.empty() && notes[i].find(reportedMissing_) != std::string::npos)
      continue;
    fresh.append(messageQString(lang, steps_.notes()[i]));
  }
  notesReported_ = notes.size();
  reportedMissing_.clear();
  if (fresh.isEmpty() || shutDown_) return;
  const QString title = windowTitle().isEmpty() ? QStringLiteral("Caelora") : windowTitle();
  notesBox_.show(fresh, title,
                 guiQStringOr(lang, 307,
                              "These parts of the chart could not be loaded; the rest of the "
                              "chart is shown:"),
                 guiQStringOr(lang, 308, "and %1 more: all are listed under Show Details."));
}

void Mapka::DrawInit() {
  if (!stage_ || !stage_->context()) return;
  stage_->makeCurrent();
  caelora::DrawInit(scene_->settings().colourScheme);
  stage_->doneCurrent();
}

void Mapka::kreslix() {
  // The stage draws into its own framebuffer and the window system shows it
  // at the next pass of the event loop; requests in between are merged.
  if (stage_) stage_->update();
}

void Mapka::shaped_stage() {
  grabRegion_ = buildGrabRegion(scene_->settings().latitude, stageWidth_, stageHeight_);
}

void Mapka::DrawMenu() {
  if (picMenu_) picMenu_->DrawMenu();
}

#ifdef Q_OS_WIN
bool Mapka::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
  std::intptr_t handled = 0;
  if (aspectWindowProc(message, aspectRatio_, &handled)) {
    *result = handled;
    return true;
  }
  return QWidget::nativeEvent(eventType, message, result);
}
#endif

void Mapka::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
#ifndef Q_OS_WIN
  // The window system here sizes the frame itself: square it once it is done.
  aspectKeeper_.windowResized();
#endif
  stageWidth_ = width();
  stageHeight_ = height();
  // Moving the stage resizes it; its resizeGL sets the viewport.
  stage_->setGeometry(0, 0, stageWidth_, stageHeight_);
  QCoreApplication::processEvents();
  shaped_stage();
  DrawMenu();
  // A narrower window uncovers nothing, so no paint event would come.
  if (stageWidth_ < lastWidth_) kreslix();
  lastWidth_ = stageWidth_;
}

void Mapka::keyPressEvent(QKeyEvent* event) {
  // No child takes the focus, so the keys come to the window itself (which
  // takes none either: a focus change would paint the whole window again).
  if (clock_ && clock_->pressKey(event->key())) return;
  QWidget::keyPressEvent(event);
}

void Mapka::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  aspectKeeper_.windowMoved();
}

void Mapka::closeEvent(QCloseEvent* event) {
  shutDown();
  event->accept();
}

void Mapka::shutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  grabRegion_ = QRegion();
  if (stage_) stage_->releaseContext();
}

}  // namespace caelora
