// SPDX-License-Identifier: GPL-2.0-or-later
// Loading and switching Qt's translation.
#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include "i18n/language.h"

namespace caelora {

QString useQtTranslations(const std::string& languageFile) {
  static QPointer<QTranslator> installed;
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
  }
  const QString locale = QString::fromStdString(languageLocale(languageFile));
  if (locale.isEmpty() || QCoreApplication::instance() == nullptr) return QString();
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QLocale(locale), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return QString();
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
  return locale;
}

}  // namespace caelora
