// Buckling of a longitudinal stiffener of a stringer-stiffened cylinder
// together with its effective width of shell plating. It starts from the
// buckling strength and equivalent stress that the shell or curved-panel check
// has just left, and uses the torsional buckling strength fT where the shell
// check uses the yield strength.
//
// Glossary (lengths mm, stresses MPa)
//   s, t, l, r  z.s, z.t, z.l, z.cylr  stiffener spacing, shell thickness, ring spacing, radius
//   E           z.e                    Young's modulus
//   Ax          z.stiffsec.a           area of the stiffener profile alone, mm2
//   se          z.se                   effective width of shell plating acting with the stiffener
//   Isef        z.Isef                 second moment of stiffener plus effective plate, mm4
//   gamma                              bending stiffness ratio of stiffener to plate
//   Zl          z.Zl                   curvature parameter l^2 / (r t) sqrt(1 - 0.3^2)
//   psi, xi, rho, C                    curvature coefficients of one stress kind
//   fEa, fEtau, fEh                    elastic buckling strengths: axial, shear, circumferential
//   SigxSd      z.SigxSd               axial design stress of the stiffened shell
//   SighSd      z.SighSd               total hoop design stress; SighpSd the pressure part
//   sa, sh, tau                        compressive parts of the design stresses
//   SigjSd      z.SigjSd               von Mises equivalent design stress
//   fT          z.fT                   torsional buckling strength of the stiffener
//   lamdas                             reduced slenderness
//   fks         z.fks                  characteristic buckling strength
//   gm          z.gm                   material factor
//   fksd                               design buckling strength fks / gm
//   UF          z.ufstiff              usage factor SigjSd / fksd, allowed z.ufallows
#include <cmath>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"

namespace zod {

namespace {

double sq(double x) { return chk::fin(x * x); }

// Elastic buckling strength of one stress kind of the stiffened panel.
double ElasticStrength(const State& z, double psi, double xi, double rho) {
  const double pi = 3.141593f;
  const double C = chk::fin(psi * chk::sqrt(1 + sq(chk::div(rho * xi, psi))));
  return chk::fin(C * sq(pi) * z.e / (12 * 0.91) * sq(chk::div(z.t, z.l)));
}

}  // namespace

void CalcStiffBuckling(State& z) {
  StiffSection(z, z.stifftype);
  StiffTorsion(z);

  const double s = z.s, t = z.t, l = z.l, r = z.cylr;
  const double Ax = z.stiffsec.a;

  // Plating buckled under axial compression carries less; the width that
  // stays effective follows from the panel's own strength.
  if (z.sigx >= 0)
    z.se = chk::sgl(s);
  else
    z.se = chk::sgl(chk::div(s * z.fks * std::fabs(z.sigx), z.SigjSd * z.fT));
  StiffEffective(z);

  z.SigxSd = chk::div(z.sigx * (s * t + Ax), Ax + z.se * t);
  z.Isef = chk::sgl(z.effi);
  const float gamma = chk::sgl(chk::div(12 * 0.91 * z.Isef, s * t * t * t));
  z.Zl = chk::fin(chk::div(l * l, r * t) * std::sqrt(0.91));

  const double fEa = ElasticStrength(z, chk::div(1 + gamma, 1 + chk::div(Ax, z.se * t)), 0.702 * z.Zl, 0.5);
  const double fEtau =
      ElasticStrength(z, 5.34 + 1.82 * chk::pow(chk::div(l, s), 4.0 / 3.0) * chk::pow(gamma, 1.0 / 3.0),
                      0.856 * chk::pow(z.Zl, 0.75), 0.6);
  const double fEh = ElasticStrength(z, 2 * (1 + chk::sqrt(1 + gamma)), 1.04 * chk::sqrt(z.Zl), 0.6);

  // Compressive parts; the axial part follows the sign of the input stress.
  const double sa = z.sigx < 0 ? -z.SigxSd : 0;
  const double sh = z.SighSd < 0 ? -z.SighSd : 0;
  const double tau = std::fabs(z.tau);

  z.SigjSd = chk::sqrt(sq(z.SigxSd) - z.SigxSd * z.SighSd + sq(z.SighSd) + 3 * sq(tau));
  const float lamdas = chk::sgl(
      chk::sqrt(chk::div(z.fT, z.SigjSd) * (chk::div(sa, fEa) + chk::div(sh, fEh) + chk::div(tau, fEtau))));
  z.fks = chk::sgl(chk::div(z.fT, chk::sqrt(1 + chk::pow(lamdas, 4))));

  z.gm = 1.15;
  z.betaw = 1.0f;
  z.ufallows = z.dmethod == 0 ? z.ufb : chk::fin(z.ufb * z.betaw * z.gm);
  const float fksd = chk::sgl(chk::div(z.fks, z.gm));
  z.ufstiff = chk::div(z.SigjSd, fksd);

  // Texts go into the panel's own strings, which keep their storage.
  ResultPanel& p = z.stiffpanel;
  const char d = z.decsep;
  PutText(p.txt[0], "Stiffener Buckling: (Ch 3.6.3)");
  SetLine(p, 1, "se =", z.se, "0.0"_pat, d, "  mm");
  SetLine(p, 2, "Isef =", z.Isef, "0.000E+0"_pat, d, "  mm4");
  SetLine(p, 3, "fEa =", fEa, "0.0"_pat, d, "  MPa");
  SetLine(p, 4, "fEtau = ", fEtau, "0.0"_pat, d, "  MPa");
  SetLine(p, 5, "fEh = ", fEh, "0.0"_pat, d, "  MPa");
  SetLine(p, 6, "fT = ", z.fT, "0.0"_pat, d, "  MPa");
  SetStrengthLines(p, 7, {z.SighpSd, z.SigjSd, lamdas, z.fks, z.gm, fksd, z.ufstiff, z.ufallows}, d);
  z.ufstifftxt = p.val[13];
}

}  // namespace zod
