// SPDX-License-Identifier: GPL-2.0-or-later
// Language files: profile (INI) files in Windows-1250 with the semantics of
// the Windows profile reader. A file is read and taken apart once, and read
// again only when it has changed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>
#include <string_view>

#include "i18n/regular_file.h"

namespace caelora {

// A language file holds its texts and the hex digits of its font program.
constexpr FileBound kLanguageFileBound{16 * 1024 * 1024, "a language file"};

// Whether two texts are equal when ASCII letters are compared without regard
// to case, as the Windows profile reader and file names compare them; other
// bytes must be equal.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The value of `key` in `section` of the profile file `path`, or `def` (less
// its trailing blanks) when the file, section or key is absent. Section and
// key names match without regard to ASCII case; only the first section of a
// name is searched and its first matching key wins; lines starting with ";"
// are comments. The value loses the blanks around it and a pair of equal
// surrounding quotes (" or '), ends at a NUL byte, and is cut to size - 1
// characters. Bytes are returned as they stand in the file (Windows-1250).
std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& def,
                              std::size_t size);

// Throws MessageError naming `path` when it is no language file that can be
// read: not there, not a regular file, beyond its bound, empty, saved as
// UTF-8 (its texts would be garbled), or without one of `sections` (the UI
// texts "GUI_Strings" unless told otherwise). The readers above quietly return their defaults then, so
// start-up and the export call this to tell the user why texts are missing.
void checkLanguageFile(const std::string& path,
                       const std::vector<std::string>& sections = {"GUI_Strings"});

// Any key of the language file.
std::string readLangKey(const std::string& languageFile, const std::string& section,
                        const std::string& key, const std::string& def = "",
                        std::size_t size = 255);

// The locale of a language file ("cs", "en"): the key "Locale" of section
// "Info", else the one its file name tells ("czech.lng" is "cs"), else empty.
std::string languageLocale(const std::string& languageFile);

// A UI text by key from section "GUI_Strings".
std::string guiText(const std::string& languageFile, const std::string& key,
                    const std::string& def = "", std::size_t size = 255);
inline std::string guiText(const std::string& languageFile, int key) {
  return guiText(languageFile, std::to_string(key));
}

// Splits a list of the language file at ","; an empty value gives no entries.
std::vector<std::string> splitList(const std::string& value);

// A text of the language file with its placeholder `field` ("{zone}")
// filled in with `value`, where it stands.
std::string withField(std::string text, const std::string& field, const std::string& value);

}  // namespace caelora
