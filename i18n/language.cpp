// SPDX-License-Identifier: GPL-2.0-or-later
// Profile (INI) file reading with the rules of the Windows profile reader:
// names match without regard to ASCII case, the first matching section and
// the first matching key in it win, values keep their bytes as they are.
#include "i18n/language.h"

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "i18n/message.h"

#include "i18n/regular_file.h"

namespace caelora {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The name between "[" and "]" of a section line, or nothing for other lines.
bool sectionName(std::string_view line, std::string_view& name) {
  if (line.empty() || line.front() != '[') return false;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return false;
  name = trim(line.substr(1, close - 1));
  return true;
}

// A value standing between two equal quote characters loses them.
std::string_view withoutSurroundingQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string cut(std::string_view text, std::size_t size) {
  if (size == 0) return std::string();
  return std::string(text.substr(0, size - 1));
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = lowerAscii(c);
  return lower;
}

// A profile file taken apart once: the keys of the first section of each
// name, both names in lower case, each key with the value of its first line
// (blanks around it removed, quotes and NUL bytes still in it).
struct ParsedProfile {
  std::shared_ptr<const std::string> bytes;  // the values point into these
  std::unordered_map<std::string, std::unordered_map<std::string, std::string_view>> sections;
};

std::shared_ptr<const ParsedProfile> parseProfile(std::shared_ptr<const std::string> bytes) {
  auto profile = std::make_shared<ParsedProfile>();
  std::string_view contents = *bytes;
  profile->bytes = std::move(bytes);
  // A UTF-8 byte order mark written by an editor must not hide the first section.
  if (contents.substr(0, 3) == "\xEF\xBB\xBF") contents.remove_prefix(3);
  std::unordered_map<std::string, std::string_view>* keys = nullptr;  // of a first section
  for (std::size_t pos = 0; pos < contents.size();) {
    std::size_t end = contents.find('\n', pos);
    if (end == std::string_view::npos) end = contents.size();
    const std::string_view line = trim(contents.substr(pos, end - pos));
    pos = end + 1;
    std::string_view name;
    if (sectionName(line, name)) {
      const auto [section, first] = profile->sections.try_emplace(lowerAscii(name));
      keys = first ? &section->second : nullptr;  // a later section of the same name is not read
      continue;
    }
    if (keys == nullptr || line.empty() || line.front() == ';') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    keys->try_emplace(lowerAscii(trim(line.substr(0, equals))), trim(line.substr(equals + 1)));
  }
  return profile;
}

// The parsed form of each profile file read, for as long as the file is
// the one read (readRegularFileOnce hands out the same bytes).
std::shared_ptr<const ParsedProfile> readParsedProfile(const std::string& path) {
  static std::mutex mutex;
  static std::map<std::string, std::shared_ptr<const ParsedProfile>> parsed;
  std::string problem;
  std::shared_ptr<const std::string> bytes = readRegularFileOnce(path, kLanguageFileBound, problem);
  if (!bytes) return nullptr;
  const std::lock_guard<std::mutex> lock(mutex);
  std::shared_ptr<const ParsedProfile>& entry = parsed[path];
  if (!entry || entry->bytes != bytes) entry = parseProfile(std::move(bytes));
  return entry;
}

// The value of `key` in the first section named `section`, if it has one.
std::optional<std::string_view> findValue(const ParsedProfile& profile, std::string_view section,
                                          std::string_view key) {
  const auto keys = profile.sections.find(lowerAscii(section));
  if (keys == profile.sections.end()) return std::nullopt;
  const auto value = keys->second.find(lowerAscii(key));
  if (value == keys->second.end()) return std::nullopt;
  return value->second;
}
// Whether a line "[section]" stands in the file (names without regard to case).
bool hasSection(std::string_view contents, std::string_view section) {
  if (contents.substr(0, 3) == "\xEF\xBB\xBF") contents.remove_prefix(3);
  for (std::size_t pos = 0; pos < contents.size();) {
    std::size_t end = contents.find('\n', pos);
    if (end == std::string_view::npos) end = contents.size();
    std::string_view name;
    if (sectionName(trim(contents.substr(pos, end - pos)), name) && equalsIgnoringCase(name, section)) return true;
    pos = end + 1;
  }
  return false;
}

// The length of the UTF-8 sequence of more than one byte that starts at
// `at`, or 0 when none does (overlong forms and surrogates are none).
std::size_t utf8SequenceAt(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > text.size()) return 0;
  for (std::size_t i = at + 1; i < at + length; ++i)
    if ((byte(i) & 0xC0) != 0x80) return 0;
  const unsigned char second = byte(at + 1);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
      (lead == 0xF4 && second >= 0x90))
    return 0;
  return length;
}

// Text an editor saved as UTF-8: it decodes as UTF-8 and holds at least one
// character of more than one byte. Windows-1250 letters almost never do.
bool savedAsUtf8(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  bool multiByte = false;
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = utf8SequenceAt(text, i);
    if (length == 0) return false;
    multiByte = true;
    i += length;
  }
  return multiByte;
}

}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& def,
                              std::size_t size) {
  // The default loses its trailing blanks, as the Windows reader does.
  std::string_view fallback = def;
  while (!fallback.empty() && isBlank(fallback.back())) fallback.remove_suffix(1);

  const std::shared_ptr<const ParsedProfile> profile = readParsedProfile(path);
  if (!profile) return cut(fallback, size);
  const std::optional<std::string_view> value = findValue(*profile, trim(section), trim(key));
  if (!value) return cut(fallback, size);
  // A NUL byte ends the text, as it ends the C string of the Windows reader.
  return cut(withoutSurroundingQuotes(value->substr(0, value->find('\0'))), size);
}

void checkLanguageFile(const std::string& path, const std::vector<std::string>& sections) {
  std::string problem;
  const std::shared_ptr<const std::string> bytes = readRegularFileOnce(path, kLanguageFileBound, problem);
  if (!bytes) throw MessageError(Message("LanguageFileUnreadable").with("file", path).with("problem", problem));
  if (bytes->empty()) throw MessageError(Message("LanguageFileEmpty").with("file", path));
  if (savedAsUtf8(*bytes)) throw MessageError(Message("LanguageFileUtf8").with("file", path));
  for (const std::string& section : sections)
    if (!hasSection(*bytes, section))
      throw MessageError(Message("LanguageFileNoSection").with("file", path).with("section", section));
}

std::string readLangKey(const std::string& languageFile, const std::string& section,
                        const std::string& key, const std::string& def, std::size_t size) {
  return readProfileString(languageFile, section, key, def, size);
}

std::string languageLocale(const std::string& languageFile) {
  const std::string stated = readLangKey(languageFile, "Info", "Locale");
  if (!stated.empty()) return stated;
  // Language files written before they stated their locale.
  static constexpr std::pair<std::string_view, std::string_view> kByName[] = {
      {"english", "en"},   {"czech", "cs"},     {"german", "de"},    {"polish", "pl"},
      {"slovak", "sk"},    {"hungarian", "hu"}, {"slovenian", "sl"}, {"croatian", "hr"},
  };
  const std::string stem = std::filesystem::path(languageFile).stem().string();
  for (const auto& [name, locale] : kByName)
    if (equalsIgnoringCase(stem, name)) return std::string(locale);
  return std::string();
}

std::string guiText(const std::string& languageFile, const std::string& key,
                    const std::string& def, std::size_t size) {
  return readLangKey(languageFile, "GUI_Strings", key, def, size);
}

std::vector<std::string> splitList(const std::string& value) {
  std::vector<std::string> items;
  if (value.empty()) return items;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = value.find(',', start);
    items.push_back(value.substr(start, comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return items;
}

std::string withField(std::string text, const std::string& field, const std::string& value) {
  const std::size_t at = text.find(field);
  if (at != std::string::npos) text.replace(at, field.size(), value);
  return text;
}

}  // namespace caelora
