// SPDX-License-Identifier: GPL-2.0-or-later
// The table of damaged inputs shared by the damage tests: a copy of the
// program folder in a scratch directory, and one kind of damage done to one
// of its files. Every damage is deterministic, so a case always breaks the
// same record.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/test_support.h"
#include "i18n/cp1250.h"

namespace caelora::damage {

namespace fs = std::filesystem;

enum class Damage {
  Missing,         // the file is not there
  Empty,           // zero bytes
  Truncated,       // cut in the middle of a record
  Garbage,         // 2 KiB of random bytes in place of a record
  HugeNumber,      // a number far beyond any range the file can hold
  TooFewFields,    // one record lacks its last field
  LongLine,        // one line of 300,000 characters
  NotWindows1250,  // bytes that Windows-1250 leaves unassigned, in a text
  Directory,       // a folder of the same name
  Pipe,            // a named pipe (FIFO) that nothing writes to
  Device,          // a link to /dev/zero, which never ends
  Oversized,       // grown to 16 MiB and one byte, beyond every reader's bound
  Injection,       // a value that ends its PDF syntax early and carries on past it
  OutOfRange,      // a number that reads well but lies beyond what its value can be
  Utf8,            // a language file saved as UTF-8 instead of Windows-1250
};

// The damage that replaces the whole file, each with the words its message
// gives as the reason (none for Empty: each reader says what is missing).
inline const std::vector<Damage>& wholeFileDamage() {
  static const std::vector<Damage> kinds = {Damage::Missing, Damage::Directory, Damage::Empty,
                                            Damage::Pipe,    Damage::Device,    Damage::Oversized};
  return kinds;
}
inline std::string reasonOf(Damage d) {
  switch (d) {
    case Damage::Missing: return "does not exist";
    case Damage::Directory: return "is a folder";
    case Damage::Pipe: return "is a pipe";
    case Damage::Device: return "is a device";
    case Damage::Oversized: return "is larger than";
    default: return "";
  }
}

constexpr std::uintmax_t kOversizedBytes = 16 * 1024 * 1024 + 1;

inline const char* damageName(Damage d) {
  switch (d) {
    case Damage::Missing: return "Missing";
    case Damage::Empty: return "Empty";
    case Damage::Truncated: return "Truncated";
    case Damage::Garbage: return "Garbage";
    case Damage::HugeNumber: return "HugeNumber";
    case Damage::TooFewFields: return "TooFewFields";
    case Damage::LongLine: return "LongLine";
    case Damage::NotWindows1250: return "NotWindows1250";
    case Damage::Directory: return "Directory";
    case Damage::Pipe: return "Pipe";
    case Damage::Device: return "Device";
    case Damage::Oversized: return "Oversized";
    case Damage::Injection: return "Injection";
    case Damage::OutOfRange: return "OutOfRange";
    case Damage::Utf8: return "Utf8";
  }
  return "";
}

// The data files of the program folder that damage is done to.
inline const std::vector<std::string>& dataFiles() {
  static const std::vector<std::string> files = {"yale.dat",   "default.con", "Cons.txt",   "iso.fnt",
                                                 "english.lng", "czech.lng",  "Symbols.txt", "boundaries.dat"};
  return files;
}

// The line (1-based) of a file where damage lands: a bright star (the export
// stops reading at the first star fainter than magnitude 5), a figure line,
// a constellation, a glyph, a boundary edge. Language files are damaged by
// key, below.
inline std::size_t damagedLine(const std::string& file) {
  if (file == "yale.dat") return 100;
  if (file == "default.con") return 50;
  if (file == "Cons.txt") return 40;
  if (file == "iso.fnt") return 40;
  if (file == "Symbols.txt") return 5;
  if (file == "boundaries.dat") return 100;
  return 1;
}

using test::readFile;
using test::writeFile;

// 2 KiB of bytes of every value (a fixed linear congruential sequence), led
// by 0xFF so that the damaged record never starts with a digit or a quote.
inline std::string garbage() {
  std::string bytes(2048, '\0');
  std::uint32_t x = 2463534242u;
  for (char& b : bytes) {
    x = x * 1664525u + 1013904223u;
    b = static_cast<char>(x >> 24);
  }
  bytes[0] = '\xFF';
  return bytes;
}

// Byte offsets where each line starts.
inline std::vector<std::size_t> lineStarts(const std::string& text) {
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' && i + 1 < text.size()) starts.push_back(i + 1);
  return starts;
}

// The line `n` (1-based) without its line end, and where it lies.
struct LineSpan {
  std::size_t begin = 0, end = 0;  // [begin, end) excludes CR LF
};
inline LineSpan lineSpan(const std::string& text, std::size_t n) {
  const std::vector<std::size_t> starts = lineStarts(text);
  if (n == 0 || n > starts.size()) throw std::out_of_range("no line " + std::to_string(n));
  LineSpan s;
  s.begin = starts[n - 1];
  s.end = text.find('\n', s.begin);
  if (s.end == std::string::npos) s.end = text.size();
  if (s.end > s.begin && text[s.end - 1] == '\r') --s.end;
  return s;
}

inline std::string replaceLine(const std::string& text, std::size_t n, const std::string& line) {
  const LineSpan s = lineSpan(text, n);
  return text.substr(0, s.begin) + line + text.substr(s.end);
}

// The line of a profile file that starts with `key=` inside `[section]`.
inline std::size_t keyLine(const std::string& text, const std::string& section, const std::string& key) {
  const std::vector<std::size_t> starts = lineStarts(text);
  bool inSection = false;
  for (std::size_t i = 0; i < starts.size(); ++i) {
    const std::string line = text.substr(starts[i], text.find('\n', starts[i]) - starts[i]);
    if (!line.empty() && line[0] == '[') inSection = line.rfind("[" + section + "]", 0) == 0;
    else if (inSection && line.rfind(key + "=", 0) == 0) return i + 1;
  }
  throw std::runtime_error("no key " + key + " in [" + section + "]");
}

// The damaged text of a comma-delimited file (yale.dat, *.con, Cons.txt,
// boundaries.dat), the glyph file and the legend drawing, all damaged at
// damagedLine().
inline std::string damageLines(const std::string& file, const std::string& text, Damage d) {
  const std::size_t n = damagedLine(file);
  const LineSpan s = lineSpan(text, n);
  const std::string line = text.substr(s.begin, s.end - s.begin);
  // Cons.txt: number, "RA", "Dec", "Abbr", "Name"; the right ascension is field 2.
  // boundaries.dat: "Abbr", "Abbr", count, then the first right ascension.
  const bool cons = file == "Cons.txt";
  const int fieldsBeforeRa = cons ? 1 : file == "boundaries.dat" ? 3 : 0;
  switch (d) {
    case Damage::Truncated: {
      const std::size_t comma = text.find(file == "Symbols.txt" ? ' ' : ',', s.begin);
      return text.substr(0, comma + 1);
    }
    case Damage::Garbage: return replaceLine(text, n, garbage());
    case Damage::HugeNumber: {
      if (file == "iso.fnt") return replaceLine(text, n, line.substr(0, line.find('=') + 1) + "-99999999999999999999,4,1e300,28");
      if (file == "Symbols.txt") return replaceLine(text, n, "q 1e300 99999999999999999999 m 0 0 l S Q");
      std::size_t first = 0;
      for (int k = 0; k < fieldsBeforeRa; ++k) first = line.find(',', first) + 1;
      return replaceLine(text, n, line.substr(0, first) + "99999999999999999999" + line.substr(line.find(',', first)));
    }
    case Damage::TooFewFields: {
      if (file == "Symbols.txt") return replaceLine(text, n, "q 433 312 m 433 c f Q");
      return replaceLine(text, n, line.substr(0, line.rfind(',')));
    }
    case Damage::LongLine: return replaceLine(text, n, std::string(300000, 'A'));
    case Damage::OutOfRange:  // a magnitude of -10^12
      if (file == "yale.dat") {
        const std::size_t mag = line.find(',', line.find(',') + 1) + 1;
        return replaceLine(text, n, line.substr(0, mag) + "-100000000000000" + line.substr(line.find(',', mag)));
      }
      break;
    case Damage::Injection:  // the escaped parenthesis leaves the string open
      if (file == "Symbols.txt") return replaceLine(text, n, "BT /F1 7 Tf 400 300 Td (a\\) Tj ET");
      break;
    case Damage::NotWindows1250: {
      if (cons) {  // the abbreviation: field 4
        std::size_t at = line.find('"');
        at = line.find('"', at + 1);
        at = line.find('"', at + 1);
        return replaceLine(text, n, line.substr(0, at + 1) + "\x81\x98" + line.substr(at + 1));
      }
      return replaceLine(text, n, "\x81\x83\x88\x90\x98" + line);
    }
    default: break;
  }
  throw std::logic_error("not a damage of the text");
}

// The damaged text of a language file: Truncated cuts the font program in
// half; Garbage lands among the UI texts; HugeNumber is the font program's
// length; TooFewFields leaves ten national constellation names; LongLine is
// the name of January; NotWindows1250 stands in the window caption and in
// the name of January; Injection closes the font's differences array and
// adds an object of its own.
inline std::string damageLanguage(const std::string& text, Damage d) {
  switch (d) {
    case Damage::Truncated: {
      const LineSpan s = lineSpan(text, keyLine(text, "Font1", "Data"));
      return text.substr(0, s.begin + (s.end - s.begin) / 2);
    }
    case Damage::Garbage: return replaceLine(text, keyLine(text, "GUI_Strings", "503"), garbage());
    case Damage::HugeNumber: return replaceLine(text, keyLine(text, "Font1", "LoD"), "LoD=99999999999999999999");
    case Damage::TooFewFields: {
      std::string names = "ConNames=";
      for (int i = 0; i < 10; ++i) names += "Name" + std::to_string(i) + ",";
      return replaceLine(text, keyLine(text, "Names", "ConNames"), names);
    }
    case Damage::LongLine: return replaceLine(text, keyLine(text, "GUI_Strings", "501"), "501=" + std::string(300000, 'A'));
    case Damage::Utf8: return cp1250ToUtf8(text);  // the degree sign, the Czech letters
    case Damage::Injection:
      return replaceLine(text, keyLine(text, "Font1", "Differences"),
                         "Differences=32 /space] >> endobj 99 0 obj << /Injected true >> endobj 100 0 obj [32 /space");
    case Damage::NotWindows1250: {
      std::string out = replaceLine(text, keyLine(text, "GUI_Strings", "101"), "101=Cael\x81\x83\x88\x90\x98ora");
      return replaceLine(out, keyLine(out, "GUI_Strings", "501"), "501=Jan\x81\x98");
    }
    default: break;
  }
  throw std::logic_error("not a damage of the text");
}

// Does damage `d` to `file` in the program folder `folder`.
inline void applyDamage(const fs::path& folder, const std::string& file, Damage d) {
  const fs::path path = folder / file;
  switch (d) {
    case Damage::Missing: fs::remove(path); return;
    case Damage::Empty: writeFile(path, ""); return;
    case Damage::Directory:
      fs::remove(path);
      fs::create_directories(path / "inside");
      return;
    case Damage::Pipe:
      fs::remove(path);
      if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("cannot make the pipe " + path.string());
      return;
    case Damage::Device:
      fs::remove(path);
      fs::create_symlink("/dev/zero", path);
      return;
    case Damage::Oversized: fs::resize_file(path, kOversizedBytes); return;  // sparse: no disk is used
    default: break;
  }
  const std::string text = readFile(path);
  const bool language = path.extension() == ".lng";
  writeFile(path, language ? damageLanguage(text, d) : damageLines(file, text, d));
}

// A scratch copy of the program folder `source` (its files, not its
// subfolders), removed again when the object goes.
class FolderCopy {
 public:
  FolderCopy(const fs::path& source, const std::string& name) : scratch_("damage_" + name) {
    for (const fs::directory_entry& e : fs::directory_iterator(source))
      if (e.is_regular_file()) fs::copy_file(e.path(), path() / e.path().filename());
  }

  const fs::path& path() const { return scratch_.path(); }
  std::string file(const std::string& name) const { return (path() / name).string(); }

 private:
  test::ScratchFolder scratch_;
};

}  // namespace caelora::damage
