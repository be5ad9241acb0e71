// SPDX-License-Identifier: GPL-2.0-or-later
// Windows-1250, the code page of the language and data files, to and from
// Unicode through the one standard table of that code page.
#pragma once

#include <string>
#include <string_view>

namespace caelora {

// What the five unassigned codes 0x81, 0x83, 0x88, 0x90 and 0x98 turn into.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The Unicode code point of a Windows-1250 byte.
char32_t cp1250ToUnicode(unsigned char byte);

// The Windows-1250 byte of a code point, or -1 when the code page lacks it.
int unicodeToCp1250(char32_t codePoint);

std::string cp1250ToUtf8(std::string_view text);
std::u16string cp1250ToUtf16(std::string_view text);

// A character that the code page lacks becomes '?', and so does every
// malformed sequence of the input.
std::string utf8ToCp1250(std::string_view text);
std::string utf16ToCp1250(std::u16string_view text);

}  // namespace caelora
