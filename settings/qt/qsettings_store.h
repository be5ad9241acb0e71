// SPDX-License-Identifier: GPL-2.0-or-later
// The per-user settings store on QSettings: application "Caelora", group
// "Startup", every value kept as its text form. On Linux the file is
// $XDG_CONFIG_HOME/Caelora/Caelora.conf (~/.config when that is unset).
#pragma once

#include <QSettings>
#include <memory>

#include "settings/settings.h"

namespace caelora {

class QSettingsStore : public SettingsStore {
 public:
  QSettingsStore();
  // A store in a given file (INI syntax); for tools and tests that must not
  // touch the user's own store.
  explicit QSettingsStore(const QString& iniFile);

  // A store whose file is no regular file within its bound (a pipe would
  // hang the reader) is never opened: get() throws std::runtime_error
  // naming the file and what it is, save() keeps nothing.
  std::optional<std::string> get(const std::string& key) const override;
  void save(const std::string& key, const std::string& text) override;

  // Pushes what was saved to the file now rather than at destruction.
  void flush();
  QString fileName() const { return fileName_; }

 private:
  QString fileName_;
  std::string problem_;  // why the file is not read; empty when it is
  std::unique_ptr<QSettings> settings_;
};

}  // namespace caelora
