// SPDX-License-Identifier: GPL-2.0-or-later
// Texts in the document: literal strings of the page content, and the UTF-16
// hex strings of the document information made from the program's
// Windows-1250 texts.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace caelora {

// Four uppercase hex digits of the Unicode code point of each Windows-1250
// byte, or empty for the bytes that give no character in document texts:
// the unassigned codes, the euro sign 0x80 and the not sign 0xAC.
const std::array<std::string, 256>& unicodeTable();

// "<FEFF" followed by the code units of `text` (Windows-1250 bytes) and ">";
// an empty text gives "()".
std::string pdfTextString(std::string_view text);

// `text` ready to stand between the parentheses of a literal string:
// "(", ")" and "\" escaped, and a CR written as "\r" (a reader takes a bare
// CR in a literal string as a line feed).
std::string pdfLiteralText(std::string_view text);
// The literal string itself, in its parentheses.
std::string pdfLiteral(std::string_view text);

}  // namespace caelora
