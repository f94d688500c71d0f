// A run shows numbers or stops with a message: random and extreme cases,
// each run of Calculate either finishes with every stored value finite and
// no "inf" or "nan" in a panel, or stops. A stop leaves nothing behind that
// a later run of a sound case would show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "engine/calc.h"
#include "tests/engine/session.h"

namespace zod {
namespace {

// The panels' texts, "" when a value the run stored is not finite.
std::string Shown(const State& z, bool column = true) {
  // clang-format off
  const double values[] = {z.Zl, z.leo, z.SigxSd, z.SighpSd, z.SighSd, z.spanel, z.SigmSd, z.fEa, z.fEh,
      z.SigaSd, z.SigjSd, z.lamdas, z.fks, z.ufchar, z.gm, z.betaw, z.ufallow, z.ufshell, z.effa, z.effe,
      z.effzt, z.effi, z.girdrc, z.girdrf, z.fT, z.hw, z.se, z.Isef, z.ufallows, z.ufstiff, z.Areq, z.le,
      z.SighR, z.ufarea, z.Ix, z.Ixh, z.Ih, z.IR, z.ufinertia, z.delta0, z.ufspecial, z.ufcol1, z.ufcol2,
      z.sigx, z.sigy, z.tau, z.gilt, z.fyp, z.fys, z.fyg, z.tmat};
  // clang-format on
  for (double v : values)
    if (!std::isfinite(v)) return "";
  for (const SectionResults* s : {&z.stiffsec, &z.girdsec})
    for (double v : {s->a, s->aw, static_cast<double>(s->af), s->g, s->zg, s->iy, s->iz})
      if (!std::isfinite(v)) return "";
  std::string out;
  for (const ResultPanel* p :
       {&z.shellpanel, &z.stiffpanel, &z.ringpanel, column ? &z.colpanel : &z.ringpanel})
    for (const auto* col : {&p->txt, &p->val, &p->unit})
      for (const std::string& s : *col) out += s + '|';
  return out;
}

TEST(EngineFinite, EveryRunShowsNumbersOrStops) {
  test::Session s;
  State& z = s.z;
  SetDefaults(z);
  Calculate(z);
  const std::string defaults = Shown(z, false);
  std::mt19937_64 rng(7);
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  // Magnitudes a file or a typed value can bring, from nothing to the
  // largest single and double.
  const double scale[] = {0, 1e-30, 1e-3, 0.5, 1, 10, 100, 1e3, 1e4, 1e6, 1e12, 3.4028235e38, 1e308, 1.7e308};
  auto value = [&](bool single) {
    const double v = std::min(
        scale[pick(0, std::size(scale) - (single ? 3 : 1))] * std::uniform_real_distribution<>(0.5, 1.5)(rng),
        single ? 3.4028235e38 : 1.7976931348623157e308);
    return (pick(0, 4) == 0 ? -1 : 1) * (single ? static_cast<float>(v) : v);
  };
  int finished = 0, stopped = 0;
  for (int n = 0; n < 20000; ++n) {
    SetDefaults(z);
    z.cylinder = static_cast<int16>(pick(0, 3));
    for (int16* flag : {&z.dmethod, &z.ringch, &z.hringch, &z.checkih, &z.outside, &z.ringfab, &z.dmom})
      *flag = static_cast<int16>(pick(0, 1));
    z.stifftype = static_cast<int16>(pick(0, 9)), z.girdtype = static_cast<int16>(pick(0, 9));
    for (int16* mat : {&z.matp, &z.mats, &z.matg}) *mat = static_cast<int16>(pick(0, z.mat.nmat));
    // a few inputs of the case far from their usual values, the built-up
    // dimensions of both members among them
    // clang-format off
    double* const doubles[] = {&z.ufb, &z.t, &z.l, &z.s, &z.cyll, &z.sigx, &z.fyp, &z.fys, &z.fyg, &z.nn,
        &z.m1a, &z.m1b, &z.m2a, &z.k1, &z.lt, &z.stbh, &z.gtbb, &z.slbtw, &z.glbtw, &z.sibh, &z.gibb,
        &z.srhsb, &z.gusph, &z.suspa, &z.sfbh, &z.gfbh, &z.sibtw, &z.gtbtw, &z.grhsh, &z.guspb};
    float* const singles[] = {&z.cylr, &z.sigy, &z.tau, &z.pd, &z.e, &z.m2b, &z.k2, &z.gilt, &z.slbtf,
        &z.gibtf, &z.srhstw, &z.gusptw, &z.sfbtw, &z.gfbtw, &z.stbtf, &z.glbtf};
    // clang-format on
    for (int k = pick(1, 4); k > 0; --k)
      if (pick(0, 1) == 0)
        *doubles[pick(0, std::size(doubles) - 1)] = value(false);
      else
        *singles[pick(0, std::size(singles) - 1)] = static_cast<float>(value(true));
    s.view.log.clear();
    Calculate(z);
    if (z.calcok) {
      ++finished;
      const std::string shown = Shown(z);
      ASSERT_TRUE(!shown.empty() && shown.find("inf") == shown.npos && shown.find("nan") == shown.npos)
          << "case " << n << ": " << shown;
    } else if (++stopped % 10 == 0) {
      // After a stop, a new case shows what a fresh program shows.
      SetDefaults(z);
      Calculate(z);
      ASSERT_TRUE(z.calcok && Shown(z, false) == defaults) << "case " << n;
    }
  }
  EXPECT_TRUE(finished > 2000 && stopped > 2000) << finished << " finished, " << stopped << " stopped";

  // A ring frame whose section overflows half-way stops the run and leaves
  // the previous section whole.
  SetDefaults(z);
  Calculate(z);
  const SectionResults ring = z.girdsec;
  z.girdtype = 3, z.gtbh = z.gtbtw = 1e308;
  Calculate(z);
  EXPECT_TRUE(!z.calcok && z.girdsec.a == ring.a && z.girdsec.aw == ring.aw && z.girdsec.g == ring.g);
}

}  // namespace
}  // namespace zod
