// SPDX-License-Identifier: GPL-2.0-or-later
// QSettings-backed store of the settings.
#include "settings/qt/qsettings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <stdexcept>

#include "i18n/regular_file.h"

namespace caelora {

namespace {
const QString kGroup = QStringLiteral("Startup/");
const QString kName = QStringLiteral("Caelora");

// Fourteen short values; a file far beyond that is not a settings store.
constexpr FileBound kStoreBound{16 * 1024 * 1024, "a settings file"};

QString keyPath(const std::string& key) { return kGroup + QString::fromStdString(key); }

// The folder of the per-user stores, as QSettings finds it (after setPath
// and $XDG_CONFIG_HOME), learnt from a store of a name no file has: opening
// that one reads nothing.
QString userStoreFolder() {
  const QString none = QStringLiteral(".caelora-no-store");
  const QSettings probe(QSettings::NativeFormat, QSettings::UserScope, none, none);
  return QFileInfo(QFileInfo(probe.fileName()).absolutePath()).absolutePath();
}

// What keeps one of the files QSettings would read from being read.
std::string storeProblem(const QStringList& files) {
  for (const QString& file : files) {
    const std::string path = QFile::encodeName(file).toStdString();
    const std::string problem = regularFileProblem(path, kStoreBound);
    if (!problem.empty() && problem != "does not exist")
      return "Settings file \"" + path + "\": " + problem + "; the stored settings are not used";
  }
  return "";
}
}  // namespace

QSettingsStore::QSettingsStore() {
  const QDir folder(userStoreFolder());
  // The application's file and the organisation's, which QSettings reads too.
  const QString file = folder.filePath(kName + QLatin1Char('/') + kName + QStringLiteral(".conf"));
  problem_ = storeProblem({file, folder.filePath(kName + QStringLiteral(".conf"))});
  if (!problem_.empty()) {
    fileName_ = file;
    return;
  }
  settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kName, kName);
  fileName_ = settings_->fileName();
}

QSettingsStore::QSettingsStore(const QString& iniFile) : fileName_(iniFile) {
  problem_ = storeProblem({iniFile});
  if (problem_.empty()) settings_ = std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
}

std::optional<std::string> QSettingsStore::get(const std::string& key) const {
  if (!settings_) throw std::runtime_error(problem_);
  const QVariant value = settings_->value(keyPath(key));
  if (!value.isValid()) return std::nullopt;
  // A hand-edited value with unquoted commas (a path, say) comes back as a
  // list; it is still one text.
  if (value.typeId() == QMetaType::QStringList)
    return value.toStringList().join(QLatin1Char(',')).toStdString();
  return value.toString().toStdString();
}

void QSettingsStore::save(const std::string& key, const std::string& text) {
  if (settings_) settings_->setValue(keyPath(key), QString::fromStdString(text));
}

void QSettingsStore::flush() {
  if (settings_) settings_->sync();
}

}  // namespace caelora
