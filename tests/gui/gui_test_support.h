// Shared by the window tests: each program runs with a settings store of its
// own under the XDG_CONFIG_HOME its CTest entry gives it, never the store of
// the user who runs the tests.
#pragma once

#include <QFile>
#include <QString>
#include <QtGlobal>

#include "settings/qt/qsettings_store.h"

namespace caelora::test {

inline QString storeFile() { return QSettingsStore().fileName(); }

inline bool usesOwnSettingsStore() {
  const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
  return !home.isEmpty() && storeFile().startsWith(home);
}

constexpr const char* kOwnStoreNeeded = "XDG_CONFIG_HOME must point at a folder of the test's own";

// An empty store but for one setting: the window stays an ordinary one,
// not above every other, so the tests' own windows and events reach it.
inline void startWithOrdinaryWindow() {
  QFile::remove(storeFile());
  QSettingsStore store;
  store.save("SMapTopMost", "False");
  store.flush();
}

}  // namespace caelora::test
