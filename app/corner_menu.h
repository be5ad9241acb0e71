// The corner menu `picMenu` of the main window: a header row and three
// commands (options, export, about), painted by hand in the colours of the
// chart's scheme. The row under the pointer is highlighted while the mouse is
// held for the menu; a release on a command opens its dialog modally.
#pragma once

#include <QColor>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>

#include "settings/settings.h"

namespace caelora {

class Mapka;
class OptionsHost;

struct MenuColours {
  QColor header;       // row 0
  QColor command;      // rows 1 to 3
  QColor highlighted;  // the row under the pointer
  QColor text;
};

// The menu in the colours of the chart's scheme.
MenuColours menuColours(ScreenScheme colourScheme);

class CornerMenu : public QWidget {
  Q_OBJECT

 public:
  explicit CornerMenu(Mapka& window);

  // DrawMenu: lays the menu out over the window's client area (2 % and 83 %
  // of its width and height, 20 % wide, 15 % high) and paints it again.
  void DrawMenu();

  // The height of one of the four rows, pixels.
  int rowHeight() const { return height() / 4; }

  // The export row's command; until it is set, that row opens the export dialog.
  void setExportCommand(std::function<void()> command) { exportCommand_ = std::move(command); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // The row of a y coordinate, both rounded as the menu always has: row
  // height and y to whole pixels, then whole division.
  int rowAt(double y) const;
  void setHover(int row);
  void runCommand(int row);

  Mapka& window_;
  std::function<void()> exportCommand_;
};

// The options dialog over `window`, modal; it applies its values to the
// window's chart, settings and store. Used by the menu and at start-up when
// the figure file is missing.
void showOptionsDialog(Mapka& window);

// The link between the options dialog and `window`.
std::unique_ptr<OptionsHost> makeOptionsHost(Mapka& window);

// The export dialog over `window`, until an export finished or was cancelled.
void showExportDialog(Mapka& window);

// The about box over `window`, modal.
void showAboutDialog(Mapka& window);

}  // namespace caelora
