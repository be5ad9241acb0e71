// SPDX-License-Identifier: GPL-2.0-or-later
// The comma-delimited reader of the data files: fields, delimiters, line
// ends, quotes, and errors that name the file and the record.
#include "sky/sequential_input.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "tests/test_support.h"

namespace caelora {
namespace {

namespace fs = std::filesystem;

constexpr FileBound kBound{64, "a test file"};

std::string errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const DataError& e) {
    return e.what();
  }
  return "no error";
}

TEST(SequentialInput, FieldsEndAtCommasOrLineEndsAndLoseSurroundingBlanks) {
  SequentialInput in("t.txt", "  12 ,\t-3.5,+7\r\n\"Ursa, Major\" , x y \r\n\n 4\r5\n");
  EXPECT_FALSE(in.atEnd());
  EXPECT_EQ(in.readNumber(), 12);
  EXPECT_EQ(in.readNumber(), -3.5);
  EXPECT_EQ(in.readNumber(), 7);
  EXPECT_FALSE(in.atEnd());
  EXPECT_EQ(in.readText(), "Ursa, Major");
  EXPECT_EQ(in.readText(), "x y");
  EXPECT_EQ(in.readInteger(0, 10), 4);  // a lone CR ends a line too
  EXPECT_EQ(in.readInteger(0, 10), 5);
  EXPECT_TRUE(in.atEnd());
}

TEST(SequentialInput, EmptyFieldsAndQuotedNumbers) {
  SequentialInput in("t.txt", "1,,\"\",\" 3 \"x,4");
  EXPECT_EQ(in.readText(), "1");
  EXPECT_EQ(in.readText(), "");
  EXPECT_EQ(in.readText(), "");
  EXPECT_EQ(in.readText(), " 3 ");  // inside quotes blanks stay; the tail is dropped
  EXPECT_EQ(in.readNumber(), 4);
  EXPECT_TRUE(in.atEnd());
}

TEST(SequentialInput, ErrorsNameTheFileTheRecordAndTheField) {
  SequentialInput in("stars.dat", "1,2\r\n3,4x\r\n");
  in.nextRecord();
  in.readNumber();
  in.readNumber();
  in.nextRecord();
  in.readNumber();
  const std::string bad = errorOf([&] { in.readNumber(); });
  EXPECT_EQ(bad, "stars.dat, record 2: field 2 \"4x\" is not a number");
  in.nextRecord();
  EXPECT_EQ(errorOf([&] { in.readNumber(); }),
            "stars.dat, record 3: field 1 is missing (end of file)");
}

TEST(SequentialInput, WhatIsNotANumber) {
  for (const char* field : {"", " ", "abc", "1e3", "0x10", "nan", "inf", "--1", "+-1", "1 2",
                            "\"\""}) {
    SequentialInput in("f", field);
    in.nextRecord();
    EXPECT_NE(errorOf([&] { in.readNumber(); }).find("f, record 1:"), std::string::npos)
        << "field [" << field << "]";
  }
  SequentialInput whole("f", "2.5,11,-1");
  EXPECT_NE(errorOf([&] { whole.readInteger(0, 10); }).find("whole number"), std::string::npos);
  EXPECT_NE(errorOf([&] { whole.readInteger(0, 10); }).find("from 0 to 10"), std::string::npos);
  EXPECT_NE(errorOf([&] { whole.readInteger(0, 10); }).find("is -1"), std::string::npos);
}

TEST(SequentialInput, UnclosedQuoteAndControlCharactersInMessages) {
  SequentialInput in("f", "\"open, never closed\n");
  in.nextRecord();
  EXPECT_NE(errorOf([&] { in.readText(); }).find("no closing quote"), std::string::npos);
  SequentialInput control("f", "1\x01\x02");
  EXPECT_NE(errorOf([&] { control.readNumber(); }).find("\"1??\""), std::string::npos);
}

TEST(SequentialInput, FieldNumbersStartAgainWithEachRecord) {
  SequentialInput in("f", "1,2,3,x");
  in.nextRecord();
  in.readNumber();
  in.readNumber();
  in.nextRecord();
  in.readNumber();
  EXPECT_NE(errorOf([&] { in.readNumber(); }).find("record 2: field 2 "), std::string::npos);
}

using SequentialInputFile = test::ScratchFolderTest;

TEST_F(SequentialInputFile, ReadsAFileAndAnEmptyOneIsAtItsEnd) {
  std::ofstream(dir_ / "a.dat", std::ios::binary) << "5,\"x\"\r\n";
  SequentialInput in((dir_ / "a.dat").string(), kBound);
  EXPECT_EQ(in.name(), (dir_ / "a.dat").string());
  EXPECT_EQ(in.readNumber(), 5);
  EXPECT_EQ(in.readText(), "x");
  EXPECT_TRUE(in.atEnd());

  std::ofstream(dir_ / "empty.dat", std::ios::binary).flush();
  SequentialInput empty((dir_ / "empty.dat").string(), kBound);
  EXPECT_TRUE(empty.atEnd());
  EXPECT_NE(errorOf([&] { empty.readText(); }).find("missing"), std::string::npos);
}

// Whatever stands in the file's place is named, and none of it is opened
// or read beyond the bound: a pipe would wait for a writer for ever, a
// device like /dev/zero would fill the memory.
TEST_F(SequentialInputFile, WhatIsNoDataFileIsNamedWithoutReadingIt) {
  const std::string path = (dir_ / "yale.dat").string();
  const std::vector<std::pair<std::function<void()>, std::string>> cases = {
      {[&] { fs::create_directories(path); }, "is a folder, not a file"},
      {[] {}, "does not exist"},
      {[&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }, "is a pipe, not a regular file"},
      {[&] { fs::create_symlink("/dev/zero", path); }, "is a device, not a regular file"},
      {[&] { std::ofstream(path) << std::string(kBound.bytes + 1, '1'); },
       "is larger than 64 bytes, the most a test file may hold"},
  };
  for (const auto& [make, problem] : cases) {
    fs::remove_all(path);
    make();
    EXPECT_EQ(errorOf([&] { SequentialInput in(path, kBound); }), path + ": " + problem);
  }
}

}  // namespace
}  // namespace caelora
