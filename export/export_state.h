// SPDX-License-Identifier: GPL-2.0-or-later
// What every drawing step of the PDF export reads: the writer, the settings
// of the chart being exported, the colour table of the chosen export scheme
// and the disc as it lies on the page. Built afresh for each export.
#pragma once

#include <string>
#include <vector>

#include "export/colours.h"
#include "pdf/page_disc.h"
#include "pdf/pdf_writer.h"
#include "settings/settings.h"
#include "sky/milky_way.h"
#include "sky/sky_time.h"

namespace caelora {

struct ExportState {
  ExportState(PdfWriter& w, Settings s, std::string folder)
      : writer(w), settings(std::move(s)), programFolder(std::move(folder)) {}

  PdfWriter& writer;
  Settings settings;
  std::string programFolder;
  MilkyWayOutlines milkyWay;  // the four outline resources, for the Milky Way layer
  TimeZoneFacts zone;         // of settings.timeZone, from the edge

  // The CMYK operands of the chosen export scheme ("0 0 0 0.4").
  ColourTable exportColours = getColorValues(ExportScheme::Standard);
  std::vector<std::string> conNameList;  // national names, in Cons.txt order

  std::string dataFile(const std::string& name) const { return programFolder + "/" + name; }
  const std::string& languageFile() const { return settings.languageFile; }
  int pageWidth() const { return writer.pageWidth(); }
  int pageHeight() const { return writer.pageHeight(); }
  // The disc of both pages, each in the frame its page sets up.
  PageDisc disc() const { return PageDisc::ofPage(pageWidth(), pageHeight()); }
  // Writes one piece of page content.
  void line(const std::string& text) { writer.pdfWriteLine(text); }
  // The ink followed by " K" (stroke) or " k" (fill).
  const std::string& colour(Ink ink) const { return exportColours.at(static_cast<std::size_t>(ink)); }
  std::string stroke(Ink ink) const { return colour(ink) + " K"; }
  std::string fill(Ink ink) const { return colour(ink) + " k"; }
};

}  // namespace caelora
