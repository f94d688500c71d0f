// What the golden test cannot see: the colour boundary of each usage-factor
// line and the guard against a last line outside the panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/recording.h"

namespace zod {
namespace {

using Drawer = void (*)(State&, PanelSurface&, double&, double, double);

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
  const struct { double u, a; bool red; } bounds[] = {{1, 1, false}, {1.001, 1, true}, {0.5, 0, true}};
  // clang-format on
  for (const auto& l : lines)
    for (const auto& b : bounds) {
      z.ufshell = z.ufstiff = z.ufcol1 = z.ufarea = z.ufcol2 = z.ufinertia = 0;
      z.ufallow = z.ufallows = z.ufb = 1;
      l.u ? * l.u = b.u : * l.uf = static_cast<float>(b.u);
      *l.a = b.a;
      RecordingSurface s;
      double y = 0.3;
      l.draw(z, s, y, 1, 0);
      const auto it =
          std::find_if(s.items.begin(), s.items.end(), [&](const auto& i) { return i.text == l.value; });
      ASSERT_NE(it, s.items.end()) << l.value;
      EXPECT_EQ(it->r * 1000 + it->g, b.red ? 128000 : 128) << l.value << " u=" << b.u << " a=" << b.a;
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
