// SPDX-License-Identifier: GPL-2.0-or-later
// The main window's part of the options dialog.
#include "app/options_host.h"

#include "app/chart_clock.h"
#include "app/localize_form.h"
#include "app/mapka.h"
#include "ui/whole_pixels.h"

namespace caelora {

namespace {

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
    if (ChartClock* clock = window_.chartClock()) clock->settingsChanged();
    if (next.languageFile != before.languageFile) window_.localize();
    // The grab region follows the horizon of the new latitude.
    if (next.latitude != before.latitude || next.colourScheme != before.colourScheme)
      window_.shaped_stage();
    QSettingsStore& store = window_.settingsStore();
    saveSettings(store, next);
    store.flush();
    keepOnTop(next.alwaysOnTop);
  }

  void optionsClosed() override { window_.markUndrawn(); }

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

std::unique_ptr<OptionsHost> makeOptionsHost(Mapka& window) {
  return std::make_unique<MapkaOptionsHost>(window);
}

void showOptionsDialog(Mapka& window) {
  const std::unique_ptr<OptionsHost> host = makeOptionsHost(window);
  OptionsDialog dialog(*host, &window);
  if (!window.isVisible()) {
    // Nothing to stand over yet (start-up): the middle of the screen.
    dialog.adjustSize();
    centreOnScreen(dialog);
  }
  dialog.exec();
}

}  // namespace caelora
