// What every drawing step of the PDF export reads: the writer, the settings
// of the chart being exported, the colour table of the chosen export scheme
// and the page geometry of the disc. Built afresh for each export.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "pdf/pdf_writer.h"
#include "settings/settings.h"
#include "sky/milky_way.h"

namespace caelora {

struct ExportState {
  ExportState(PdfWriter& w, Settings s, std::string folder)
      : writer(w), settings(std::move(s)), programFolder(std::move(folder)) {}

  PdfWriter& writer;
  Settings settings;
  std::string programFolder;
  MilkyWayOutlines milkyWay;  // the four outline resources, for the Milky Way layer

  // 32 DeviceCMYK operand strings ("0 0 0 0.4"), filled by getColorValues.
  std::array<std::string, 32> exportColours;

  double discCentreX = 297.5;        // pageWidth / 2
  double discCentreFromTop = 297.5;  // distance of the disc centre below the page top
  double discCentreY = 544.5;        // pageHeight - discCentreFromTop
  std::vector<std::string> conNameList;  // national names, in Cons.txt order

  std::string dataFile(const std::string& name) const { return programFolder + "/" + name; }
  const std::string& languageFile() const { return settings.languageFile; }
  int pageWidth() const { return writer.pageWidth(); }
  int pageHeight() const { return writer.pageHeight(); }
  // Writes one piece of page content.
  void line(const std::string& text) { writer.pdfWriteLine(text); }
  // A colour slot followed by " K" (stroke) or " k" (fill).
  std::string stroke(int slot) const { return exportColours.at(slot) + " K"; }
  std::string fill(int slot) const { return exportColours.at(slot) + " k"; }
};

}  // namespace caelora
