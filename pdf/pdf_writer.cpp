// SPDX-License-Identifier: GPL-2.0-or-later
// The document writer: header and information dictionary, font and resource
// objects, pages with their content streams and length objects, and the
// closing page tree, catalog, cross-reference table and trailer.
#include "pdf/pdf_writer.h"

#include <limits>

#include "pdf/discard_on_error.h"
#include "pdf/replacing_file.h"
#include "pdf/text_string.h"

namespace caelora {
namespace {

// `value` as exactly `digits` decimal digits with leading zeros.
std::string zeroPadded(long long value, int digits) {
  std::string text = std::to_string(value);
  if (text.size() < static_cast<std::size_t>(digits)) {
    text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
  }
  return text;
}

std::string objectLine(std::int32_t object) { return std::to_string(object) + " 0 obj"; }
std::string reference(std::int32_t object) { return std::to_string(object) + " 0 R"; }

// "D:" and the date and time as 14 digits, no time zone.
std::string pdfDate(const std::tm& t) {
  return "D:" + zeroPadded(t.tm_year + 1900LL, 4) + zeroPadded(t.tm_mon + 1, 2) +
         zeroPadded(t.tm_mday, 2) + zeroPadded(t.tm_hour, 2) + zeroPadded(t.tm_min, 2) +
         zeroPadded(t.tm_sec, 2);
}

}  // namespace

std::int32_t FontWidths::at(unsigned char code) const {
  const int index = code - firstChar;
  if (index < 0 || index >= static_cast<int>(widths.size())) {
    throw PdfError("Font 1 has no width for character code " + std::to_string(code));
  }
  return widths[static_cast<std::size_t>(index)];
}

PdfClock localClock() {
  return [] {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    return localtime_r(&now, &local) != nullptr ? local : std::tm{};
  };
}

PdfWriter::PdfWriter(PdfClock clock) : clock_(std::move(clock)) { pdfInit(); }

PdfWriter::~PdfWriter() = default;  // an unfinished temporary file is removed

void PdfWriter::pdfInit() {
  file_.reset();
  pageHeight_ = 842;
  pageWidth_ = 595;
  objectCount_ = 0;
  pageCount_ = 0;
  pdfOffset_ = 0;
  pdfBuffer_.clear();
  lastByte_ = 0;
  objectOffsets_.assign(kMaxObjects, 0);
  pageObjects_.assign(kMaxPages, 0);
  resourcesObject_ = 0;
  pdfFonts_.clear();
  fontWidths_ = FontWidths();
  finished_ = false;
  abandoned_ = false;
}

void PdfWriter::abandon() noexcept {
  file_.reset();
  pdfBuffer_.clear();
  abandoned_ = true;
}

void PdfWriter::advance(std::size_t bytes) {
  if (bytes > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - pdfOffset_)) {
    throw PdfError("Cannot write \"" + pdfFileName_ + "\": the document grows beyond 2 GiB");
  }
  pdfOffset_ += static_cast<std::int32_t>(bytes);
}

void PdfWriter::pdfWriteLine(std::string_view text, bool flush, bool crlf, bool noEol) {
  const DiscardOnError guard(*this);
  const std::size_t first = text.find_first_not_of(' ');
  text.remove_prefix(first == std::string_view::npos ? text.size() : first);
  const std::string_view eol = noEol ? "" : (crlf ? "\r\n" : "\r");
  advance(text.size() + eol.size());
  pdfBuffer_ += text;
  pdfBuffer_ += eol;
  if (!pdfBuffer_.empty()) lastByte_ = pdfBuffer_.back();
  if (pdfBuffer_.size() > kBufferLimit || flush) flushBuffer();
}

void PdfWriter::flushBuffer() {
  if (abandoned_) throw PdfError("The PDF document \"" + pdfFileName_ + "\" was given up after an error");
  if (!file_) {
    if (pdfFileName_.empty()) throw PdfError("The PDF document has no file name");
    file_ = std::make_unique<ReplacingFile>(pdfFileName_);
  }
  file_->append(pdfBuffer_);
  pdfBuffer_.clear();
}

void PdfWriter::pdfWriteStreamData(std::string_view data) {
  const DiscardOnError guard(*this);
  flushBuffer();
  // The stream keyword must be followed by LF or CR LF; a CR alone becomes LF
  // in place, which leaves every offset counted so far as it was.
  if (lastByte_ == '\r') file_->replaceLastByte('\n');
  advance(data.size() + 2);
  file_->append(data);
  file_->append("\r\n");
  lastByte_ = '\n';
}

void PdfWriter::checkObjectNumber(std::int32_t object) const {
  if (object < 1 || object > kMaxObjects) {
    throw PdfError("The PDF document needs more than " + std::to_string(kMaxObjects) + " objects");
  }
}

void PdfWriter::allocateObject() {
  checkObjectNumber(objectCount_ + 1);
  ++objectCount_;
  recordOffset(objectCount_);
}

void PdfWriter::recordOffset(std::int32_t object) {
  checkObjectNumber(object);
  objectOffsets_[static_cast<std::size_t>(object - 1)] = pdfOffset_;
}

void PdfWriter::pdfBeginDocument(const DocumentInfo& info) {
  const DiscardOnError guard(*this);
  unicodeTable();
  // The temporary file is made now, so that a folder that cannot be written
  // stops the export before any drawing.
  flushBuffer();
  pdfWriteLine("%PDF-1.2");
  pdfWriteLine("%\xE2\xE3\xCF\xD3");
  allocateObject();
  infoObject_ = objectCount_;
  pdfWriteLine(objectLine(infoObject_));
  pdfWriteLine("<<");
  pdfWriteLine("/CreationDate (" + pdfDate(clock_()) + ")");
  const std::pair<const char*, const std::string*> fields[] = {
      {"/Author ", &info.author},   {"/Creator ", &info.creator}, {"/Producer ", &info.producer},
      {"/Title ", &info.title},     {"/Subject ", &info.subject}, {"/Keywords ", &info.keywords},
  };
  for (const auto& [key, value] : fields) {
    if (!value->empty()) pdfWriteLine(key + pdfTextString(*value));
  }
  pdfWriteLine(">>");
  pdfWriteLine("endobj");
  catalogObject_ = 2;
  pagesObject_ = 3;
  objectCount_ = 3;
}

void PdfWriter::pdfWriteResources() {
  const DiscardOnError guard(*this);
  if (!pdfFonts_.empty()) pdfWriteFonts();
  allocateObject();
  resourcesObject_ = objectCount_;
  pdfWriteLine(objectLine(resourcesObject_));
  pdfWriteLine("<<");
  if (!pdfFonts_.empty()) {
    pdfWriteLine(" /Font <<");
    for (std::size_t i = 0; i < pdfFonts_.size(); ++i) {
      pdfWriteLine("/F" + std::to_string(i + 1) + " " + reference(pdfFonts_[i].objectNumber) + " ");
    }
    pdfWriteLine(">>");
  }
  pdfWriteLine("  /ProcSet [ /PDF /Text ]");
  pdfWriteLine(">>");
  pdfWriteLine("endobj");
}

void PdfWriter::pdfWriteFonts() {
  const DiscardOnError guard(*this);
  for (std::size_t i = 0; i < pdfFonts_.size(); ++i) {
    allocateObject();
    pdfFonts_[i].objectNumber = objectCount_;
    pdfWriteLine(objectLine(objectCount_));
    pdfWriteLine("<<");
    pdfWriteLine("/Type /Font");
    pdfWriteLine("/Subtype /" + pdfFonts_[i].subtype);
    if (pdfFonts_[i].embedded) {
      pdfWriteEmbeddedFont(static_cast<int>(i + 1));
      continue;
    }
    if (!pdfFonts_[i].symbolic) pdfWriteLine("/Encoding /WinAnsiEncoding");
    pdfWriteLine("/BaseFont /" + pdfFonts_[i].baseFont);
    pdfWriteLine(">>");
    pdfWriteLine("endobj");
  }
}

std::int32_t PdfWriter::pdfBeginPage() {
  const DiscardOnError guard(*this);
  if (pageCount_ >= kMaxPages) {
    throw PdfError("The PDF document has more than " + std::to_string(kMaxPages) + " pages");
  }
  allocateObject();
  const std::int32_t page = objectCount_;
  pageObjects_[static_cast<std::size_t>(pageCount_)] = page;
  ++pageCount_;
  pdfWriteLine(objectLine(page));
  pdfWriteLine("<<");
  pdfWriteLine("/Type /Page");
  pdfWriteLine("/Parent " + reference(pagesObject_));
  pdfWriteLine("/Resources " + reference(resourcesObject_));
  const std::int32_t contents = page + 1;
  checkObjectNumber(contents);
  objectCount_ = contents;
  pdfWriteLine("/Contents " + reference(contents));
  pdfWriteLine(">>");
  pdfWriteLine("endobj");
  recordOffset(contents);
  pdfWriteLine(objectLine(contents));
  pdfWriteLine("<<");
  pdfWriteLine("/Length " + reference(contents + 1));
  pdfWriteLine(">>");
  // The keyword ends with CR LF: a CR alone may not end it, and the content
  // counts from the byte after the LF.
  pdfWriteLine("stream", false, true);
  return pdfOffset_;
}

void PdfWriter::pdfEndPage(std::int32_t start) {
  const DiscardOnError guard(*this);
  const std::int32_t length = pdfOffset_ - start;
  pdfWriteLine("endstream");
  pdfWriteLine("endobj");
  allocateObject();
  pdfWriteLine(objectLine(objectCount_));
  pdfWriteLine(std::to_string(length));
  pdfWriteLine("endobj");
}

void PdfWriter::pdfEndDocument() {
  const DiscardOnError guard(*this);
  recordOffset(catalogObject_);
  pdfWriteLine(objectLine(catalogObject_));
  pdfWriteLine("<<");
  pdfWriteLine("/Type /Catalog");
  pdfWriteLine("/Pages " + reference(pagesObject_));
  pdfWriteLine(">>");
  pdfWriteLine("endobj");

  recordOffset(pagesObject_);
  pdfWriteLine(objectLine(pagesObject_));
  pdfWriteLine("<<");
  pdfWriteLine("/Type /Pages");
  pdfWriteLine("/Count " + std::to_string(pageCount_));
  pdfWriteLine("/MediaBox [ 0 0 " + std::to_string(pageWidth_) + " " + std::to_string(pageHeight_) + " ]");
  std::string kids = "/Kids [ ";
  for (std::int32_t i = 0; i < pageCount_; ++i) {
    kids += reference(pageObjects_[static_cast<std::size_t>(i)]) + " ";
  }
  pdfWriteLine(kids + "]");
  pdfWriteLine(">>");
  pdfWriteLine("endobj");

  const std::int32_t xref = pdfOffset_;
  pdfWriteLine("xref");
  pdfWriteLine("0 " + std::to_string(objectCount_ + 1));
  pdfWriteLine("0000000000 65535 f ");
  for (std::int32_t n = 1; n <= objectCount_; ++n) {
    pdfWriteLine(zeroPadded(objectOffsets_[static_cast<std::size_t>(n - 1)], 10) + " 00000 n ");
  }
  pdfWriteLine("trailer");
  pdfWriteLine("<<");
  pdfWriteLine("/Size " + std::to_string(objectCount_ + 1));
  pdfWriteLine("/Root " + reference(catalogObject_));
  pdfWriteLine("/Info " + reference(infoObject_));
  pdfWriteLine(">>");
  pdfWriteLine("startxref");
  pdfWriteLine(std::to_string(xref));
  pdfWriteLine("%%EOF", true);
  file_->commit();
  file_.reset();
  finished_ = true;
}

}  // namespace caelora
