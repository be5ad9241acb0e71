// SPDX-License-Identifier: GPL-2.0-or-later
// The catalogue of messages with their English texts, and filling in their
// placeholders.
#include "i18n/message.h"

#include <utility>

#include "i18n/cp1250.h"
#include "i18n/language.h"

namespace caelora {
namespace {

struct CatalogueEntry {
  std::string_view id;
  std::string_view english;
};

// Every message the user may read, by id. The language files give the same
// ids their texts in section "Messages"; english.lng holds these texts.
constexpr CatalogueEntry kCatalogue[] = {
    // a note of start-up or of applying the options: the step, what went wrong
    {"StepFailed", "{step}: {detail}"},
    {"UnknownError", "unknown error"},
    {"Step.settings", "settings"},
    {"Step.localise", "localise"},
    {"Step.aspect_ratio", "aspect ratio"},
    {"Step.opengl_context", "OpenGL context"},
    {"Step.window_placement", "window placement"},
    {"Step.vector_font", "vector font"},
    {"Step.language_file", "language file"},
    {"Step.figure_file", "figure file"},
    {"Step.stars", "stars"},
    {"Step.constellation_figures", "constellation figures"},
    {"Step.constellation_names", "constellation names"},
    {"Step.date_scale", "date scale"},
    {"Step.milky_way", "Milky Way"},
    {"Step.horizon_window", "horizon window"},
    {"Step.mask", "mask"},
    {"Step.coordinate_grid", "coordinate grid"},
    {"Step.ecliptic", "ecliptic"},
    {"Step.horizon_grid", "horizon grid"},
    {"Step.planets", "planets"},
    {"Step.messier_objects", "Messier objects"},
    {"Step.constellation_boundaries", "constellation boundaries"},
    // data files read field by field
    {"FileProblem", "{file}: {problem}"},
    {"Record", "{file}, record {record}: {detail}"},
    {"FieldMissingAtEnd", "field {field} is missing (end of file)"},
    {"FieldMissingOnLine", "field {field} is missing (the line ends after field {previous})"},
    {"FieldUnclosedQuote", "field {field} has no closing quote"},
    {"FieldNotNumber", "field {field} \"{text}\" is not a number"},
    {"FieldNotWholeNumber",
     "field {field} is {value}, expected a whole number from {low} to {high}"},
    {"LineTooManyFields", "the line holds more than {count} fields"},
    // star catalogue, figure sets, constellation names
    {"StarRaOutside", "right ascension {value} h lies outside 0..24 h"},
    {"StarDecBeyondPole", "declination {value} lies beyond the pole"},
    {"StarTooFaint", "magnitude {value} is fainter than the catalogue's 6.5"},
    {"StarTooBright", "magnitude {value} is brighter than any star (-2)"},
    {"NoStars", "{file}: holds no stars"},
    {"FigureRaOutside", "right ascension {value} is outside 0..24000 (1/1000 h)"},
    {"FigureDecOutside", "declination {value} is outside -9000..9000 (1/100 degree)"},
    {"NoFigureLines", "{file}: holds no figure lines"},
    {"NoConstellations", "{file}: holds no constellations"},
    {"NoMessierObjects", "{file}: holds no Messier objects"},
    {"BoundaryNotAbbreviation", "a constellation is not named by three letters"},
    {"NoBoundaries", "{file}: holds no boundaries"},
    // Milky Way outlines
    {"MilkyWayCannotOpen", "{file}: cannot open the Milky Way outline"},
    {"MilkyWayCannotRead", "{file}: cannot read the Milky Way outline"},
    {"MilkyWayOddSize",
     "Milky Way outline resource {number}: {bytes} bytes is not a whole number of 4-byte "
     "(longitude, latitude) pairs"},
    {"MilkyWayTooFewPoints",
     "Milky Way outline resource {number}: {count} points, an outline needs at least 3"},
    {"MilkyWayNotInProgram", "Milky Way outline resource {number}: not in the program"},
    // the chart's vector font
    {"FontCannotOpen", "{file}: the font file {problem}"},
    {"FontNoGlyph", "{file}: holds no glyph that can be drawn"},
    // language files
    {"LanguageFileUnreadable", "Language file \"{file}\": {problem}"},
    {"LanguageFileEmpty", "Language file \"{file}\": is empty"},
    {"LanguageFileUtf8", "Language file \"{file}\": is saved as UTF-8; its texts must be Windows-1250"},
    {"LanguageFileNoSection", "Language file \"{file}\": has no section [{section}]"},
};

// The longest pattern a language file may give.
constexpr std::size_t kPatternSize = 1024;

}  // namespace

Message Message::verbatim(std::string text) {
  Message m;
  m.verbatim_ = std::move(text);
  return m;
}

Message& Message::with(std::string name, std::string value) {
  args_.push_back({std::move(name), std::move(value), nullptr});
  return *this;
}

Message& Message::with(std::string name, Message value) {
  args_.push_back({std::move(name), {}, std::make_shared<const Message>(std::move(value))});
  return *this;
}

std::string_view englishMessage(std::string_view id) {
  for (const CatalogueEntry& entry : kCatalogue)
    if (entry.id == id) return entry.english;
  return {};
}

std::vector<std::string_view> messageIds() {
  std::vector<std::string_view> ids;
  for (const CatalogueEntry& entry : kCatalogue) ids.push_back(entry.id);
  return ids;
}

std::string formatMessage(const Message& message,
                          const std::function<std::string(const std::string&)>& pattern) {
  if (message.id_.empty()) return message.verbatim_;
  std::string text = pattern ? pattern(message.id_) : std::string();
  if (text.empty()) text = englishMessage(message.id_);
  if (text.empty()) text = message.id_;
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t open = text.find('{', pos);
    const std::size_t close = open == std::string::npos ? open : text.find('}', open);
    if (close == std::string::npos) break;
    out.append(text, pos, open - pos);
    const std::string name = text.substr(open + 1, close - open - 1);
    const Message::Arg* arg = nullptr;
    for (const Message::Arg& a : message.args_)
      if (a.name == name) arg = &a;
    if (arg == nullptr) {
      out.append(text, open, close + 1 - open);
    } else {
      out += arg->message ? formatMessage(*arg->message, pattern) : arg->text;
    }
    pos = close + 1;
  }
  if (pos < text.size()) out.append(text, pos, std::string::npos);
  return out;
}

std::string localizedMessage(const std::string& languageFile, const Message& message) {
  return formatMessage(message, [&languageFile](const std::string& id) {
    return cp1250ToUtf8(readLangKey(languageFile, "Messages", id, "", kPatternSize));
  });
}

Message messageOf(const std::exception& error) {
  if (const auto* carrying = dynamic_cast<const MessageError*>(&error)) return carrying->message();
  return Message::verbatim(error.what());
}

}  // namespace caelora
