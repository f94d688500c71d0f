// Section of the longitudinal stiffener and its local-buckling proportion
// checks (web height, flange outstand).
//
// Glossary (lengths mm, stresses MPa):
//   kind        ProfileType 0..9                          argument (callers pass stifftype)
//   H, B, tw    height, flange width, web thickness       stiffh, stiffb, stifftw
//   tf          flange thickness (single)                 stifftf
//   c, r        bulb c (trapezoid: offset a), bulb r      stiffc, stiffr
//   tmat        thickness of the yield-strength look-up   tmat
//   fy          yield strength of the stiffener           fys
//   E           Young's modulus                           e
//   hw          web height                                hw
//   bo          free flange outstand                      (local)
//   ef          flange eccentricity                       (local)
//   hlim, blim  web-height and flange-outstand limits     (local; hlim single)
//   section     A, Aw, Af, g, zg, Iy, Iz, designation     stiffsec
#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"
#include "engine/section_common.h"

namespace zod {
namespace {

double TakeStiffDimensions(State& z, std::int16_t kind, const section::Profile& p) {
  return section::TakeDimensions(z, kind, p, {z.istiffl, z.istifft, z.istifff, z.istiffhp},
                                 BuiltUp(z, Member::Stiffener));
}

struct Web {
  double hw, bo, ef;
};

// Web height, free flange outstand and flange eccentricity. The I profile
// counts one flange thickness off its web, like the T; the RHS has no web
// check and keeps the web height `hw` it is given.
Web StiffWeb(std::int16_t kind, const section::Profile& p, double hw) {
  using namespace section;
  Web w{hw, 0, 0};
  if (kind <= 3 || kind == 6 || kind == 9) {
    w.hw = chk::fin(p.h - p.tf);
    if (IsOneSided(kind)) {
      w.bo = p.b - p.tw;
      w.ef = (p.b - p.tw) / 2;
    } else {
      w.bo = (p.b - p.tw) / 2;
    }
  } else if (IsFlatBar(kind)) {
    w.hw = p.h;
  } else if (kind == 8) {
    w.hw = chk::fin(p.h - p.tw);
  }
  return w;
}

}  // namespace

double StiffAreaOfCase(State& z) {
  using namespace section;
  ProfileCopy copy(StiffProfile(z));
  const Profile p = copy.profile();
  try {
    RequireKnownKind(z.stifftype);
    const double ax = TakeStiffDimensions(z, z.stifftype, p);
    if (z.stifftype == 6) BulbAsAngle(p, ax);
    const Web w = StiffWeb(z.stifftype, p, z.hw);
    Properties(z.stifftype, p, w.hw, w.ef, false);
  } catch (const Error&) {
    return 0;
  }
  return copy.sec.a;
}

void StiffSection(State& z, std::int16_t kind) {
  using namespace section;
  RequireKnownKind(kind);
  const Profile p = StiffProfile(z);

  const double ax = TakeStiffDimensions(z, kind, p);

  z.tmat = GoverningThickness(kind, p.tw, p.tf);
  GetFys(z, z.mats);
  z.view().SetText("ifys", Format(z.fys, "#000"_pat, z.decsep));

  if (kind == 6) BulbAsAngle(p, ax);

  const Web web = StiffWeb(kind, p, z.hw);
  z.hw = web.hw;
  const double bo = web.bo, ef = web.ef;

  // Closed profiles (RHS, trapezoid) have no proportion checks.
  if (kind <= 6 || kind == 9) {
    const double e = z.e, fy = z.fys;
    const float hlim = WebLimit(kind, p.tw, e, fy);
    CheckText(z.stiffwebtxt, "h <= ", hlim, z.hw <= hlim, IsFlatBar(kind) ? "3.10.6" : "3.10.7", z.decsep);
    if (kind <= 3 || kind == 9) {
      const double blim = FlangeLimit(p.tf, e, fy);
      CheckText(z.stiffflangetxt, "bf <= ", blim, bo <= blim, "3.10.9", z.decsep);
    }
  }

  z.view().SetPicture("cmdpic_stiff", StiffIcon(kind));

  Designation(z.stiffsec.name, kind, p, z.decsep);
  z.view().SetCaption("stiffprof", z.stiffsec.name);

  Properties(kind, p, z.hw, ef, false);
  z.stiffdone = true;
}

}  // namespace zod
