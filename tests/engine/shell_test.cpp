#include <gtest/gtest.h>

#include <cmath>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"
#include "engine/state.h"

namespace zod {
namespace {

// Inputs of one shell or panel check, as the driver leaves them, and the
// results worked out by hand from the buckling formulas.
struct ShellCase {
  const char* name;
  bool panel;
  int16 cylinder;
  float r;
  double t, l, s, fyp, sigx;
  float sigm;
  double sighp;
  float sigy, tau;
  int16 dmethod;
  double ufb;
  // expected
  double fEa, fE2, fEh, sigj;
  float lamdas, fks;
  double gm;
  float betaw;
  double ufallow, ufshell;
};

void Load(State& z, const ShellCase& c) {
  z.cylinder = c.cylinder;
  z.cylr = c.r;
  z.t = c.t;
  z.l = c.l;
  z.spanel = c.s;
  z.e = 210000;
  z.fyp = c.fyp;
  z.sigx = z.SigxSd = c.sigx;
  z.SigmSd = c.sigm;
  z.SighpSd = c.sighp;
  z.sigy = c.sigy;
  z.SighSd = c.sighp + c.sigy;
  z.tau = c.tau;
  z.dmethod = c.dmethod;
  z.ufb = c.ufb;
  z.Zl = z.l * z.l / (z.cylr * z.t) * std::sqrt(0.91);
  z.betaw = 1.0f;
}

// Hand calculations, r 1500, t 20, l 3000 unless stated, E 210000:
//   shell: Z = 3000²/(1500·20)·√0.91 = 286.18; axial C = √(1 + (0.5/√1.5 · 0.702 Z)²) = 82.02,
//          fEa = C·π²·E/10.92·(20/3000)² = 691.91; shear C = 5.34·√(1 + (0.6·0.856 Z^0.75/5.34)²) = 23.76;
//          hoop C = 4·√(1 + (0.6·1.04·√Z/4)²) = 11.18 → fEh = 95.23
//   σj = √(100² − 100·32.5 + 32.5² + 3·40²) = 112.28; λs² = 345/112.28·(100/691.9 + 32.5/95.23 + 40/304.8)
//   panel (s 600): Zs = 11.447, fEa = 5.173·π²E/10.92·(20/600)² = 1091.0, fEtau 1198.4, fEh 244.86
//   long shells: fEh = 0.25·E·(t/r)² = 9.3333 beyond l/r = 2.25√75; fEtau = 0.25·E·(t/r)^1.5 = 80.829
//   beyond 3.85√75
// clang-format off
const ShellCase kCases[] = {
    {"ShellLrfdSlender", false, 0, 1500, 20, 3000, 600, 345, -100, 0, -22.5, -10, 40, 0, 1,
     691.9100069, 304.8005323, 95.22559357, 112.2775579, 1.3769724f, 160.944275f, 1.45, 1, 1, 1.011545545},
    {"ShellWsdSlender", false, 0, 1500, 20, 3000, 600, 345, -100, 0, -22.5, -10, 40, 1, 1,
     691.9100069, 304.8005323, 95.22559357, 112.2775579, 1.3769724f, 160.944275f, 1.15, 0.8f, 0.92, 0.8022602638},
    {"ShellLrfdMiddle", false, 0, 1500, 30, 3000, 600, 345, -100, 0, -15, 0, 20, 0, 1,
     1100.903905, 510.5804944, 180.3482513, 99.62429423, 0.85920751f, 277.559174f, 1.365524507, 1, 1, 0.490127618},
    {"ShellWsdMiddle", false, 0, 1500, 30, 3000, 600, 345, -100, 0, -15, 0, 20, 1, 1,
     1100.903905, 510.5804944, 180.3482513, 99.62429423, 0.85920751f, 277.559174f, 1.15, 0.85631698f,
     0.9847645313, 0.4127694151},
    // Tension counts 0 in λs but enters σj with its sign.
    {"ShellWsdStocky", false, 0, 1500, 20, 3000, 600, 345, 50, 0, 0, 0, 10, 1, 0.8,
     691.9100069, 304.8005323, 95.22559357, 52.91502622, 0.46250048f, 337.368011f, 1.15, 1, 0.92, 0.1803735882},
    // No compressive part: λs 0, fks = fy, ufshell = 1.15 σj / fy.
    {"PureTension", false, 1, 1500, 20, 3000, 600, 345, 100, 0, 15, 0, 0, 0, 1,
     691.9100069, 304.8005323, 95.22559357, 93.40770846, 0, 345, 1.15, 1, 1, 0.3113590282},
    {"ShellThinWsd", false, 0, 3000, 8, 6000, 600, 355, -60, 0, -15, 0, 5, 1, 0.6,
     90.58618347, 40.35906671, 8.078159332, 54.77225575, 4.1389542f, 20.687521f, 1.15, 0.8f, 0.552, 3.044738551},
    {"LongShellPressureRule", false, 0, 1500, 20, 40000, 600, 345, -100, 0, -22.5, -10, 40, 0, 1,
     691.8586027, 82.55683792, 9.333333015, 112.2775579, 3.5542433f, 27.2250271f, 1.45, 1, 1, 5.979882328},
    {"LongShellBothRules", false, 0, 1500, 20, 60000, 600, 345, -100, 0, -22.5, -10, 40, 0, 1,
     691.8585821, 80.82903769, 9.333333015, 112.2775579, 3.5587175f, 27.1570377f, 1.45, 1, 1, 5.994853065},
    // The column case bends the shell: σm enters σj and λs, line 2 shows fEm.
    {"ColumnBending", false, 3, 1500, 20, 3000, 600, 345, -5.305164, -0.25f, -22.5, 0, 0, 0, 1,
     691.9100069, 757.9400539, 95.22559357, 20.30070583, 2.0374942f, 80.793869f, 1.45, 1, 1, 0.3643348661},
    {"PanelLrfd", true, 2, 1500, 20, 3000, 600, 345, -100, 0, -22.5, -10, 40, 0, 1,
     1090.98807, 1198.423046, 244.8629456, 112.2775579, 0.88996851f, 270.446136f, 1.383981109, 1, 1, 0.5745691882},
    {"PanelWsd", true, 2, 1500, 20, 3000, 600, 345, -100, 0, -22.5, -10, 40, 1, 0.8,
     1090.98807, 1198.423046, 244.8629456, 112.2775579, 0.88996851f, 270.446136f, 1.15, 0.84401262f,
     0.7764916086, 0.4774303545},
};
// clang-format on

class ShellTable : public testing::TestWithParam<ShellCase> {};

void ExpectRel(double actual, double expected, const char* what) {
  EXPECT_NEAR(actual, expected, 3e-7 * std::fabs(expected) + 1e-9) << what;
}

TEST_P(ShellTable, MatchesHandCalculation) {
  const ShellCase& c = GetParam();
  State z;
  Load(z, c);
  if (c.panel)
    CalcPanelBuckling(z);
  else
    CalcShellBuckling(z);
  ExpectRel(z.fEa, c.fEa, "fEa");
  ExpectRel(z.fEh, c.fEh, "fEh");
  ExpectRel(z.SigjSd, c.sigj, "SigjSd");
  ExpectRel(z.lamdas, c.lamdas, "lamdas");
  ExpectRel(z.fks, c.fks, "fks");
  ExpectRel(z.ufchar, c.sigj / c.fks, "ufchar");
  ExpectRel(z.gm, c.gm, "gm");
  ExpectRel(z.betaw, c.betaw, "betaw");
  ExpectRel(z.ufallow, c.ufallow, "ufallow");
  ExpectRel(z.ufshell, c.ufshell, "ufshell");
  if (!c.panel) ExpectRel(z.SigaSd, c.sigx < 0 ? -c.sigx : 0, "SigaSd");

  const ResultPanel& p = z.shellpanel;
  EXPECT_EQ(p.txt[0], c.panel ? "Shell Buckling: (Ch 3.3.2)" : "Shell Buckling: (Ch 3.4.2)");
  EXPECT_EQ(p.txt[2], c.panel ? "fEtau = " : "fEtau/fEm = ");
  // fEtau (fEm in the column case) is kept nowhere but on line 2.
  EXPECT_EQ(p.val[2], Format(c.fE2, "0.0")) << "fE2";
  EXPECT_EQ(p.n, 10);
  const char* units[] = {"  MPa", "  MPa", "  MPa", "  MPa (only lateral pressure)", "  MPa ", " ",
                         "  MPa", " ",     "  MPa"};
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(p.unit[i], units[i - 1]) << "line " << i;
}

INSTANTIATE_TEST_SUITE_P(Shell, ShellTable, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Pure shear on a long shell, where fEtau = 0.25 E (t/r)^1.5 and
// λs² = fy / (√3 fEtau): choosing fy puts λs exactly on 0.5 or 1.0, where the
// middle row applies, and shows the rows join without a step.
TEST(ShellChecks, SlendernessLimitsJoinWithoutStep) {
  const double fEtau = 0.25 * 210000 * std::pow(20.0 / 1500, 1.5);
  for (double lam : {0.5, 1.0}) {
    for (int16 method : {0, 1}) {
      for (double f : {1 - 1e-5, 1.0, 1 + 1e-5}) {
        State z;
        Load(z, kCases[8]);
        z.sigx = z.SigxSd = 0;
        z.SighpSd = z.SighSd = 0;
        z.sigy = 0;
        z.dmethod = method;
        z.fyp = lam * lam * std::sqrt(3.0) * fEtau * f;
        CalcShellBuckling(z);
        if (f == 1.0) {
          EXPECT_EQ(z.lamdas, static_cast<float>(lam));
        }
        if (method == 0) {
          EXPECT_NEAR(z.gm, lam == 0.5 ? 1.15 : 1.45, 1e-5) << lam;
        } else {
          EXPECT_NEAR(z.betaw, lam == 0.5 ? 1.0 : 0.8, 1e-5) << lam;
          EXPECT_EQ(z.gm, 1.15);
        }
      }
    }
  }
}

// The panel check resets the WSD factor in LRFD; the shell check leaves it.
TEST(ShellChecks, LrfdLeavesBetawToShellCheckOnly) {
  State z;
  Load(z, kCases[0]);
  z.betaw = 0.7f;
  CalcShellBuckling(z);
  EXPECT_EQ(z.betaw, 0.7f);
  CalcPanelBuckling(z);
  EXPECT_EQ(z.betaw, 1.0f);
}

// No stress at all: σj = 0 divides by zero in λs. The panel keeps the lines
// of the last good run; values computed before the fault are new.
TEST(ShellChecks, NoStressFaultsAndKeepsPanel) {
  for (bool panel : {false, true}) {
    State z;
    Load(z, kCases[0]);
    if (panel)
      CalcPanelBuckling(z);
    else
      CalcShellBuckling(z);
    const ResultPanel before = z.shellpanel;
    z.sigx = z.SigxSd = 0;
    z.SighpSd = z.SighSd = 0;
    z.sigy = z.tau = 0;
    z.fEa = 0;
    if (panel)
      EXPECT_THROW(CalcPanelBuckling(z), Error);
    else
      EXPECT_THROW(CalcShellBuckling(z), Error);
    EXPECT_EQ(z.SigjSd, 0);
    EXPECT_GT(z.fEa, 0);
    EXPECT_EQ(z.shellpanel.txt, before.txt);
    EXPECT_EQ(z.shellpanel.val, before.val);
    EXPECT_EQ(z.shellpanel.unit, before.unit);
  }
}

TEST(ShellChecks, ZeroYieldStrengthFaults) {
  State z;
  Load(z, kCases[0]);
  z.fyp = 0;
  EXPECT_THROW(CalcShellBuckling(z), Error);  // ufchar = σj / fks with fks = 0
}

}  // namespace
}  // namespace zod
