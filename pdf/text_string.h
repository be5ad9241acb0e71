// Texts of the document information dictionary: UTF-16 hex strings made from
// the program's Windows-1250 texts.
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

}  // namespace caelora
