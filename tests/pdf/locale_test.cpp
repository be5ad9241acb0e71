// The document does not depend on the user's locale: written under a locale
// whose decimal separator is a comma, it has the same bytes as under "C".
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <locale>
#include <sstream>

#include "pdf/content.h"
#include "pdf/pdf_writer.h"
#include "pdf_test_support.h"

namespace caelora {
namespace {

using test::PdfTest;

// Decimal comma and thousands grouping, as in Czech or German.
class CommaNumpunct : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

// Sets a comma-decimal locale for C and C++ for its lifetime. The C part
// needs a generated locale (cs_CZ.UTF-8 or de_DE.UTF-8); without one only the
// C++ part is in effect.
class CommaLocale {
 public:
  CommaLocale() : previousCpp_(std::locale()) {
    previousC_ = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"cs_CZ.UTF-8", "de_DE.UTF-8", "cs_CZ.utf8", "de_DE.utf8"}) {
      if (std::setlocale(LC_ALL, name) != nullptr) {
        cName_ = name;
        break;
      }
    }
    std::locale::global(std::locale(std::locale::classic(), new CommaNumpunct));
    std::setlocale(LC_ALL, cName_.empty() ? previousC_.c_str() : cName_.c_str());
  }
  ~CommaLocale() {
    std::locale::global(previousCpp_);
    std::setlocale(LC_ALL, previousC_.c_str());
  }
  const std::string& cName() const { return cName_; }

 private:
  std::locale previousCpp_;
  std::string previousC_;
  std::string cName_;
};

std::string writeDocument(const test::fs::path& dir) {
  std::string widths = "[ ";
  for (int code = 32; code <= 255; ++code) widths += std::to_string(400 + code) + ".5 ";
  const auto language = dir / "comma.lng";
  test::writeFile(language, "[Font1]\r\nBaseFont=Test\r\nFirstChar=32\r\nLastChar=255\r\nWidths=" + widths +
                                "]\r\nItalicAngle=-9.5\r\nLoD=1\r\nData=00\r\n");
  const auto target = dir / "comma.pdf";
  PdfWriter writer(test::fixedClock());
  writer.setFileName(target.string());
  writer.setLanguageFile(language.string());
  writer.pdfBeginDocument(DocumentInfo{"", "Caelora 1.2", "", "", "", ""});
  PdfFont font;
  font.subtype = "Type1";
  font.embedded = true;
  writer.fonts().push_back(font);
  writer.pdfWriteResources();
  const std::int32_t start = writer.pdfBeginPage();
  for (int i = 0; i < 2000; ++i) writer.pdfWriteLine(pdfCirclePath(297.5f, 544.5f, 1.37f * static_cast<float>(i)) + "S");
  pdfArcText(writer, PageDisc(297.5 + 1.25, 544.5, 297.5), 12.5, 0.93, "Leden 1234567", 16);
  pdfArcText(writer, PageDisc::ofPage(595, 842), 190, -0.5, "Jih", -8);
  writer.pdfEndPage(start);
  writer.pdfEndDocument();
  return test::readFile(target);
}

TEST_F(PdfTest, CommaDecimalLocaleChangesNoByte) {
  const std::string underC = writeDocument(dir_);
  std::string underComma;
  {
    CommaLocale comma;
    // The locale is really in effect where it reaches.
    std::ostringstream cpp;
    cpp << 1.5;
    EXPECT_EQ(cpp.str(), "1,5");
    if (!comma.cName().empty()) {
      char c[16];
      std::snprintf(c, sizeof c, "%.1f", 1.5);
      EXPECT_STREQ(c, "1,5");
    } else {
      std::printf("note: no comma-decimal C locale is generated here; only the C++ locale is set\n");
    }
    underComma = writeDocument(dir_);
  }
  EXPECT_GT(underC.size(), 100000u);
  EXPECT_TRUE(underC == underComma) << "the documents differ";
  EXPECT_NE(underC.find("/ItalicAngle -9.5\r"), std::string::npos);
  EXPECT_EQ(underC.find(','), std::string::npos) << "no comma anywhere in a document without texts";
}

}  // namespace
}  // namespace caelora
