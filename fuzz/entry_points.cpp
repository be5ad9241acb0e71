// SPDX-License-Identifier: GPL-2.0-or-later
// The fuzz entry points: one reader of outside input each, with the rules
// its results must keep checked on every input.
#include "fuzz/entry_points.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "export/mask_page.h"
#include "export/title_block.h"
#include "i18n/language.h"
#include "pdf/pdf_error.h"
#include "pdf/pdf_writer.h"
#include "pdf/text_string.h"
#include "settings/settings.h"
#include "sky/boundaries.h"
#include "sky/data_error.h"
#include "sky/display_list.h"
#include "sky/figures.h"
#include "sky/milky_way.h"
#include "sky/sequential_input.h"
#include "sky/stars.h"
#include "sky/vector_font.h"
#include "tests/memory_store.h"

namespace caelora::fuzz {
namespace {

namespace fs = std::filesystem;

void require(bool rule, const std::string& what) {
  if (!rule) throw FuzzFinding(what);
}

std::string asText(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// A folder of this process for the files a reader must find on disk; removed
// when the process ends.
class ScratchFolder {
 public:
  ScratchFolder()
      : path_(fs::temp_directory_path() / ("caelora-fuzz-" + std::to_string(::getpid()))) {
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string write(const std::string& name, const std::string& bytes) const {
    const fs::path file = path_ / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    require(static_cast<bool>(out), "cannot write the scratch file " + file.string());
    return file.string();
  }
  std::string folder() const { return path_.string(); }

 private:
  fs::path path_;
};

const ScratchFolder& scratch() {
  static const ScratchFolder folder;
  return folder;
}

// A recording the GL edge can compile: Begin and End alternate, nothing but
// vertices and colours between them, every PopMatrix has its PushMatrix and
// the matrix stack ends where it started.
void requireWellFormed(const DisplayList& list) {
  bool open = false;
  long depth = 0;
  for (const GlCommand& c : list.commands()) {
    switch (c.op) {
      case GlCommand::Op::Begin:
        require(!open, "Begin inside Begin/End");
        open = true;
        break;
      case GlCommand::Op::End:
        require(open, "End without Begin");
        open = false;
        break;
      case GlCommand::Op::Vertex:
      case GlCommand::Op::Color:
        break;
      case GlCommand::Op::PushMatrix:
        require(!open, "PushMatrix inside Begin/End");
        ++depth;
        break;
      case GlCommand::Op::PopMatrix:
        require(!open, "PopMatrix inside Begin/End");
        require(--depth >= 0, "PopMatrix without PushMatrix");
        break;
      default:
        require(!open, "a state change inside Begin/End");
        break;
    }
  }
  require(!open, "Begin without End");
  require(depth == 0, "the matrix stack does not end where it started");
}

// Splits at the first line "#####"; without one everything is `first`.
void splitAtMarker(const std::string& text, std::string& first, std::string& second) {
  static const std::string kMarker = "#####\n";
  std::size_t at = std::string::npos;
  if (text.compare(0, kMarker.size(), kMarker) == 0) {
    at = 0;
  } else {
    const std::size_t found = text.find("\n" + kMarker);
    if (found != std::string::npos) at = found + 1;
  }
  if (at == std::string::npos) {
    first = text;
    second.clear();
    return;
  }
  first = text.substr(0, at);
  second = text.substr(at + kMarker.size());
}

// Every byte but NUL, the text the glyph tests draw.
std::string everyCharacter() {
  std::string text;
  for (int c = 1; c < 256; ++c) text += static_cast<char>(c);
  return text;
}

void drawWith(const GlyphTable& glyphs, const std::string& text, ScreenScheme scheme, double angle,
              double radius, double size) {
  DisplayList arc;
  drawArcText(arc, glyphs, scheme, angle, radius, text, size);
  requireWellFormed(arc);
  DisplayList mirrored;
  drawArcText(mirrored, glyphs, scheme, angle, radius, text, -size, ArcOffset{0.1, -0.2});
  requireWellFormed(mirrored);
  DisplayList line;
  drawLineText(line, glyphs, scheme, radius, angle, text, size, 0.05);
  requireWellFormed(line);
}

std::uint8_t take(const std::uint8_t*& data, std::size_t& size) {
  if (size == 0) return 0;
  --size;
  return *data++;
}

const char* const kSettingKeys[] = {
    "SMapCMode", "SMapLMode", "SMapNMode",   "SMapMMode", "SMapILMode", "SMapIMMode", "SMapIPMode",
    "SMapDaily", "SMapRaDec", "SMapEclip", "SMapTopMost", "SMapFLang", "SMapFLines", "SMapLat"};

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

void requireDrawable(const Settings& s) {
  require(static_cast<int>(s.colourScheme) < kScreenSchemes, "colour scheme beyond 3");
  const int latitude = std::abs(static_cast<int>(s.latitude));
  require(latitude >= 25 && latitude <= 80, "latitude the chart cannot draw");
  require(s.lineIntensity <= 10 && s.milkyWayIntensity <= 10 && s.nameSize <= 2, "a level beyond its range");
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// The bytes a PDF reader takes from the inside of a literal string "(...)":
// escapes resolved, every end of line (CR, CR LF or LF) read as LF. An
// unescaped parenthesis is a finding of its own: the escaper escapes all.
std::string readLiteral(std::string_view inside) {
  std::string bytes;
  for (std::size_t i = 0; i < inside.size(); ++i) {
    const char c = inside[i];
    require(c != '(' && c != ')', "an unescaped parenthesis in a literal string");
    if (c == '\\') {
      require(i + 1 < inside.size(), "a literal string ending in a lone backslash");
      const char next = inside[++i];
      switch (next) {
        case 'n': bytes += '\n'; break;
        case 'r': bytes += '\r'; break;
        case 't': bytes += '\t'; break;
        case 'b': bytes += '\b'; break;
        case 'f': bytes += '\f'; break;
        case '(': case ')': case '\\': bytes += next; break;
        case '\r':
          if (i + 1 < inside.size() && inside[i + 1] == '\n') ++i;
          break;  // a backslash before an end of line joins the lines
        case '\n': break;
        default:
          if (next >= '0' && next <= '7') {
            int code = next - '0';
            for (int k = 0; k < 2 && i + 1 < inside.size() && inside[i + 1] >= '0' && inside[i + 1] <= '7'; ++k)
              code = code * 8 + (inside[++i] - '0');
            bytes += static_cast<char>(code & 0xFF);
          } else {
            bytes += next;  // an unknown escape: the backslash is dropped
          }
      }
    } else if (c == '\r') {
      if (i + 1 < inside.size() && inside[i + 1] == '\n') ++i;
      bytes += '\n';
    } else {
      bytes += c;
    }
  }
  return bytes;
}

// One token of PDF syntax, as a reader splits the bytes.
struct PdfToken {
  enum class Kind { Number, Keyword, Name, String, HexString, Open, Close, Comment } kind;
  std::string text;
  std::size_t offset;
};

bool isPdfBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0'; }
bool isPdfDelimiter(char c) { return std::string_view("()<>[]{}/%").find(c) != std::string_view::npos; }

// The end of the literal string opening at `at`: escapes skip a byte,
// parentheses nest.
std::size_t literalEnd(std::string_view text, std::size_t at) {
  int depth = 0;
  for (std::size_t i = at; i < text.size(); ++i) {
    if (text[i] == '\\') ++i;
    else if (text[i] == '(') ++depth;
    else if (text[i] == ')' && --depth == 0) return i + 1;
  }
  require(false, "a literal string that never closes");
  return text.size();
}

// The tokens of `text` from `at` on, as far as `stop` returns false for the
// token read; a string or hex string that does not close is a finding.
void readPdfTokens(std::string_view text, std::size_t at, const std::function<bool(const PdfToken&)>& stop) {
  using Kind = PdfToken::Kind;
  while (at < text.size()) {
    const char c = text[at];
    if (isPdfBlank(c)) {
      ++at;
      continue;
    }
    std::size_t end = at + 1;
    Kind kind = Kind::Keyword;
    if (c == '%') {
      end = std::min(text.find_first_of("\r\n", at), text.size());
      kind = Kind::Comment;
    } else if (c == '(') {
      end = literalEnd(text, at);
      kind = Kind::String;
    } else if (c == '<' && at + 1 < text.size() && text[at + 1] == '<') {
      end = at + 2;
      kind = Kind::Open;
    } else if (c == '>' && at + 1 < text.size() && text[at + 1] == '>') {
      end = at + 2;
      kind = Kind::Close;
    } else if (c == '<') {
      end = text.find('>', at);
      require(end != std::string_view::npos, "a hex string that never closes");
      ++end;
      kind = Kind::HexString;
    } else if (c == '[' || c == '{') {
      kind = Kind::Open;
    } else if (c == ']' || c == '}' || c == ')' || c == '>') {
      kind = Kind::Close;
    } else {
      while (end < text.size() && !isPdfBlank(text[end]) && !isPdfDelimiter(text[end])) ++end;
      const bool number = text.substr(at + (c == '/' ? 1 : 0), end - at).find_first_not_of("+-.0123456789") == std::string_view::npos;
      kind = c == '/' ? Kind::Name : number ? Kind::Number : Kind::Keyword;
    }
    if (stop({kind, std::string(text.substr(at, end - at)), at})) return;
    at = end;
  }
}

// An object header "n g obj" ends in the tokens before the keyword.
struct ObjectSeen {
  long number;
  std::size_t offset;
};

// The objects of a finished document outside its streams, each "n 0 obj"
// with its dictionaries and arrays closed before "endobj".
std::vector<ObjectSeen> objectsOf(const std::string& pdf, std::size_t end) {
  std::vector<ObjectSeen> objects;
  std::vector<PdfToken> recent;
  long nesting = 0;
  long length = -1;  // the direct /Length of the object's stream
  std::size_t resume = 0;
  while (resume < end) {
    std::size_t next = end;
    readPdfTokens(std::string_view(pdf).substr(0, end), resume, [&](const PdfToken& t) {
      if (t.kind == PdfToken::Kind::Open) ++nesting;
      if (t.kind == PdfToken::Kind::Close) require(--nesting >= 0, "a dictionary or array closed twice");
      if (t.kind == PdfToken::Kind::Comment) require(t.offset < 16, "a comment after the header");
      if (t.text == "obj") {
        require(nesting == 0 && recent.size() >= 2 && recent[recent.size() - 2].kind == PdfToken::Kind::Number,
                "\"obj\" that is no object header");
        objects.push_back({std::stol(recent[recent.size() - 2].text), recent[recent.size() - 2].offset});
        length = -1;
      }
      if (t.text == "endobj") require(nesting == 0, "an object that ends inside a dictionary or array");
      if (!recent.empty() && recent.back().text == "/Length" && t.kind == PdfToken::Kind::Number)
        length = std::stol(t.text);
      recent.push_back(t);
      if (t.text != "stream") return false;
      require(length >= 0, "a stream without a direct length");
      std::size_t data = t.offset + 6;
      if (pdf.compare(data, 2, "\r\n") == 0) data += 2;
      else if (pdf.compare(data, 1, "\n") == 0) data += 1;
      next = data + static_cast<std::size_t>(length);
      require(next <= end, "a stream longer than the document");
      return true;
    });
    resume = next;
  }
  require(nesting == 0, "a dictionary or array that never closes");
  return objects;
}

// Every object the cross-reference table lists stands at its offset, and
// no other object stands in the document.
void requireObjectsAsListed(const std::string& pdf) {
  const std::size_t startxref = pdf.rfind("startxref");
  require(startxref != std::string::npos, "no startxref");
  const std::size_t xref = std::stoul(pdf.substr(startxref + 10));
  require(xref < pdf.size() && pdf.compare(xref, 5, "xref\r") == 0, "startxref points at no xref");
  const std::size_t count = std::stoul(pdf.substr(xref + 7));
  std::size_t entry = pdf.find('\r', xref + 7) + 1 + 20;  // after the free entry 0
  std::vector<ObjectSeen> listed;
  for (std::size_t n = 1; n < count; ++n, entry += 20) listed.push_back({static_cast<long>(n), std::stoul(pdf.substr(entry, 10))});
  const std::vector<ObjectSeen> seen = objectsOf(pdf, xref);
  require(seen.size() == listed.size(), "objects that the cross-reference table does not list");
  for (const ObjectSeen& o : listed) {
    const bool found = std::any_of(seen.begin(), seen.end(),
                                   [&](const ObjectSeen& s) { return s.number == o.number && s.offset == o.offset; });
    require(found, "object " + std::to_string(o.number) + " is not where the table says");
  }
}

}  // namespace

void sequentialInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = asText(data, size);
  try {
    SequentialInput in("yale.dat", text);
    while (!in.atEnd()) {
      const StarRecord star = readStarRecord(in);
      require(std::isfinite(star.ra) && std::isfinite(star.dec) && std::isfinite(star.mag),
              "a star with a position or magnitude that is not a number");
      require(std::fabs(star.dec) <= 90 && star.mag <= kFaintestMagnitude && star.mag >= kBrightestMagnitude,
              "a star beyond a pole, or fainter or brighter than the catalogue may hold");
    }
  } catch (const DataError&) {
  }
  try {
    SequentialInput in("default.con", text);
    for (const FigureSegment& s : ReadFigureSegments(in)) {
      require(s.ra1Hours >= 0 && s.ra1Hours <= 24 && s.ra2Hours >= 0 && s.ra2Hours <= 24,
              "a figure end outside 0..24 h");
      require(std::fabs(s.dec1Deg) <= 90 && std::fabs(s.dec2Deg) <= 90,
              "a figure end beyond a pole");
    }
  } catch (const DataError&) {
  }
  try {
    SequentialInput in("Cons.txt", text);
    for (const ConstellationRecord& r : ReadConstellationRecords(in)) {
      require(r.raHours >= 0 && r.raHours <= 24 && std::fabs(r.decDeg) <= 90,
              "a label point outside the sky");
    }
  } catch (const DataError&) {
  }
  try {
    SequentialInput in("boundaries.dat", text);
    for (const BoundaryEdge& edge : ReadBoundaryEdges(in)) {
      require(edge.first.size() == 3 && edge.second.size() == 3 && edge.points.size() >= 2,
              "a boundary edge without two names or two points");
      for (const EquatorialPoint& p : edge.points)
        require(p.raHours >= 0 && p.raHours <= 24 && std::fabs(p.decDeg) <= 90, "a boundary point outside the sky");
    }
  } catch (const DataError&) {
  }
  // Field by field: the kind of each read follows the field's first byte.
  try {
    SequentialInput in("fields", text);
    while (!in.atEnd()) {
      in.nextRecord();
      for (int field = 0; field < 5; ++field) {
        const std::size_t k = (in.record() + static_cast<std::size_t>(field)) % 3;
        if (k == 0) {
          in.readText();
        } else if (k == 1) {
          require(std::isfinite(in.readNumber()), "readNumber gave a value that is not finite");
        } else {
          const long v = in.readInteger(-100000, 100000);
          require(v >= -100000 && v <= 100000, "readInteger beyond its bounds");
        }
      }
    }
  } catch (const DataError&) {
  }
}

void glyphFile(const std::uint8_t* data, std::size_t size) {
  std::string font, language;
  splitAtMarker(asText(data, size), font, language);
  const ScratchFolder& folder = scratch();
  folder.write("iso.fnt", font);
  const std::string languageFile = folder.write("fuzz.lng", language);
  GlyphTable glyphs;
  try {
    glyphs = loadFont(folder.folder(), languageFile);
  } catch (const DataError&) {
    return;
  }
  drawWith(glyphs, everyCharacter(), ScreenScheme::Colour, 30, 0.8, 0.28);
}

void glyphDefinitions(const std::uint8_t* data, std::size_t size) {
  const auto scheme = static_cast<ScreenScheme>(take(data, size) % kScreenSchemes);
  const double sizes[] = {0.2, 0.28, 0.36, 1, 1e-6, 0, 40, 1e30};
  const double textSize = sizes[take(data, size) % 8];
  const double radii[] = {0.8, 1, 0.1, 1e-9, 0, -0.5, 1e20, 0.95};
  const double radius = radii[take(data, size) % 8];
  const double angle = (take(data, size) - 128) * 3.0;
  const std::string rest = asText(data, size);
  const std::size_t nul = rest.find('\0');
  const std::string definition = rest.substr(0, nul);
  const std::string text = nul == std::string::npos ? "AbC xyz" : rest.substr(nul + 1);
  GlyphTable glyphs;
  glyphs.fill(definition);
  glyphs[static_cast<unsigned char>('b')] = "";  // a letter without a glyph among them
  drawWith(glyphs, text, scheme, angle, radius, textSize);
}

void profileReader(const std::uint8_t* data, std::size_t size) {
  const std::string text = asText(data, size);
  const std::string path = scratch().write("profile.lng", text);
  std::vector<std::pair<std::string, std::string>> lookups = {
      {"GUI_Strings", "1"}, {"OGL_font", "Differences"}, {"Names", "conNameList"},
      {"Font1", "Widths"}, {" gui_strings ", " 1 "}, {"", ""}};
  // The first section and the first key of the file itself.
  const std::size_t open = text.find('[');
  const std::size_t close = text.find(']', open == std::string::npos ? 0 : open);
  if (open != std::string::npos && close != std::string::npos) {
    const std::string section = text.substr(open + 1, close - open - 1);
    const std::size_t equals = text.find('=', close);
    const std::size_t lineStart = equals == std::string::npos ? equals : text.rfind('\n', equals);
    const std::string key = lineStart == std::string::npos
                                ? std::string("1")
                                : text.substr(lineStart + 1, equals - lineStart - 1);
    lookups.emplace_back(section, key);
  }
  for (const auto& [section, key] : lookups) {
    for (const std::size_t bufferSize : {std::size_t{0}, std::size_t{1}, std::size_t{2},
                                         std::size_t{255}, std::size_t{2000}}) {
      const std::string value = readProfileString(path, section, key, "  fallback \t", bufferSize);
      require(bufferSize == 0 ? value.empty() : value.size() < bufferSize,
              "a value longer than its buffer");
      require(value.find('\0') == std::string::npos, "a value holding a NUL byte");
    }
  }
  require(guiText(path, 1) == readProfileString(path, "GUI_Strings", "1", "", 255),
          "guiText and readProfileString disagree");
}

void milkyWayOutline(const std::uint8_t* data, std::size_t size) {
  const std::uint8_t choice = take(data, size);
  const int latitudes[] = {25, 50, 80, -25, -50, -80, 37, -64};
  MilkyWayOutlines outlines;
  for (std::string& bytes : outlines.bytes) {
    std::size_t length = take(data, size);
    length |= static_cast<std::size_t>(take(data, size)) << 8;
    length = std::min(length, size);
    bytes = asText(data, length);
    data += length;
    size -= length;
  }
  bool allDecode = true;
  for (int number = 101; number <= 104; ++number) {
    try {
      const std::vector<OutlineCode> codes = decodeOutline(outlines.resource(number), number);
      require(codes.size() * 4 == outlines.resource(number).size() && codes.size() >= 3,
              "a decoded outline of the wrong length");
      for (const OutlineCode& code : codes) {
        const EquatorialPoint p = outlineToEquatorial(code);
        require(std::isfinite(p.raHours) && std::isfinite(p.decDeg) && std::fabs(p.decDeg) <= 90,
                "an outline point off the sky");
      }
    } catch (const DataError&) {
      allDecode = false;
    }
  }
  if (!allDecode) return;
  ChartSetup setup;
  setup.settings.latitude = static_cast<std::int16_t>(latitudes[choice % 8]);
  setup.settings.colourScheme = static_cast<ScreenScheme>((choice >> 3) % 4);
  setup.settings.milkyWayIntensity = static_cast<std::uint8_t>((choice >> 5) % 11);
  const DisplayList list = LoadMilkyWay(setup, outlines);
  requireWellFormed(list);
  for (const GlCommand& c : list.commands()) {
    if (c.op != GlCommand::Op::Vertex) continue;
    // The band is cut at the limit circle, which lies within the disc.
    require(std::isfinite(c.a) && std::isfinite(c.b) && std::hypot(c.a, c.b) < 1.01,
            "a Milky Way vertex outside the limit circle");
  }
}

void settingsText(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> lines = linesOf(asText(data, size));
  test::MemoryStore store;
  for (std::size_t i = 0; i < std::size(kSettingKeys) && i < lines.size(); ++i) {
    if (lines[i] != "\x01") store.save(kSettingKeys[i], lines[i]);
  }
  const Settings first = loadSettings(store, "/opt/caelora");
  requireDrawable(first);
  test::MemoryStore saved;
  saveSettings(saved, first);
  const Settings second = loadSettings(saved, "/elsewhere");
  require(second == first, "settings read back differ from those saved");

  for (const std::string& line : lines) {
    parseBoolean(line);
    for (const auto& [lo, hi] : {std::pair<long, long>{0, 10}, {-32768, 32767}, {0, 0}, {5, 3}}) {
      const std::optional<long> n = parseWholeNumber(line, lo, hi);
      require(!n || (*n >= lo && *n <= hi), "a whole number outside its bounds");
    }
  }
}

void pdfText(const std::uint8_t* data, std::size_t size) {
  const std::string text = asText(data, size);
  const std::string hex = pdfTextString(text);
  if (text.empty()) {
    require(hex == "()", "the empty text is not ()");
  } else {
    require(hex.compare(0, 5, "<FEFF") == 0 && hex.back() == '>', "not a hex string");
    const std::string_view digits = std::string_view(hex).substr(5, hex.size() - 6);
    require(digits.size() % 4 == 0, "a code unit cut short");
    std::size_t written = 0;
    for (const char c : text) written += unicodeTable()[static_cast<unsigned char>(c)].empty() ? 0 : 1;
    require(digits.size() == 4 * written, "characters lost or added");
    for (const char c : digits) require(isHexDigit(c), "a character that is not a hex digit");
  }
  require(readLiteral(pdfLiteralText(text)) == text,
          "a literal string that a PDF reader reads back differently");
}

void legendSymbols(const std::uint8_t* data, std::size_t size) {
  const std::string path = scratch().write("Symbols.txt", asText(data, size));
  std::string drawing;
  try {
    drawing = readLegendSymbols(path);
  } catch (const DataError&) {
    return;
  }
  // The page goes on after the legend with its own text.
  std::vector<PdfToken> tokens;
  readPdfTokens(drawing + "\rBT (after) Tj ET", 0, [&tokens](const PdfToken& t) {
    tokens.push_back(t);
    return false;
  });
  long saved = 0, text = 0;
  for (std::size_t i = 0; i + 4 < tokens.size(); ++i) {
    const PdfToken& t = tokens[i];
    require(t.kind != PdfToken::Kind::Comment, "a comment in the legend");
    if (t.kind != PdfToken::Kind::Keyword) continue;
    if (t.text == "q") ++saved;
    if (t.text == "Q") require(--saved >= 0, "Q without q");
    if (t.text == "BT") ++text;
    if (t.text == "ET") require(--text >= 0, "ET without BT");
  }
  require(saved == 0 && text == 0, "q or BT never closed");
  require(tokens.size() >= 4 && tokens[tokens.size() - 4].text == "BT" && tokens[tokens.size() - 3].text == "(after)" &&
              tokens[tokens.size() - 2].text == "Tj" && tokens.back().text == "ET",
          "the legend swallows what follows it");
}

void fontKeys(const std::uint8_t* data, std::size_t size) {
  const std::string language =
      scratch().write("font.lng", "[GUI_Strings]\r\n101=Fuzz\r\n[Font1]\r\n" + asText(data, size));
  const std::string target = scratch().folder() + "/font.pdf";
  PdfWriter writer([] { return std::tm{}; });
  try {
    writer.setFileName(target);
    writer.setLanguageFile(language);
    writer.pdfBeginDocument(DocumentInfo{});
    writer.fonts().assign(1, PdfFont::embeddedChartFont());
    writer.pdfWriteResources();
    writer.pdfEndDocument();
  } catch (const PdfError&) {
    return;
  }
  std::ifstream in(target, std::ios::binary);
  requireObjectsAsListed(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

}  // namespace caelora::fuzz
