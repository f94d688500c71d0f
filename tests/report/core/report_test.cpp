#include "report/core/report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"
#include "engine/recording.h"
#include "engine/tables.h"
#include "report/core/recordingprint.h"
#include "report/core/utf8text.h"

namespace zod {
namespace {

using Text = RecordingPrintSurface::Text;
constexpr double kTol = 1e-3;

struct Case {
  State z;
  RecordingView view;
  Case() {
    z.setView(&view);
    z.apppath = ZOD_DATA_DIR;
    ReadTables(z);
  }
  RecordingPrintSurface Print(ReportStamp stamp = {"07.12.2026", 14, 7, "(c) Maker"}) {
    Calculate(z);
    RecordingPrintSurface page;
    PrintReport(z, page, stamp);
    return page;
  }
};

// The text drawn with its left edge at column x (within a hundredth).
const Text* At(const RecordingPrintSurface& page, const std::string& text, double x) {
  for (const Text& t : page.texts)
    if (t.text == text && std::fabs(t.x - x) < 0.01) return &t;
  return nullptr;
}

double RowOf(const RecordingPrintSurface& page, const std::string& text) {
  const Text* t = page.Find(text);
  EXPECT_NE(t, nullptr) << "not printed: " << text;
  return t ? t->y : -1;
}

// The first text that begins with `prefix`.
const Text* Titled(const RecordingPrintSurface& page, const std::string& prefix) {
  for (const Text& t : page.texts)
    if (t.text.rfind(prefix, 0) == 0) return &t;
  return nullptr;
}

// The horizontal rules of the body: rows of the lines that span 13.6 to 129.2.
std::vector<double> Rules(const RecordingPrintSurface& page) {
  std::vector<double> rows;
  for (const auto& s : page.strokes)
    if (!s.box && std::fabs(s.x1 - 13.6) < kTol && std::fabs(s.x2 - 129.2) < kTol && s.y1 == s.y2)
      rows.push_back(s.y1);
  return rows;
}

// Panel titles; the shell panel's names the chapter of its check.
constexpr const char* kShell = "Shell Buckling: (Ch 3.";
constexpr const char* kStiff = "Stiffener Buckling: (Ch 3.6.3)";
constexpr const char* kRing = "Panel Ring Buckling: (Ch 3.5.2)";
constexpr const char* kColumn = "Global Buckling: (Ch 3.8)";

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

  // the input area closes below the cylinder sketch, the profile block below
  // the profile sketches
  const auto rules = Rules(page);
  ASSERT_EQ(rules.size(), 2u);
  EXPECT_NEAR(rules[0], 31.41, 0.01);
  EXPECT_NEAR(rules[1], 49.22, 0.01);
  bool vertical = false;
  for (const auto& s : page.strokes)
    if (!s.box && std::fabs(s.x1 - 80.6) < kTol && std::fabs(s.x2 - 80.6) < kTol)
      vertical = std::fabs(s.y1 - 10.5) < kTol && std::fabs(s.y2 - 30.91) < 0.01;
  EXPECT_TRUE(vertical);

  ASSERT_EQ(page.pictures.size(), 3u);
  const auto& cyl = page.pictures[0];
  EXPECT_EQ(cyl.picture, (ReportPicture{ReportPicture::Kind::Cylinder, 2}));
  EXPECT_NEAR(cyl.x, 92.6, kTol);
  EXPECT_NEAR(cyl.y, 10, kTol);
  EXPECT_NEAR(cyl.width, 30, kTol);
  EXPECT_NEAR(cyl.height, 19.41, 0.01);
  const ReportPicture profiles[] = {{ReportPicture::Kind::Stiffener, 0}, {ReportPicture::Kind::RingFrame, 2}};
  for (int i = 0; i < 2; ++i) {
    const auto& p = page.pictures[1 + i];
    EXPECT_EQ(p.picture, profiles[i]);
    EXPECT_NEAR(p.x, 13.6 + 60 * i, kTol);
    EXPECT_NEAR(p.y, 34.41, 0.01);
    EXPECT_NEAR(p.width, 29, kTol);
    EXPECT_NEAR(p.y + p.height, 47.72, 0.01);
  }

  const Text* stiffHead = page.Find("Stiffener Profile:");
  const Text* ringHead = page.Find("Ringframe Profile:");
  ASSERT_TRUE(stiffHead && ringHead);
  EXPECT_NEAR(stiffHead->x, 13.6, kTol);
  EXPECT_NEAR(ringHead->x, 73.6, kTol);
  EXPECT_NEAR(stiffHead->y, 32.41, 0.01);
  EXPECT_NEAR(ringHead->y, stiffHead->y, kTol);
  EXPECT_TRUE(stiffHead->italic && stiffHead->bold && stiffHead->underline);

  // results: shell and stiffener side by side (s/t = 30 > 3 sqrt(r/t) = 26
  // gives the stiffener's note), the ring panel 13.1 rows below the note
  ASSERT_TRUE(At(page, c.z.shellpanel.txt[0], 13.6) && At(page, kStiff, 63.6) && At(page, kRing, 13.6));
  EXPECT_NEAR(At(page, c.z.shellpanel.txt[0], 13.6)->y, 50.22, 0.01);
  EXPECT_NEAR(At(page, kStiff, 63.6)->y, 50.22, 0.01);
  EXPECT_NEAR(At(page, kRing, 13.6)->y, 50.22 + 13.1, 0.01);
  EXPECT_EQ(page.endDocs, 0);  // the caller ends the document
}

// Where the rows of each cylinder type stand, and where its results begin.
struct TypeCase {
  const char* name;
  int cylinder, ringch;
  std::vector<std::pair<const char*, double>> rows;
  std::vector<const char*> absent;
  std::vector<std::pair<const char*, double>> panels;  // title and row, at prtleft unless stiffener
};

class ReportByType : public testing::TestWithParam<TypeCase> {};

TEST_P(ReportByType, RowsAndPanels) {
  const TypeCase& tc = GetParam();
  Case c;
  c.z.cylinder = static_cast<int16>(tc.cylinder);
  c.z.ringch = static_cast<int16>(tc.ringch);
  const auto page = c.Print();
  for (const auto& [text, row] : tc.rows) EXPECT_NEAR(RowOf(page, text), row, 0.01) << text;
  for (const char* text : tc.absent) EXPECT_EQ(page.Find(text), nullptr) << text;
  for (const auto& [title, row] : tc.panels) {
    const Text* t = Titled(page, title);
    ASSERT_NE(t, nullptr) << title;
    EXPECT_NEAR(t->y, row, 0.01) << title;
    EXPECT_NEAR(t->x, title == std::string(kStiff) ? 63.6 : 13.6, kTol) << title;
  }
  for (const char* title : {kShell, kStiff, kRing, kColumn}) {
    bool expected = false;
    for (const auto& p : tc.panels) expected |= p.first == std::string(title);
    if (!expected) {
      EXPECT_EQ(Titled(page, title), nullptr) << title;
    }
  }
  EXPECT_NEAR(Rules(page).front(), 31.41, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Types, ReportByType,
    testing::Values(TypeCase{"Unstiffened",
                             0,
                             0,
                             {{"Plate: ", 13.3},
                              {"Youngs modulus: ", 14.3},
                              {"Geometry:", 15.8},
                              {"Cylinder wall thickness", 18.8},
                              {"Loading:", 20.3},
                              {"Sigx", 21.3},
                              {"pd", 24.3}},
                             {"Stiffener: ", "Ringframe: ", "Cylinder length",
                              "Stiffener Profile:", "Ringframe Profile:"},
                             {{kShell, 32.41}}},
                    // a ring-frame switch left on by a file: spacing and rule below the cylinder sketch
                    TypeCase{"UnstiffenedRingSwitchOn",
                             0,
                             1,
                             {{"Youngs modulus: ", 14.3}},
                             {"Ringframe: ", "Ringframe Profile:"},
                             {{kShell, 56.32}}},
                    TypeCase{"RingStiffened",
                             1,
                             1,
                             {{"Stiffener: ", 14.3},
                              {"Ringframe: ", 15.3},
                              {"Youngs modulus: ", 16.3},
                              {"Cylinder length", 21.8},
                              {"Lat tors buckl length: (ringframe)", 22.8},
                              {"Loading:", 24.3},
                              {"pd", 28.3},
                              {"Ringframe Profile:", 32.41},
                              {"Profile data:", 34.41}},
                             {"Stiffener Profile:", "Stiff spacing:"},
                             {{kShell, 50.22}, {kRing, 62.32}}},
                    TypeCase{"RingStiffenedWithoutCheck",
                             1,
                             0,
                             {{"Stiffener: ", 14.3}, {"Youngs modulus: ", 15.3}},
                             {"Ringframe: ", "Ringframe Profile:"},
                             {{kShell, 32.41}}},
                    // the stiffener block alone: results below its sketch, after a rule
                    TypeCase{"StringersWithoutRingCheck",
                             2,
                             0,
                             {{"Youngs modulus: ", 15.3},
                              {"Lat tors buckl length: (ringframe)", 23.8},
                              {"Stiffener Profile:", 32.41}},
                             {"Ringframe: ", "Ringframe Profile:"},
                             {{kShell, 50.22}, {kStiff, 50.22}}},
                    TypeCase{"Column",
                             3,
                             0,
                             {{"Plate: ", 13.3},
                              {"Cylinder length", 19.8},
                              {"Effective length factor", 20.8},
                              {"k2", 21.8},
                              {"Loading:", 23.3},
                              {"pd", 24.3},
                              {"N", 25.3},
                              {"M2b", 29.3}},
                             {"Stiffener: ", "Sigx", "Tau", "Stiffener Profile:"},
                             {{kShell, 32.41}, {kColumn, 44.51}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Report, ColumnRowsHaveNoUnitAndTheSecondFactorNoLabel) {
  Case c;
  c.z.cylinder = 3;
  const auto page = c.Print();
  EXPECT_EQ(page.RowText(21.8), "k2=1.00");
  EXPECT_EQ(page.RowText(20.8), "Effective length factork1=1.00");
  EXPECT_EQ(page.RowText(24.3), "pd=-0.300 MPa (positive = inside pressure)");
}

TEST(Report, UsageFactorAndDesignCondition) {
  struct {
    int16 method;
    double ufb;
    const char *condition, *row;
  } cases[] = {
      {0, 0.85, "LRDF meth.od", "Allowable Usage Factor: UF=.85"},
      {0, 1, "LRDF meth.od", "Allowable Usage Factor: UF=1.00"},
      {1, 0.85, "WSD meth.od", "Basic Usage Factor: n0=0.85"},
  };
  for (const auto& k : cases) {
    Case c;
    c.z.dmethod = k.method;
    c.z.ufb = k.ufb;
    const auto page = c.Print();
    EXPECT_EQ(page.RowText(11), std::string("Design Condition:") + k.condition);
    EXPECT_EQ(page.RowText(12), k.row);
    const Text* value = page.Find(k.condition);
    ASSERT_NE(value, nullptr);
    EXPECT_NEAR(value->x + value->width, 63.6, kTol);
  }
}

TEST(Report, InputValuesEndAtTheirColumnAndUnitsFollowAfterABlank) {
  Case c;
  c.z.ringch = 1;
  const auto page = c.Print();
  // material row: name right-aligned at xmat, yield strength by "###" at xval
  const std::string plate = page.RowText(13.3);
  EXPECT_EQ(plate, "Plate: " + c.z.mat.matname[2] + "fy=" + Format(c.z.fyp, "###") + " MPa");
  const Text* name = page.Find(c.z.mat.matname[2]);
  ASSERT_NE(name, nullptr);
  EXPECT_NEAR(name->x + name->width, 43.6, kTol);
  EXPECT_EQ(page.RowText(16.3), "Youngs modulus: E=2.10E+5 MPa");
  EXPECT_EQ(page.RowText(20.8), "Cylinder wall thicknesst=20.0 mm");

  // every value of the input rows ends at 63.6, of the loading rows at 31.6
  for (double row : {18.8, 19.8, 20.8, 24.8}) {
    const Text* unit = nullptr;
    for (const Text& t : page.texts)
      if (std::fabs(t.y - row) < kTol && t.text == "mm") unit = &t;
    ASSERT_NE(unit, nullptr) << row;
    const Text& value = unit[-2];
    EXPECT_NEAR(value.x + value.width, 63.6, kTol) << value.text;
    EXPECT_EQ(unit[-1].text, " ");
  }
  const Text* pd = page.Find("-0.300");
  ASSERT_NE(pd, nullptr);
  EXPECT_NEAR(pd->x + pd->width, 31.6, kTol);
  EXPECT_NEAR(At(page, "=", 19.6)->y, 27.3, kTol);
}

// One profile block per group and member: its rows from the heading row p.
struct BlockCase {
  const char* name;
  int kind;
  bool stiffener;
  std::vector<std::string> symbols;  // rows p + 3 on
  int texts;                         // local-buckling texts
  int last;                          // last row, from p
};

class ProfileBlocks : public testing::TestWithParam<BlockCase> {};

TEST_P(ProfileBlocks, RowsValuesAndTexts) {
  const BlockCase& bc = GetParam();
  Case c;
  (bc.stiffener ? c.z.stifftype : c.z.girdtype) = static_cast<int16>(bc.kind);
  const auto page = c.Print();
  const double offs = bc.stiffener ? 0 : 60;
  const double p = RowOf(page, bc.stiffener ? "Stiffener Profile:" : "Ringframe Profile:");
  EXPECT_NEAR(p, 32.41, 0.01);

  const Text* heading = At(page, "Profile data:", 45.6 + offs);
  ASSERT_NE(heading, nullptr);
  EXPECT_NEAR(heading->y, p + 2, kTol);
  EXPECT_TRUE(heading->underline && !heading->bold && !heading->italic);

  // the block's texts in order, rows counted from p
  std::vector<const Text*> block;
  for (const Text& t : page.texts)
    if (t.x >= 45.6 + offs - kTol && t.x < 45.6 + offs + 55 && t.y > p + 2.5 && t.y < p + 17)
      block.push_back(&t);
  double lastRow = 0;
  for (const Text* t : block) lastRow = std::max(lastRow, t->y - p);
  std::vector<std::string> symbols;
  for (const Text* t : block) {
    if (std::fabs(t->x - (45.6 + offs)) > kTol) continue;
    if (t->text == "Local buckling:") break;
    symbols.push_back(t->text);
    EXPECT_NEAR(t->y - p, 2 + static_cast<double>(symbols.size()), kTol) << t->text;
  }
  EXPECT_EQ(symbols, bc.symbols);
  EXPECT_NEAR(lastRow, bc.last, kTol);

  // values end at xval + offs; the unit starts one blank later
  int values = 0;
  for (std::size_t i = 0; i + 2 < block.size(); ++i)
    if (block[i]->text == "=") {
      const Text& v = *block[i + 1];
      EXPECT_NEAR(v.x + v.width, 63.6 + offs, kTol) << v.text;
      EXPECT_EQ(block[i + 2]->text, " ");
      EXPECT_NEAR(std::fabs(block[i + 1]->y - block[i]->y), 0, kTol);
      ++values;
    }
  EXPECT_EQ(values, static_cast<int>(bc.symbols.size()));

  const Text* local = At(page, "Local buckling:", 45.6 + offs);
  if (bc.texts == 0) {
    EXPECT_EQ(local, nullptr);
  } else {
    ASSERT_NE(local, nullptr);
    EXPECT_NEAR(local->y - p, 3 + bc.symbols.size(), kTol);
    EXPECT_FALSE(local->underline);
  }
}

const std::vector<std::string> kFlanged{"H", "B", "tw", "tf", "A", "g", "Iy", "Iz"};
const std::vector<std::string> kRhs{"H", "B", "tw", "A", "g", "Iy"};
const std::vector<std::string> kTrapezoid{"H", "B", "a", "tw", "A", "g", "Iy"};
const std::vector<std::string> kFlat{"H", "tw", "A", "g", "Iy"};
const std::vector<std::string> kBulb{"H", "tw", "c", "r", "B", "tf", "A", "g", "Iy"};

INSTANTIATE_TEST_SUITE_P(Groups, ProfileBlocks,
                         testing::Values(BlockCase{"StiffenerL", 0, true, kFlanged, 2, 13},
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

TEST(Report, ProfileValuesUseTheirPatterns) {
  Case c;
  c.z.stifftype = 6;  // bulb flat: B by "#0.0"
  c.z.girdtype = 8;   // trapezoid: a by "#00"
  c.z.guspa = 50;
  auto page = c.Print();
  const auto rowAt = [&](double x, const char* symbol) {
    for (const Text& t : page.texts)
      if (t.text == symbol && std::fabs(t.x - x) < kTol) return page.RowText(t.y);
    return std::string();
  };
  // the stiffener's and the ring frame's rows share the page's rows; take each half
  const std::string bulbB = rowAt(45.6, "B");
  EXPECT_NE(bulbB.find("B=" + Format(c.z.stiffb, "#0.0") + " mm"), std::string::npos) << bulbB;
  EXPECT_NE(rowAt(105.6, "a").find("a=50 mm"), std::string::npos);
  EXPECT_NE(rowAt(45.6, "Iy").find("Iy=" + Format(c.z.stiffsec.iy, "0.000E+0") + " mm4"), std::string::npos);

  // a flange width of 8 mm: 08 in a flanged block
  Case d;
  d.z.stifftype = 1;
  d.z.slbb = 8;
  page = d.Print();
  EXPECT_NE(page.RowText(32.41 + 4).find("B=08 mm"), std::string::npos);
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
  const std::string note = "Note: s/t>3* Sqr(r/t) ==> calculation as an unstiffened veltrane, (Ref Ch 3.6.1)";
  struct {
    double s;
    bool note;
    double ringRow;
  } cases[] = {{600, true, 50.22 + 13.1}, {400, false, 50.22 + 13.1 + 2}};
  for (const auto& k : cases) {
    Case c;
    c.z.s = k.s;
    const auto page = c.Print();
    EXPECT_NE(At(page, kStiff, 63.6), nullptr);
    const Text* n = page.Find(note);
    EXPECT_EQ(n != nullptr, k.note) << k.s;
    if (n) {
      EXPECT_NEAR(n->y, 50.22 + 2.1, 0.01);
      EXPECT_NEAR(n->x, 63.6, kTol);
    } else {
      EXPECT_NE(page.Find(c.z.stiffpanel.txt[1]), nullptr);
    }
    EXPECT_NEAR(RowOf(page, kRing), k.ringRow, 0.01) << k.s;
  }
}

TEST(Report, AStoppedCalculationPrintsNoUsageFactor) {
  Case c;
  Calculate(c.z);
  ASSERT_TRUE(c.z.calcok);
  c.z.t = 0;  // the next run stops at a division by zero
  Calculate(c.z);
  ASSERT_FALSE(c.z.calcok);
  RecordingPrintSurface page;
  PrintReport(c.z, page, {});
  const Text* note = page.Find(StoppedCalculationText());
  ASSERT_NE(note, nullptr);
  EXPECT_NEAR(note->y, 50.22, 0.01);
  for (const Text& t : page.texts) {
    if (t.text != "UF") {
      EXPECT_EQ(t.text.find("UF"), std::string::npos) << t.text;
    }
    EXPECT_FALSE(t.r != 0 || t.g != 0) << "a coloured usage factor: " << t.text;
  }
  EXPECT_EQ(Titled(page, kShell), nullptr);
}

TEST(Report, HeaderFrameAndTexts) {
  Case c;
  c.z.proj = std::string(45, 'P') + "QRSTU";  // 50 characters
  c.z.ident = std::string(38, 'I') + "J" + std::string(70, 'K');
  const auto page = c.Print({"07.12.2026", 14, 7, "(c) Maker"});

  // A4 with the recorder's metrics: W = 11906 / 2200 * 20 = 108.2 -> 108,
  // H = 16838 / 253 = 66.6 -> 67, m = 10.8 -> 11
  ASSERT_FALSE(page.strokes.empty());
  const auto& box = page.strokes[0];
  EXPECT_TRUE(box.box);
  EXPECT_DOUBLE_EQ(box.x1, 11);
  EXPECT_DOUBLE_EQ(box.y1, 2);
  EXPECT_NEAR(box.x2, 11 + 0.85 * 108, 1e-9);
  EXPECT_NEAR(box.y2, 6.8, 1e-9);
  EXPECT_EQ(box.drawWidth, 1);
  ASSERT_GE(page.strokes.size(), 8u);
  EXPECT_NEAR(page.strokes[2].x2, 0.95 * 108, 1e-9);
  EXPECT_DOUBLE_EQ(page.strokes[7].x1, 11 + 88);

  struct {
    std::string text;
    double x, y, size;
    bool bold;
  } texts[] = {
      {"Zidavoru ZOD", 11.5, 2, 15, true},
      {"Cylinder shell buckling based on ZOD-RP-C202", 11.5, 3.5, 8, false},
      {"Version 1.8.5", 11.5, 4.2, 8, false},
      {"(c) Maker", 11.5, 4.9, 8, false},
      {"Project: ", 48.5, 2.1, 8, false},
      {std::string(45, 'P'), 54, 2.1, 8, false},
      {"QRSTU", 54, 3.0, 8, false},
      {"Identification: ", 48.5, 4.1, 8, false},
      {std::string(38, 'I'), 58, 4.1, 8, false},
      {"J" + std::string(59, 'K'), 58, 5.0, 8, false},
      {"Page:", 99.5, 2.1, 8, false},
      {"1/1", 99.5, 2.9, 9, false},
      {"Date: 07.12.2026", 91.5, 4.1, 8, false},
      {"Time: 14:7", 91.5, 5.0, 8, false},
      {"File: new file", 11.5, 5.9, 8, false},
  };
  for (const auto& e : texts) {
    const Text* t = page.Find(e.text);
    ASSERT_NE(t, nullptr) << e.text;
    EXPECT_NEAR(t->x, e.x, 1e-9) << e.text;
    EXPECT_NEAR(t->y, e.y, 1e-9) << e.text;
    EXPECT_EQ(t->size, e.size) << e.text;
    EXPECT_EQ(t->bold, e.bold) << e.text;
  }
  for (const auto& name : page.fontNames) EXPECT_EQ(name, "arial");
}

TEST(Report, CalibrationRoundsHalvesToEven) {
  struct {
    double paperWidth;
    double W, m;
  } cases[] = {
      {11550, 105, 10},  // W 105.0, m 10.5 -> 10
      {11495, 104, 10},  // W 104.5 -> 104
      {11385, 104, 10},  // W 103.5 -> 104
      {11605, 106, 11},  // W 105.5 -> 106, m 10.6 -> 11
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
  PrintCopies(c.z, page, 3, [&] {
    ++stamps;
    return ReportStamp{"d", 9, 5, "c"};
  });
  EXPECT_EQ(page.endDocs, 3);
  EXPECT_EQ(stamps, 3);
  std::size_t perJob[3] = {};
  for (const Text& t : page.texts) ++perJob[t.job];
  EXPECT_GT(perJob[0], 100u);
  EXPECT_EQ(perJob[1], perJob[0]);
  EXPECT_EQ(perJob[2], perJob[0]);
  EXPECT_NE(page.Find("Time: 9:5"), nullptr);
}

TEST(Report, EmptyAndForeignNames) {
  Case c;
  c.z.proj.clear();
  c.z.filename = "/Home/ÅSE/Prøve ŠKODA.VTR";
  const auto page = c.Print();
  EXPECT_EQ(page.RowText(2.1), "Project: Page:");
  EXPECT_NE(page.Find("File: /home/åse/prøve škoda.vtr"), nullptr);
  EXPECT_EQ(MidChars("ÆØÅabc", 2, 3), "ØÅa");
  EXPECT_EQ(CharCount("ÆØÅ"), 3u);
}

}  // namespace
}  // namespace zod
