// SPDX-License-Identifier: GPL-2.0-or-later
// Texts of the language file where they meet a widget: Windows-1250 bytes as
// a QString and back, through the one code-page table in i18n/.
#pragma once

#include <QString>
#include <string>

#include "i18n/message.h"

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

// A message in the language of the language file (English where it lacks
// the message).
QString messageQString(const std::string& languageFile, const Message& message);

}  // namespace caelora
