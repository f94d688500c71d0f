// Section of the ring frame and its local-buckling proportion checks: web
// height, web slenderness against the radius to the ring's inner edge,
// flange outstand and flange eccentricity.
//
// Glossary (lengths mm, stresses MPa):
//   kind        ProfileType 0..9                          argument (callers pass girdtype)
//   H, B, tw    height, flange width, web thickness       girdh, girdb, girdtw
//   tf          flange thickness (single)                 girdtf
//   c, r        bulb c (trapezoid: offset a), bulb r      girdc, girdr
//   tmat        thickness of the yield-strength look-up   tmat
//   fy          yield strength of the ring frame          fyg
//   E           Young's modulus                           e
//   r_cyl, t    cylinder radius, shell thickness          cylr, t
//   rf          radius to the ring's inner edge,          (local)
//               r_cyl - t/2 - H (always taken inside)
//   hw          web height                                hw
//   bo, ef      flange outstand and eccentricity          (local)
//   hlim, slim  web-height and web-slenderness limits     (local; single)
//   section     A, Aw, Af, g, zg, Iy, Iz, designation     girdsec
#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"
#include "engine/section_common.h"

namespace zod {
namespace {

// The ring frame's dimensions from its table row or its built-up memory; a
// flat bar has no flange. Returns the bulb flat's table area.
double TakeGirdDimensions(State& z, std::int16_t kind, const section::Profile& p) {
  const double ax = section::TakeDimensions(z, kind, p, {z.igirdl, z.igirdt, z.igirdf, z.igirdhp},
                                            BuiltUp(z, Member::RingFrame));
  if (section::IsFlatBar(kind)) p.tf = 0;
  return ax;
}

}  // namespace

RingHeight RingHeightOfCase(State& z) {
  using namespace section;
  ProfileCopy copy(GirdProfile(z));
  const Profile p = copy.profile();
  try {
    RequireKnownKind(z.girdtype);
    const double ax = TakeGirdDimensions(z, z.girdtype, p);
    if (z.girdtype == 6) BulbAsAngle(p, ax);
  } catch (const Error&) {
    return {};
  }
  return {copy.h, copy.tf};
}

void GirdSection(State& z, std::int16_t kind) {
  using namespace section;
  RequireKnownKind(kind);
  const Profile p = GirdProfile(z);

  const double ax = TakeGirdDimensions(z, kind, p);
  if (kind == 6) p.sec.a = ax;

  z.tmat = GoverningThickness(kind, p.tw, p.tf);
  GetFyg(z, z.matg);
  z.view().SetText("ifyg", Format(z.fyg, "#000"_pat, z.decsep));

  if (kind == 6) BulbAsAngle(p, ax);

  double bo = 0, ef = 0;
  if (kind <= 3 || kind == 6) {
    z.hw = chk::fin(p.h - p.tf);
    if (IsOneSided(kind)) {
      bo = p.b - p.tw;
      ef = (p.b - p.tw) / 2;
    } else {
      bo = (p.b - p.tw) / 2;
    }
  } else if (kind == 9) {
    z.hw = chk::fin(p.h - 2.0 * p.tf);  // the web between the two flanges
    bo = (p.b - p.tw) / 2;
  } else if (IsFlatBar(kind)) {
    z.hw = p.h;
  } else if (kind == 7) {
    z.hw = chk::fin(p.h - 2 * p.tw);
  } else {
    z.hw = chk::fin(p.h - p.tf);
  }

  // Closed profiles (RHS, trapezoid) have no proportion checks.
  if (kind <= 6 || kind == 9) {
    const double e = z.e, fy = z.fyg, hw = z.hw, H = p.h, B = p.b, tw = p.tw, tf = p.tf;
    const float hlim = WebLimit(kind, tw, e, fy);
    CheckText(z.girdwebtxt1, "h <= ", hlim, hw <= hlim, IsFlatBar(kind) ? "3.10.1" : "3.10.2", z.decsep);

    if (!IsFlatBar(kind)) {
      const double rf = z.cylr - z.t / 2 - H;
      if (rf > 0) {
        const float slim = chk::sgl(2.0 / 3.0 * chk::sqrt(chk::div(rf * hw * tw * e, hw * B * tf * fy)));
        CheckText(z.girdwebtxt2, "h/tw <= ", slim, chk::div(hw, tw) <= slim, "3.10.4", z.decsep);
      } else {
        // A ring reaching the cylinder's axis has no slenderness limit: no
        // web can satisfy it, so the check fails, showing the limit's value
        // at rf = 0.
        z.view().Message(" r > height of ringframe  ");
        z.view().SetFocus("icylr");
        chk::div(hw, tw);  // a web of no thickness still ends the run
        CheckText(z.girdwebtxt2, "h/tw <= ", 0, false, "3.10.4", z.decsep);
      }

      if (kind != 6) {
        const double blim = FlangeLimit(p.tf, e, fy);
        CheckText(z.girdflangetxt1, "bf <= ", blim, bo <= blim, "3.10.3", z.decsep);
        const double elim = chk::div(1.0 / 3.0 * rf * hw * tw, hw * B * tf);
        CheckText(z.girdflangetxt2, "ef/tw <= ", elim, chk::div(ef, tw) <= elim, "3.10.5", z.decsep);
      }
    }
  }

  z.view().SetPicture("cmdpic_gird", GirdIcon(kind));

  Designation(z.girdsec.name, kind, p, z.decsep);
  z.view().SetCaption("ringprof", z.girdsec.name);

  Properties(kind, p, z.hw, ef, true);
  z.girddone = true;
}

}  // namespace zod
