// The corner menu: layout, painting, hover and the three commands; and the
// options dialog's link to the main window.
#include "app/corner_menu.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>

#include "app/about_dialog.h"
#include "app/export_dialog.h"
#include "app/localize_form.h"
#include "app/mapka.h"
#include "app/ui_text.h"
#include "settings/qt/options_dialog.h"
#include "settings/qt/qsettings_store.h"
#include "sky/screen_colours.h"

namespace caelora {

namespace {

constexpr int kNoRow = 5;
constexpr int kRows = 4;
// The menu was laid out in twips, 15 to a pixel: its text starts 100 twips
// from the left, and a row of h twips has a font of h / 30 points.
constexpr double kTwipsPerPixel = 15;
constexpr double kTextLeftTwips = 100;
constexpr double kTwipsPerPoint = 20;

int roundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// The window's part of the options dialog.
class MapkaOptionsHost : public OptionsHost {
 public:
  explicit MapkaOptionsHost(Mapka& window) : window_(window) {}

  Settings currentSettings() const override { return window_.scene().settings(); }
  std::string programFolder() const override { return window_.programFolder(); }
  void localize(QWidget* form, const std::string& languageFile) override {
    localizeForm(form, languageFile);
  }

  void applyOptions(const Settings& next) override {
    const Settings before = window_.scene().settings();
    window_.scene().applySettings(next, window_.steps());
    if (next.languageFile != before.languageFile) window_.localize();
    // The grab region follows the horizon of the new latitude.
    if (next.latitude != before.latitude || next.colourScheme != before.colourScheme)
      window_.shaped_stage();
    SettingsStore& store = window_.settingsStore();
    saveSettings(store, next);
    if (auto* qtStore = dynamic_cast<QSettingsStore*>(&store)) qtStore->flush();
    keepOnTop(next.alwaysOnTop);
  }

  void optionsClosed() override { window_.vykresleno = false; }

 private:
  // The window keeps its place whether or not it stays on top.
  void keepOnTop(bool onTop) {
    if (window_.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
    const QPoint place = window_.pos();
    const bool shown = window_.isVisible();
    window_.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    window_.move(place);
    if (shown) window_.show();
  }

  Mapka& window_;
};

}  // namespace

MenuColours menuColours(ScreenScheme colourScheme) {
  const ScreenColours& c = screenColours(colourScheme);
  const auto qt = [](const Rgb8& rgb) { return QColor(rgb.r, rgb.g, rgb.b); };
  return {qt(c.menuHeader), qt(c.menuCommand), qt(c.menuHighlighted), qt(c.menuText)};
}

std::unique_ptr<OptionsHost> makeOptionsHost(Mapka& window) {
  return std::make_unique<MapkaOptionsHost>(window);
}

void showOptionsDialog(Mapka& window) {
  MapkaOptionsHost host(window);
  OptionsDialog dialog(host, &window);
  dialog.exec();
}

void showExportDialog(Mapka& window) {
  frmExport dialog(window.scene().settings(), window.programFolder(), &window);
  dialog.run();
}

void showAboutDialog(Mapka& window) {
  AboutDialog dialog(window.scene().settings().languageFile, &window);
  dialog.exec();
}

CornerMenu::CornerMenu(Mapka& window) : QWidget(&window), window_(window) {
  setObjectName(QStringLiteral("picMenu"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CornerMenu::DrawMenu() {
  const int w = window_.width();
  const int h = window_.height();
  setGeometry(roundHalfEven(w * 0.02), roundHalfEven(h * 0.83), roundHalfEven(w * 0.2),
              roundHalfEven(h * 0.15));
  raise();
  update();
}

void CornerMenu::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const MenuColours colours = menuColours(window_.scene().settings().colourScheme);
  const std::string& languageFile = window_.scene().settings().languageFile;
  const double rowHeightPx = height() / static_cast<double>(kRows);
  QFont font(QStringLiteral("Tahoma"));
  font.setStyleHint(QFont::SansSerif);
  // rowHeight / 30 points, in pixels.
  const double pointSize = rowHeightPx * kTwipsPerPixel / 30;
  font.setPixelSize(std::max(1, roundHalfEven(pointSize * kTwipsPerPoint / kTwipsPerPixel)));
  p.setFont(font);
  for (int i = 0; i < kRows; ++i) {
    const QRectF row(0, rowHeightPx * i, width(), rowHeightPx);
    const QColor& fill =
        window_.menuHover == i ? colours.highlighted : (i == 0 ? colours.header : colours.command);
    p.fillRect(row, fill);
    p.setPen(colours.text);
    const QRectF textBox(kTextLeftTwips / kTwipsPerPixel, row.top() + rowHeightPx * 0.1,
                         width(), rowHeightPx);
    p.drawText(textBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               uiText(languageFile, window_.menuKeys[static_cast<std::size_t>(i)]));
  }
}

int CornerMenu::rowAt(double y) const {
  const int rowHeightPx = roundHalfEven(height() / static_cast<double>(kRows));
  if (rowHeightPx <= 0) return 0;
  return roundHalfEven(y) / rowHeightPx;
}

void CornerMenu::setHover(int row) {
  window_.menuHover = row;
  DrawMenu();
}

// A press only starts the click; the release runs the command.
void CornerMenu::mousePressEvent(QMouseEvent* event) { event->accept(); }

void CornerMenu::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() != Qt::NoButton) return;
  const QPointF at = event->position();
  if (at.x() < 0 || at.y() < 0 || at.x() > width() || at.y() > height()) {
    // The pointer has left the menu.
    if (mouseGrabber() == this) releaseMouse();
    setHover(kNoRow);
    return;
  }
  // Held so that the leaving is seen too.
  if (mouseGrabber() != this) grabMouse();
  const int row = rowAt(at.y());
  if (row > 0 && row != window_.menuHover) setHover(row);
}

void CornerMenu::mouseReleaseEvent(QMouseEvent* event) {
  const int row = rowAt(event->position().y());
  if (row == 0) return;
  runCommand(row);
}

void CornerMenu::runCommand(int row) {
  setHover(kNoRow);
  if (mouseGrabber() == this) releaseMouse();
  switch (row) {
    case 1: showOptionsDialog(window_); break;
    case 2:
      if (exportCommand_) {
        exportCommand_();
      } else {
        showExportDialog(window_);
      }
      break;
    case 3: showAboutDialog(window_); break;
    default: break;
  }
  QCoreApplication::processEvents();
  // The options dialog clears vykresleno; a paint event since has set it.
  if (!window_.vykresleno) window_.kreslix();
  DrawMenu();
}

}  // namespace caelora
