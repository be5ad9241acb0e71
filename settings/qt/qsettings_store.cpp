// SPDX-License-Identifier: GPL-2.0-or-later
// QSettings-backed store of the settings.
#include "settings/qt/qsettings_store.h"

#include <QStringList>

namespace caelora {

namespace {
const QString kGroup = QStringLiteral("Startup/");

QString keyPath(const std::string& key) { return kGroup + QString::fromStdString(key); }
}  // namespace

QSettingsStore::QSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Caelora"),
                QStringLiteral("Caelora")) {}

QSettingsStore::QSettingsStore(const QString& iniFile)
    : settings_(iniFile, QSettings::IniFormat) {}

std::optional<std::string> QSettingsStore::get(const std::string& key) const {
  const QVariant value = settings_.value(keyPath(key));
  if (!value.isValid()) return std::nullopt;
  // A hand-edited value with unquoted commas (a path, say) comes back as a
  // list; it is still one text.
  if (value.typeId() == QMetaType::QStringList)
    return value.toStringList().join(QLatin1Char(',')).toStdString();
  return value.toString().toStdString();
}

void QSettingsStore::save(const std::string& key, const std::string& text) {
  settings_.setValue(keyPath(key), QString::fromStdString(text));
}

void QSettingsStore::flush() { settings_.sync(); }

}  // namespace caelora
