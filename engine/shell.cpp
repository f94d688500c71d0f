// Shell buckling of the cylinder between ring frames and buckling of the
// curved panel between two longitudinal stiffeners. Both fill the shell panel.
//
// Glossary (lengths mm, stresses MPa)
//   r      cylr      radius of the cylinder to the plate's centre line
//   t      t         shell thickness
//   l      l         distance between ring frames (length of the shell check)
//   s      spanel    panel width, the stiffener spacing (length of the panel check)
//   E      e         Young's modulus
//   fy     fyp       yield strength of the plate
//   Z      Zl        curvature parameter of the shell, l² / (r t) · √(1 − ν²)
//   Zs               curvature parameter of the panel, s² / (r t) · √(1 − ν²)
//   ψ ξ ρ            coefficients of the reduced buckling coefficient C = ψ √(1 + (ρ ξ / ψ)²)
//   fEa    fEa       elastic buckling strength, axial stress
//   fEm              elastic buckling strength, bending stress (shell check)
//   fEτ    fEtau     elastic buckling strength, shear stress
//   fEh    fEh       elastic buckling strength, hoop stress
//   σa,Sd  SigaSd    compressive part of the axial design stress
//   σm,Sd  SigmSd    design bending stress (column case)
//   σh,Sd  SighSd    total design hoop stress; SighpSd its pressure part
//   τSd    tau       design shear stress
//   σj,Sd  SigjSd    von Mises equivalent design stress
//   λs     lamdas    reduced shell slenderness
//   fks    fks       characteristic buckling strength
//   γM     gm        material factor
//   β      betaw     slenderness factor of the working-stress format
//   fksd             design buckling strength fks / γM
#include <cmath>
#include <string>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"

namespace zod {
namespace {

constexpr float kPi = 3.1415927f;
constexpr double kOneMinusNu2 = 1 - 0.3 * 0.3;

// fE = C π² E / (12 (1 − ν²)) (t / L)², with C kept in single precision.
double ElasticStrength(const State& z, double psi, double xi, double rho, double length) {
  const double rx = chk::div(rho * xi, psi);
  const float c = chk::sgl(psi * chk::sqrt(1 + rx * rx));
  const double pi2 = static_cast<double>(kPi) * kPi;
  const double tl = chk::div(z.t, length);
  return chk::fin(c * pi2 * z.e / (12 * kOneMinusNu2) * (tl * tl));
}

// Compressive parts count; tension counts as 0.
double Compression(double stress) { return stress < 0 ? -stress : 0; }

// What both checks share once the elastic strengths and the equivalent stress
// are known: slenderness, strengths, factors, the usage factor and the panel.
struct Strengths {
  double fEtau, fEm;       // fEm only in the shell check
  double fE2;              // the value shown on panel line 2
  double sa, sm, sh, tau;  // compressive parts and |τ|; sm only in the shell check
  bool panelCheck;
  const char* title;
  const char* label2;
};

void Finish(State& z, const Strengths& s) {
  // A case with no stress at all has σj = 0 and ends the run here.
  const double ratio = chk::div(z.fyp, z.SigjSd);
  double sum = chk::div(s.sa, z.fEa);
  if (!s.panelCheck) sum += chk::div(s.sm, s.fEm);
  sum += chk::div(s.sh, z.fEh) + chk::div(s.tau, s.fEtau);
  z.lamdas = chk::sgl(chk::sqrt(ratio * sum));
  const double lam = z.lamdas, lam2 = lam * lam;
  z.fks = chk::sgl(chk::div(z.fyp, chk::sqrt(1 + lam2 * lam2)));
  z.ufchar = chk::div(z.SigjSd, z.fks);

  if (z.dmethod == 0) {
    if (lam < 0.5)
      z.gm = 1.15;
    else if (lam <= 1.0)
      z.gm = 0.85 + 0.6 * lam;
    else
      z.gm = 1.45;
    if (s.panelCheck) z.betaw = 1.0f;
    z.ufallow = z.ufb;
  } else {
    if (lam < 0.5)
      z.betaw = 1.0f;
    else if (lam <= 1.0)
      z.betaw = chk::sgl(1.2 - 0.4 * lam);
    else
      z.betaw = 0.8f;
    z.gm = 1.15;
    z.ufallow = chk::fin(z.ufb * z.betaw * z.gm);
  }

  const float fksd = chk::sgl(chk::div(z.fks, z.gm));
  z.ufshell = chk::div(z.SigjSd, fksd);

  // The panel is written only now, so a fault above leaves the last one shown.
  // Texts go into the panel's own strings, which keep their storage.
  const char d = z.decsep;
  ResultPanel& p = z.shellpanel;
  PutText(p.txt[0], s.title);
  SetLine(p, 1, "fEa = ", z.fEa, "0.0"_pat, d, "  MPa");
  SetLine(p, 2, s.label2, s.fE2, "0.0"_pat, d, "  MPa");
  SetLine(p, 3, "fEh = ", z.fEh, "0.0"_pat, d, "  MPa");
  SetStrengthLines(p, 4, {z.SighpSd, z.SigjSd, z.lamdas, z.fks, z.gm, fksd, z.ufshell, z.ufallow}, d);
}

}  // namespace

void SetStrengthLines(ResultPanel& p, int first, const StrengthLines& v, char d) {
  const int i = first;
  SetLine(p, i, "SighSd = ", v.sighp, "0.0"_pat, d, "  MPa (only lateral pressure)");
  SetLine(p, i + 1, "SigjSd = ", v.sigj, "0.0"_pat, d, "  MPa ");
  SetLine(p, i + 2, "lamdas = ", v.lamdas, "0.00"_pat, d, " ");
  SetLine(p, i + 3, "fks = ", v.fks, "0.0"_pat, d, "  MPa");
  SetLine(p, i + 4, "gm = ", v.gm, "0.00"_pat, d, " ");
  SetLine(p, i + 5, "fksd = ", v.fksd, "0.0"_pat, d, "  MPa");
  // the usage factor's label repeats σj,Sd and fksd as shown above
  std::string& label = p.txt[i + 6];
  label.assign("UF = SigjSd/fksd = ").append(p.val[i + 1]).append("/").append(p.val[i + 5]).append(" = ");
  FormatInto(p.val[i + 6], v.uf, kUsageFactorFormat, d);
  p.unit[i + 6].assign(" <= ");
  AppendFormat(p.unit[i + 6], v.allowed, "0.00"_pat, d);
}

void CalcShellBuckling(State& z) {
  const double r = z.cylr, t = z.t, l = z.l, E = z.e;
  const double Z = z.Zl;
  const double rt = chk::sqrt(chk::div(r, t));

  Strengths s{};
  s.title = "Shell Buckling: (Ch 3.4.2)";
  s.label2 = "fEtau/fEm = ";

  z.fEa = ElasticStrength(z, 1, 0.702 * Z, 0.5 * chk::pow(1 + chk::div(r, 150 * t), -0.5), l);
  s.fEm = ElasticStrength(z, 1, 0.702 * Z, 0.5 * chk::pow(1 + chk::div(r, 300 * t), -0.5), l);
  s.fEtau = ElasticStrength(z, 5.34, 0.856 * chk::pow(Z, 0.75), 0.6, l);
  // Long shells: the length no longer matters.
  if (chk::div(l, r) > 3.85 * rt) s.fEtau = 0.25 * E * chk::pow(chk::div(t, r), 1.5);
  z.fEh = chk::sgl(ElasticStrength(z, 4, 1.04 * chk::sqrt(Z), 0.6, l));
  if (chk::div(l, r) > 2.25 * rt) z.fEh = chk::sgl(0.25 * E * chk::pow(chk::div(t, r), 2));

  s.sa = z.sigx < 0 ? -z.SigxSd : 0;
  z.SigaSd = s.sa;
  s.sm = Compression(z.SigmSd);
  s.sh = Compression(z.SighSd);
  s.tau = std::fabs(z.tau);

  const double sx = z.SigxSd + z.SigmSd, sh = z.SighSd;
  z.SigjSd = chk::sqrt(sx * sx - sx * sh + sh * sh + 3 * s.tau * s.tau);

  s.fE2 = z.cylinder == 3 ? s.fEm : s.fEtau;
  s.panelCheck = false;
  Finish(z, s);
}

void CalcPanelBuckling(State& z) {
  const double r = z.cylr, t = z.t, l = z.l, sp = z.spanel;
  const double Zs = chk::div(sp * sp, r * t) * std::sqrt(kOneMinusNu2);
  const double sl = chk::div(sp, l);

  Strengths s{};
  s.title = "Shell Buckling: (Ch 3.3.2)";
  s.label2 = "fEtau = ";

  z.fEa = ElasticStrength(z, 4, 0.702 * Zs, 0.5 * chk::pow(1 + chk::div(r, 150 * t), -0.5), sp);
  s.fEtau = ElasticStrength(z, 5.34 + 4 * sl * sl, 0.856 * chk::pow(sl, 0.5) * chk::pow(Zs, 0.75), 0.6, sp);
  const double psiH = (1 + sl * sl) * (1 + sl * sl);
  z.fEh = chk::sgl(ElasticStrength(z, psiH, 1.04 * sl * chk::sqrt(Zs), 0.6, sp));

  s.sa = z.sigx < 0 ? -z.SigxSd : 0;
  s.sh = Compression(z.SighSd);
  s.tau = std::fabs(z.tau);

  const double sx = z.SigxSd, sh = z.SighSd;
  z.SigjSd = chk::sqrt(sx * sx - sx * sh + sh * sh + 3 * s.tau * s.tau);

  s.fE2 = s.fEtau;
  s.panelCheck = true;
  Finish(z, s);
}

}  // namespace zod
