// UI texts of the language file as Qt strings.
#pragma once

#include <QString>
#include <string>

namespace caelora {

// A Windows-1250 text of the language file as a QString.
QString fromLanguageFile(const std::string& text);

// guiText of `key` from `languageFile`, converted for a widget.
QString uiText(const std::string& languageFile, int key);

}  // namespace caelora
