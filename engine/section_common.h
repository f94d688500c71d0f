// What the stiffener and the ring-frame section computations share: taking a
// profile's dimensions by kind, the governing thickness, the bulb flat as an
// equivalent angle, the designation, the proportion-check texts and the
// section properties. Each member keeps its own limits, texts and order of
// window effects in its own file.
#pragma once

#include <cstdint>
#include <string>

#include "engine/state.h"

namespace zod::section {

// The profile of one member as the state holds it: the governing dimensions
// (in the design case) and the computed section.
struct Profile {
  double& h;  // height H
  double& b;  // flange width B (RHS, trapezoid: top width)
  double& tw;
  float& tf;
  double& c;  // bulb dimension c, or the trapezoid's offset a
  double& r;  // bulb radius r
  SectionResults& sec;
};
Profile StiffProfile(State& z);
Profile GirdProfile(State& z);

// A copy of a member's dimensions with a section of its own, to work the
// profile out aside: whatever is done to it leaves the state as it was.
struct ProfileCopy {
  explicit ProfileCopy(const Profile& p) : h(p.h), b(p.b), tw(p.tw), tf(p.tf), c(p.c), r(p.r) {}
  double h, b, tw;
  float tf;
  double c, r;
  SectionResults sec;
  Profile profile() { return {h, b, tw, tf, c, r, sec}; }
};

// The chosen table rows of one member.
struct TableRows {
  std::int16_t l, t, f, hp;
};

// Ends the calculation for a kind outside 0..9: only a damaged stored case
// can hold one, and no part of the section would be right for it.
void RequireKnownKind(std::int16_t kind);

// Takes the dimensions of `kind` from its table row or its built-up memory.
// Only what the kind defines is written; the flat bar's tf and B stay as
// they are (the ring frame clears tf itself), the closed profiles get tf = tw.
// A row that was never loaded ends the calculation before anything is
// written. Returns the bulb flat's table area Ax (0 for the other kinds).
double TakeDimensions(State& z, std::int16_t kind, const Profile& p, TableRows rows, const BuiltUpRefs& mem);

// The thickness that selects the yield-strength band: the thicker of web and
// flange for flanged profiles, the web for the others.
float GoverningThickness(std::int16_t kind, double tw, float tf);

// The bulb flat as an angle of the same area: B := c + tw - 0.45 r, and tf
// from the table area.
void BulbAsAngle(const Profile& p, double ax);

// Flat bars and the two profiles that behave like them in the checks.
inline bool IsFlatBar(std::int16_t kind) { return kind == 4 || kind == 5; }
// Profiles with a flange on one side only: L profiles and the bulb flat.
inline bool IsOneSided(std::int16_t kind) { return kind == 0 || kind == 1 || kind == 6; }

// Web-height limit hlim, kept in single precision: 1.35 tw sqrt(E / fy) for
// flanged profiles, 0.4 tw sqrt(E / fy) for flat bars.
float WebLimit(std::int16_t kind, double tw, double e, double fy);
// Flange outstand limit 0.4 tf sqrt(E / fy).
double FlangeLimit(float tf, double e, double fy);

// "h <= 312 (Eq 3.10.7) ==> OK": the label, the limit as a whole number and
// the verdict with its equation number, written into `out`.
void CheckText(std::string& out, const char* label, double limit, bool ok, const char* eq, char dec);

// Icon of the picture button by kind 0..9, e.g. "ico_stiff_l", "ico_gird_hp".
const std::string& StiffIcon(std::int16_t kind);
const std::string& GirdIcon(std::int16_t kind);

// "L 200x90x9.0x12.0", "Fb 100x10.0", "TPZ 200x90x50x9.0", ..., written into
// `out`.
void Designation(std::string& out, std::int16_t kind, const Profile& p, char dec);

// Areas, mass, centroid and second moments of area of `kind`, from the
// profile's dimensions and the web height hw. Fields a kind does not define
// keep their values. `ringI` selects the ring frame's I profile, whose web
// sits between its two flanges (its centroid follows from the parts).
void Properties(std::int16_t kind, const Profile& p, double hw, double ef, bool ringI);

}  // namespace zod::section
