// The checks and the mend of a PDF file on small PDFs made by hand: the
// written-whole check, and the text layer's spaces in each form of character
// map a PDF writer may use, not only the one this toolkit writes.
#include "report/core/pdffile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace zod {
namespace {

// A PDF of the given objects (numbered from 1) with its cross-reference
// table and trailer, laid out as the toolkit lays them out.
std::string Pdf(const std::vector<std::string>& objects) {
  std::string pdf = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t table = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (const std::size_t at : offsets) {
    char entry[21];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", at);
    pdf += entry;
  }
  pdf += "trailer\n<<\n/Size " + std::to_string(objects.size() + 1) + " \n/Root 1 0 R\n>>\nstartxref\n" +
         std::to_string(table) + "\n%%EOF\n";
  return pdf;
}

// A stream object of a character map whose entries are `entries`, written
// plain.
std::string CharacterMap(const std::string& entries) {
  const std::string content =
      "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n" +
      entries + "\nendcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
  return "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream";
}

// A page with a font whose text layer is the map `entries`.
std::string PageWithMap(const std::string& entries) {
  return Pdf({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
              "<< /Type /Page /Parent 2 0 R /Resources << /Font << /F4 4 0 R >> >> >>",
              "<< /Type /Font /Subtype /Type0 /ToUnicode 5 0 R >>", CharacterMap(entries)});
}

// Each form of entry that gives a glyph its characters: the space glyph,
// named by the tab, reads as a space once mended; everything else stays.
TEST(PdfFile, SpacesMendedInEachFormOfMap) {
  struct Row {
    const char* form;
    std::string entries, mended;
    int count;
  };
  const Row rows[] = {
      {"single glyphs", "2 beginbfchar\n<0003> <0009>\n<0004> <0041>\nendbfchar",
       "2 beginbfchar\n<0003> <0020>\n<0004> <0041>\nendbfchar", 1},
      {"a range of one glyph", "2 beginbfrange\n<0001> <0001> <0041>\n<0002> <0002> <0009>\nendbfrange",
       "2 beginbfrange\n<0001> <0001> <0041>\n<0002> <0002> <0020>\nendbfrange", 1},
      {"a range given as an array", "1 beginbfrange\n<0001> <0004> [<0055> <0070> <0009> <0049>]\nendbfrange",
       "1 beginbfrange\n<0001> <0004> [<0055> <0070> <0020> <0049>]\nendbfrange", 1},
      {"entries run together over lines",
       "1 beginbfrange\n<0001><0003>[<0041>\n<0009><0042>]\nendbfrange\n"
       "1 beginbfchar\n<0007><0009>\nendbfchar",
       "1 beginbfrange\n<0001><0003>[<0041>\n<0020><0042>]\nendbfrange\n1 "
       "beginbfchar\n<0007><0020>\nendbfchar",
       2},
      {"blocks of each form in one map",
       "1 beginbfchar\n<0005> <0009>\nendbfchar\n2 beginbfrange\n<0000> <0000> <0000>\n"
       "<0001> <0002> [<0009> <0041>]\nendbfrange\n1 beginbfrange\n<0003> <0003> <0009>\nendbfrange",
       "1 beginbfchar\n<0005> <0020>\nendbfchar\n2 beginbfrange\n<0000> <0000> <0000>\n"
       "<0001> <0002> [<0020> <0041>]\nendbfrange\n1 beginbfrange\n<0003> <0003> <0020>\nendbfrange",
       3},
      // glyphs of a tab, a line feed and a vertical tab, not the space glyph
      {"a range of glyphs counting up from a tab", "1 beginbfrange\n<0003> <0005> <0009>\nendbfrange",
       "1 beginbfrange\n<0003> <0005> <0009>\nendbfrange", 0},
      // the glyph numbered 9 is not the character
      {"glyph 9", "1 beginbfchar\n<0009> <0041>\nendbfchar\n1 beginbfrange\n<0009> <0009> <0042>\nendbfrange",
       "1 beginbfchar\n<0009> <0041>\nendbfchar\n1 beginbfrange\n<0009> <0009> <0042>\nendbfrange", 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.form);
    std::string pdf = PageWithMap(r.entries);
    const std::string expected = PageWithMap(r.mended);
    ASSERT_EQ(pdf.size(), expected.size());
    const auto table = PdfCrossReference(pdf);
    ASSERT_TRUE(table);
    EXPECT_EQ(MendSpacesInTextLayer(pdf), r.count);
    EXPECT_EQ(pdf, expected);
    EXPECT_EQ(PdfCrossReference(pdf), table);
  }
}

// A whole file points at its table; a write that lost or gained bytes
// before the table, or a pointer that names another place, is not whole,
// though the file still ends as a PDF ends. Nothing is mended in it.
TEST(PdfFile, WholeOnlyWhereStartxrefPointsAtTheTable) {
  const std::string whole = PageWithMap("1 beginbfchar\n<0003> <0009>\nendbfchar");
  const std::size_t table = whole.find("\nxref\n") + 1;
  const std::size_t number = whole.rfind(std::to_string(table));
  struct Row {
    const char* what;
    std::function<void(std::string&)> change;
  };
  const Row rows[] = {
      {"a byte lost before the table", [](std::string& pdf) { pdf.erase(40, 1); }},
      {"a byte gained before the table", [](std::string& pdf) { pdf.insert(40, " "); }},
      {"lines of an object lost", [](std::string& pdf) { pdf.erase(pdf.find("4 0 obj"), 16); }},
      {"pointing one byte into the table",
       [&](std::string& pdf) {
         pdf.replace(number, std::to_string(table).size(), std::to_string(table + 1));
       }},
      {"pointing past the end",
       [&](std::string& pdf) {
         pdf.replace(number, std::to_string(table).size(), std::to_string(pdf.size() + 10));
       }},
  };
  EXPECT_EQ(PdfCrossReference(whole), table);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    std::string pdf = whole;
    r.change(pdf);
    ASSERT_TRUE(pdf.ends_with("%%EOF\n"));
    EXPECT_FALSE(PdfCrossReference(pdf));
    const std::string before = pdf;
    EXPECT_EQ(MendSpacesInTextLayer(pdf), 0);
    EXPECT_EQ(pdf, before);
  }
}

}  // namespace
}  // namespace zod
