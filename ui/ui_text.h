// Texts of the language file where they meet a widget: Windows-1250 bytes as
// a QString and back, through the one code-page table in i18n/.
#pragma once

#include <QString>
#include <string>

namespace caelora {

// A Windows-1250 text as a QString, and back (characters that the code page
// lacks become '?').
QString qStringFromCp1250(const std::string& text);
std::string cp1250FromQString(const QString& text);

// The UI text `key` of section "GUI_Strings", ready for a widget.
QString guiQString(const std::string& languageFile, int key);
QString guiQString(const std::string& languageFile, const std::string& key);

// Any text of the language file, ready for a widget; `english` when the
// file lacks it.
QString langQString(const std::string& languageFile, const std::string& section, const std::string& key,
                    const char* english);

}  // namespace caelora
