#include <gtest/gtest.h>

#include <string>

#include "engine/state.h"

namespace zod {
namespace {

std::string Labels(const ResultPanel& p, int last) {
  std::string s = std::to_string(p.n);
  for (int i = 0; i <= last; ++i) s += "|" + p.txt[i];
  return s;
}

// File > New over an edited case: every default again (a new state starts the
// same way), but the ring frame's table rows, the three yield strengths and the
// panels' values stay.
TEST(Defaults, NewCaseRestoresDefaultsAndKeepsRingRows) {
  State z;
  z.designCase() = DesignCase{};
  z.igirdl = 3, z.igirdt = 4, z.igirdf = 5, z.igirdhp = 6;
  z.istiffl = z.istifft = z.istifff = z.istiffhp = 7;
  z.fyp = 315, z.fys = 325, z.fyg = 335;
  z.filename = "case.vtr";
  z.linkcolor = {};
  z.stiffinp = z.columnres = false;
  z.gm = 1.45, z.betaw = 0.8f;
  for (ResultPanel* p : {&z.shellpanel, &z.stiffpanel, &z.ringpanel, &z.colpanel}) p->n = 0, p->txt.fill("x");
  z.shellpanel.val[3] = "kept";
  SetDefaults(z);
  // clang-format off
#define F(field, value) {#field, static_cast<double>(z.field), value}
  const struct { const char* name; double got, want; } fields[] = {
      F(dmethod, 0),  F(ufb, 1),       F(cylinder, 2),  F(ringch, 1),    F(hringch, 0),  F(outside, 0),
      F(ringfab, 0),  F(checkih, 0),   F(dmom, 0),      F(resv1, 1),     F(resv2, 0),    F(cylr, 1500),
      F(t, 20),       F(l, 3000),      F(cyll, 6000),   F(s, 600),       F(lt, 3000),    F(gilt, 600),
      F(k1, 1),       F(k2, 1),        F(e, 210000),    F(matp, 2),      F(mats, 2),     F(matg, 2),
      F(tmat, 12),    F(sigx, -100),   F(sigy, -10),    F(tau, 40),      F(pd, -0.3f),   F(nn, -1000),
      F(m1a, -200),   F(m1b, 100),     F(m2a, -100),    F(m2b, 100),     F(stifftype, 0), F(istiffl, 0),
      F(istifft, 0),  F(istifff, 0),   F(istiffhp, 0),  F(stiffh, 200),  F(stiffb, 90),  F(stifftw, 9),
      F(stifftf, 12), F(stiffc, 1),    F(stiffr, 10),   F(stiffri, 10),  F(girdtype, 2), F(girdh, 200),
      F(girdb, 90),   F(girdtw, 9),    F(girdtf, 12),   F(girdc, 1),     F(girdr, 10),   F(girdri, 10),
      F(gm, 1.15),    F(betaw, 1),
  };
  // clang-format on
#undef F
  for (const auto& f : fields) EXPECT_EQ(f.got, f.want) << f.name;
  // built-up memory: L, T, RHS, trapezoid, I, then the flat bar (stiffener 100 x 10, ring frame 200 x 9)
  for (Member m : {Member::Stiffener, Member::RingFrame}) {
    const BuiltUpRefs b = BuiltUp(z, m);
    // clang-format off
    const double got[] = {b.lbh, b.lbb, b.lbtw, b.lbtf, b.tbh, b.tbb, b.tbtw, b.tbtf, b.rhsh, b.rhsb, b.rhstw,
                          b.usph, b.uspb, b.uspa, b.usptw, b.ibh, b.ibb, b.ibtw, b.ibtf, b.fbh, b.fbtw};
    const bool ring = m == Member::RingFrame;
    const double want[] = {200, 90, 9, 12, 200, 90, 9, 12, 200, 90, 9, 200, 90, 50, 9, 200, 90, 9, 12,
                           ring ? 200.0 : 100.0, ring ? 9.0 : 10.0};
    // clang-format on
    for (int i = 0; i < 21; ++i)
      EXPECT_EQ(got[i], want[i]) << "built-up value " << i << (ring ? " ring" : "");
  }
  EXPECT_EQ(z.filename, "New File");
  EXPECT_EQ(z.proj + "|" + z.ident, "Project|Test");
  EXPECT_EQ(z.linkcolor, (Rgb{0, 85, 152}));
  EXPECT_TRUE(z.stiffinp && z.ringinp && z.stressinp && z.columninp && z.stiffres && z.ringres &&
              z.columnres);
  EXPECT_EQ(Labels(z.shellpanel, 9),
            "10|Shell Buckling: (Ch 3.3.2)|fEa = |fEtau = |fEh = |SighSd = |SigjSd = |lamdas = |fks = |gm = "
            "|fksd = ");
  EXPECT_EQ(z.shellpanel.txt[10].rfind("UF = SigjSd/fksd = 0.0/", 0), 0u) << z.shellpanel.txt[10];
  EXPECT_EQ(Labels(z.stiffpanel, 12),
            "13|Stiffener Buckling: (Ch 3.6.3)|se =|Isef =|fEa =|fEtau = |fEh = |fT = |SighSd = |SigjSd = |"
            "lamdas = |fks = |gm = |fksd = ");
  EXPECT_EQ(
      Labels(z.ringpanel, 11),
      "12|Panel Ring Buckling: (Ch 3.5.2)|Area requirement:|UF = Areq/A = 0.000E+0/0.000E+0 = |"
      "Moment of inertia requirement:|le =|fT = |Ix =|Ixh =|Ih =|IR =|I =|UF = IR/I = 0.000E+0/0.000E+0 = ");
  EXPECT_EQ(Labels(z.colpanel, 14),
            "14|Global Buckling: (Ch 3.8)|fkcd1 = |lamda1 = |fkcd2 = |lamda2 = |fakd = |fE1 = |fE2 = |gm = |"
            "Siga0Sd = |M1Sd/M2Sd = |Sigm1Sd = |Sigm2Sd = |UF1 = |UF2 =  ");
  EXPECT_EQ(std::to_string(z.igirdl) + std::to_string(z.igirdt) + std::to_string(z.igirdf) +
                std::to_string(z.igirdhp),
            "3456");
  EXPECT_TRUE(z.fyp == 315 && z.fys == 325 && z.fyg == 335);
  EXPECT_EQ(z.shellpanel.val[3], "kept");
}

}  // namespace
}  // namespace zod
