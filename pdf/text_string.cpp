// SPDX-License-Identifier: GPL-2.0-or-later
// The Unicode table of the information strings and the hex strings built
// with it.
#include "pdf/text_string.h"

#include "i18n/cp1250.h"

namespace caelora {
namespace {

std::string hex4(char32_t codePoint) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text(4, '0');
  for (int i = 3; i >= 0; --i) {
    text[static_cast<std::size_t>(i)] = kDigits[codePoint & 0xF];
    codePoint >>= 4;
  }
  return text;
}

bool leftOut(int byte) {
  switch (byte) {
    case 0x80:  // the euro sign is not written
    case 0xAC:  // nor the not sign
    case 0x81: case 0x83: case 0x88: case 0x90: case 0x98:  // unassigned
      return true;
    default:
      return false;
  }
}

std::array<std::string, 256> buildTable() {
  std::array<std::string, 256> table;
  for (int byte = 0; byte < 256; ++byte) {
    if (leftOut(byte)) continue;
    table[static_cast<std::size_t>(byte)] = hex4(cp1250ToUnicode(static_cast<unsigned char>(byte)));
  }
  return table;
}

}  // namespace

const std::array<std::string, 256>& unicodeTable() {
  static const std::array<std::string, 256> table = buildTable();
  return table;
}

std::string pdfTextString(std::string_view text) {
  if (text.empty()) return "()";
  const auto& table = unicodeTable();
  std::string result = "<FEFF";
  result.reserve(result.size() + 4 * text.size() + 1);
  for (const char c : text) result += table[static_cast<unsigned char>(c)];
  result += '>';
  return result;
}

std::string pdfLiteralText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '\r') {
      out += "\\r";
      continue;
    }
    if (c == '(' || c == ')' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::string pdfLiteral(std::string_view text) { return "(" + pdfLiteralText(text) + ")"; }

}  // namespace caelora
