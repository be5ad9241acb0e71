// SPDX-License-Identifier: GPL-2.0-or-later
// The PDF writer: one PDF 1.2 document written in a single forward pass as
// lines of Windows-1250 text. It numbers the objects as it allocates them,
// counts every byte it emits so that it knows each object's offset without
// reading the file back, and ends with a classic cross-reference table.
//
// Calling order for one document: pdfInit, setFileName, pdfBeginDocument,
// fill fonts(), pdfWriteResources, then per page pdfBeginPage / content
// lines through pdfWriteLine / pdfEndPage, and pdfEndDocument. The document
// goes to a temporary file beside the target and replaces the target only
// when pdfEndDocument has written its last byte. An error raised by the
// writer removes the temporary file at once; after an error elsewhere the
// owner calls abandon() or lets the writer go. Either way the target stays
// as it was.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/pdf_error.h"

namespace caelora {

class ReplacingFile;

// The six texts of the document information dictionary, Windows-1250
// bytes; an empty text leaves its entry out.
struct DocumentInfo {
  std::string author;
  std::string creator;
  std::string producer;
  std::string title;
  std::string subject;
  std::string keywords;
};

// A font of the document; font n (counted from 1) is the resource /Fn.
struct PdfFont {
  std::string baseFont;  // PostScript name of a font that is not embedded
  std::string subtype;   // "Type1"
  bool embedded = false;  // described and embedded from section "Font<n>" of the language file
  bool symbolic = false;  // a font that is not embedded then gets no encoding entry
  std::int32_t objectNumber = 0;  // set when the font object is written

  // The chart's one font, /F1 of every page: Type 1, symbolic, embedded
  // from section "Font1" of the language file.
  static PdfFont embeddedChartFont() {
    PdfFont font;
    font.subtype = "Type1";
    font.embedded = true;
    font.symbolic = true;
    return font;
  }
};

// Advance widths of font 1 in thousandths of the font size, by
// Windows-1250 code from firstChar up to 255.
struct FontWidths {
  int firstChar = 0;
  std::vector<std::int32_t> widths;

  // The width of a character; throws PdfError for a code without a width.
  std::int32_t at(unsigned char code) const;
};

// The local date and time that becomes /CreationDate.
using PdfClock = std::function<std::tm()>;
PdfClock localClock();

class PdfWriter {
 public:
  static constexpr int kMaxObjects = 5000;
  static constexpr int kMaxPages = 5000;
  static constexpr std::size_t kBufferLimit = 32000;

  explicit PdfWriter(PdfClock clock = localClock());
  ~PdfWriter();
  PdfWriter(const PdfWriter&) = delete;
  PdfWriter& operator=(const PdfWriter&) = delete;

  // Starts afresh; an unfinished document is dropped.
  void pdfInit();
  // Drops the unfinished document and its temporary file; writing more
  // then fails until pdfInit.
  void abandon() noexcept;
  // The target file (pdfFileName). Any file already there stays untouched
  // until the document is complete.
  void setFileName(std::string path) { pdfFileName_ = std::move(path); }
  const std::string& fileName() const { return pdfFileName_; }
  // The language file whose "Font<n>" sections describe the embedded fonts.
  void setLanguageFile(std::string path) { languageFile_ = std::move(path); }
  const std::string& languageFile() const { return languageFile_; }

  void pdfBeginDocument(const DocumentInfo& info);
  // The fonts, filled by the caller between pdfBeginDocument and
  // pdfWriteResources.
  std::vector<PdfFont>& fonts() { return pdfFonts_; }
  void pdfWriteResources();
  void pdfWriteFonts();
  // Returns the offset of the first byte of the page's content stream.
  std::int32_t pdfBeginPage();
  void pdfEndPage(std::int32_t start);
  // Writes the page tree, the catalog, the cross-reference table and the
  // trailer, and puts the finished file in place of the target.
  void pdfEndDocument();

  // One line: leading spaces are dropped, trailing ones kept; it ends with
  // CR, with CR LF when `crlf`, with nothing when `noEol`.
  void pdfWriteLine(std::string_view text, bool flush = false, bool crlf = false, bool noEol = false);
  // Raw stream bytes straight after a "stream" line, followed by CR LF.
  void pdfWriteStreamData(std::string_view data);

  // The rest of the dictionary of embedded font n and its encoding,
  // descriptor and font file objects, from section "Font<n>".
  void pdfWriteEmbeddedFont(int n);
  // "/" + key + " " + prefix + value when section "Font<n>" has the key.
  void writeFontKey(const std::string& key, int n, const std::string& prefix = "");

  int pageWidth() const { return pageWidth_; }
  int pageHeight() const { return pageHeight_; }
  const FontWidths& fontWidths() const { return fontWidths_; }
  std::int32_t offset() const { return pdfOffset_; }
  std::int32_t objectCount() const { return objectCount_; }
  std::int32_t pageCount() const { return pageCount_; }
  bool finished() const { return finished_; }

 private:
  void checkObjectNumber(std::int32_t object) const;
  void allocateObject();
  void recordOffset(std::int32_t object);
  void flushBuffer();
  void advance(std::size_t bytes);
  std::string fontKey(int n, const std::string& key, std::size_t size) const;
  // fontKey() of a key copied into the document, refused (PdfError naming
  // the key) unless it has the syntax the key must have.
  std::string checkedFontKey(int n, const std::string& key, std::size_t size) const;
  [[noreturn]] void fontError(int n, const std::string& key, const std::string& what) const;
  void loadFontWidths(int n, const std::string& widths);
  void writeFontProgram(int n);

  PdfClock clock_;
  std::string pdfFileName_;
  std::string languageFile_;
  std::unique_ptr<ReplacingFile> file_;
  std::int32_t pdfOffset_ = 0;
  std::string pdfBuffer_;
  char lastByte_ = 0;  // the last byte emitted
  std::int32_t objectCount_ = 0;
  std::vector<std::int32_t> objectOffsets_;  // entry n - 1: offset of object n
  std::int32_t pageCount_ = 0;
  std::vector<std::int32_t> pageObjects_;
  std::int32_t infoObject_ = 1;
  std::int32_t catalogObject_ = 2;
  std::int32_t pagesObject_ = 3;
  std::int32_t resourcesObject_ = 0;
  int pageWidth_ = 595;
  int pageHeight_ = 842;
  std::vector<PdfFont> pdfFonts_;
  FontWidths fontWidths_;
  bool finished_ = false;
  bool abandoned_ = false;
};

}  // namespace caelora
