// SPDX-License-Identifier: GPL-2.0-or-later
// The profile reader: truncation, case rules, defaults, quotes, sections,
// and files that are missing or are not text at all.
#include "i18n/language.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/test_support.h"

namespace caelora {
namespace {

namespace fs = std::filesystem;

class ProfileReader : public test::ScratchFolderTest {
 protected:
  std::string write(const std::string& contents, const std::string& name = "test.lng") {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << contents;
    return path.string();
  }
};

TEST_F(ProfileReader, LongValuesAreCutToSizeMinusOne) {
  const std::string value(300, 'x');
  const std::string file = write("[GUI_Strings]\r\n1030=" + value + "\r\n");
  EXPECT_EQ(guiText(file, 1030), std::string(254, 'x'));
  EXPECT_EQ(guiText(file, "1030", "", 10), std::string(9, 'x'));
  EXPECT_EQ(guiText(file, "1030", "", 1), "");
  EXPECT_EQ(guiText(file, "1030", "", 0), "");
  EXPECT_EQ(readLangKey(file, "GUI_Strings", "1030", "", 2000), value);
}

TEST_F(ProfileReader, SectionAndKeyNamesIgnoreCaseAndBlanks) {
  const std::string file = write(
      "[gui_STRINGS]\n"
      "  CharSet =  238  \n"
      "\t1030\t=\tLatitude\t\n");
  EXPECT_EQ(guiText(file, "charset"), "238");
  EXPECT_EQ(guiText(file, "CHARSET"), "238");
  EXPECT_EQ(readLangKey(file, " Gui_Strings ", " 1030 "), "Latitude");
  // The value's own inner blanks are kept.
  const std::string spaced = write("[S]\nk =  a  b  \n", "spaced.lng");
  EXPECT_EQ(readLangKey(spaced, "s", "K"), "a  b");
}

TEST_F(ProfileReader, AbsentFileSectionOrKeyGivesTheDefault) {
  const std::string file = write("[GUI_Strings]\n200=OK\n[Names]\nObjects=a,b\n");
  EXPECT_EQ(guiText(file, "201", "fallback"), "fallback");
  EXPECT_EQ(readLangKey(file, "Font1", "Ascent", "none"), "none");
  EXPECT_EQ(guiText((dir_ / "missing.lng").string(), "200", "gone"), "gone");
  EXPECT_EQ(guiText(file, "201"), "");
  // The default is cut like a value and loses its trailing blanks.
  EXPECT_EQ(guiText(file, "201", "abcdef", 4), "abc");
  EXPECT_EQ(guiText(file, "201", "ab  "), "ab");
  // A key that is present with an empty value is not absent.
  const std::string empty = write("[GUI_Strings]\n200=\n", "empty.lng");
  EXPECT_EQ(guiText(empty, "200", "fallback"), "");
}

TEST_F(ProfileReader, SurroundingQuotesOfOneKindAreRemoved) {
  const std::string file = write(
      "[Q]\n"
      "double=\"  quoted  \"\n"
      "single='it''s'\n"
      "mixed=\"abc'\n"
      "lone=\"\n"
      "empty=\"\"\n"
      "inner=say \"hi\"\n"
      "long=\"" + std::string(300, 'q') + "\"\n");
  EXPECT_EQ(readLangKey(file, "Q", "double"), "  quoted  ");
  EXPECT_EQ(readLangKey(file, "Q", "single"), "it''s");
  EXPECT_EQ(readLangKey(file, "Q", "mixed"), "\"abc'");
  EXPECT_EQ(readLangKey(file, "Q", "lone"), "\"");
  EXPECT_EQ(readLangKey(file, "Q", "empty"), "");
  EXPECT_EQ(readLangKey(file, "Q", "inner"), "say \"hi\"");
  EXPECT_EQ(readLangKey(file, "Q", "long"), std::string(254, 'q'));
}

TEST_F(ProfileReader, OnlyTheFirstMatchingSectionAndKeyCount) {
  const std::string file = write(
      "1030=before any section\n"
      "[Names]\n"
      "1030=from Names\n"
      "[GUI_Strings]\n"
      "; 1030=commented out\n"
      ";1030=commented out\n"
      "1030=first\n"
      "1030=second\n"
      "[Other]\n"
      "2000=other\n"
      "[gui_strings]\n"
      "1030=third\n"
      "1040=only in the repeated section\n");
  EXPECT_EQ(guiText(file, 1030), "first");
  EXPECT_EQ(guiText(file, 1040), "");
  EXPECT_EQ(guiText(file, 2000), "");
  EXPECT_EQ(readLangKey(file, "Names", "1030"), "from Names");
}

TEST_F(ProfileReader, ValuesKeepTheirBytesAndLineEnds) {
  // "Storno" and "Sever" with Czech letters, as the file holds them.
  const std::string file = write("[GUI_Strings]\r\n520=Severov\xFD" "chod\r\n527=\xE8\xE1st=2\r\n");
  EXPECT_EQ(guiText(file, 520), "Severov\xFD" "chod");
  EXPECT_EQ(guiText(file, 527), "\xE8\xE1st=2");  // only the first "=" separates
}

TEST_F(ProfileReader, DirectoriesAndBinaryFilesNeverCrash) {
  EXPECT_EQ(guiText(dir_.string(), "200", "dir"), "dir");
  std::string noise;
  for (int i = 0; i < 70000; ++i) noise += static_cast<char>((i * 7919 + i / 13) % 256);
  const std::string binary = write(noise, "noise.bin");
  EXPECT_LE(guiText(binary, "200", "x").size(), 254u);
  // A NUL byte ends the value, as it ends a C string.
  const char withNul[] = "[GUI_Strings]\n200=a\0b\n201=c\n";
  const std::string nul = write(std::string(withNul, sizeof withNul - 1), "nul.lng");
  EXPECT_EQ(guiText(nul, 200), "a");
  EXPECT_EQ(guiText(nul, 201), "c");
  const std::string unterminated = write("[GUI_Strings\n200=x\n[", "broken.lng");
  EXPECT_EQ(guiText(unterminated, "200", "none"), "none");
  EXPECT_EQ(guiText(write("", "zero.lng"), "200", "none"), "none");
}

TEST_F(ProfileReader, ByteOrderMarkDoesNotHideTheFirstSection) {
  const std::string file = write("\xEF\xBB\xBF[GUI_Strings]\n101=Caelora\n");
  EXPECT_EQ(guiText(file, 101), "Caelora");
}

// A file is read once while it stays as it was read; a change of its bytes
// and time is read again, and so is a change the file system's clock may
// not tell apart (written twice within its tick).
TEST_F(ProfileReader, AFileIsReadOnceUntilItChanges) {
  const auto age = [](const std::string& path, std::chrono::minutes minutes) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - minutes);
  };
  const std::string file = write("[S]\nk=one\n");
  age(file, std::chrono::minutes(60));
  EXPECT_EQ(readLangKey(file, "S", "k"), "one");
  std::string problem;
  EXPECT_EQ(readRegularFileOnce(file, kLanguageFileBound, problem), readRegularFileOnce(file, kLanguageFileBound, problem));
  write("[S]\nk=two\n");
  age(file, std::chrono::minutes(30));
  EXPECT_EQ(readLangKey(file, "S", "k"), "two");
  for (const char* text : {"[S]\nk=333\n", "[S]\nk=444\n", "[S]\nk=555\n"}) {
    write(text);
    EXPECT_EQ(readLangKey(file, "S", "k"), std::string(text).substr(6, 3));
  }
}

}  // namespace
}  // namespace caelora
