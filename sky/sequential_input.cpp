// SPDX-License-Identifier: GPL-2.0-or-later
// The comma-delimited reader of the data files: reading the file, fields and records.
#include "sky/sequential_input.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <sstream>

namespace caelora {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

std::string printable(const std::string& s) {
  std::string out;
  for (char c : s.substr(0, 40)) {
    unsigned char u = static_cast<unsigned char>(c);
    out += (u < 32 || u == 127) ? '?' : c;
  }
  if (s.size() > 40) out += "...";
  return out;
}

std::string readWholeFile(const std::string& path, const FileBound& bound) {
  std::string problem;
  std::optional<std::string> bytes = readRegularFile(path, bound, problem);
  if (!bytes) throw DataError(Message("FileProblem").with("file", path).with("problem", problem));
  return std::move(*bytes);
}

}  // namespace

SequentialInput::SequentialInput(const std::string& path, const FileBound& bound)
    : name_(path), text_(readWholeFile(path, bound)) {}

SequentialInput::SequentialInput(std::string name, std::string content)
    : name_(std::move(name)), text_(std::move(content)) {}

void SequentialInput::skipBlanks() {
  while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
}

bool SequentialInput::atEnd() {
  while (pos_ < text_.size() &&
         (isBlank(text_[pos_]) || isLineEnd(text_[pos_]) || text_[pos_] == '\x1a'))
    ++pos_;
  field_ = 0;
  return pos_ >= text_.size();
}

std::string SequentialInput::readText() {
  ++field_;
  // A field may begin on a later line when the record continues there.
  bool lineEnded = lineEnded_;
  while (pos_ < text_.size() && (isBlank(text_[pos_]) || isLineEnd(text_[pos_]))) {
    lineEnded = lineEnded || isLineEnd(text_[pos_]);
    ++pos_;
  }
  if (pos_ >= text_.size())
    fail(Message("FieldMissingAtEnd").with("field", std::to_string(field_)));
  if (oneLine_ && field_ > 1 && lineEnded)
    fail(Message("FieldMissingOnLine")
             .with("field", std::to_string(field_))
             .with("previous", std::to_string(field_ - 1)));
  std::string value;
  if (text_[pos_] == '"') {
    std::size_t close = text_.find('"', pos_ + 1);
    if (close == std::string::npos)
      fail(Message("FieldUnclosedQuote").with("field", std::to_string(field_)));
    value = text_.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close + 1;
    // Anything between the closing quote and the delimiter is dropped.
    while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) ++pos_;
  } else {
    std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) ++pos_;
    value = text_.substr(start, pos_ - start);
    while (!value.empty() && isBlank(value.back())) value.pop_back();
  }
  // Consume the delimiter: a comma, or one line end (CR LF, LF or CR).
  lineEnded_ = pos_ >= text_.size() || text_[pos_] != ',';
  if (pos_ < text_.size()) {
    if (text_[pos_] == ',') {
      ++pos_;
    } else if (text_[pos_] == '\r') {
      ++pos_;
      if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    } else if (text_[pos_] == '\n') {
      ++pos_;
    }
  }
  return value;
}

double SequentialInput::readNumber() {
  std::string field = readText();
  const char* first = field.data();
  const char* last = field.data() + field.size();
  // from_chars takes no '+'; one is allowed, but not before another sign.
  if (first != last && *first == '+' && !(first + 1 != last && first[1] == '-')) ++first;
  double value = 0;
  auto [end, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (field.empty() || ec != std::errc() || end != last || !std::isfinite(value))
    fail(Message("FieldNotNumber")
             .with("field", std::to_string(field_))
             .with("text", printable(field)));
  return value;
}

long SequentialInput::readInteger(long lo, long hi) {
  double v = readNumber();
  if (v != std::floor(v) || v < static_cast<double>(lo) || v > static_cast<double>(hi)) {
    std::ostringstream value;
    value << v;
    fail(Message("FieldNotWholeNumber")
             .with("field", std::to_string(field_))
             .with("value", value.str())
             .with("low", std::to_string(lo))
             .with("high", std::to_string(hi)));
  }
  return static_cast<long>(v);
}

void SequentialInput::endRecord() {
  if (oneLine_ && !lineEnded_)
    fail(Message("LineTooManyFields").with("count", std::to_string(field_)));
}

void SequentialInput::fail(const Message& what) const {
  throw DataError(Message("Record")
                      .with("file", name_)
                      .with("record", std::to_string(record_))
                      .with("detail", what));
}

}  // namespace caelora
