// SPDX-License-Identifier: GPL-2.0-or-later
// Every shipped language file against english.lng: the same sections and
// keys, lists of the same length, and a glyph for every character of its
// texts in the chart's vector font and in the embedded PDF font.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "i18n/cp1250.h"
#include "i18n/language.h"
#include "sky/vector_font.h"
#include "tests/test_support.h"

namespace caelora {
namespace {

// A language file as sections of keys and values, section and key names in
// lower case, each name as often as it stands in the file.
struct Profile {
  std::vector<std::string> sectionOrder;
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> sections;
};

std::string lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

Profile readProfile(const std::string& path) {
  Profile p;
  std::istringstream in(test::readFile(path));
  std::string section;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[' && line.find(']') != std::string::npos) {
      section = lower(line.substr(1, line.find(']') - 1));
      p.sectionOrder.push_back(section);
    } else if (const std::size_t eq = line.find('='); eq != std::string::npos && !section.empty()) {
      p.sections[section].emplace_back(lower(line.substr(0, eq)), line.substr(eq + 1));
    }
  }
  return p;
}

std::string path(const std::string& name) { return test::dataDir() + "/" + name; }

// Lists of the language files: entries must match English's one for one.
struct ListKey {
  const char* section;
  const char* key;
};
constexpr ListKey kLists[] = {{"Names", "ConNames"}, {"Names", "Objects"}, {"Sky_Time", "Months"}};

// Texts that are no texts: the font sections and the code page number.
bool isText(const std::string& section, const std::string& key) {
  return section != "ogl_font" && section != "font1" && key != "charset";
}

// Texts the chart writes with its vector font: months and compass points,
// the constellation and body names, the date, time and place texts.
bool drawnOnScreen(const std::string& section, const std::string& key) {
  if (section == "gui_strings") {
    const int k = std::atoi(key.c_str());
    return (k >= 501 && k <= 512) || (k >= 520 && k <= 527);
  }
  return section == "planets" || section == "sky_time" || (section == "names" && key == "connames");
}

TEST(LanguageFiles, TheProgramShipsEightLanguages) {
  EXPECT_EQ(test::languageFiles(),
            (std::vector<std::string>{"croatian.lng", "czech.lng", "english.lng", "german.lng", "hungarian.lng",
                                      "polish.lng", "slovak.lng", "slovenian.lng"}));
}

class EveryLanguage : public ::testing::TestWithParam<std::string> {};

// The profile reader reads only the first section of a name: a second one,
// or a key given twice, would hide texts.
TEST_P(EveryLanguage, HoldsEachSectionAndKeyOnce) {
  const Profile p = readProfile(path(GetParam()));
  std::set<std::string> seen;
  for (const std::string& s : p.sectionOrder) EXPECT_TRUE(seen.insert(s).second) << GetParam() << " [" << s << "] twice";
  for (const auto& [section, entries] : p.sections) {
    std::set<std::string> keys;
    for (const auto& entry : entries)
      EXPECT_TRUE(keys.insert(entry.first).second) << GetParam() << " [" << section << "] " << entry.first << " twice";
  }
}

TEST_P(EveryLanguage, HasEveryKeyOfEnglish) {
  const Profile english = readProfile(path("english.lng"));
  ASSERT_GE(english.sections.size(), 6u);
  for (const auto& [section, entries] : english.sections) {
    for (const auto& [key, value] : entries) {
      const std::string there = readLangKey(path(GetParam()), section, key, "\x01", 4000);
      EXPECT_NE(there, "\x01") << GetParam() << " lacks [" << section << "] " << key;
      EXPECT_EQ(there.empty(), value.empty()) << GetParam() << " [" << section << "] " << key;
    }
  }
}

TEST_P(EveryLanguage, ListsHaveTheLengthOfEnglishOnes) {
  for (const ListKey& list : kLists) {
    const auto count = [&](const std::string& file) {
      return splitList(readLangKey(path(file), list.section, list.key, "", 4000)).size();
    };
    EXPECT_EQ(count(GetParam()), count("english.lng")) << GetParam() << " " << list.key;
  }
}

// Every byte of a text stands for a character of Windows-1250, the vector
// font draws it (on screen), and the PDF font encodes it with a glyph of its
// own and a width (in print).
TEST_P(EveryLanguage, EveryCharacterOfItsTextsHasAGlyph) {
  const std::string file = path(GetParam());
  const GlyphTable screen = loadFont(test::dataDir(), file);
  std::istringstream names(readLangKey(file, "Font1", "Differences", "", 3000));
  std::vector<std::string> encoding(256);  // glyph name by code, after "FirstCode /name /name ..."
  int code = 0;
  names >> code;
  for (std::string name; names >> name && code < 256;) encoding[static_cast<std::size_t>(code++)] = name;
  std::istringstream widthList(readLangKey(file, "Font1", "Widths", "", 3000));
  std::vector<double> widths(256);
  std::string bracket;
  widthList >> bracket;
  for (std::size_t c = std::stoul(readLangKey(file, "Font1", "FirstChar", "32")); c < 256 && widthList >> widths[c];) ++c;

  int checked = 0;
  for (const auto& [section, entries] : readProfile(file).sections) {
    for (const auto& [key, text] : entries) {
      if (!isText(section, key)) continue;
      for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        const std::string where = GetParam() + " [" + section + "] " + key + " '" + cp1250ToUtf8(std::string(1, ch)) + "'";
        ASSERT_NE(cp1250ToUnicode(b), kReplacementCharacter) << where;
        ++checked;
        if (ch == ' ') continue;
        EXPECT_TRUE(encoding[b].size() > 1 && encoding[b] != "/.notdef" && widths[b] > 0) << where << " in print";
        if (!drawnOnScreen(section, key)) continue;
        EXPECT_EQ(arcTextBoxes(screen, 0, 0.5, std::string(1, ch), 1).size(), 1u) << where << " on screen";
      }
    }
  }
  EXPECT_GT(checked, 2000);
}

INSTANTIATE_TEST_SUITE_P(Shipped, EveryLanguage, ::testing::ValuesIn(test::languageFiles()),
                         [](const auto& info) { return info.param.substr(0, info.param.find('.')); });

}  // namespace
}  // namespace caelora
