// Shared steps of the member sections.
//
// Glossary (lengths mm, areas mm2, second moments of area mm4):
//   H, B, tw, tf   height, flange width, web and flange thickness   Profile::h, b, tw, tf
//   c, r           bulb width dimension and bulb radius; for the     Profile::c, r
//                  trapezoid c is the offset a of the inclined webs
//   Ax             table area of a bulb flat                         (returned by TakeDimensions)
//   hw             web height                                        State::hw
//   ef             flange eccentricity                               (argument)
//   A, Aw, Af      area of the profile, of its web, of one flange    sec.a, sec.aw, sec.af
//   g              mass per metre (kg/m), steel of 7850 kg/m3        sec.g
//   zg             centroid above the shell-side end of the web      sec.zg
//   Iy, Iz         second moments about the horizontal and the       sec.iy, sec.iz
//                  vertical centroidal axis
//   phi            slope of a trapezoid's inclined web from vertical
#include "engine/section_common.h"

#include <algorithm>
#include <cmath>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/format.h"
#include "engine/tables.h"

namespace zod::section {

namespace {

double Sq(double x) { return chk::fin(x * x); }
double Cube(double x) { return chk::fin(x * x * x); }

// Row `row` of a table. Rows past the last one loaded hold no profile, so
// asking for one (only a damaged case can) ends the calculation here rather
// than computing a section from empty numbers or reading past the table.
template <int Rows, int Cols>
const std::array<float, Cols + 1>& Row(const ProfileTable<Rows, Cols>& tab, std::int16_t row,
                                       const char* name) {
  if (row < 0 || row > tab.n || row >= Rows)
    throw Error(std::string("subscript out of range: row ") + std::to_string(row) + " of the " + name +
                " profile table (" + std::to_string(tab.n + 1) + " rows loaded)");
  return tab.v[static_cast<std::size_t>(row)];
}

}  // namespace

Profile StiffProfile(State& z) {
  return {z.stiffh, z.stiffb, z.stifftw, z.stifftf, z.stiffc, z.stiffr, z.stiffsec};
}

Profile GirdProfile(State& z) { return {z.girdh, z.girdb, z.girdtw, z.girdtf, z.girdc, z.girdr, z.girdsec}; }

void RequireKnownKind(std::int16_t kind) {
  if (kind < 0 || kind > 9) throw Error("invalid profile kind " + std::to_string(kind));
}

double TakeDimensions(State& z, std::int16_t kind, const Profile& p, TableRows rows, const BuiltUpRefs& mem) {
  switch (kind) {
    case 0: {
      const auto& row = Row(z.lprof, rows.l, "L");
      p.h = row[1], p.b = row[2], p.tw = row[3], p.tf = row[4];
      return 0;
    }
    case 1:
      p.h = mem.lbh, p.b = mem.lbb, p.tw = mem.lbtw, p.tf = mem.lbtf;
      return 0;
    case 2: {
      const auto& row = Row(z.tprof, rows.t, "T");
      p.h = row[1], p.b = row[2], p.tw = row[3], p.tf = row[4];
      return 0;
    }
    case 3:
      p.h = mem.tbh, p.b = mem.tbb, p.tw = mem.tbtw, p.tf = mem.tbtf;
      return 0;
    case 4: {
      const auto& row = Row(z.fprof, rows.f, "flat bar");
      p.h = row[1], p.tw = row[2];
      return 0;
    }
    case 5:
      p.h = mem.fbh, p.tw = mem.fbtw;
      return 0;
    case 6: {
      const auto& row = Row(z.bfprof, rows.hp, "bulb flat");
      p.h = row[1], p.tw = row[2], p.c = row[3], p.r = row[4];
      return row[5];
    }
    case 7:
      p.h = mem.rhsh, p.b = mem.rhsb, p.tw = mem.rhstw;
      p.tf = chk::sgl(p.tw);
      return 0;
    case 8:
      p.h = mem.usph, p.b = mem.uspb, p.tw = mem.usptw;
      p.tf = chk::sgl(p.tw);
      p.c = mem.uspa;
      return 0;
    case 9:
      p.h = mem.ibh, p.b = mem.ibb, p.tw = mem.ibtw, p.tf = mem.ibtf;
      return 0;
    default:
      RequireKnownKind(kind);
      return 0;
  }
}

float GoverningThickness(std::int16_t kind, double tw, float tf) {
  const bool flanged = kind <= 3 || kind == 9;
  return chk::sgl(flanged && tw > tf ? tw : (flanged ? tf : tw));
}

void BulbAsAngle(const Profile& p, double ax) {
  p.b = p.c + p.tw - 0.45 * p.r;
  p.tf = chk::sgl(chk::div(ax - p.h * p.tw, p.b - p.tw));
}

float WebLimit(std::int16_t kind, double tw, double e, double fy) {
  const double factor = IsFlatBar(kind) ? 0.4 : 1.35;
  return chk::sgl(factor * tw * chk::sqrt(chk::div(e, fy)));
}

double FlangeLimit(float tf, double e, double fy) { return chk::fin(0.4 * tf * chk::sqrt(chk::div(e, fy))); }

void CheckText(std::string& out, const char* label, double limit, bool ok, const char* eq, char dec) {
  out = label;
  AppendFormat(out, limit, "0"_pat, dec);
  out.append(" (Eq ").append(eq).append(") ==> ").append(ok ? "OK" : "NOK");
}

const std::string& StiffIcon(std::int16_t kind) {
  static const std::string icons[] = {"ico_stiff_l", "ico_stiff_l", "ico_stiff_t",  "ico_stiff_t",
                                      "ico_stiff_f", "ico_stiff_f", "ico_stiff_hp", "ico_stiff_rhs",
                                      "ico_stiff_u", "ico_stiff_i"};
  return icons[kind];
}

const std::string& GirdIcon(std::int16_t kind) {
  static const std::string icons[] = {"ico_gird_l", "ico_gird_l", "ico_gird_t",  "ico_gird_t",
                                      "ico_gird_f", "ico_gird_f", "ico_gird_hp", "ico_gird_rhs",
                                      "ico_gird_u", "ico_gird_i"};
  return icons[kind];
}

void Designation(std::string& out, std::int16_t kind, const Profile& p, char dec) {
  // "lead H x B x ... x t": each dimension after the first follows an "x"
  const auto dim = [&out, dec](double v, const NumberPattern& f) {
    out += 'x';
    AppendFormat(out, v, f, dec);
  };
  const auto start = [&out, &p, dec](const char* lead) {
    out = lead;
    AppendFormat(out, p.h, "00"_pat, dec);
  };
  switch (kind) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 9:
      start(kind <= 1 ? "L " : (kind <= 3 ? "T " : "I "));
      dim(p.b, "00"_pat);
      dim(p.tw, "0.0"_pat);
      dim(p.tf, "#0.0"_pat);
      break;
    case 4:
    case 5:
      start("Fb ");
      dim(p.tw, "0.0"_pat);
      break;
    case 6:
      start("BF ");
      dim(p.tw, "0.0"_pat);
      break;
    case 7:
      start("RHS ");
      dim(p.b, "00"_pat);
      dim(p.tw, "0.0"_pat);
      break;
    default:
      start("TPZ ");
      dim(p.b, "00"_pat);
      dim(p.c, "00"_pat);
      dim(p.tw, "0.0"_pat);
      break;
  }
}

void Properties(std::int16_t kind, const Profile& p, double hw, double ef, bool ringI) {
  const double H = p.h, B = p.b, tw = p.tw;
  const double tf = p.tf;
  // Worked out aside and stored only when every value is a number, so that
  // a fault half-way leaves the member's previous section whole. Only the
  // numbers are copied: a run that finishes allocates nothing.
  SectionValues s = p.sec;
  switch (kind) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 6:
      s.aw = hw * tw;
      s.af = chk::sgl(B * tf);
      s.a = s.aw + s.af;
      s.zg = chk::div(tw * Sq(hw) / 2 + B * tf * (H - tf / 2), s.a);
      s.iy = chk::fin((B * Cube(tf) + tw * Cube(hw)) / 12 + B * tf * Sq(H - tf / 2 - s.zg) +
                      tw * hw * Sq(hw / 2 - s.zg));
      s.iz = chk::fin(s.af * Sq(B) / 12 + chk::div(Sq(ef) * s.af, 1 + chk::div(s.af, s.aw)));
      break;
    case 4:
    case 5:
      s.aw = hw * tw;
      s.af = 0;
      s.a = s.aw;
      s.zg = hw / 2;
      s.iy = chk::fin(tw * Cube(hw) / 12);
      s.iz = chk::fin(hw * Cube(tw) / 12);
      break;
    case 7:
      s.a = chk::fin(H * B - (H - 2 * tw) * (B - 2 * tw));
      s.zg = H / 2;
      s.iy = chk::fin((B * Cube(H) - (B - 2 * tw) * Cube(H - 2 * tw)) / 12);
      break;
    case 8: {
      const double phi = std::atan(chk::div(p.c, H));
      const double webs = chk::div(2 * hw * tw, std::cos(phi));  // both inclined webs
      s.a = B * tw + webs;
      s.zg = chk::div(B * tf * (H - tf / 2) + chk::div(Sq(hw) * tw, std::cos(phi)), s.a);
      s.iy = chk::fin((B * Cube(tf) + chk::div(2 * tw * Cube(hw), std::cos(phi))) / 12 +
                      B * tf * Sq(H - tf / 2 - s.zg) + webs * Sq(hw / 2 - s.zg));
      break;
    }
    default:  // 9: I built up
      s.aw = hw * tw;
      s.af = chk::sgl(B * tf);
      s.a = s.aw + 2.0 * s.af;
      s.zg = ringI ? chk::div(B * tf * (H - tf / 2) + B * tf * tf / 2 + tw * hw * (hw / 2 + tf), s.a) : H / 2;
      s.iy = chk::fin((2 * B * Cube(tf) + tw * Cube(hw)) / 12 + B * tf * Sq(H - tf / 2 - s.zg) +
                      tw * hw * Sq(hw / 2 + tf - s.zg) + B * tf * Sq(tf / 2 - s.zg));
      // Sideways bending of the free flange alone: the flange at the shell
      // is held by the plate.
      s.iz = chk::fin(s.af * Sq(B) / 12);
      break;
  }
  s.g = s.a * 7850 / 1000000;
  for (double v : {s.a, s.aw, static_cast<double>(s.af), s.g, s.zg, s.iy, s.iz}) chk::fin(v);
  static_cast<SectionValues&>(p.sec) = s;
}

}  // namespace zod::section

namespace zod {

CaseProfile ProfileOfCase(State& z, Member m) {
  const bool stiff = m == Member::Stiffener;
  const std::int16_t kind = stiff ? z.stifftype : z.girdtype;
  CaseProfile out;
  if (kind < 0 || kind > 9) return out;
  out.icon = stiff ? section::StiffIcon(kind) : section::GirdIcon(kind);
  SectionResults unused;
  const section::Profile p{out.h, out.b, out.tw, out.tf, out.c, out.r, unused};
  const section::TableRows rows = stiff ? section::TableRows{z.istiffl, z.istifft, z.istifff, z.istiffhp}
                                        : section::TableRows{z.igirdl, z.igirdt, z.igirdf, z.igirdhp};
  try {
    section::TakeDimensions(z, kind, p, rows, BuiltUp(z, m));
    out.tmat = section::GoverningThickness(kind, out.tw, out.tf);
  } catch (const Error&) {
    return out;
  }
  out.known = true;
  section::Designation(out.name, kind, p, z.decsep);
  return out;
}

void GetFyOfCase(State& z, Member m) {
  const CaseProfile p = ProfileOfCase(z, m);
  if (!p.known) return;
  z.tmat = p.tmat;
  m == Member::Stiffener ? GetFys(z, z.mats) : GetFyg(z, z.matg);
}

}  // namespace zod
