// SPDX-License-Identifier: GPL-2.0-or-later
// The corner menu `picMenu` of the main window: a header row and four
// commands (options, export, about, now), painted by hand in the colours of
// the chart's scheme. The row under the pointer is highlighted while the mouse is
// held for the menu; a release on a command opens its dialog modally.
#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QWidget>
#include <array>
#include <string>

#include "settings/settings.h"

namespace caelora {

class Mapka;

struct MenuColours {
  QColor header;       // row 0
  QColor command;      // the command rows
  QColor highlighted;  // the row under the pointer
  QColor text;
};

// The menu in the colours of the chart's scheme.
MenuColours menuColours(ScreenScheme colourScheme);

class CornerMenu : public QWidget {
  Q_OBJECT

 public:
  explicit CornerMenu(Mapka& window);

  // The UI-text keys of the first four rows: header, options, export,
  // about; the last row, Now, has its text in section Place_And_Time.
  static constexpr std::array<int, 4> menuKeys{901, 1001, 2001, 3001};
  static constexpr int kRows = 5;
  static constexpr int kNowRow = 4;
  // The value of menuHover while no row is highlighted.
  static constexpr int kNoRow = 5;

  // DrawMenu: lays the menu out over the window's client area (2 % of its
  // width from the left, 20 % wide, its bottom 2 % of the height above the
  // window's, each row 3.75 % of the height high) and paints it again.
  void DrawMenu();

  // The height of one of the rows, pixels.
  int rowHeight() const { return height() / kRows; }

  // The highlighted row, or kNoRow; setting it paints the menu again.
  int menuHover() const { return menuHover_; }
  void setMenuHover(int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // The row of a y coordinate, both rounded as the menu always has: row
  // height and y to whole pixels, then whole division.
  int rowAt(double y) const;
  // The text of a row in a language.
  static QString rowText(const std::string& languageFile, int row);
  // The rows' font: a row of rowHeightPx has a font of rowHeight / 30 points,
  // made smaller when the longest of `texts` would run past the menu's width
  // (German, Polish and Hungarian name the export in more letters).
  static QFont rowFont(double rowHeightPx, int menuWidth, const QStringList& texts);
  void runCommand(int row);

  Mapka& window_;
  int menuHover_ = kNoRow;
};

// The export dialog over `window`, modal until an export finished or was
// cancelled; a cancelled file choice leaves it open without modality.
void showExportDialog(Mapka& window);

// The about box over `window`, modal.
void showAboutDialog(Mapka& window);

}  // namespace caelora
