// The report page on the recording surface: positions on the body grid
// (136 columns by 88 rows) and the header scale, checked against the
// layout's own figures.
#include "report/core/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"
#include "report/core/recordingprint.h"
#include "report/core/utf8text.h"
#include "tests/engine/session.h"

namespace zod {
namespace {

using Text = RecordingPrintSurface::Text;
constexpr double kTol = 1e-3, kRow = 0.01;

struct Case : test::Session {
  RecordingPrintSurface Print(const ReportStamp& stamp = {"07.12.2026", 14, 7, "(c) Maker"}) {
    Calculate(z);
    RecordingPrintSurface page;
    PrintReport(z, page, stamp);
    return page;
  }
};

// The text drawn with its left edge at column x.
const Text* At(const RecordingPrintSurface& page, const std::string& text, double x) {
  for (const Text& t : page.texts)
    if (t.text == text && std::fabs(t.x - x) < kRow) return &t;
  return nullptr;
}
// The first text that begins with `prefix` (a panel title names its chapter).
const Text* Titled(const RecordingPrintSurface& page, const std::string& prefix) {
  for (const Text& t : page.texts)
    if (t.text.rfind(prefix, 0) == 0) return &t;
  return nullptr;
}
double RowOf(const RecordingPrintSurface& page, const std::string& text) {
  const Text* t = page.Find(text);
  EXPECT_NE(t, nullptr) << "not printed: " << text;
  return t ? t->y : -1;
}
// Rows of the horizontal rules, which span 13.6 to 129.2.
std::vector<double> Rules(const RecordingPrintSurface& page) {
  std::vector<double> rows;
  for (const auto& s : page.strokes)
    if (!s.box && std::fabs(s.x1 - 13.6) < kTol && std::fabs(s.x2 - 129.2) < kTol && s.y1 == s.y2)
      rows.push_back(s.y1);
  return rows;
}

constexpr const char* kShell = "Shell Buckling: (Ch 3.";
constexpr const char* kStiff = "Stiffener Buckling: (Ch 3.6.3)";
constexpr const char* kRing = "Panel Ring Buckling: (Ch 3.5.2)";
constexpr const char* kColumn = "Global Buckling: (Ch 3.8)";
constexpr const char* kNote =
    "Note: s/t>3* Sqr(r/t) ==> calculation as an unstiffened veltrane, (Ref Ch 3.6.1)";

TEST(Report, DefaultCaseStandsOnTheBodyGrid) {
  Case c;
  const auto page = c.Print();

  EXPECT_NEAR(RowOf(page, "Design format/Condition and Material:"), 10, kTol);
  EXPECT_NEAR(RowOf(page, "Geometry:"), 17.8, kTol);
  const char* geometry[] = {"Cylinder radius (cL plate)",
                            "Distance between ring frames",
                            "Cylinder wall thickness",
                            "Stiff spacing:",
                            "Lat tors buckl length: (stiffener)",
                            "Cylinder length",
                            "Lat tors buckl length: (ringframe)"};
  for (int i = 0; i < 7; ++i) EXPECT_NEAR(RowOf(page, geometry[i]), 18.8 + i, kTol) << geometry[i];
  EXPECT_NEAR(RowOf(page, "Loading:"), 26.3, kTol);
  EXPECT_NEAR(RowOf(page, "pd"), 30.3, kTol);

  // below the cylinder sketch, and 1.5 rows below the profile sketches
  EXPECT_EQ(Rules(page).size(), 2u);
  EXPECT_NEAR(Rules(page).at(0), 31.41, kRow);
  EXPECT_NEAR(Rules(page).at(1), 49.22, kRow);
  const auto vertical = std::find_if(page.strokes.begin(), page.strokes.end(), [](const auto& s) {
    return std::fabs(s.x1 - 80.6) < kTol && s.x1 == s.x2;
  });
  ASSERT_NE(vertical, page.strokes.end());
  EXPECT_NEAR(vertical->y1, 10.5, kTol);
  EXPECT_NEAR(vertical->y2, 30.91, kRow);

  // the cylinder sketch beside the inputs, the profile sketches under their headings
  struct Expected {
    ReportPicture picture;
    double x, y, width, height;
  } pictures[] = {{{ReportPicture::Kind::Cylinder, 2}, 92.6, 10, 30, 19.41},
                  {{ReportPicture::Kind::Stiffener, 0}, 13.6, 34.41, 29, 13.31},
                  {{ReportPicture::Kind::RingFrame, 2}, 73.6, 34.41, 29, 13.31}};
  ASSERT_EQ(page.pictures.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const auto& p = page.pictures[i];
    const Expected& e = pictures[i];
    EXPECT_EQ(p.picture, e.picture);
    EXPECT_NEAR(p.x, e.x, kTol);
    EXPECT_NEAR(p.y, e.y, kRow);
    EXPECT_NEAR(p.width, e.width, kTol);
    EXPECT_NEAR(p.height, e.height, kRow);
  }

  const Text* stiffHead = At(page, "Stiffener Profile:", 13.6);
  const Text* ringHead = At(page, "Ringframe Profile:", 73.6);
  ASSERT_TRUE(stiffHead && ringHead);
  EXPECT_NEAR(stiffHead->y, 32.41, kRow);
  EXPECT_NEAR(ringHead->y, 32.41, kRow);
  EXPECT_TRUE(stiffHead->italic && stiffHead->bold && stiffHead->underline);

  // shell and stiffener side by side (s/t = 30 > 3 sqrt(r/t) = 26 gives the
  // stiffener's note); the ring panel 13.1 rows below the note
  ASSERT_TRUE(At(page, c.z.shellpanel.txt[0], 13.6) && At(page, kStiff, 63.6) && At(page, kRing, 13.6));
  EXPECT_NEAR(At(page, c.z.shellpanel.txt[0], 13.6)->y, 50.22, kRow);
  EXPECT_NEAR(At(page, kStiff, 63.6)->y, 50.22, kRow);
  EXPECT_NEAR(At(page, kRing, 13.6)->y, 50.22 + 13.1, kRow);
  EXPECT_EQ(page.endDocs, 0);  // the caller ends the document
}

// The body in arial 8, black: the section and profile headings italic, bold
// and underlined, "Profile data:" underlined only, every other text of the
// inputs and the profile blocks plain. The result panels set their own.
TEST(Report, HeadingsAndBodyStyles) {
  Case c;
  const auto page = c.Print();
  const std::vector<std::string> headings = {"Design format/Condition and Material:", "Geometry:", "Loading:",
                                             "Stiffener Profile:", "Ringframe Profile:"};
  std::size_t seen = 0;
  for (const Text& t : page.texts) {
    if (t.y < 10 || t.y > 50.22 - kRow) continue;  // the header above, the panels below
    const bool heading = std::find(headings.begin(), headings.end(), t.text) != headings.end();
    seen += heading;
    EXPECT_EQ(t.size, 8) << t.text;
    EXPECT_TRUE(t.r == 0 && t.g == 0 && t.b == 0) << t.text;
    EXPECT_EQ(t.italic, heading) << t.text;
    EXPECT_EQ(t.bold, heading) << t.text;
    EXPECT_EQ(t.underline, heading || t.text == "Profile data:") << t.text;
  }
  EXPECT_EQ(seen, headings.size());
}

// Where the rows of each cylinder type stand, and where its results begin.
struct TypeCase {
  const char* name;
  int cylinder, ringch;
  std::vector<std::pair<const char*, double>> rows;  // texts and their rows; panels by title
  std::vector<const char*> absent;
};

void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.name; }

class ReportByType : public testing::TestWithParam<TypeCase> {};

TEST_P(ReportByType, RowsAndPanels) {
  const TypeCase& tc = GetParam();
  Case c;
  c.z.cylinder = static_cast<int16>(tc.cylinder);
  c.z.ringch = static_cast<int16>(tc.ringch);
  const auto page = c.Print();
  for (const auto& [text, row] : tc.rows) {
    const Text* t = Titled(page, text);
    ASSERT_NE(t, nullptr) << text;
    EXPECT_NEAR(t->y, row, kRow) << text;
    EXPECT_NEAR(t->x, text == std::string(kStiff) ? 63.6 : t->x, kTol);
  }
  for (const char* text : tc.absent) EXPECT_EQ(Titled(page, text), nullptr) << text;
  EXPECT_NEAR(Rules(page).front(), 31.41, kRow);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Types, ReportByType, testing::Values(
    TypeCase{"Unstiffened", 0, 0,
             {{"Plate: ", 13.3}, {"Youngs modulus: ", 14.3}, {"Geometry:", 15.8}, {"Cylinder wall thickness", 18.8},
              {"Loading:", 20.3}, {"Sigx", 21.3}, {"pd", 24.3}, {kShell, 32.41}},
             {"Stiffener: ", "Cylinder length", "Stiffener Profile:", "Ringframe Profile:", kStiff, kRing, kColumn}},
    // a ring-frame switch left on by a file: spacing and rule below the cylinder sketch
    TypeCase{"UnstiffenedRingSwitchOn", 0, 1, {{"Youngs modulus: ", 14.3}, {kShell, 56.32}},
             {"Ringframe: ", "Ringframe Profile:", kRing}},
    TypeCase{"RingStiffened", 1, 1,
             {{"Stiffener: ", 14.3}, {"Ringframe: ", 15.3}, {"Youngs modulus: ", 16.3}, {"Cylinder length", 21.8},
              {"Lat tors buckl length: (ringframe)", 22.8}, {"Loading:", 24.3}, {"pd", 28.3},
              {"Ringframe Profile:", 32.41}, {"Profile data:", 34.41}, {kShell, 50.22}, {kRing, 62.32}},
             {"Stiffener Profile:", "Stiff spacing:", kStiff}},
    TypeCase{"RingStiffenedWithoutCheck", 1, 0, {{"Stiffener: ", 14.3}, {"Youngs modulus: ", 15.3}, {kShell, 32.41}},
             {"Ringframe: ", "Ringframe Profile:", kRing}},
    // the stiffener block alone: the results below its sketch, after a rule
    TypeCase{"StringersWithoutRingCheck", 2, 0,
             {{"Youngs modulus: ", 15.3}, {"Lat tors buckl length: (ringframe)", 23.8}, {"Stiffener Profile:", 32.41},
              {kShell, 50.22}, {kStiff, 50.22}},
             {"Ringframe: ", "Ringframe Profile:", kRing}},
    TypeCase{"Column", 3, 0,
             {{"Plate: ", 13.3}, {"Cylinder length", 19.8}, {"Effective length factor", 20.8}, {"k2", 21.8},
              {"Loading:", 23.3}, {"pd", 24.3}, {"N", 25.3}, {"M2b", 29.3}, {kShell, 32.41}, {kColumn, 44.51}},
             {"Stiffener: ", "Sigx", "Tau", "Stiffener Profile:", kStiff, kRing}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Whole rows as printed: labels, symbols, values by their patterns, units.
TEST(Report, RowTexts) {
  struct {
    int16 cylinder, method;
    double ufb, row;
    const char* text;
  } cases[] = {
      {2, 0, 1, 11, "Design Condition:LRDF meth.od"},
      {2, 0, 1, 12, "Allowable Usage Factor: UF=1.00"},
      {2, 0, 0.85, 12, "Allowable Usage Factor: UF=.85"},
      {2, 1, 0.85, 11, "Design Condition:WSD meth.od"},
      {2, 1, 0.85, 12, "Basic Usage Factor: n0=0.85"},
      {2, 0, 1, 16.3, "Youngs modulus: E=2.10E+5 MPa"},
      {2, 0, 1, 20.8, "Cylinder wall thicknesst=20.0 mm"},
      {3, 0, 1, 20.8, "Effective length factork1=1.00"},
      {3, 0, 1, 21.8, "k2=1.00"},
      {3, 0, 1, 24.3, "pd=-0.300 MPa (positive = inside pressure)"},
      {3, 0, 1, 25.3, "N=-1000.0 kN"},
  };
  for (const auto& k : cases) {
    Case c;
    c.z.cylinder = k.cylinder;
    c.z.dmethod = k.method;
    c.z.ufb = k.ufb;
    EXPECT_EQ(c.Print().RowText(k.row), k.text) << k.row;
  }
}

// Values end at their column whatever their width; names at xmat.
TEST(Report, RightAlignment) {
  Case c;
  c.z.sigx = -12345.6;
  const auto page = c.Print();
  const Text* name = page.Find(c.z.mat.matname[2]);
  ASSERT_NE(name, nullptr);
  EXPECT_NEAR(name->x + name->width, 43.6, kTol);
  EXPECT_EQ(page.RowText(13.3), "Plate: " + c.z.mat.matname[2] + "fy=" + Format(c.z.fyp, "###") + " MPa");
  for (const char* value : {"LRDF meth.od", "1.00", "1500", "20.0", "6000"}) {
    const Text* t = page.Find(value);
    ASSERT_NE(t, nullptr) << value;
    EXPECT_NEAR(t->x + t->width, 63.6, kTol) << value;
  }
  for (const char* value : {"-12345.6", "-10.0", "-0.300"}) {
    const Text* t = page.Find(value);
    ASSERT_NE(t, nullptr) << value;
    EXPECT_NEAR(t->x + t->width, 31.6, kTol) << value;
  }
}

// One profile block per group and member; rows counted from the heading row p.
struct BlockCase {
  const char* name;
  int kind;
  bool stiffener;
  std::vector<std::string> symbols;  // rows p + 3 on
  int texts;                         // local-buckling texts
  int last;                          // the block's last row
};

void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }

class ProfileBlocks : public testing::TestWithParam<BlockCase> {};

TEST_P(ProfileBlocks, RowsValuesAndTexts) {
  const BlockCase& bc = GetParam();
  Case c;
  (bc.stiffener ? c.z.stifftype : c.z.girdtype) = static_cast<int16>(bc.kind);
  const auto page = c.Print();
  const double x = bc.stiffener ? 45.6 : 105.6, p = 32.41;

  const Text* heading = At(page, "Profile data:", x);
  ASSERT_NE(heading, nullptr);
  EXPECT_NEAR(heading->y, p + 2, kRow);
  EXPECT_TRUE(heading->underline && !heading->bold && !heading->italic);

  std::vector<const Text*> block;  // in the order printed
  for (const Text& t : page.texts)
    if (t.x > x - kTol && t.x < x + 55 && t.y > p + 2.5 && t.y < p + 17) block.push_back(&t);
  double last = 0;
  for (const Text* t : block) last = std::max(last, t->y - p);
  EXPECT_NEAR(last, bc.last, kRow);

  // each symbol's field with its pattern and unit (the bulb flat's B by "#0.0")
  const State& z = c.z;
  const bool st = bc.stiffener;
  const SectionResults& sec = st ? z.stiffsec : z.girdsec;
  const std::map<std::string, std::tuple<double, const char*, const char*>> rows = {
      {"H", {st ? z.stiffh : z.girdh, "#00", "mm"}},
      {"B", {st ? z.stiffb : z.girdb, bc.kind == 6 ? "#0.0" : "#00", "mm"}},
      {"a", {st ? z.stiffc : z.girdc, "#00", "mm"}},
      {"c", {st ? z.stiffc : z.girdc, "#0.0", "mm"}},
      {"r", {st ? z.stiffr : z.girdr, "#0.0", "mm"}},
      {"tw", {st ? z.stifftw : z.girdtw, "#0.0", "mm"}},
      {"tf", {st ? z.stifftf : z.girdtf, "#0.0", "mm"}},
      {"A", {sec.a, "#00", "mm2"}},
      {"g", {sec.g, "#0.0", "kg/m"}},
      {"Iy", {sec.iy, "0.000E+0", "mm4"}},
      {"Iz", {sec.iz, "0.000E+0", "mm4"}}};
  std::vector<std::string> symbols;
  for (std::size_t i = 0; i + 4 < block.size() && block[i + 1]->text == "="; i += 5) {
    symbols.push_back(block[i]->text);
    EXPECT_NEAR(block[i]->y - p, 2 + static_cast<double>(symbols.size()), kRow) << block[i]->text;
    EXPECT_NEAR(block[i + 1]->x, x + 6, kTol);
    const Text& value = *block[i + 2];
    EXPECT_NEAR(value.x + value.width, x + 18, kTol) << value.text;
    EXPECT_EQ(block[i + 3]->text, " ");
    const auto [field, pattern, unit] = rows.at(block[i]->text);
    EXPECT_EQ(value.text + " " + block[i + 4]->text, Format(field, pattern) + " " + unit) << block[i]->text;
  }
  EXPECT_EQ(symbols, bc.symbols);

  const Text* local = At(page, "Local buckling:", x);
  EXPECT_EQ(local != nullptr, bc.texts > 0);
  if (local) {
    EXPECT_NEAR(local->y - p, 3 + static_cast<double>(symbols.size()), kRow);
    EXPECT_FALSE(local->underline);
    EXPECT_NEAR(last, local->y - p + bc.texts, kRow);
  }
}

const std::vector<std::string> kFlanged{"H", "B", "tw", "tf", "A", "g", "Iy", "Iz"};
const std::vector<std::string> kRhs{"H", "B", "tw", "A", "g", "Iy"};
const std::vector<std::string> kTrapezoid{"H", "B", "a", "tw", "A", "g", "Iy"};
const std::vector<std::string> kFlat{"H", "tw", "A", "g", "Iy"};
const std::vector<std::string> kBulb{"H", "tw", "c", "r", "B", "tf", "A", "g", "Iy"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Groups, ProfileBlocks, testing::Values(
    BlockCase{"StiffenerL", 0, true, kFlanged, 2, 13},
    BlockCase{"RingFrameT", 2, false, kFlanged, 4, 15},
    BlockCase{"StiffenerIBuiltUp", 9, true, kFlanged, 2, 13},
    BlockCase{"StiffenerRhs", 7, true, kRhs, 0, 8},
    BlockCase{"RingFrameRhs", 7, false, kRhs, 0, 8},
    BlockCase{"StiffenerTrapezoid", 8, true, kTrapezoid, 0, 9},
    BlockCase{"RingFrameTrapezoid", 8, false, kTrapezoid, 0, 9},
    BlockCase{"StiffenerFlatBar", 4, true, kFlat, 1, 9},
    BlockCase{"RingFrameFlatBarBuiltUp", 5, false, kFlat, 1, 9},
    BlockCase{"StiffenerBulbFlat", 6, true, kBulb, 1, 13},
    BlockCase{"RingFrameBulbFlat", 6, false, kBulb, 2, 14}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(Report, ProfileValuesUseTheirPatterns) {
  // the row of the symbol at column x, whole
  const auto row = [](const RecordingPrintSurface& page, double x, const char* symbol) {
    const Text* t = At(page, symbol, x);
    return t ? page.RowText(t->y) : std::string();
  };
  Case c;
  c.z.stifftype = 6;  // bulb flat: B by "#0.0"
  c.z.girdtype = 8;   // trapezoid: a by "#00"
  c.z.guspa = 50;
  auto page = c.Print();
  EXPECT_NE(row(page, 45.6, "B").find("B=" + Format(c.z.stiffb, "#0.0") + " mm"), std::string::npos);
  EXPECT_NE(row(page, 105.6, "a").find("a=50 mm"), std::string::npos);
  EXPECT_NE(row(page, 45.6, "Iy").find("Iy=" + Format(c.z.stiffsec.iy, "0.000E+0") + " mm4"),
            std::string::npos);
  EXPECT_NE(row(page, 105.6, "Iy").find("Iy=" + Format(c.z.girdsec.iy, "0.000E+0") + " mm4"),
            std::string::npos);
  c.z.guspa = 0;  // still two digits
  page = c.Print();
  EXPECT_NE(row(page, 105.6, "a").find("a=00 mm"), std::string::npos);

  Case d;
  d.z.stifftype = 1;  // a flanged block: 8 mm by "#00"
  d.z.slbb = 8;
  page = d.Print();
  EXPECT_NE(row(page, 45.6, "B").find("B=08 mm"), std::string::npos);
}

TEST(Report, DesignationsCarryTheirSuffixes) {
  struct {
    int16 stifftype, girdtype, ringfab;
    const char *stiffSuffix, *girdSuffix;
  } cases[] = {
      {0, 1, 0, "", " (Fabricated) (built-up)"},
      {1, 2, 1, " (built-up)", " (Cold-formed)"},
      {3, 3, 0, "", " (Fabricated)"},
  };
  for (const auto& k : cases) {
    Case c;
    c.z.stifftype = k.stifftype;
    c.z.girdtype = k.girdtype;
    c.z.ringfab = k.ringfab;
    const auto page = c.Print();
    EXPECT_EQ(page.RowText(32.41), "Stiffener Profile: " + c.z.stiffsec.name + k.stiffSuffix +
                                       "Ringframe Profile: " + c.z.girdsec.name + k.girdSuffix);
  }
}

TEST(Report, StiffenerSpacingChoosesPanelOrNote) {
  struct {
    double s;
    bool note;
    double ringRow;
  } cases[] = {{600, true, 50.22 + 13.1}, {400, false, 50.22 + 13.1 + 2}};
  for (const auto& k : cases) {
    Case c;
    c.z.s = k.s;
    const auto page = c.Print();
    const Text* note = At(page, kNote, 63.6);
    EXPECT_EQ(note != nullptr, k.note) << k.s;
    EXPECT_NEAR(note ? note->y : 50.22 + 2.1, 50.22 + 2.1, kRow);
    const Text* first = At(page, c.z.stiffpanel.txt[1], 63.6);  // right under the panel's title
    EXPECT_EQ(first != nullptr, !k.note);
    EXPECT_NEAR(first ? first->y : 51.32, 51.32, kRow);
    EXPECT_NEAR(RowOf(page, kRing), k.ringRow, kRow) << k.s;
  }
}

TEST(Report, AStoppedCalculationPrintsNoUsageFactor) {
  Case c;
  Calculate(c.z);
  c.z.t = 0;  // the next run stops at a division by zero
  Calculate(c.z);
  ASSERT_FALSE(c.z.calcok);
  RecordingPrintSurface page;
  PrintReport(c.z, page, {});
  ASSERT_FALSE(c.z.stopmsg.empty());
  // in the panels' place, the note and why, each alone on its row
  EXPECT_EQ(page.RowText(50.22) + "|" + page.RowText(51.22), StoppedCalculationText() + "|" + c.z.stopmsg);
  // the note in the body's font, bold and black as the drawers' notes are; the reason plain
  const Text *note = At(page, StoppedCalculationText(), 13.6), *why = At(page, c.z.stopmsg, 13.6);
  ASSERT_TRUE(note && why);
  EXPECT_TRUE(note->size == 8 && note->bold && !note->italic && !note->underline) << note->text;
  EXPECT_TRUE(why->size == 8 && !why->bold && !why->italic && !why->underline) << why->text;
  EXPECT_TRUE(note->r == 0 && note->g == 0 && note->b == 0 && why->r == 0 && why->g == 0 && why->b == 0);
  EXPECT_FALSE(page.bold() || page.italic() || page.underline());
  for (const auto& name : page.fontNames) EXPECT_EQ(name, "arial");
  EXPECT_EQ(Titled(page, kShell), nullptr);
  for (const Text& t : page.texts) {
    EXPECT_TRUE(t.text == "UF" || t.text.find("UF") == std::string::npos) << t.text;
    EXPECT_FALSE(t.r != 0 || t.g != 0) << "a coloured usage factor: " << t.text;
  }
}

TEST(Report, HeaderFrameAndTexts) {
  Case c;
  c.z.proj = std::string(45, 'P') + "QRSTU";  // 50 characters
  c.z.ident = std::string(38, 'I') + "J" + std::string(70, 'K');
  const auto page = c.Print({"07.12.2026", 14, 7, "(c) Maker"});

  // A4 with the recorder's metrics: W = 11906 / 2200 * 20 = 108.2 -> 108,
  // H = 16838 / 253 = 66.6 -> 67, m = 10.8 -> 11
  ASSERT_EQ(page.strokes.size(), 8u + 3u);  // the frame, then the body's rules
  // the outer rectangle (by its corners), then the rules between the blocks, thin
  const double frame[8][4] = {{11, 2, 11 + 0.85 * 108, 6.8}, {11, 3.4, 11 + 37, 3.4},
                              {11 + 37, 4, 0.95 * 108, 4},   {11 + 80, 4.9, 0.95 * 108, 4.9},
                              {11, 5.8, 0.95 * 108, 5.8},    {11 + 37, 2, 11 + 37, 5.8},
                              {11 + 80, 4, 11 + 80, 5.8},    {11 + 88, 2, 11 + 88, 4}};
  for (int i = 0; i < 8; ++i) {
    const auto& l = page.strokes[static_cast<std::size_t>(i)];
    EXPECT_EQ(l.box, i == 0) << i;
    EXPECT_EQ(l.drawWidth, 1) << i;
    const double got[] = {l.x1, l.y1, l.x2, l.y2};
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(got[k], frame[i][k], 1e-9) << "line " << i + 1 << " " << k;
  }

  struct {
    std::string text;
    double x, y, size;
  } texts[] = {
      {"Zidavoru ZOD", 11.5, 2, 15},
      {"Cylinder shell buckling based on ZOD-RP-C202", 11.5, 3.5, 8},
      {"Version 1.8.5", 11.5, 4.2, 8},
      {"(c) Maker", 11.5, 4.9, 8},
      {"Project: ", 48.5, 2.1, 8},
      {std::string(45, 'P'), 54, 2.1, 8},
      {"QRSTU", 54, 3.0, 8},
      {"Identification: ", 48.5, 4.1, 8},
      {std::string(38, 'I'), 58, 4.1, 8},
      {"J" + std::string(59, 'K'), 58, 5.0, 8},
      {"Page:", 99.5, 2.1, 8},
      {"1/1", 99.5, 2.9, 9},
      {"Date: 07.12.2026", 91.5, 4.1, 8},
      {"Time: 14:7", 91.5, 5.0, 8},
      {"File: new file", 11.5, 5.9, 8},
  };
  for (const auto& e : texts) {
    const Text* t = page.Find(e.text);
    ASSERT_NE(t, nullptr) << e.text;
    EXPECT_NEAR(t->x, e.x, 1e-9) << e.text;
    EXPECT_NEAR(t->y, e.y, 1e-9) << e.text;
    EXPECT_EQ(t->size, e.size) << e.text;
    EXPECT_EQ(t->bold, e.text == "Zidavoru ZOD") << e.text;
  }
  for (const auto& name : page.fontNames) EXPECT_EQ(name, "arial");
}

TEST(Report, NamesByCharacters) {
  Case c;
  c.z.proj.clear();
  c.z.ident = std::string(37, 'i') + "ÆØÅ";  // breaks after the 38th character, not byte
  c.z.filename = "/Home/ÅSE/Prøve ŠKODA.VTR";
  const auto page = c.Print();
  EXPECT_EQ(page.RowText(2.1), "Project: Page:");
  EXPECT_NE(page.Find(std::string(37, 'i') + "Æ"), nullptr);
  EXPECT_NE(page.Find("ØÅ"), nullptr);
  EXPECT_NE(page.Find("File: /home/åse/prøve škoda.vtr"), nullptr);
}

TEST(Report, CalibrationRoundsHalvesToEven) {
  struct {
    double paperWidth, W, m;
  } cases[] = {
      {11550, 105, 10},  // W 105.0; m 10.5 -> 10
      {11495, 104, 10},  // W 104.5 -> 104
      {11385, 104, 10},  // W 103.5 -> 104
      {11605, 106, 11},  // W 105.5 -> 106; m 10.6 -> 11
  };
  for (const auto& k : cases) {
    Case c;
    Calculate(c.z);
    RecordingPrintSurface page;
    page.paperWidth = k.paperWidth;
    PrintReport(c.z, page, {});
    EXPECT_DOUBLE_EQ(page.strokes[0].x1, k.m) << k.paperWidth;
    EXPECT_NEAR(page.strokes[0].x2 - page.strokes[0].x1, 0.85 * k.W, 1e-9) << k.paperWidth;
  }
  // a sheet too wide for the calibration is an arithmetic fault, not a page
  Case c;
  RecordingPrintSurface page;
  page.paperWidth = 1e9;
  EXPECT_THROW(PrintReport(c.z, page, {}), Error);
}

TEST(Report, EveryCopyIsDrawnAnewAndEndedAsAJob) {
  Case c;
  Calculate(c.z);
  RecordingPrintSurface page;
  int stamps = 0;
  PrintCopies(c.z, page, 3, [&] { return ReportStamp{"d", 9, 5 + stamps++, "c"}; });
  EXPECT_EQ(page.endDocs, 3);
  std::size_t perJob[3] = {};
  for (const Text& t : page.texts) ++perJob[t.job];
  EXPECT_GT(perJob[0], 100u);
  EXPECT_EQ(perJob[1], perJob[0]);
  EXPECT_EQ(perJob[2], perJob[0]);
  // each copy stamped when it is drawn, on its own job
  std::string times;
  for (const Text& t : page.texts)
    if (t.text.rfind("Time: ", 0) == 0) times += t.text + "/" + std::to_string(t.job) + " ";
  EXPECT_EQ(times, "Time: 9:5/0 Time: 9:6/1 Time: 9:7/2 ");
}

}  // namespace
}  // namespace zod
