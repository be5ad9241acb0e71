// Conversion of language-file texts for widgets.
#include "app/ui_text.h"

#include <QStringDecoder>

#include "i18n/language.h"

namespace caelora {

QString fromLanguageFile(const std::string& text) {
  QStringDecoder decode("windows-1250");
  if (!decode.isValid()) return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  return decode(QByteArray::fromStdString(text));
}

QString uiText(const std::string& languageFile, int key) {
  return fromLanguageFile(guiText(languageFile, key));
}

}  // namespace caelora
