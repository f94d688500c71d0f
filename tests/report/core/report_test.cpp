// The report page on the recording surface: positions on the body grid
// (136 columns by 88 rows) and the header scale, checked against the
// layout's own figures.
#include "report/core/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/calc.h"
#include "engine/format.h"
#include "report/core/recordingprint.h"
#include "tests/engine/session.h"

namespace zod {
namespace {

using Text = RecordingPrintSurface::Text;
constexpr double kTol = 1e-3, kRow = 0.01;

struct Case : test::Session {
  explicit Case(int cylinder = 2) { z.cylinder = static_cast<int16>(cylinder); }
  RecordingPrintSurface Print(double paperWidth = 11906) {  // A4
    Calculate(z);
    RecordingPrintSurface page;
    page.paperWidth = paperWidth;
    PrintReport(z, page, {"07.12.2026", 14, 7, "(c) Maker"});
    return page;
  }
};

// The first text that begins with `prefix` (a panel title names its
// chapter), with its left edge at column x if one is given.
const Text* Titled(const RecordingPrintSurface& page, const std::string& prefix, double x = -1) {
  for (const Text& t : page.texts)
    if (t.text.rfind(prefix, 0) == 0 && (x < 0 || std::fabs(t.x - x) < kRow)) return &t;
  return nullptr;
}
// The rows of the rules (which span 13.6 to 129.2), then the pictures (kind/code x y width height).
std::string Layout(const RecordingPrintSurface& page) {
  std::ostringstream o;
  const auto r = [](double v) { return std::round(v * 100) / 100; };
  for (const auto& s : page.strokes)
    if (!s.box && std::fabs(s.x1 - 13.6) < kTol && std::fabs(s.x2 - 129.2) < kTol && s.y1 == s.y2)
      o << "rule " << r(s.y1) << "; ";
  for (const auto& p : page.pictures)
    o << static_cast<int>(p.picture.kind) << '/' << p.picture.code << ' ' << r(p.x) << ' ' << r(p.y) << ' '
      << r(p.width) << ' ' << r(p.height) << "; ";
  return o.str();
}

constexpr const char* kShell = "Shell Buckling: (Ch 3.";
constexpr const char* kStiff = "Stiffener Buckling: (Ch 3.6.3)";
constexpr const char* kRing = "Panel Ring Buckling: (Ch 3.5.2)";
constexpr const char* kColumn = "Global Buckling: (Ch 3.8)";
constexpr const char* kNote =
    "Note: s/t>3* Sqr(r/t) ==> calculation as an unstiffened veltrane, (Ref Ch 3.6.1)";

// The default case: header frame and texts (long names split at their
// places, the time without leading zeros), rules, sketches and values ending
// at their column whatever their width; its rows are in the table below.
TEST(Report, DefaultCaseHeaderRulesSketchesAndAlignment) {
  Case c;
  c.z.sigx = -12345.6;
  c.z.proj = std::string(45, 'P') + "QRSTU";  // 50 characters
  c.z.ident = std::string(38, 'I') + "J" + std::string(70, 'K');
  const auto page = c.Print();
  // A4 with the recorder's metrics: W = 11906 / 2200 * 20 = 108.2 -> 108, m = 10.8 -> 11
  ASSERT_EQ(page.strokes.size(), 8u + 3u);  // the frame, then the body's rules
  // rules below the cylinder sketch and 1.5 rows below the profile sketches; the
  // cylinder sketch beside the inputs, the profile sketches under their headings
  EXPECT_EQ(
      Layout(page),
      "rule 31.41; rule 49.22; 0/2 92.6 10 30 19.41; 1/0 13.6 34.41 29 13.31; 2/2 73.6 34.41 29 13.31; ");
  // texts by their left edge, values by their right edge
  // clang-format off
  const std::tuple<std::string, double, double> texts[] = {
      {std::string(45, 'P'), 54, 2.1}, {"QRSTU", 54, 3.0}, {std::string(38, 'I'), 58, 4.1},
      {"J" + std::string(59, 'K'), 58, 5.0}, {"Time: 14:7", 91.5, 5.0}, {"File: new file", 11.5, 5.9},
      {c.z.mat.matname[2], 43.6, 0}, {"1500", 63.6, 0}, {"-12345.6", 31.6, 0}, {"-0.300", 31.6, 0}};
  // clang-format on
  for (const auto& [text, x, y] : texts) {
    const Text* t = page.Find(text);
    ASSERT_NE(t, nullptr) << text;
    EXPECT_LT(std::fabs((y ? t->x : t->x + t->width) - x) + (y ? std::fabs(t->y - y) : 0), kTol) << text;
  }
}

// Where the rows of each cylinder type stand, with what they read (usage
// factors by design format), and where its results begin.
TEST(Report, RowsAndPanelsByType) {
  struct {
    int cylinder, ringch;
    std::vector<std::pair<const char*, double>> rows;  // texts and their rows; panels by title
    std::vector<const char*> absent;
    double s = 600;  // stiffener spacing
    int16 dmethod = 0;
    double ufb = 1;
  } const cases[] = {
      // clang-format off
      // s/t = 30 > 3 sqrt(r/t) = 26 gives the stiffener's note; the ring panel 13.1 rows below it
      {2, 1, {{"Design format/Condition and Material:", 10}, {"LRDF meth.od", 11}, {"UF=1.00", 12},
              {"E=2.10E+5 MPa", 16.3}, {"Geometry:", 17.8}, {"Cylinder radius (cL plate)", 18.8},
              {"Distance between ring frames", 19.8}, {"Cylinder wall thickness", 20.8},
              {"Stiff spacing:", 21.8}, {"Lat tors buckl length: (stiffener)", 22.8},
              {"Cylinder length", 23.8}, {"Lat tors buckl length: (ringframe)", 24.8}, {"Loading:", 26.3},
              {"pd", 30.3}, {"Stiffener Profile:", 32.41}, {"Ringframe Profile:", 32.41}, {kShell, 50.22},
              {kStiff, 50.22}, {kNote, 52.32}, {kRing, 63.32}}, {kColumn}},
      // a narrower spacing: the stiffener panel in place of the note
      {2, 1, {{kStiff, 50.22}, {"se =", 51.32}, {kRing, 65.32}}, {kNote}, 400},
      {0, 0, {{"UF=.85", 12}, {"Plate: ", 13.3}, {"Youngs modulus: ", 14.3}, {"Geometry:", 15.8},
              {"t=20.0 mm", 18.8}, {"Loading:", 20.3}, {"Sigx", 21.3}, {"pd", 24.3}, {kShell, 32.41}},
             {"Stiffener: ", "Cylinder length", "Stiffener Profile:", "Ringframe Profile:", kStiff, kRing,
              kColumn}, 600, 0, 0.85},
      // a ring-frame switch left on by a file: spacing and rule below the cylinder sketch
      {0, 1, {{"Youngs modulus: ", 14.3}, {kShell, 56.32}}, {"Ringframe: ", "Ringframe Profile:", kRing}},
      {1, 1, {{"Stiffener: ", 14.3}, {"Ringframe: ", 15.3}, {"Youngs modulus: ", 16.3},
              {"Cylinder length", 21.8}, {"Lat tors buckl length: (ringframe)", 22.8}, {"Loading:", 24.3},
              {"pd", 28.3}, {"Ringframe Profile:", 32.41}, {"Profile data:", 34.41}, {kShell, 50.22},
              {kRing, 62.32}}, {"Stiffener Profile:", "Stiff spacing:", kStiff}},
      // the stiffener block alone: the results below its sketch, after a rule
      {2, 0, {{"Youngs modulus: ", 15.3}, {"Lat tors buckl length: (ringframe)", 23.8},
              {"Stiffener Profile:", 32.41}, {kShell, 50.22}, {kStiff, 50.22}},
             {"Ringframe: ", "Ringframe Profile:", kRing}},
      {3, 0, {{"WSD meth.od", 11}, {"n0=0.85", 12}, {"Plate: ", 13.3}, {"Cylinder length", 19.8},
              {"k1=1.00", 20.8}, {"k2=1.00", 21.8}, {"Loading:", 23.3}, {"pd=-0.300 MPa", 24.3},
              {"N=-1000.0 kN", 25.3}, {"M2b", 29.3}, {kShell, 32.41}, {kColumn, 44.51}},
             {"Stiffener: ", "Sigx", "Tau", "Stiffener Profile:", kStiff, kRing}, 600, 1, 0.85}};
  // clang-format on
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << "cylinder " << k.cylinder << " ringch " << k.ringch << " s " << k.s);
    Case c(k.cylinder);
    c.z.ringch = static_cast<int16>(k.ringch);
    c.z.s = k.s, c.z.dmethod = k.dmethod, c.z.ufb = k.ufb;
    const auto page = c.Print();
    for (const auto& [text, row] : k.rows)
      EXPECT_NE(page.RowText(row).find(text), std::string::npos) << text << " in: " << page.RowText(row);
    for (const char* text : k.absent) EXPECT_EQ(Titled(page, text), nullptr) << text;
    EXPECT_EQ(Layout(page).rfind("rule 31.41; ", 0), 0u);
  }
}

// One profile block per group and member, rows counted from the heading row
// p, which names the profile with its suffixes: "Profile data:" on p + 2, a
// symbol per row from p + 3 with its value ending at x + 18 (B by "#0.0" for
// a bulb flat, else "#00"), then the local-buckling texts.
TEST(Report, ProfileBlocks) {
  const char *flanged = "H B tw tf A g Iy Iz ", *flat = "H tw A g Iy ", *bulb = "H tw c r B tf A g Iy ";
  // clang-format off
  const struct { int kind; bool stiffener; const char *symbols;
                 int texts, last;  // local-buckling texts, the block's last row
                 const char* suffix; int16 ringfab = 0; } cases[] = {
      {0, true, flanged, 2, 13, ""},               {1, true, flanged, 2, 13, " (built-up)"},
      {2, false, flanged, 4, 15, " (Fabricated)"}, {2, false, flanged, 4, 15, " (Cold-formed)", 1},
      {7, true, "H B tw A g Iy ", 0, 8, ""},       {8, false, "H B a tw A g Iy ", 0, 9, " (Fabricated)"},
      {4, true, flat, 1, 9, ""},                   {5, false, flat, 1, 9, " (Fabricated)"},
      {6, true, bulb, 1, 13, ""},                  {6, false, bulb, 2, 14, " (Fabricated)"}};
  // clang-format on
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << k.kind << (k.stiffener ? " stiffener" : " ring frame"));
    Case c;
    (k.stiffener ? c.z.stifftype : c.z.girdtype) = static_cast<int16>(k.kind);
    c.z.ringfab = k.ringfab;
    const auto page = c.Print();
    const double x = k.stiffener ? 45.6 : 105.6, p = 32.41;
    const auto row = page.RowText(p), name = (k.stiffener ? c.z.stiffsec : c.z.girdsec).name + k.suffix;
    EXPECT_TRUE(k.stiffener ? row.find(name + "Ringframe") != row.npos : row.ends_with(name)) << row;

    std::vector<const Text*> block;  // in the order printed
    double last = 0;
    for (const Text& t : page.texts)
      if (t.x > x - kTol && t.x < x + 55 && t.y > p + 2.5 && t.y < p + 17)
        block.push_back(&t), last = std::max(last, t.y - p);
    EXPECT_NEAR(last, k.last, kRow);
    std::string symbols;
    for (std::size_t i = 0; i + 4 < block.size() && block[i + 1]->text == "="; i += 5) {
      const auto &symbol = block[i]->text, &value = block[i + 2]->text;
      symbols += symbol + " ";
      EXPECT_NEAR(block[i]->y - p, 3 + i / 5, kRow) << symbol;
      EXPECT_NEAR(block[i + 2]->x + block[i + 2]->width, x + 18, kTol) << value;
      EXPECT_TRUE(symbol != "B" ||
                  value == Format(k.stiffener ? c.z.stiffb : c.z.girdb, k.kind == 6 ? "#0.0" : "#00"))
          << value;
    }
    EXPECT_EQ(symbols, k.symbols);
    const Text* local = Titled(page, "Local buckling:", x);
    EXPECT_NEAR(local ? last - (local->y - p) : 0, k.texts, kRow);
  }
}

TEST(Report, AStoppedCalculationPrintsNoUsageFactor) {
  Case c;
  Calculate(c.z);
  c.z.t = 0;  // the next run stops at a division by zero
  const auto page = c.Print();
  ASSERT_FALSE(c.z.calcok || c.z.stopmsg.empty());
  // what stands in the panels' place, and why
  EXPECT_EQ(page.RowText(50.22) + "|" + page.RowText(51.22), StoppedCalculationText() + "|" + c.z.stopmsg);
  for (const Text& t : page.texts)
    EXPECT_TRUE(t.text == "UF" || t.text.find("UF") == std::string::npos) << t.text;
}

// Names are split by characters, not bytes; the file name is shown in lower case.
TEST(Report, NamesByCharacters) {
  Case c;
  c.z.ident = std::string(37, 'i') + "ÆØÅ", c.z.filename = "/Home/ÅSE/Prøve ŠKODA.VTR";
  const auto page = c.Print();
  EXPECT_TRUE(page.Find(std::string(37, 'i') + "Æ") && page.Find("ØÅ") &&
              page.Find("File: /home/åse/prøve škoda.vtr"));
}

TEST(Report, CalibrationRoundsHalvesToEven) {
  Case c;
  // paper width in twips, W and m: W 105.0 with m 10.5 -> 10; W 104.5 -> 104; 103.5 -> 104; m 10.6 -> 11
  for (const auto& [paperWidth, W, m] :
       {std::array{11550., 105., 10.}, {11495., 104., 10.}, {11385., 104., 10.}, {11605., 106., 11.}}) {
    const auto page = c.Print(paperWidth);
    EXPECT_TRUE(page.strokes[0].x1 == m && std::fabs(page.strokes[0].x2 - m - 0.85 * W) < 1e-9) << paperWidth;
  }
}

TEST(Report, EveryCopyIsDrawnAnewAndEndedAsAJob) {
  Case c;
  Calculate(c.z);
  RecordingPrintSurface page;
  int stamps = 0;
  PrintCopies(c.z, page, 3, [&] { return ReportStamp{"d", 9, 5 + stamps++, "c"}; });
  EXPECT_EQ(page.endDocs, 3);
  std::string times;
  for (const Text& t : page.texts)
    if (t.text.rfind("Time: ", 0) == 0) times += t.text + "/" + std::to_string(t.job) + " ";
  EXPECT_EQ(times, "Time: 9:5/0 Time: 9:6/1 Time: 9:7/2 ");
}

}  // namespace
}  // namespace zod
