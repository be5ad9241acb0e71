// Language files: profile (INI) files in Windows-1250 with the semantics of
// the Windows profile reader. Every call reads the file anew.
#pragma once

#include <cstddef>
#include <string>

namespace caelora {

// The value of `key` in `section` of the profile file `path`, or `def` when
// the file, section or key is absent; section and key names match without
// regard to case; at most size - 1 characters are returned; surrounding
// quotes are removed as the Windows reader does.
std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& def,
                              std::size_t size);

// Any key of the language file.
std::string readLangKey(const std::string& languageFile, const std::string& section,
                        const std::string& key, const std::string& def = "",
                        std::size_t size = 255);

// A UI text by key from section "GUI_Strings".
std::string guiText(const std::string& languageFile, const std::string& key,
                    const std::string& def = "", std::size_t size = 255);
inline std::string guiText(const std::string& languageFile, int key) {
  return guiText(languageFile, std::to_string(key));
}

}  // namespace caelora
