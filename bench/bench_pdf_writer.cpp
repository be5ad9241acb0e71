// SPDX-License-Identifier: GPL-2.0-or-later
// The PDF writer's throughput: a page of many path lines, as the star and
// Milky Way layers write them, from pdfInit to the finished file; and arc
// lettering, which writes three lines per letter.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "pdf/content.h"
#include "pdf/pdf_writer.h"

namespace {

namespace fs = std::filesystem;

std::string scratchFile(const char* name) {
  return (fs::temp_directory_path() / (std::string(name) + "_" + std::to_string(::getpid()) + ".pdf")).string();
}

caelora::PdfWriter& beginPage(caelora::PdfWriter& writer, const std::string& target, bool withFont) {
  writer.pdfInit();
  writer.setFileName(target);
  writer.setLanguageFile(std::string(CAELORA_SOURCE_DATA_DIR) + "/czech.lng");
  writer.pdfBeginDocument(caelora::DocumentInfo{"", "Caelora 1.2", "", "", "", ""});
  if (withFont) {
    caelora::PdfFont font;
    font.subtype = "Type1";
    font.embedded = true;
    writer.fonts().push_back(font);
  }
  writer.pdfWriteResources();
  return writer;
}

// Bytes per second for a content stream of state.range(0) circle paths.
void BM_ContentStream(benchmark::State& state) {
  const std::string target = scratchFile("bench_pdf_content");
  caelora::PdfWriter writer;
  std::int64_t bytes = 0;
  for (auto _ : state) {
    beginPage(writer, target, false);
    const std::int32_t start = writer.pdfBeginPage();
    for (std::int64_t i = 0; i < state.range(0); ++i) {
      writer.pdfWriteLine(caelora::pdfCirclePath(297.5f, 544.5f, 0.01f * static_cast<float>(i)) + "f");
    }
    writer.pdfEndPage(start);
    writer.pdfEndDocument();
    bytes += writer.offset();
  }
  state.SetBytesProcessed(bytes);
  fs::remove(target);
}
BENCHMARK(BM_ContentStream)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

// Lines that are ready-made text: the writer's own cost per byte.
void BM_WriteLine(benchmark::State& state) {
  const std::string target = scratchFile("bench_pdf_lines");
  const std::string line = "  297.5 544.5 m 300.1 546.2 l S";
  caelora::PdfWriter writer;
  std::int64_t bytes = 0;
  for (auto _ : state) {
    beginPage(writer, target, false);
    const std::int32_t start = writer.pdfBeginPage();
    for (std::int64_t i = 0; i < state.range(0); ++i) writer.pdfWriteLine(line);
    writer.pdfEndPage(start);
    writer.pdfEndDocument();
    bytes += writer.offset();
  }
  state.SetBytesProcessed(bytes);
  fs::remove(target);
}
BENCHMARK(BM_WriteLine)->Arg(200000)->Unit(benchmark::kMillisecond);

// The month ring of the star disc: twelve names along the rim, with the
// embedded font read from the language file each time.
void BM_MonthRingWithFont(benchmark::State& state) {
  const std::string target = scratchFile("bench_pdf_months");
  caelora::PdfWriter writer;
  for (auto _ : state) {
    beginPage(writer, target, true);
    const std::int32_t start = writer.pdfBeginPage();
    for (int m = 0; m < 12; ++m) caelora::pdfArcText(writer, caelora::PageDisc::ofPage(595, 842), m * 30.0, 0.93, "Listopad", 16);
    writer.pdfEndPage(start);
    writer.pdfEndDocument();
  }
  fs::remove(target);
}
BENCHMARK(BM_MonthRingWithFont)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
