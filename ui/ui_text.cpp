// SPDX-License-Identifier: GPL-2.0-or-later
// Language-file texts converted for widgets.
#include "ui/ui_text.h"

#include "i18n/cp1250.h"
#include "i18n/language.h"

namespace caelora {

QString qStringFromCp1250(const std::string& text) {
  return QString::fromStdU16String(cp1250ToUtf16(text));
}

std::string cp1250FromQString(const QString& text) {
  return utf16ToCp1250(text.toStdU16String());
}

QString guiQString(const std::string& languageFile, int key) {
  return qStringFromCp1250(guiText(languageFile, key));
}

QString guiQString(const std::string& languageFile, const std::string& key) {
  return qStringFromCp1250(guiText(languageFile, key));
}

QString langQString(const std::string& languageFile, const std::string& section, const std::string& key,
                    const char* english) {
  const QString text = qStringFromCp1250(readLangKey(languageFile, section, key));
  return text.trimmed().isEmpty() ? QString::fromUtf8(english) : text;
}

QString messageQString(const std::string& languageFile, const Message& message) {
  return QString::fromStdString(localizedMessage(languageFile, message));
}

}  // namespace caelora
