#include <gtest/gtest.h>

#include <string>
#include <tuple>

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
constexpr Style kPlain{false, false, 0, 0, 0}, kTitle{true, true, 0, 0, 0};

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

// Line i: label at x, value ending at x + w, unit right after the value.
void ExpectPlain(const RecordingSurface& s, const ResultPanel& p, int i, double x, double y, double w) {
  ExpectAt(s, p.txt[i], x, y, kPlain);
  ExpectAt(s, p.val[i], x + w - p.val[i].size(), y, kPlain);
  ExpectAt(s, p.unit[i], x + w, y, kPlain);
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

// Plain values end at their column, screen and paper alike except the
// column panel's wider paper columns; each panel ends one row below its last line.
TEST_F(Drawers, ValueColumnsAndRowsOnScreenAndPaper) {
  // clang-format off
  const struct { Drawer draw; const ResultPanel* p; double screenW, paperW, yEnd; } cases[] = {
      {DrawShellPanel, &z.shellpanel, 15, 15, 10.4}, {DrawStiffPanel, &z.stiffpanel, 15, 15, 13.4},
      {DrawRingPanel, &z.ringpanel, 14, 14, 12.4}, {DrawColPanel, &z.colpanel, 20, 30, 14.4}};
  // clang-format on
  for (const auto& c : cases)
    for (double mode : {0.0, 1.0}) {
      SCOPED_TRACE(c.p->txt[0] + " mode " + std::to_string(mode));
      double y = 0.3;
      RecordingSurface s = Draw(c.draw, z, y, 1, mode);
      ExpectAt(s, c.p->txt[0], 1, 0.3, kTitle);
      ExpectPlain(s, *c.p, 5, 1, 5.4, mode == 0 ? c.screenW : c.paperW);
      EXPECT_NEAR(y, c.yEnd, 1e-9);
    }
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
      {1, 1, false}, {1.001, 1, true}, {0.5, 0, true}};
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
      EXPECT_EQ(Find(s, l.value).r * 1000 + Find(s, l.value).g, b.red ? 128000 : 128);  // dark red or green
    }
}

// The heavy-ring line and the Ih check box only under external pressure.
TEST_F(Drawers, HeavyRingLineFollowsPressure) {
  for (float pd : {-0.3f, 0.0f, 0.3f}) {
    z.pd = pd;
    double y = 0.3;
    RecordingSurface s = Draw(DrawRingPanel, z, y, 1, 0);
    EXPECT_EQ(s.RowText(12.4), pd < 0 ? "L12v12u12" : "") << pd;
    EXPECT_NEAR(s.CurrentY(), pd < 0 ? 13.4 : 12.4, 1e-9);
    EXPECT_EQ(view.log.back(), pd < 0 ? "visible check_ih=1" : "visible check_ih=0");
  }
}

// A last-line index outside the sixteen panel lines ends the run, as the old
// runtime's subscript check did, instead of reading past the panel.
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
