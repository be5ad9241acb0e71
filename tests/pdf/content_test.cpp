// SPDX-License-Identifier: GPL-2.0-or-later
// Page content builders: path numbers, circle paths and arc lettering.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>

#include "pdf/content.h"
#include "pdf/pdf_writer.h"
#include "pdf_test_support.h"

namespace caelora {
namespace {

using test::PdfTest;

constexpr double kPi = 3.14159265358979323846;

TEST(FormatPdfNumber, TiesToEvenAndAPointWhateverTheLocale) {
  test::CommaLocale comma;  // the text must not care
  EXPECT_EQ(FormatPdfNumber(12.5, 1), "12.5");
  EXPECT_EQ(FormatPdfNumber(3.0, 1), "3");
  EXPECT_EQ(FormatPdfNumber(-0.25, 2), "-0.25");
  EXPECT_EQ(FormatPdfNumber(0.125, 2), "0.12");
  EXPECT_EQ(FormatPdfNumber(2.5, 0), "2");
  EXPECT_EQ(FormatPdfNumber(3.5, 0), "4");
  EXPECT_EQ(FormatPdfNumber(1234.5678, 2), "1234.57");
  EXPECT_EQ(FormatPdfNumber(-0.001, 2), "0");
  EXPECT_EQ(FormatPdfNumber(0.5, 2), "0.5");
  EXPECT_EQ(FormatPdfNumber(-0.05, 2), "-0.05");
  EXPECT_EQ(FormatPdfNumber(100.0, 3), "100");
  EXPECT_EQ(FormatPdfNumber(-7.0004, 4), "-7.0004");
  EXPECT_EQ(FormatPdfNumber(1e16, 1), "10000000000000000");
}

TEST(PdfNumber, RoundsDownToOneDecimal) {
  EXPECT_EQ(pdfNumber(0), "0.0 ");
  EXPECT_EQ(pdfNumber(3), "3.0 ");
  EXPECT_EQ(pdfNumber(2.96f), "2.9 ");
  EXPECT_EQ(pdfNumber(12.75f), "12.7 ");
  EXPECT_EQ(pdfNumber(-1.25f), "-1.3 ");
  EXPECT_EQ(pdfNumber(-0.25f), "-0.3 ");
  EXPECT_EQ(pdfNumber(-2), "-2.0 ");
  EXPECT_EQ(pdfNumber(-0.0f), "0.0 ");
  EXPECT_EQ(pdfNumber(544.5f), "544.5 ");
  EXPECT_EQ(pdfNumber(-10.05f), "-10.1 ");
  EXPECT_EQ(pdfNumber(123456.9f), "123456.8 ") << "single precision holds 123456.8984375";
  EXPECT_THROW(pdfNumber(std::numeric_limits<float>::quiet_NaN()), PdfError);
  EXPECT_THROW(pdfNumber(std::numeric_limits<float>::infinity()), PdfError);
}

TEST(PdfCirclePath, RunsFromTheLeftThroughBottomRightAndTop) {
  EXPECT_EQ(pdfCirclePath(100, 100, 10),
            "90.0 100.0 m\r"
            "90.0 94.4 94.4 90.0 100.0 90.0 c\r"
            "105.5 90.0 110.0 94.4 110.0 100.0 c\r"
            "110.0 105.5 105.5 110.0 100.0 110.0 c\r"
            "94.4 110.0 90.0 105.5 90.0 100.0 c\r");
  EXPECT_EQ(pdfHalfCirclePath(100, 100, 10),
            "110.0 100.0 m\r"
            "110.0 105.5 105.5 110.0 100.0 110.0 c\r"
            "94.4 110.0 90.0 105.5 90.0 100.0 c\r");
}

TEST(PdfCirclePath, ZeroRadiusCollapsesOnTheCentre) {
  const std::string point = "10.0 -20.0 ";
  const std::string segment = point + point + point + "c\r";
  EXPECT_EQ(pdfCirclePath(10, -20, 0), point + "m\r" + segment + segment + segment + segment);
}

// Arc lettering with font 1 of every width 500, read back from the page.
class ArcText : public PdfTest {
 protected:
  std::string contentOf(void (*draw)(PdfWriter&)) {
    std::string widths = "[ ";
    for (int code = 32; code <= 255; ++code) widths += "500 ";
    const auto language = dir_ / "arc.lng";
    test::writeFile(language, "[Font1]\r\nFirstChar=32\r\nLastChar=255\r\nWidths=" + widths + "]\r\nLoD=0\r\n");
    const auto target = dir_ / "arc.pdf";
    PdfWriter writer(test::fixedClock());
    writer.setFileName(target.string());
    writer.setLanguageFile(language.string());
    writer.pdfBeginDocument(DocumentInfo{});
    PdfFont font;
    font.subtype = "Type1";
    font.embedded = true;
    writer.fonts().push_back(font);
    writer.pdfWriteResources();
    const std::int32_t start = writer.pdfBeginPage();
    draw(writer);
    writer.pdfEndPage(start);
    writer.pdfEndDocument();
    const std::string pdf = test::readFile(target);
    const std::string opening = "/Length 10 0 R\r>>\rstream\r\n";  // the page's contents, object 9
    const std::size_t begin = pdf.find(opening) + opening.size();
    return pdf.substr(begin, pdf.find("endstream\r", begin) - begin);
  }
};

// The origin (x, y) and the rotation (cos, sin) of each letter.
struct Letter {
  double x, y, c, s;
};
std::vector<Letter> letters(const std::string& content) {
  const std::regex pattern("q 1 0 0 1 (\\S+) (\\S+) cm\r(\\S+) (\\S+) (\\S+) (\\S+)  0 0 cm\r");
  std::vector<Letter> result;
  for (auto it = std::sregex_iterator(content.begin(), content.end(), pattern); it != std::sregex_iterator(); ++it) {
    result.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4])});
    EXPECT_EQ(std::stod((*it)[5]), -std::stod((*it)[4]));
    EXPECT_EQ((*it)[6], (*it)[3]);
  }
  return result;
}

TEST_F(ArcText, OneLetterStandsJustAheadOfItsDirection) {
  // Width 500 at size 10 on the rim: the letter's origin lies
  // 2.0004 atan(0.00625) - 0.0008 pi = 0.00999 rad counter-clockwise of the top.
  const std::string content = contentOf([](PdfWriter& w) { pdfArcText(w, PageDisc::ofPage(595, 842), 0, 1, "A", 10); });
  EXPECT_EQ(content,
            "q 1 0 0 1 294.8 812.2 cm\r"
            "1 0.01 -0.01 1  0 0 cm\r"
            "BT\r/F1 10 Tf\r(A) Tj\rET Q\r");
}

TEST_F(ArcText, EmptyTextWritesNothing) {
  EXPECT_EQ(contentOf([](PdfWriter& w) { pdfArcText(w, PageDisc::ofPage(595, 842), 45, 0.8, "", 12); }), "");
}

TEST_F(ArcText, LettersRunClockwiseOnTheCircleAboutTheDiscCentre) {
  const auto placed = letters(contentOf([](PdfWriter& w) { pdfArcText(w, PageDisc(297.5 + 5, 544.5, 297.5), 30, 0.8, "LEDEN 2026", 16); }));
  ASSERT_EQ(placed.size(), 10u);
  const double cx = 297.5 + 5;
  const double cy = 842 - 297.5;
  const double radius = 0.9 * 0.8 * 297.5;
  double previous = 10;
  double first = 0;
  double last = 0;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const double angle = std::atan2(placed[i].y - cy, placed[i].x - cx);
    EXPECT_NEAR(std::hypot(placed[i].x - cx, placed[i].y - cy), radius, 0.1) << i;
    // Each letter stands upright on the circle: turned by its angle less 90 degrees.
    EXPECT_NEAR(placed[i].c, std::cos(angle - kPi / 2), 0.006) << i;
    EXPECT_NEAR(placed[i].s, std::sin(angle - kPi / 2), 0.006) << i;
    if (i > 0) {
      EXPECT_LT(angle, previous) << "clockwise, letter " << i;
    }
    previous = angle;
    if (i == 0) first = angle;
    last = angle;
  }
  // Ten letters of 500/1000 x 16 points on radius 214.2: about 8 points each.
  const double step = 2 * std::atan(500.0 * 16 / 400000 / 0.8);
  EXPECT_NEAR(first - last, 9 * step, 0.001);
  // The first letter starts 2.0004 atan(T / 4r) - 0.0008 pi ahead of 30
  // degrees counter-clockwise from the top, T = 10 x 500 x 16 / 200000.
  const double centre = kPi / 2 + 30 * kPi / 180;
  EXPECT_NEAR(first, centre + 2.0004 * std::atan(0.4 / 4 / 0.8) - 0.0008 * kPi, 0.001);
}

TEST_F(ArcText, NegativeSizeMirrorsAboutTheCentreLine) {
  const auto up = letters(contentOf([](PdfWriter& w) { pdfArcText(w, PageDisc::ofPage(595, 842), 20, 0.9, "Jih", 12); }));
  const auto down = letters(contentOf([](PdfWriter& w) { pdfArcText(w, PageDisc::ofPage(595, 842), 20, 0.9, "Jih", -12); }));
  ASSERT_EQ(up.size(), 3u);
  ASSERT_EQ(down.size(), 3u);
  for (std::size_t i = 0; i < up.size(); ++i) {
    EXPECT_DOUBLE_EQ(up[i].x, down[i].x);
    EXPECT_NEAR(up[i].y + down[i].y, 2 * 544.5, 0.11);
    EXPECT_NEAR(down[i].c, -up[i].c, 0.011);
    EXPECT_NEAR(down[i].s, -up[i].s, 0.011);
  }
  EXPECT_NE(contentOf([](PdfWriter& w) { pdfArcText(w, PageDisc::ofPage(595, 842), 20, 0.9, "J", -12); }).find("/F1 12 Tf"),
            std::string::npos);
}

TEST_F(ArcText, ParenthesesAndBackslashAreEscaped) {
  const std::string content = contentOf([](PdfWriter& w) { pdfArcText(w, PageDisc::ofPage(595, 842), 0, 0.9, "(\\)", 10); });
  EXPECT_NE(content.find("(\\() Tj"), std::string::npos) << content;
  EXPECT_NE(content.find("(\\\\) Tj"), std::string::npos) << content;
  EXPECT_NE(content.find("(\\)) Tj"), std::string::npos) << content;
}

TEST_F(ArcText, LetterWithoutWidthStopsTheExport) {
  EXPECT_THROW(contentOf([](PdfWriter& w) { pdfArcText(w, PageDisc::ofPage(595, 842), 0, 0.9, "a\n", 10); }), PdfError);
  EXPECT_EQ(strayFiles("arc.lng"), std::vector<std::string>());
}

}  // namespace
}  // namespace caelora
