// Conversion of language-file texts for widgets.
#include "app/ui_text.h"

#include "i18n/cp1250.h"
#include "i18n/language.h"

namespace caelora {

QString fromLanguageFile(const std::string& text) {
  const std::u16string utf16 = cp1250ToUtf16(text);
  return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

QString uiText(const std::string& languageFile, int key) {
  return fromLanguageFile(guiText(languageFile, key));
}

}  // namespace caelora
