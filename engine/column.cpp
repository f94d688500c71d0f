// Column buckling: the whole cylinder as a thin-walled tube under the axial
// force and end moments about two axes, local shell buckling included through
// the characteristic strength fak.
//
// Glossary (lengths mm, stresses MPa, moments kNm)
//   r        cylr      radius of the cylinder to the plate's centre line
//   t        t         shell thickness
//   L        cyll      column length between effective supports
//   k1, k2   k1, k2    effective length factors about axes 1 and 2
//   E        e         Young's modulus
//   fy       fyp       yield strength of the plate
//   M1a..M2b m1a..m2b  end moments, signed as entered
//   D, d               outer and inner diameter of the tube
//   A, I, i            area, second moment of area, radius of gyration of the tube
//   W                  section modulus π r² t
//   σ1a..σ2b           bending stresses of the end moments
//   s1, s2             the larger end stress of each axis, ρ1, ρ2 the end ratios
//   σm,Sd    SigmSd    bending stress handed to the shell check (negative: compression)
//   σa       SigaSd    compressive axial stress, from the shell check
//   σh       SighSd    design hoop stress
//   fEa, fEh fEa, fEh  elastic shell buckling strengths, from the shell check
//   γM       gm        material factor
//   fak                characteristic local buckling strength (Eq 3.8.8); fakd its design value
//   λ1, λ2             reduced column slenderness about each axis
//   fkc, fkcd          column buckling strength and its design value
//   fE1, fE2           Euler stresses
//   Cm1, Cm2           moment factors; M1, M2 the dimensioning moments
//   UF1, UF2 ufcol1, ufcol2  interaction usage factors
#include <cmath>
#include <string>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"

namespace zod {

// Characteristic column buckling strength for the reduced slenderness λ:
// the parabola up to λ = 1.34, the reduced Euler curve beyond.
double ColumnBucklingStrength(double lambda, double fak) {
  if (lambda <= 1.34) return chk::fin((1 - 0.28 * lambda * lambda) * fak);
  return chk::fin(chk::div(0.9, lambda * lambda) * fak);
}

namespace {

constexpr float kPi = 3.141593f;
constexpr float kTwoPi = 6.283186f;
constexpr double kNmmPerKNm = 1e6;

const char* const kNegRoot = " Neg Root, ref Eq 3.8.8 in ZOD RP C202, Calculation terminated ";

// The larger end stress of one axis and the ratio of the other end to it;
// equal magnitudes take the b end.
struct EndStresses {
  double s, rho;
};

EndStresses LargerEnd(double a, double b) {
  if (std::fabs(a) > std::fabs(b)) return {std::fabs(a), chk::div(b, a)};
  if (b == 0) return {0, 0};  // no moment at either end
  return {std::fabs(b), chk::div(a, b)};
}

// Axis 2 keeps its end stress and ratio in single precision, axis 1 does not.
EndStresses Single(EndStresses e) { return {chk::sgl(e.s), chk::sgl(e.rho)}; }

// The negative root stops the run with its reason; Calculate shows it.
bool NegativeRoot(State& z) {
  z.errmsg = kNegRoot;
  return false;
}

}  // namespace

void CalcColumnBuckling(State& z) {
  if (!RunColumnBuckling(z)) throw Error(z.errmsg);
}

bool RunColumnBuckling(State& z) {
  const double r = z.cylr, t = z.t, L = z.cyll, E = z.e;

  // Tube section.
  const double D = 2 * r + t;
  const float d = chk::sgl(2 * r - t);
  const float A = chk::sgl(kTwoPi * r * t);
  const double I = kPi * (chk::pow(D, 4) - chk::pow(d, 4)) / 64;
  const double i = chk::sqrt(chk::div(I, A));
  const float W = chk::sgl(kPi * r * r * t);

  // Bending stresses of the end moments.
  const double s1a = chk::div(z.m1a * kNmmPerKNm, W);
  const float s1b = chk::sgl(chk::div(z.m1b * kNmmPerKNm, W));
  const double s2a = chk::div(z.m2a * kNmmPerKNm, W);
  const float s2b = chk::sgl(chk::div(z.m2b * kNmmPerKNm, W));
  const double m1 = (s1a + s1b) / 2;
  const float m2 = chk::sgl((s2a + s2b) / 2);
  const EndStresses ax1 = LargerEnd(s1a, s1b), ax2 = Single(LargerEnd(s2a, s2b));

  // The shell check takes the larger mean stress, or the two axes combined
  // when that is more, as compression.
  z.SigmSd = chk::sgl(m1);
  if (m2 > z.SigmSd) z.SigmSd = m2;
  const double combined = (std::fabs(m1) + std::fabs(m2)) / std::sqrt(2.0);
  if (combined > z.SigmSd) z.SigmSd = chk::sgl(combined);
  z.SigmSd = -z.SigmSd;
  CalcShellBuckling(z);

  double cm1 = 1, cm2 = 1;
  if (z.dmom == 1) {
    cm1 = 0.6 + 0.4 * ax1.rho;
    cm2 = 0.6 + 0.4 * ax2.rho;
  }
  const double M1 = chk::fin(cm1 * ax1.s * W / kNmmPerKNm);
  const float M2 = chk::sgl(cm2 * ax2.s * W / kNmmPerKNm);

  // Eq 3.8.8: the local buckling strength under the hoop stress σh.
  const double fy = z.fyp, sh = z.SighSd, fy2 = fy * fy;
  const double fEa = z.fEa, fEh = z.fEh;
  const double qa = 1 + chk::div(fy2, fEa * fEa);
  const double qb = sh * (chk::div(2 * fy2, fEa * fEh) - 1);
  const float qc = chk::sgl(sh * sh * (1 + chk::div(fy2, fEh * fEh)) - fy2);
  const double disc = chk::fin(qb * qb - 4 * qa * qc);
  if (disc < 0) return NegativeRoot(z);
  const double fak = chk::div(qb + chk::sqrt(disc), 2 * qa);

  const float fakd = chk::sgl(chk::div(fak, z.gm));
  const double fakE = chk::div(fak, E);
  if (fakE < 0) return NegativeRoot(z);

  const double piI = kPi * i;
  const double lam1 = chk::fin(chk::div(z.k1 * L, piI) * chk::sqrt(fakE));
  const float lam2 = chk::sgl(chk::div(z.k2 * L, piI) * chk::sqrt(fakE));

  const double fkcd1 = chk::div(ColumnBucklingStrength(lam1, fak), z.gm);
  const float fkcd2 = chk::sgl(chk::div(ColumnBucklingStrength(lam2, fak), z.gm));

  const double pi2EI = static_cast<double>(kPi) * kPi * E * I;
  const double kL1 = z.k1 * L, kL2 = z.k2 * L;
  const double fE1 = chk::div(pi2EI, kL1 * kL1 * A);
  const float fE2 = chk::sgl(chk::div(pi2EI, kL2 * kL2 * A));

  // Interaction of axial compression with bending about both axes, each
  // amplified by its distance to the Euler stress.
  const double sa = z.SigaSd;
  const double b1 = chk::div(cm1 * ax1.s, 1 - chk::div(sa, fE1));
  const double b2 = chk::div(cm2 * ax2.s, 1 - chk::div(sa, fE2));
  const double bending = chk::div(1, fakd) * chk::sqrt(chk::fin(b1 * b1 + b2 * b2));
  z.ufcol1 = chk::fin(chk::div(sa, fkcd1) + bending);
  z.ufcol2 = chk::sgl(chk::div(sa, fkcd2) + bending);

  // Working stress design: the shell check's factors give way to the column's.
  if (z.dmethod == 0) {
    z.ufallow = z.ufb;
  } else {
    z.betaw = 1.0f;
    z.gm = 1.15;
    z.ufallow = chk::fin(1.15 * 1.0 * z.ufb);
  }

  ResultPanel& p = z.colpanel;
  const char dec = z.decsep;
  PutText(p.txt[0], "Global Buckling: (Ch 3.8)");
  SetLine(p, 1, "fkcd1 = ", fkcd1, "0.0"_pat, dec, " MPa (Column buckl. axis 1)");
  SetLine(p, 2, "lamda1 = ", lam1, "0.00"_pat, dec, "");
  SetLine(p, 3, "fkcd2 = ", fkcd2, "0.0"_pat, dec, " MPa (Column buckl. axis 2)");
  SetLine(p, 4, "lamda2 = ", lam2, "0.00"_pat, dec, "");
  SetLine(p, 5, "fakd = ", fakd, "0.0"_pat, dec, " MPa (local buckling)");
  SetLine(p, 6, "fE1 = ", fE1, "0.0"_pat, dec, " MPa (Euler buckling axis 1)");
  SetLine(p, 7, "fE2 = ", fE2, "0.0"_pat, dec, " MPa (Euler buckling axis 2)");
  SetLine(p, 8, "gm = ", z.gm, "0.00"_pat, dec, " ");
  SetLine(p, 9, "Siga0Sd = ", sa, "0.0"_pat, dec, " MPa");
  SetLine(p, 10, "M1Sd/M2Sd = ", M1, "0.0"_pat, dec,
          z.dmom == 0 ? " kNm (Max value)" : " kNm (Reduced value)");
  p.val[10] += '/';
  AppendFormat(p.val[10], M2, "0.0"_pat, dec);
  SetLine(p, 11, "Sigm1Sd = ", cm1 * ax1.s, "0.0"_pat, dec, " MPa");
  SetLine(p, 12, "Sigm2Sd = ", cm2 * ax2.s, "0.0"_pat, dec, " MPa  ");
  // both usage factors are allowed the same value
  SetLine(p, 13, "UF1 = ", z.ufcol1, kUsageFactorFormat, dec, " <= ");
  AppendFormat(p.unit[13], z.ufallow, "0.00"_pat, dec);
  SetLine(p, 14, "UF2 =  ", z.ufcol2, kUsageFactorFormat, dec, p.unit[13]);
  return true;
}

}  // namespace zod
