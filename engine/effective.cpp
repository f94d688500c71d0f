// The section of a member together with the shell plate that acts with it,
// and the torsional buckling strength of its profile, which the stiffener and
// ring-frame checks use in place of the yield strength. Stiffener and ring
// frame share one effective section and one fT: each check computes them
// right before it uses them.
//
// Glossary (lengths mm, areas mm2, second moments mm4, stresses MPa)
//   t          z.t                      shell thickness
//   r          z.cylr                   cylinder radius to the plate's centre line
//   E          z.e                      Young's modulus
//   G                                   shear modulus, E / 2.6
//   w          z.se / z.le              effective shell width acting with the member
//   H, tw, tf  z.stiffh.. / z.girdh..   profile height, web and flange thickness
//   A, Aw, Af  sec.a, sec.aw, sec.af    profile area, web area, area of one flange
//   zg         sec.zg                   centroid height above the shell-side end of the web
//   Iy, Iz     sec.iy, sec.iz           second moments about the profile's horizontal / vertical axis
//   Aeff       z.effa                   area of profile plus plate
//   e          z.effe                   neutral axis of profile plus plate, from the plate's mid-plane
//   zt         z.effzt                  neutral axis to the profile's free edge
//   Ieff       z.effi                   second moment of profile plus plate about its neutral axis
//   rc, rf     z.girdrc, z.girdrf       radius to the ring's neutral axis and to its flange
//   sc                                  plate length restraining the profile: s (stiffener), leo (ring)
//   lT         z.lt / z.gilt            lateral torsional buckling length
//   C, beta                             rotational restraint coefficient and its factor
//   fET                                 elastic torsional buckling stress
//   lambdaT                             reduced torsional slenderness
//   fy         z.fys / z.fyg            yield strength of the member; fyp that of the plate
//   fT         z.fT                     torsional buckling strength
#include <cmath>
#include <string>

#include "engine/calc.h"
#include "engine/checked.h"

namespace zod {

namespace {

double sq(double x) { return chk::fin(x * x); }

void Effective(State& z, const SectionResults& sec, double H, double w) {
  const double t = z.t;
  z.effa = chk::fin(sec.a + w * t);
  z.effe = chk::div(sec.a * (sec.zg + t / 2), z.effa);
  z.effzt = chk::fin(H + t / 2 - z.effe);
  z.effi = chk::fin(sec.iy + w * t * t * t / 12 + sec.a * sq(sec.zg + t / 2 - z.effe) + w * t * sq(z.effe));
}

// How fET follows from the profile's shape.
enum class Shape {
  Flanged,    // web with a flange: L, T, bulb flat (as an angle)
  TwoFlange,  // web between two flanges: the web height loses both
  FlatBar,
  Closed,  // no torsional reduction: fT = fy
};

struct Torsion {
  int kind;
  Shape shape;
  double H, tw, tf, Aw, Af, Iz;
  double sc, lT, fy;
};

// Torsional buckling strength before the ring's cold-forming factor and the
// cap by the plate's yield strength.
double TorsionalStrength(const State& z, const Torsion& m) {
  const double E = z.e;
  const double G = E / 2.6;
  double C = 0;
  if (z.ufchar < 1) {
    // L and T count the web below the flange; every later kind its full height
    const double hc = m.kind <= 3 ? m.H - m.tf : m.H;
    C = chk::fin(chk::div(hc, m.sc) * chk::pow(chk::div(z.t, m.tw), 3) * chk::sqrt(1 - z.ufchar));
  }
  const double beta = chk::div(3 * C + 0.2, C + 0.2);
  // The restraint above is worked out for every kind, so a web of no
  // thickness ends the run here also for the profiles that simply take fy.
  if (m.shape == Shape::Closed) return m.fy;

  float fET;
  if (m.shape == Shape::FlatBar) {
    fET = chk::sgl(G * (beta + chk::div(0.2 * m.H, z.cylr)) * sq(chk::div(m.tw, m.H)));
  } else {
    const double pi = 3.1415927f;
    const double hw = m.shape == Shape::TwoFlange ? m.H - 2 * m.tf : m.H - m.tf;
    const double warping =
        beta * G * chk::div(m.Aw + sq(chk::div(m.tf, m.tw)) * m.Af, m.Aw + 3 * m.Af) * sq(chk::div(m.tw, hw));
    const double sideways = chk::div(sq(pi) * E * m.Iz, (m.Aw / 3 + m.Af) * sq(m.lT));
    fET = chk::sgl(warping + sideways);
  }

  const double lambdaT = chk::sqrt(chk::div(m.fy, fET));
  if (lambdaT <= 0.6) return m.fy;
  const double mu = 0.35 * (lambdaT - 0.6);
  const float k = chk::sgl(1 + mu + sq(lambdaT));
  return chk::fin(m.fy * (k - chk::sqrt(sq(k) - 4 * sq(lambdaT))) / (2 * sq(lambdaT)));
}

void StoreTorsion(State& z, double fT) {
  if (fT > z.fyp) fT = z.fyp;
  z.fT = chk::sgl(fT);
}

// A kind beyond the ten profile kinds has no torsional strength; going on
// would leave the previous member's fT in place.
void CheckKind(int kind) {
  if (kind < 0 || kind > 9) throw Error("unknown profile kind " + std::to_string(kind));
}

}  // namespace

void StiffEffective(State& z) { Effective(z, z.stiffsec, z.stiffh, z.se); }

void GirdEffective(State& z) {
  Effective(z, z.girdsec, z.girdh, z.le);
  const double r = z.cylr, H = z.girdh, t = z.t;
  if (z.outside != 0) {
    z.girdrc = chk::fin(r + z.effe);
    z.girdrf = chk::sgl(r + H + t / 2);
  } else {
    z.girdrc = chk::fin(r - z.effe);
    z.girdrf = chk::sgl(r - H - t / 2);
  }
}

void StiffTorsion(State& z) {
  const int kind = z.stifftype;
  CheckKind(kind);
  const Shape shape = kind == 4 || kind == 5 ? Shape::FlatBar : kind >= 7 ? Shape::Closed : Shape::Flanged;
  const Torsion m{kind,          shape,         z.stiffh, z.stifftw, z.stifftf, z.stiffsec.aw,
                  z.stiffsec.af, z.stiffsec.iz, z.s,      z.lt,      z.fys};
  StoreTorsion(z, TorsionalStrength(z, m));
}

void GirdTorsion(State& z) {
  const int kind = z.girdtype;
  CheckKind(kind);
  const Shape shape = kind == 4 || kind == 5   ? Shape::FlatBar
                      : kind == 7 || kind == 8 ? Shape::Closed
                      : kind == 9              ? Shape::TwoFlange
                                               : Shape::Flanged;
  const Torsion m{kind,         shape,        z.girdh, z.girdtw, z.girdtf, z.girdsec.aw,
                  z.girdsec.af, z.girdsec.iz, z.leo,   z.gilt,   z.fyg};
  double fT = TorsionalStrength(z, m);
  if (z.ringfab != 0) fT *= 0.9;  // cold-formed ring frames
  StoreTorsion(z, fT);
}

}  // namespace zod
