// Panel ring buckling and the heavy ring frame: the area and the moment of
// inertia a ring frame needs so that the shell between the frames, and not the
// ring, governs buckling.
//
// Glossary (lengths mm, areas mm2, second moments mm4, stresses MPa)
//   r       cylr        radius of the cylinder to the plate's centre line
//   t       t           shell thickness
//   l       l           distance between ring frames
//   L       cyll        cylinder length between effective supports
//   s       s           stiffener spacing
//   E       e           Young's modulus
//   pd      pd          lateral pressure, negative from outside
//   Z       Zl          curvature parameter; the special calculation puts
//                       its own ZL = L² / (r t) · √(1 − ν²) there
//   leo     leo         effective shell length min(1.56 √(r t), l)
//   le      le          effective shell width acting with the ring frame
//   A       girdsec.a   ring-frame area without plating
//   As      stiffsec.a  stiffener area without plating
//   H       girdh       ring-frame height
//   I       effi        second moment of ring frame plus plate width le
//   zt      effzt       neutral axis of ring plus plate to the free edge
//   rc      girdrc      radius to the neutral axis of ring plus plate
//   rf      girdrf      radius to the ring frame's flange
//   α                   ring area over the shell area it stiffens
//   a                   smeared stiffener area As / (s t)
//   σhR     SighR       hoop stress in the ring frame
//   fT      fT          torsional buckling strength of the ring frame
//   δ0      delta0      initial out-of-roundness 0.005 r
//   Areq    Areq        required ring area
//   Ix      Ix          inertia needed against axial compression
//   Ixh     Ixh         inertia needed against shear
//   Ih      Ih          inertia needed against lateral pressure
//   IR      IR          required moment of inertia Ix + Ixh + Ih
//   γ                   ring stiffness over the shell's, 12 (1 − ν²) Ih / (l t³)
//   i²                  squared radius of gyration, ring plus shell length leo
//   C1, C2, μ, λ, k     buckling coefficients of the shell with ring frames
//   fE, fk              its elastic and characteristic buckling strength
//   pR                  its design resistance to lateral pressure
//   γM      gm          material factor left by the check that ran before
#include <cmath>
#include <string>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"

namespace zod {
namespace {

constexpr float kPi = 3.141593f;
constexpr double kOneMinusNu2 = 0.91;
constexpr double kTwelveOneMinusNu2 = 10.92;
// The special calculation lowers Ih no further: below it the requirement is
// negligible against any real ring frame.
constexpr double kIhFloor = 100000;

const char* const kGeneralIh = "  mm4 (General calc, ref ch 3.5.2.6)";
const char* const kSpecialIh = "  mm4 (Special Calc, ref ch 3.5.2.7)";

// Second moments and areas are shown by this pattern throughout the panel.
constexpr NumberPattern kSci = "0.000E+0"_pat;

void SetTextLine(ResultPanel& p, int i, const char* label, const char* value, const char* unit) {
  PutText(p.txt[i], label);
  PutText(p.val[i], value);
  PutText(p.unit[i], unit);
}

// "UF = IR/I = 1.234E+6/5.678E+7 = " from the two texts as shown.
void UsageLabel(std::string& out, const char* head, const std::string& a, const std::string& b) {
  out.assign(head).append(a).append("/").append(b).append(" = ");
}

// Longitudinal stiffeners add their area to the shell's; a ring-stiffened
// cylinder has none. The stiffener's section has run in this calculation
// only for the stringer-stiffened cylinder; for the others its record holds
// whatever stiffener was worked out last, so the case's own area is taken.
float SmearedStiffeners(State& z) {
  if (z.cylinder == 1) return 0;
  const double as = z.stiffdone ? z.stiffsec.a : StiffAreaOfCase(z);
  return chk::sgl(chk::div(as, z.s * z.t));
}

// The three inertia terms over a span: l for the panel ring, L for the heavy
// ring. Shear is spread over the cylinder length L in both.
double AxialTerm(const State& z, float a, double span) {
  if (!(z.sigx < 0)) return 0;
  const double rc = z.girdrc;
  const float onePlusA = 1 + a;
  return chk::div(std::fabs(z.sigx) * z.t * onePlusA * chk::pow(rc, 4), 500.0 * z.e * span);
}

double ShearTerm(const State& z, double span) {
  if (z.tau == 0) return 0;
  const double rc = z.girdrc, L = z.cyll;
  return chk::fin(chk::pow(chk::div(std::fabs(z.tau), z.e), 1.6) * chk::pow(chk::div(rc, L), 0.2) * rc * L *
                  z.t * span);
}

// A ring whose torsional strength is not above twice its hoop stress would
// have no margin left for the out-of-roundness; it is credited with just
// more than that.
void RaiseTorsionalStrength(State& z) {
  const double hoop = std::fabs(z.SighR);
  if (chk::sgl(2 * hoop) > z.fT) z.fT = chk::sgl(2.001 * hoop);
}

// Evaluated for every pressure, so a singular ring ends the run whatever the
// load; only an external pressure needs the term.
double PressureTerm(const State& z, double span) {
  const double r = z.cylr, rc = z.girdrc, E = z.e;
  const double base = chk::div(std::fabs(z.pd) * r * rc * rc * span, 3 * E);
  // fT / 2 and |σhR| are single-precision values: their difference is exact.
  const double margin = z.fT / 2.0 - std::fabs(static_cast<double>(z.SighR));
  const double outOfRound = chk::div(3 * E * z.effzt * z.delta0, rc * rc * margin);
  const double ih = chk::fin(base * (1.5 + outOfRound));
  return z.pd >= 0 ? 0 : ih;
}

}  // namespace

void CalcRingBuckling(State& z) {
  const double r = z.cylr, t = z.t, l = z.l;

  z.Areq = chk::fin((chk::div(2, z.Zl * z.Zl) + 0.06) * l * t);
  z.le = chk::div(1.56 * chk::sqrt(r * t), 1 + chk::div(12 * t, r));
  if (z.le > l) z.le = l;

  GirdSection(z, z.girdtype);
  GirdEffective(z);
  GirdTorsion(z);
  const double A = z.girdsec.a;

  // Hoop stress carried by the ring frame, taken at its inner (or outer) edge.
  const float alpha = chk::sgl(z.cylinder == 1 ? chk::div(A, z.leo * t) : chk::div(A, l * t));
  const double d = chk::fin(z.outside == 0 ? r - t / 2 - z.girdh : r + t / 2 + z.girdh);
  const float pr = chk::sgl(static_cast<double>(z.pd) * r);
  const float onePlusAlpha = chk::sgl(1.0 + alpha);
  z.SighR = chk::sgl(chk::div(chk::div(chk::div(pr, t) - 0.3 * z.sigx, onePlusAlpha) * r, d) + z.sigy);

  z.ufarea = chk::div(z.Areq, A);

  const float a = SmearedStiffeners(z);
  z.Ix = AxialTerm(z, a, l);
  z.Ixh = ShearTerm(z, l);
  z.delta0 = 0.005 * r;
  RaiseTorsionalStrength(z);
  z.Ih = PressureTerm(z, l);

  z.IR = chk::fin(z.Ix + z.Ixh + z.Ih);
  z.ufinertia = chk::sgl(chk::div(z.IR, z.effi));

  ResultPanel& p = z.ringpanel;
  const char dec = z.decsep;
  PutText(p.txt[0], "Panel Ring Buckling: (Ch 3.5.2)");
  SetTextLine(p, 1, "Area requirement:", "", "");
  // Areq and A are shown in the label only; the allowed value twice.
  std::string& areaLabel = p.txt[2];
  areaLabel = "UF = Areq/A = ";
  AppendFormat(areaLabel, z.Areq, kSci, dec);
  areaLabel += '/';
  AppendFormat(areaLabel, A, kSci, dec);
  areaLabel += " = ";
  FormatInto(p.val[2], z.ufarea, kUsageFactorFormat, dec);
  p.unit[2] = " <= ";
  AppendFormat(p.unit[2], z.ufb, "0.00"_pat, dec);
  SetTextLine(p, 3, "Moment of inertia requirement:", "", "");
  SetLine(p, 4, "le =", z.le, "0.0"_pat, dec, "  mm");
  SetLine(p, 5, "fT = ", z.fT, "0.0"_pat, dec, "  MPa");
  SetLine(p, 6, "Ix =", z.Ix, kSci, dec, "  mm4  ");
  SetLine(p, 7, "Ixh =", z.Ixh, kSci, dec, "  mm4  ");
  SetLine(p, 8, "Ih =", z.Ih, kSci, dec, kGeneralIh);
  SetLine(p, 9, "IR =", z.IR, kSci, dec, "  mm4");
  SetLine(p, 10, "I =", z.effi, kSci, dec, "  mm4");
  UsageLabel(p.txt[11], "UF = IR/I = ", p.val[9], p.val[10]);
  FormatInto(p.val[11], z.ufinertia, kUsageFactorFormat, dec);
  p.unit[11] = p.unit[2];
  SetTextLine(p, 12, " ", " ", "");

  // Under external pressure the user may ask for the lower Ih at which the
  // shell with its ring frames just carries the pressure.
  if (z.pd < 0 && z.checkih == 1) {
    z.ufspecial = 0;
    while (z.ufspecial < 1 && z.Ih > kIhFloor) {
      z.Ih = 0.99 * z.Ih;
      CalcIhSpecial(z);
    }
    z.IR = chk::fin(z.Ix + z.Ixh + z.Ih);
    z.ufinertia = chk::sgl(chk::div(z.IR, z.effi));

    // line 10, I, stays as written above
    SetLine(p, 8, "Ih =", z.Ih, kSci, dec, kSpecialIh);
    SetLine(p, 9, "IR =", z.IR, kSci, dec, "  mm4");
    UsageLabel(p.txt[11], "UF = IR/I = ", p.val[9], p.val[10]);
    FormatInto(p.val[11], z.ufinertia, kUsageFactorFormat, dec);
    PutText(p.unit[11], " ");
  }

  z.ufinertiatxt = p.val[11];
}

void CalcIhSpecial(State& z) {
  const double r = z.cylr, t = z.t, l = z.l, L = z.cyll, E = z.e;
  const double A = z.girdsec.a, leo = z.leo, Ih = z.Ih;

  const double gamma = chk::div(kTwelveOneMinusNu2 * Ih, l * t * t * t);
  const double alpha = chk::div(A, leo * t);
  const double i2 = chk::div(Ih, A + leo * t);
  z.Zl = chk::div(L * L, r * t) * std::sqrt(kOneMinusNu2);

  const double c1 = 2 * chk::sqrt(1 + 0.27 * z.Zl);
  const double c2 = chk::div(2 * (1 + gamma), 1 + alpha) *
                    (chk::sqrt(1 + chk::div(0.27 * z.Zl, chk::sqrt(1 + gamma))) - chk::div(gamma, 1 + gamma));
  const double tL = chk::div(t, L);
  const double fE = chk::fin(c2 * (static_cast<double>(kPi) * kPi) * E / kTwelveOneMinusNu2 * tL * tL);

  double mu = 0;
  if (!(c1 > c2))
    mu = chk::fin(chk::div(z.effzt * z.delta0, i2) * chk::div(z.girdrf, r) * chk::div(l, leo) *
                  (1 - chk::div(c1, c2)) / 0.85);

  const double lambda = chk::sqrt(chk::div(z.fT, fE));
  const double lambda2 = lambda * lambda;
  const float k = chk::sgl(1 + mu + lambda2);
  // With μ ≥ 0 the root is at least |1 − λ²|; a negative value near λ = 1
  // comes only from holding k in single precision and means 0.
  double root = static_cast<double>(k) * k - 4 * lambda2;
  if (root < 0 && mu >= 0) root = 0;
  const float fk = chk::sgl(z.fT * chk::div(k - chk::sqrt(root), 2 * lambda2));

  const float pR = chk::sgl(0.75 * chk::div(fk, z.gm) * t * chk::div(z.girdrf, r * r) * (1 + alpha) / 0.85);
  z.ufspecial = chk::sgl(std::fabs(chk::div(z.pd, pR)));
}

void CalcHeavyRing(State& z) {
  ResultPanel& p = z.ringpanel;
  const char dec = z.decsep;
  PutText(p.txt[12], " ");

  const double L = z.cyll;
  const float a = SmearedStiffeners(z);
  const double ixH = AxialTerm(z, a, L);
  const double ixhH = ShearTerm(z, L);
  z.delta0 = 0.005 * z.cylr;
  RaiseTorsionalStrength(z);
  const double ihH = PressureTerm(z, L);
  const double ihr = chk::fin(ixH + ixhH + ihH);

  SetLine(p, 12, "Heavy ringframe Ihr>= ", ihr, kSci, dec, "  mm4");
}

}  // namespace zod
