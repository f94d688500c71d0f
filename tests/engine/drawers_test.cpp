#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/recording.h"

namespace zod {
namespace {

using Item = RecordingSurface::Item;
using Drawer = void (*)(State&, PanelSurface&, double&, double, double);
struct Style {
  bool bold, underline;
  int r, g, b;
};
constexpr Style kPlain{false, false, 0, 0, 0}, kTitle{true, true, 0, 0, 0}, kBold{true, false, 0, 0, 0};
constexpr Style kUnderlined{false, true, 0, 0, 0}, kRed{true, false, 128, 0, 0},
    kGreen{true, false, 0, 128, 0};

const Item& Find(const RecordingSurface& s, const std::string& text) {
  for (const auto& it : s.items)
    if (it.text == text) return it;
  ADD_FAILURE() << "not drawn: " << text;
  static const Item none{};
  return none;
}

void ExpectAt(const RecordingSurface& s, const std::string& text, double x, double y, Style st) {
  const Item& it = Find(s, text);
  EXPECT_EQ(std::tie(it.bold, it.underline, it.r, it.g, it.b),
            std::tie(st.bold, st.underline, st.r, st.g, st.b))
      << text;
  EXPECT_NEAR(it.x, x, 1e-9) << text;
  EXPECT_NEAR(it.y, y, 1e-9) << text;
}

// Line i: label at x, value starting at vx in style vs, unit right after the value.
void ExpectLine(const RecordingSurface& s, const ResultPanel& p, int i, double x, double y, double vx,
                Style vs = kPlain, Style ls = kPlain) {
  ExpectAt(s, p.txt[i], x, y, ls);
  ExpectAt(s, p.val[i], vx, y, vs);
  ExpectAt(s, p.unit[i], vx + p.val[i].size(), y, kPlain);
}
// A plain line's value ends at x + w.
void ExpectPlain(const RecordingSurface& s, const ResultPanel& p, int i, double x, double y, double w,
                 Style ls = kPlain) {
  ExpectLine(s, p, i, x, y, x + w - p.val[i].size(), kPlain, ls);
}

// Draws on a surface that already holds text: a screen picture (mode 0) is
// cleared, paper is not; the drawer leaves the style plain.
RecordingSurface Draw(Drawer draw, State& z, double& y, double x, double mode) {
  RecordingSurface s;
  s.Print("old");
  draw(z, s, y, x, mode);
  EXPECT_EQ(s.clears, mode == 0 ? 1 : 0);
  s.Print("probe");
  ExpectAt(s, "probe", s.items.back().x, s.items.back().y, kPlain);
  s.items.pop_back();
  return s;
}

struct Drawers : ::testing::Test {
  State z;
  RecordingView view;
  Drawers() {
    z.setView(&view);
    // labels "L<i>", values of varying width "v<i>x..", units "u<i>"
    for (ResultPanel* p : {&z.shellpanel, &z.stiffpanel, &z.ringpanel, &z.colpanel})
      for (int i = 0; i < 16; ++i) {
        p->txt[i] = "L" + std::to_string(i);
        p->val[i] = "v" + std::to_string(i) + std::string(i % 4, 'x');
        p->unit[i] = "u" + std::to_string(i);
      }
  }
};

TEST_F(Drawers, ShellAndStiffenerLayout) {
  using Case = std::pair<Drawer, ResultPanel*>;
  for (auto [draw, p] : {Case{DrawShellPanel, &z.shellpanel}, Case{DrawStiffPanel, &z.stiffpanel}})
    for (double mode : {0.0, 1.0}) {
      double y = 0.3;
      RecordingSurface s = Draw(draw, z, y, 1, mode);
      ExpectAt(s, p->txt[0], 1, 0.3, kTitle);
      for (int i = 1; i < p->n; ++i) ExpectPlain(s, *p, i, 1, 1.4 + (i - 1), 15);
      ExpectLine(s, *p, p->n, 1, 0.4 + p->n, 1 + p->txt[p->n].size(), kGreen);
      EXPECT_NEAR(y, 0.4 + p->n, 1e-9);
    }
  // an empty value leaves the unit at the column
  z.shellpanel.val[2] = "";
  double y = 0;
  RecordingSurface s = Draw(DrawShellPanel, z, y, 2, 0);
  ExpectAt(s, "u2", 17, 2.1, kPlain);
}

// Each usage-factor line against its own allowed value, all others set to
// green. Equal is green.
TEST_F(Drawers, UsageFactorColourBoundary) {
  // uf: the usage factor when it is stored in single precision
  // clang-format off
  const struct { Drawer draw; double* u; float* uf; double* a; std::string value; } lines[] = {
      {DrawShellPanel, &z.ufshell, nullptr, &z.ufallow, "v10xx"},
      {DrawStiffPanel, &z.ufstiff, nullptr, &z.ufallows, "v13x"},
      {DrawColPanel, &z.ufcol1, nullptr, &z.ufallow, "v13x"},
      {DrawColPanel, nullptr, &z.ufcol2, &z.ufallow, "v14xx"},
      {DrawRingPanel, &z.ufarea, nullptr, &z.ufb, "v2xx"},
      {DrawRingPanel, nullptr, &z.ufinertia, &z.ufb, "v11xxx"},
  };
  const struct { double u, a; bool red; } bounds[] = {
      {1, 1, false}, {1.001, 1, true}, {0.999, 1, false}, {0.5, 0, true}};
  // clang-format on
  for (const auto& l : lines)
    for (const auto& b : bounds) {
      SCOPED_TRACE(l.value + " u=" + std::to_string(b.u) + " a=" + std::to_string(b.a));
      z.ufshell = z.ufstiff = z.ufcol1 = z.ufarea = z.ufcol2 = z.ufinertia = 0;
      z.ufallow = z.ufallows = z.ufb = 1;
      l.u ? * l.u = b.u : * l.uf = static_cast<float>(b.u);
      *l.a = b.a;
      double y = 0.3;
      RecordingSurface s = Draw(l.draw, z, y, 1, 0);
      EXPECT_EQ(Find(s, l.value).r, b.red ? 128 : 0);
      EXPECT_EQ(Find(s, l.value).g, b.red ? 0 : 128);
    }
}

TEST_F(Drawers, UnstiffNoteOnScreenAndPaper) {
  double y = 0.3;
  RecordingSurface s = Draw(DrawUnstiffNote, z, y, 1, 0);
  EXPECT_NEAR(y, 2.4, 1e-9);
  ExpectAt(s, "L0", 1, 0.3, kTitle);
  ExpectAt(s, "Note: s/t>3* Sqr(r/t) ==>", 1, 2.4, kBold);
  ExpectAt(s, "Calculation as an unstiffened veltrane", 1, 3.4, kBold);
  ExpectAt(s, "(Ref Ch 3.6.1)", 1, 4.4, kBold);
  EXPECT_EQ(s.items.size(), 4u);
  y = 5;
  s = Draw(DrawUnstiffNote, z, y, 3, 1);
  EXPECT_DOUBLE_EQ(y, 7.1);
  ExpectAt(s, "L0", 3, 5, kTitle);
  ExpectAt(s, "Note: s/t>3* Sqr(r/t) ==> calculation as an unstiffened veltrane, (Ref Ch 3.6.1)", 3, 7.1,
           kBold);
  EXPECT_EQ(s.items.size(), 3u);  // old text, title, note
}

// The heavy-ring line and the Ih check box only under external pressure.
TEST_F(Drawers, RingLayoutAndHeavyRingLineFollowPressure) {
  const ResultPanel& p = z.ringpanel;
  z.ufarea = 2, z.ufinertia = 0.5f, z.ufb = 1;
  using Case = std::pair<float, double>;
  for (auto [pd, mode] : {Case{-0.3f, 0}, Case{0, 0}, Case{0.3f, 0}, Case{-0.3f, 1}, Case{0.3f, 1}}) {
    SCOPED_TRACE(std::to_string(pd) + " mode " + std::to_string(mode));
    z.pd = pd;
    double y = 0.3;
    RecordingSurface s = Draw(DrawRingPanel, z, y, 1, mode);
    ExpectAt(s, "L0", 1, 0.3, kTitle);
    ExpectPlain(s, p, 1, 1, 1.4, 18, kUnderlined);
    ExpectLine(s, p, 2, 1, 2.4, 3, kRed);
    ExpectPlain(s, p, 3, 1, 3.4, 14, kUnderlined);
    for (int i = 4; i <= 10; ++i) ExpectPlain(s, p, i, 1, 3.4 + (i - 3), 14);
    ExpectLine(s, p, 11, 1, 11.4, 4, kGreen);
    EXPECT_EQ(s.RowText(12.4), pd < 0 ? "L12v12u12" : "");
    if (pd < 0) ExpectLine(s, p, 12, 1, 12.4, 4);
    EXPECT_NEAR(y, 12.4, 1e-9);
    // both usage-factor units and the last line end their row
    EXPECT_NEAR(s.CurrentY(), pd < 0 ? 13.4 : 12.4, 1e-9);
    EXPECT_EQ(view.log.back(), pd < 0 ? "visible check_ih=1" : "visible check_ih=0");
  }
}

TEST_F(Drawers, ColumnScreenAndPaperColumns) {
  const ResultPanel& p = z.colpanel;
  z.ufcol1 = 1.2, z.ufcol2 = 0.7f, z.ufallow = 1;
  using Case = std::tuple<double, double, double>;  // mode, plain value end, usage value start
  for (auto [mode, w, v] : {Case{0, 20, 12}, Case{1, 30, 20}, Case{-1, 30, 20}}) {
    SCOPED_TRACE(mode);
    double y = 0.3;
    RecordingSurface s = Draw(DrawColPanel, z, y, 1, mode);
    ExpectAt(s, "L0", 1, 0.3, kTitle);
    for (int i = 1; i <= 12; ++i) ExpectPlain(s, p, i, 1, 1.4 + (i - 1), w);
    ExpectLine(s, p, 13, 1, 13.4, 1 + v, kRed);
    ExpectLine(s, p, 14, 1, 14.4, 1 + v, kGreen);
    EXPECT_NEAR(y, 14.4, 1e-9);
  }
}

// A last-line index outside the sixteen panel lines ends the run with an
// error, instead of reading past the panel.
TEST_F(Drawers, LastLineOutsidePanelIsAnError) {
  RecordingSurface s;
  double y = 0;
  z.shellpanel.n = 16;
  EXPECT_THROW(DrawShellPanel(z, s, y, 1, 0), Error);
  z.colpanel.n = 0;  // UF1 would be line -1
  EXPECT_THROW(DrawColPanel(z, s, y, 1, 0), Error);
  z.ringpanel.n = 20;
  EXPECT_THROW(DrawRingPanel(z, s, y, 1, 0), Error);
}

}  // namespace
}  // namespace zod
