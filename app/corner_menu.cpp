// SPDX-License-Identifier: GPL-2.0-or-later
// The corner menu: layout, painting, hover and the three commands.
#include "app/corner_menu.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "app/about_dialog.h"
#include "app/chart_clock.h"
#include "app/export_dialog.h"
#include "app/mapka.h"
#include "app/options_host.h"
#include "sky/screen_colours.h"
#include "ui/ui_text.h"
#include "ui/whole_pixels.h"

namespace caelora {

namespace {

// The menu's place, in shares of the window: 2 % from the left, 20 % wide,
// each row 3.75 % high, the last ending 2 % above the bottom.
constexpr double kLeftShare = 0.02;
constexpr double kWidthShare = 0.2;
constexpr double kRowShare = 0.15 / 4;
constexpr double kBottomShare = 0.98;
// The menu was laid out in twips, 15 to a pixel: its text starts 100 twips
// from the left, and a row of h twips has a font of h / 30 points.
constexpr double kTwipsPerPixel = 15;
constexpr double kTextLeftTwips = 100;
constexpr double kTextRightTwips = 45;  // the room the text leaves at the row's right end
constexpr double kTwipsPerPoint = 20;

}  // namespace

MenuColours menuColours(ScreenScheme colourScheme) {
  const ScreenColours& c = screenColours(colourScheme);
  const auto qt = [](const Rgb8& rgb) { return QColor(rgb.r, rgb.g, rgb.b); };
  return {qt(c.menuHeader), qt(c.menuCommand), qt(c.menuHighlighted), qt(c.menuText)};
}

void showExportDialog(Mapka& window) {
  // One export dialog at a time: one left open without modality comes forward.
  for (frmExport* open : window.findChildren<frmExport*>()) {
    if (!open->isVisible()) continue;
    open->raise();
    open->activateWindow();
    return;
  }
  auto* dialog = new frmExport(window.scene().settings(), window.programFolder(), &window);
  dialog->setDeleteWhenDone(true);
  dialog->setSettingsSource([&window] { return window.scene().settings(); });
  dialog->run();
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
  setGeometry(roundHalfEven(w * kLeftShare), roundHalfEven(h * (kBottomShare - kRows * kRowShare)),
              roundHalfEven(w * kWidthShare), roundHalfEven(h * kRows * kRowShare));
  raise();
  update();
}

void CornerMenu::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const MenuColours colours = menuColours(window_.scene().settings().colourScheme);
  const double rowHeightPx = height() / static_cast<double>(kRows);
  const std::string& languageFile = window_.scene().settings().languageFile;
  QStringList texts;
  for (int i = 0; i < kRows; ++i) texts << rowText(languageFile, i);
  p.setFont(rowFont(rowHeightPx, width(), texts));
  for (int i = 0; i < kRows; ++i) {
    const QRectF row(0, rowHeightPx * i, width(), rowHeightPx);
    const QColor& fill =
        menuHover_ == i ? colours.highlighted : (i == 0 ? colours.header : colours.command);
    p.fillRect(row, fill);
    p.setPen(colours.text);
    const QRectF textBox(kTextLeftTwips / kTwipsPerPixel, row.top() + rowHeightPx * 0.1,
                         width(), rowHeightPx);
    p.drawText(textBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, texts[i]);
  }
}

QFont CornerMenu::rowFont(double rowHeightPx, int menuWidth, const QStringList& texts) {
  QFont font(QStringLiteral("Tahoma"));
  font.setStyleHint(QFont::SansSerif);
  // rowHeight / 30 points, in pixels.
  const double pointSize = rowHeightPx * kTwipsPerPixel / 30;
  int pixels = std::max(1, roundHalfEven(pointSize * kTwipsPerPoint / kTwipsPerPixel));
  font.setPixelSize(pixels);
  const double room = menuWidth - (kTextLeftTwips + kTextRightTwips) / kTwipsPerPixel;
  const auto widest = [&] {
    const QFontMetricsF metrics(font);
    double w = 0;
    for (const QString& text : texts) w = std::max(w, metrics.horizontalAdvance(text));
    return w;
  };
  // Glyph widths do not scale exactly with the size: step down until it fits.
  for (double w = widest(); w > room && pixels > 1; w = widest()) {
    pixels = std::max(1, std::min(pixels - 1, static_cast<int>(pixels * room / w)));
    font.setPixelSize(pixels);
  }
  return font;
}

QString CornerMenu::rowText(const std::string& languageFile, int row) {
  if (row == kNowRow) return langQString(languageFile, "Place_And_Time", "Now", "Now");
  return guiQString(languageFile, menuKeys[static_cast<std::size_t>(row)]);
}

int CornerMenu::rowAt(double y) const {
  const int rowHeightPx = roundHalfEven(height() / static_cast<double>(kRows));
  if (rowHeightPx <= 0) return 0;
  return roundHalfEven(y) / rowHeightPx;
}

void CornerMenu::setMenuHover(int row) {
  menuHover_ = row;
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
    setMenuHover(kNoRow);
    return;
  }
  // Held so that the leaving is seen too.
  if (mouseGrabber() != this) grabMouse();
  const int row = rowAt(at.y());
  if (row > 0 && row != menuHover_) setMenuHover(row);
}

void CornerMenu::mouseReleaseEvent(QMouseEvent* event) {
  const int row = rowAt(event->position().y());
  if (row == 0) return;
  runCommand(row);
}

void CornerMenu::runCommand(int row) {
  setMenuHover(kNoRow);
  if (mouseGrabber() == this) releaseMouse();
  switch (row) {
    case 1: showOptionsDialog(window_); break;
    case 2: showExportDialog(window_); break;
    case 3: showAboutDialog(window_); break;
    case kNowRow:
      if (ChartClock* clock = window_.chartClock()) clock->now();
      break;
    default: break;
  }
  QCoreApplication::processEvents();
  // The options dialog clears vykresleno; a paint event since has set it.
  if (!window_.vykresleno()) window_.kreslix();
  DrawMenu();
}

}  // namespace caelora
