#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "engine/state.h"

namespace zod {
namespace {

template <typename... T>
std::string Join(const T&... v) {
  std::ostringstream o;
  ((o << v << ' '), ...);
  return o.str();
}

// File > New over an edited case: every default again (a new state starts the
// same way), but the ring frame's table rows, the three yield strengths and the
// panels' values stay.
TEST(Defaults, NewCaseRestoresDefaultsAndKeepsRingRows) {
  State z;
  z.designCase() = DesignCase{};
  z.igirdl = 3, z.igirdt = 4, z.igirdf = 5, z.igirdhp = 6, z.fyp = 315, z.fys = 325, z.fyg = 335;
  z.filename = "case.vtr", z.linkcolor = {}, z.stiffinp = z.columnres = false, z.gm = 1.45, z.betaw = 0.8f;
  for (ResultPanel* p : {&z.shellpanel, &z.stiffpanel, &z.ringpanel, &z.colpanel}) p->n = 0, p->txt.fill("x");
  z.shellpanel.val[3] = "kept";
  SetDefaults(z);
  // clang-format off
  EXPECT_EQ(Join(z.dmethod, z.ufb, z.cylinder, z.ringch, z.hringch, z.outside, z.ringfab, z.checkih, z.dmom,
                 z.resv1, z.resv2, z.cylr, z.t, z.l, z.cyll, z.s, z.lt, z.gilt, z.k1, z.k2, z.e, z.matp, z.mats,
                 z.matg, z.tmat, z.sigx, z.sigy, z.tau, z.pd, z.nn, z.m1a, z.m1b, z.m2a, z.m2b, z.stifftype,
                 z.istiffl, z.istifft, z.istifff, z.istiffhp, z.stiffh, z.stiffb, z.stifftw, z.stifftf, z.stiffc,
                 z.stiffr, z.stiffri, z.girdtype, z.girdh, z.girdb, z.girdtw, z.girdtf, z.girdc, z.girdr, z.girdri),
            "0 1 2 1 0 0 0 0 0 1 0 1500 20 3000 6000 600 3000 600 1 1 210000 2 2 2 12 -100 -10 40 -0.3 -1000 "
            "-200 100 -100 100 0 0 0 0 0 200 90 9 12 1 10 10 2 200 90 9 12 1 10 10 ");
  // built-up memory: L, T, RHS, trapezoid and I alike for both members; the flat bars differ
  for (Member m : {Member::Stiffener, Member::RingFrame}) {
    const BuiltUpRefs b = BuiltUp(z, m);
    EXPECT_EQ(Join(b.lbh, b.lbb, b.lbtw, b.lbtf, b.tbh, b.tbb, b.tbtw, b.tbtf, b.rhsh, b.rhsb, b.rhstw, b.usph,
                   b.uspb, b.uspa, b.usptw, b.ibh, b.ibb, b.ibtw, b.ibtf, b.fbh, b.fbtw),
              m == Member::Stiffener ? "200 90 9 12 200 90 9 12 200 90 9 200 90 50 9 200 90 9 12 100 10 "
                                     : "200 90 9 12 200 90 9 12 200 90 9 200 90 50 9 200 90 9 12 200 9 ");
  }
  // clang-format on
  EXPECT_EQ(z.filename + "|" + z.proj + "|" + z.ident, "New File|Project|Test");
  EXPECT_TRUE(z.linkcolor == (Rgb{0, 85, 152}) && z.stiffinp && z.columnres && z.gm == 1.15 &&
              z.betaw == 1.0f);
  for (const ResultPanel* p : {&z.shellpanel, &z.stiffpanel, &z.ringpanel, &z.colpanel})
    EXPECT_EQ(p->n == 0 || p->txt[1] == "x", false) << p->txt[0];
  EXPECT_EQ(z.igirdl * 1000 + z.igirdt * 100 + z.igirdf * 10 + z.igirdhp, 3456);
  EXPECT_TRUE(z.fyp == 315 && z.fys == 325 && z.fyg == 335 && z.shellpanel.val[3] == "kept");
}

}  // namespace
}  // namespace zod
