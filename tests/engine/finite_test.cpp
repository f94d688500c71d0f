// A run shows numbers or stops with a message: random and extreme cases,
// each run of Calculate either finishes with every stored value finite and
// no "inf" or "nan" in a panel, or stops. A stop leaves nothing behind that
// a later run of a sound case would show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "engine/calc.h"
#include "engine/recording.h"
#include "engine/state.h"
#include "engine/tables.h"
#include "tests/engine/session.h"

namespace zod {
namespace {

bool Finite(const SectionResults& s) {
  for (double v : {s.a, s.aw, static_cast<double>(s.af), s.g, s.zg, s.iy, s.iz})
    if (!std::isfinite(v)) return false;
  return true;
}

// What a run leaves for the windows and the report: the computed values and
// the panels' texts.
std::string Unshowable(const State& z) {
  const CalcValues& c = z;
  // clang-format off
  const double values[] = {c.Zl, c.leo, c.SigxSd, c.SighpSd, c.SighSd, c.spanel, c.SigmSd, c.fEa, c.fEh,
      c.SigaSd, c.SigjSd, c.lamdas, c.fks, c.ufchar, c.gm, c.betaw, c.ufallow, c.ufshell, c.effa, c.effe,
      c.effzt, c.effi, c.girdrc, c.girdrf, c.fT, c.hw, c.se, c.Isef, c.ufallows, c.ufstiff, c.Areq, c.le,
      c.SighR, c.ufarea, c.Ix, c.Ixh, c.Ih, c.IR, c.ufinertia, c.delta0, c.ufspecial, c.ufcol1, c.ufcol2,
      z.sigx, z.sigy, z.tau, z.gilt, z.fyp, z.fys, z.fyg, z.tmat};
  // clang-format on
  for (std::size_t i = 0; i < std::size(values); ++i)
    if (!std::isfinite(values[i])) return "value " + std::to_string(i);
  if (!Finite(z.stiffsec) || !Finite(z.girdsec)) return "section";
  for (const ResultPanel* p : {&z.shellpanel, &z.stiffpanel, &z.ringpanel, &z.colpanel})
    for (const auto* col : {&p->txt, &p->val, &p->unit})
      for (const std::string& s : *col)
        if (s.find("inf") != std::string::npos || s.find("nan") != std::string::npos) return "panel: " + s;
  return "";
}

// The panels the default case shows: shell, stiffener and ring.
struct Panels {
  std::array<ResultPanel, 3> p;
  explicit Panels(const State& z) : p{z.shellpanel, z.stiffpanel, z.ringpanel} {}
  bool operator==(const Panels& o) const {
    for (int i = 0; i < 3; ++i)
      if (p[i].txt != o.p[i].txt || p[i].val != o.p[i].val || p[i].unit != o.p[i].unit) return false;
    return true;
  }
};

TEST(EngineFinite, EveryRunShowsNumbersOrStops) {
  test::Session first;
  State& fresh = first.z;
  fresh.setView(nullptr);
  SetDefaults(fresh);
  Calculate(fresh);
  ASSERT_TRUE(fresh.calcok);
  const Panels defaults(fresh);

  test::Session s;
  State& z = s.z;
  RecordingView& view = s.view;
  std::mt19937_64 rng(7);
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  // Magnitudes a file or a typed value can bring, from nothing to the
  // largest single and double.
  const double scale[] = {0, 1e-30, 1e-3, 0.5, 1, 10, 100, 1e3, 1e4, 1e6, 1e12, 3.4028235e38, 1e308, 1.7e308};
  auto value = [&](bool single) {
    double v =
        scale[pick(0, std::size(scale) - (single ? 3 : 1))] * std::uniform_real_distribution<>(0.5, 1.5)(rng);
    v = std::min(v, single ? 3.4028235e38 : std::numeric_limits<double>::max());
    if (single) v = static_cast<float>(v);
    return pick(0, 4) == 0 ? -v : v;
  };
  int finished = 0, stopped = 0;
  for (int n = 0; n < 20000; ++n) {
    SetDefaults(z);
    z.cylinder = static_cast<int16>(pick(0, 3));
    z.dmethod = static_cast<int16>(pick(0, 1));
    z.ringch = static_cast<int16>(pick(0, 1)), z.hringch = static_cast<int16>(pick(0, 1));
    z.checkih = static_cast<int16>(pick(0, 1)), z.outside = static_cast<int16>(pick(0, 1));
    z.ringfab = static_cast<int16>(pick(0, 1)), z.dmom = static_cast<int16>(pick(0, 1));
    z.stifftype = static_cast<int16>(pick(0, 9)), z.girdtype = static_cast<int16>(pick(0, 9));
    z.matp = static_cast<int16>(pick(0, z.mat.nmat));
    z.mats = static_cast<int16>(pick(0, z.mat.nmat)), z.matg = static_cast<int16>(pick(0, z.mat.nmat));
    // a few inputs of the case far from their usual values, the built-up
    // dimensions of both members among them
    double* const doubles[] = {&z.ufb,  &z.t,     &z.l,     &z.s,     &z.cyll,  &z.sigx,  &z.fyp,   &z.fys,
                               &z.fyg,  &z.nn,    &z.m1a,   &z.m1b,   &z.m2a,   &z.k1,    &z.lt,    &z.stbh,
                               &z.gtbb, &z.slbtw, &z.glbtw, &z.sibh,  &z.gibb,  &z.srhsb, &z.gusph, &z.suspa,
                               &z.sfbh, &z.gfbh,  &z.sibtw, &z.gtbtw, &z.grhsh, &z.guspb};
    float* const singles[] = {&z.cylr,  &z.sigy,  &z.tau,   &z.pd,    &z.e,      &z.m2b,
                              &z.k2,    &z.gilt,  &z.slbtf, &z.gibtf, &z.srhstw, &z.gusptw,
                              &z.sfbtw, &z.gfbtw, &z.stbtf, &z.glbtf};
    for (int k = pick(1, 4); k > 0; --k) {
      if (pick(0, 1) == 0)
        *doubles[pick(0, std::size(doubles) - 1)] = value(false);
      else
        *singles[pick(0, std::size(singles) - 1)] = static_cast<float>(value(true));
    }
    view.log.clear();
    Calculate(z);
    if (!z.calcok) {
      ++stopped;
      // After a stop, a new case shows what a fresh program shows.
      if (n % 10 == 0) {
        SetDefaults(z);
        Calculate(z);
        ASSERT_TRUE(z.calcok) << "case " << n;
        ASSERT_TRUE(Panels(z) == defaults) << "case " << n;
      }
      continue;
    }
    ++finished;
    const std::string bad = Unshowable(z);
    ASSERT_EQ(bad, "") << "case " << n << " cylinder " << z.cylinder << " kinds " << z.stifftype << "/"
                       << z.girdtype;
  }
  EXPECT_GT(finished, 2000);
  EXPECT_GT(stopped, 2000);
}

// The faults found so far, each a stop now: allowed usage factors of the
// working-stress format that overflow, and a ring frame whose section
// overflows half-way, which must leave the previous section whole.
TEST(EngineFinite, OverflowsStopTheRun) {
  test::Session s;
  State& z = s.z;
  for (int16 cylinder : {0, 2, 3}) {
    SetDefaults(z);
    z.cylinder = cylinder, z.dmethod = 1, z.ufb = 1.7e308;
    z.t = 100;  // a stocky shell: the slenderness factor is 1
    Calculate(z);
    EXPECT_FALSE(z.calcok) << "cylinder " << cylinder << ": " << z.ufallow << " " << z.ufallows;
  }
  SetDefaults(z);
  Calculate(z);
  ASSERT_TRUE(z.calcok);
  const SectionResults ring = z.girdsec;
  z.girdtype = 3, z.gtbh = 1e308, z.gtbtw = 1e308;
  Calculate(z);
  EXPECT_FALSE(z.calcok);
  EXPECT_TRUE(z.girdsec.a == ring.a && z.girdsec.aw == ring.aw && z.girdsec.g == ring.g &&
              z.girdsec.iy == ring.iy);
}

}  // namespace
}  // namespace zod
