// SPDX-License-Identifier: GPL-2.0-or-later
// The shipped language files: every UI text and message the program asks for
// is there, they name their locale, and they are Windows-1250 text that the
// profile reader can read; messages are filled in in their language.
#include "i18n/cp1250.h"
#include "i18n/language.h"
#include "i18n/message.h"
#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace caelora {
namespace {

const std::string kDataDir = CAELORA_SOURCE_DATA_DIR;

// Every UI-text key that the windows, dialogs, the chart and the export use.
std::vector<std::string> requiredKeys() {
  std::vector<std::string> keys = {"CharSet", "101", "200", "202", "305", "306", "901", "1001",
                                   "2001", "3001", "3005", "1062", "2002", "2010", "2012",
                                   "2014", "2020", "2022", "2030", "2032", "2034", "2036",
                                   "2050", "2060", "2062"};
  for (int month = 1; month <= 12; ++month) keys.push_back(std::to_string(500 + month));
  for (int direction = 0; direction < 8; ++direction) keys.push_back(std::to_string(520 + direction));
  for (int key : {1010, 1012, 1014, 1016, 1018, 1020, 1022, 1024, 1026, 1030, 1032, 1034, 1036,
                  1040, 1042, 1044, 1046, 1050, 1052, 1054, 1060, 1070, 1080, 1090}) {
    keys.push_back(std::to_string(key));
  }
  return keys;
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ShippedLanguageFile : public ::testing::TestWithParam<std::string> {
 protected:
  std::string path() const { return kDataDir + "/" + GetParam(); }
};

TEST_P(ShippedLanguageFile, HoldsEveryUiText) {
  for (const std::string& key : requiredKeys()) {
    EXPECT_NE(guiText(path(), key, "<missing>"), "<missing>") << GetParam() << " key " << key;
    EXPECT_FALSE(guiText(path(), key).empty()) << GetParam() << " key " << key;
  }
  EXPECT_EQ(guiText(path(), 101), "Caelora");
  EXPECT_EQ(guiText(path(), "CharSet"), "238");
}

TEST_P(ShippedLanguageFile, IsWindows1250WithCrLfLines) {
  const std::string bytes = fileBytes(path());
  ASSERT_FALSE(bytes.empty()) << path();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    ASSERT_NE(cp1250ToUnicode(b), kReplacementCharacter) << GetParam() << " byte " << i;
    ASSERT_TRUE(b >= 0x20 || b == '\r' || b == '\n' || b == '\t') << GetParam() << " byte " << i;
    if (b == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << GetParam() << " byte " << i;
    }
  }
  // Text written as UTF-8 by mistake shows up as the lead bytes of its letters.
  EXPECT_EQ(bytes.find("\xC3\xA1"), std::string::npos);  // á in UTF-8
  EXPECT_EQ(bytes.find("\xC5\x99"), std::string::npos);  // ř in UTF-8
}

// The placeholders of a message text, "{file}" and the like.
std::multiset<std::string> placeholders(const std::string& text) {
  std::multiset<std::string> found;
  const std::regex placeholder(R"(\{[a-z]+\})");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder);
       it != std::sregex_iterator(); ++it)
    found.insert(it->str());
  return found;
}

TEST_P(ShippedLanguageFile, HoldsEveryMessageWithTheEnglishPlaceholders) {
  for (std::string_view id : messageIds()) {
    const std::string text = readLangKey(path(), "Messages", std::string(id), "", 1024);
    EXPECT_FALSE(text.empty()) << GetParam() << " message " << id;
    EXPECT_EQ(placeholders(text), placeholders(std::string(englishMessage(id))))
        << GetParam() << " message " << id;
  }
  if (GetParam() == std::string("english.lng")) {
    for (std::string_view id : messageIds())
      EXPECT_EQ(readLangKey(path(), "Messages", std::string(id), "", 1024), englishMessage(id));
  }
}

INSTANTIATE_TEST_SUITE_P(Data, ShippedLanguageFile, ::testing::ValuesIn(test::languageFiles()),
                         [](const auto& info) { return info.param.substr(0, info.param.find('.')); });

TEST(CzechLanguageFile, KeepsItsLettersAsWindows1250) {
  const std::string czech = kDataDir + "/czech.lng";
  EXPECT_EQ(guiText(czech, 202), "Storno");
  EXPECT_EQ(cp1250ToUtf8(guiText(czech, 527)), "Severov\u00FDchod");
  EXPECT_EQ(cp1250ToUtf8(guiText(czech, 510)), "\u0158\u00EDjen");
  EXPECT_EQ(cp1250ToUtf8(guiText(czech, 2060)), "Zv\u00ED\u0159etn\u00EDk");
}

TEST(LanguageFiles, NameTheirLocale) {
  EXPECT_EQ(languageLocale(kDataDir + "/english.lng"), "en");
  EXPECT_EQ(languageLocale(kDataDir + "/czech.lng"), "cs");
  // A file that does not say is known by its name, or not at all.
  EXPECT_EQ(languageLocale("/nowhere/German.lng"), "de");
  EXPECT_EQ(languageLocale("/nowhere/klingon.lng"), "");
}

TEST(Messages, AreFilledInTheLanguageOfTheFile) {
  Message record = Message("Record").with("file", "/data/yale.dat").with("record", "7");
  record.with("detail", Message("FieldMissingAtEnd").with("field", "3"));
  Message note = Message("StepFailed").with("step", Message("Step.stars"));
  note.with("detail", record);
  EXPECT_EQ(formatMessage(note),
            "stars: /data/yale.dat, record 7: field 3 is missing (end of file)");
  EXPECT_EQ(localizedMessage(kDataDir + "/czech.lng", note),
            "hv\u011Bzdy: /data/yale.dat, z\u00E1znam 7: chyb\u00ED pole 3 (konec souboru)");
  // No such file: English. A placeholder without a value stays; a text of
  // no catalogue stays as it is.
  EXPECT_EQ(localizedMessage("/nowhere.lng", Message("NoStars")), "{file}: holds no stars");
  EXPECT_EQ(formatMessage(Message::verbatim("{file} as it is")), "{file} as it is");
}

TEST(LanguageFiles, CompassNamesAndMonthsDifferFromEachOther) {
  for (const std::string& name : test::languageFiles()) {
    const std::string path = kDataDir + "/" + name;
    std::vector<std::string> seen;
    for (int key = 501; key <= 512; ++key) seen.push_back(guiText(path, key));
    for (int key = 520; key <= 527; ++key) seen.push_back(guiText(path, key));
    for (std::size_t i = 0; i < seen.size(); ++i) {
      for (std::size_t j = i + 1; j < seen.size(); ++j) EXPECT_NE(seen[i], seen[j]) << name;
    }
  }
}

}  // namespace
}  // namespace caelora
