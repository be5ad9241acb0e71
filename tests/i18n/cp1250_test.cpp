// SPDX-License-Identifier: GPL-2.0-or-later
// The Windows-1250 table and the conversions to and from UTF-8 and UTF-16.
#include "i18n/cp1250.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace caelora {
namespace {

const std::set<int> kUnassigned = {0x81, 0x83, 0x88, 0x90, 0x98};

TEST(Cp1250, TableHoldsTheCodePage) {
  EXPECT_EQ(cp1250ToUnicode(0x41), U'A');
  EXPECT_EQ(cp1250ToUnicode(0x80), U'\u20AC');
  EXPECT_EQ(cp1250ToUnicode(0x8A), U'\u0160');  // Š
  EXPECT_EQ(cp1250ToUnicode(0x9A), U'\u0161');  // š
  EXPECT_EQ(cp1250ToUnicode(0x9E), U'\u017E');  // ž
  EXPECT_EQ(cp1250ToUnicode(0xAC), U'\u00AC');
  EXPECT_EQ(cp1250ToUnicode(0xB0), U'\u00B0');  // °
  EXPECT_EQ(cp1250ToUnicode(0xC8), U'\u010C');  // Č
  EXPECT_EQ(cp1250ToUnicode(0xD9), U'\u016E');  // Ů
  EXPECT_EQ(cp1250ToUnicode(0xE8), U'\u010D');  // č
  EXPECT_EQ(cp1250ToUnicode(0xF8), U'\u0159');  // ř
  EXPECT_EQ(cp1250ToUnicode(0xFF), U'\u02D9');
  for (int b : kUnassigned) EXPECT_EQ(cp1250ToUnicode(static_cast<unsigned char>(b)), kReplacementCharacter);
}

TEST(Cp1250, EveryAssignedByteComesBackAndCodePointsAreDistinct) {
  std::set<char32_t> seen;
  for (int b = 0; b < 256; ++b) {
    if (kUnassigned.count(b)) continue;
    const char32_t c = cp1250ToUnicode(static_cast<unsigned char>(b));
    EXPECT_TRUE(seen.insert(c).second) << "byte " << b;
    EXPECT_EQ(unicodeToCp1250(c), b);
  }
  EXPECT_EQ(unicodeToCp1250(kReplacementCharacter), -1);
  EXPECT_EQ(unicodeToCp1250(U'\u00F1'), -1);  // ñ is not in the code page
}

TEST(Cp1250, Utf8RoundTripOfCzechText) {
  const std::string utf8 = "P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD k\u016F\u0148 \u00FAp\u011Bl "
                           "\u010F\u00E1belsk\u00E9 \u00F3dy, 50\u00B0";
  const std::string bytes =
      "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1\x62\x65lsk\xE9 \xF3\x64y, 50\xB0";
  EXPECT_EQ(utf8ToCp1250(utf8), bytes);
  EXPECT_EQ(cp1250ToUtf8(bytes), utf8);
  EXPECT_EQ(utf16ToCp1250(cp1250ToUtf16(bytes)), bytes);
}

TEST(Cp1250, UnassignedBytesBecomeReplacementAndNeverComeBack) {
  const std::string bytes = "a\x81" "b";
  EXPECT_EQ(cp1250ToUtf8(bytes), "a\uFFFD" "b");
  EXPECT_EQ(cp1250ToUtf16(bytes), u"a\uFFFD" "b");
  EXPECT_EQ(utf8ToCp1250(cp1250ToUtf8(bytes)), "a?b");
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToCp1250("\u00F1and\u00FA"), "?and\xFA");
  EXPECT_EQ(utf8ToCp1250("\U0001F30C!"), "?!");                  // four bytes, one character
  EXPECT_EQ(utf16ToCp1250(u"\U0001F30C!"), "?!");                // a surrogate pair, one character
  EXPECT_EQ(utf16ToCp1250(std::u16string(1, u'\xD800') + u"x"), "?x");  // a lone surrogate
}

TEST(Cp1250, MalformedUtf8IsReplacedNotSkippedOrOverread) {
  EXPECT_EQ(utf8ToCp1250("a\xC3"), "a?");           // cut off at the end
  EXPECT_EQ(utf8ToCp1250("\xC3(x"), "?(x");         // missing continuation
  EXPECT_EQ(utf8ToCp1250("\xC0\xAF"), "??");        // overlong form of '/'
  EXPECT_EQ(utf8ToCp1250("\xED\xA0\x80z"), "?z");   // an encoded surrogate
  EXPECT_EQ(utf8ToCp1250("\xFF\xFE"), "??");
}

}  // namespace
}  // namespace caelora
