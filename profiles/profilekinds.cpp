#include "profiles/profilekinds.h"

#include <algorithm>

#include "engine/format.h"

namespace zod::profiles {

namespace {

const char* const kSuffix[kKinds] = {"l", "lb", "t", "tb", "f", "fb", "hp", "rhs", "usp", "ib"};

// Captions as the dialogs show them; some carry two blanks after the colon.
const char* const kStiffCaption[kKinds] = {"Stiffener:  L-table",       "Stiffener: L-built-up",
                                           "Stiffener: T-table",        "Stiffener: T-built-up",
                                           "Stiffener:  Flatbar-table", "Stiffener: Flatbar-built-up",
                                           "Stiffener: Bulb Flat",      "Stiffener:  RHS",
                                           "Stiffener: Trapez-profile", "Stiffener: I-built-up"};
const char* const kGirdCaption[kKinds] = {"Ringframe:  L-table",       "Ringframe: L-built-up",
                                          "Ringframe: T-table",        "Ringframe: T-built-up",
                                          "Ringframe: Flatbar-table",  "Ringframe: Flatbar-built-up",
                                          "Ringframe: Bulb Flat",      "Ringframe: RHS",
                                          "Ringframe: Trapez-profile", "Ringframe: I-built-up"};

const double kFactor[kKinds] = {0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 0.5};

bool IsFlanged(int kind) { return kind <= 3 || kind == 9; }

// The current section's value of one dimension.
double SectionDim(const State& z, Member m, Dim d) {
  const bool s = m == Member::Stiffener;
  switch (d) {
    case Dim::H:
      return s ? z.stiffh : z.girdh;
    case Dim::B:
      return s ? z.stiffb : z.girdb;
    case Dim::Tw:
      return s ? z.stifftw : z.girdtw;
    case Dim::Tf:
      return s ? z.stifftf : z.girdtf;
    case Dim::A:
    case Dim::C:
      return s ? z.stiffc : z.girdc;
    case Dim::R:
      return s ? z.stiffr : z.girdr;
  }
  return 0;
}

template <class Table>
void AddRows(std::vector<std::string>& out, const Table& t, const char* word, int cols, char dec) {
  const int last = std::min<int>(t.n, Table::kRows - 1);
  for (int i = 0; i <= last; ++i) {
    std::string s = word;
    for (int c = 1; c <= cols; ++c) {
      if (c > 1) s += 'x';
      s += NumText(t.v[i][c], dec);
    }
    out.push_back(std::move(s));
  }
}

}  // namespace

std::vector<Dim> Dims(int kind) {
  switch (kind) {
    case 4:
    case 5:
      return {Dim::H, Dim::Tw};
    case 6:
      return {Dim::H, Dim::Tw, Dim::C, Dim::R, Dim::B, Dim::Tf};
    case 7:
      return {Dim::H, Dim::B, Dim::Tw};
    case 8:
      return {Dim::H, Dim::B, Dim::A, Dim::Tw};
    default:
      return IsKind(kind) ? std::vector<Dim>{Dim::H, Dim::B, Dim::Tw, Dim::Tf} : std::vector<Dim>{};
  }
}

const char* DimLabel(Dim d) {
  switch (d) {
    case Dim::H:
      return "H =";
    case Dim::B:
      return "B =";
    case Dim::A:
      return "a =";
    case Dim::Tw:
      return "tw =";
    case Dim::Tf:
      return "tf =";
    case Dim::C:
      return "c =";
    case Dim::R:
      return "r =";
  }
  return "";
}

const char* DimControl(Dim d, bool box) {
  switch (d) {
    case Dim::H:
      return box ? "isth" : "sth";
    case Dim::B:
      return box ? "istb" : "stb";
    case Dim::A:
      return "ista";
    case Dim::Tw:
      return box ? "isttw" : "sttw";
    case Dim::Tf:
      return box ? "isttf" : "sttf";
    case Dim::C:
      return "stc";
    case Dim::R:
      return "strr";
  }
  return "";
}

bool HasIz(int kind) { return IsKind(kind) && kind != 4 && kind != 5 && kind != 7 && kind != 8; }

std::vector<std::string> LocalLabels(Member m, int kind) {
  if (!IsKind(kind) || kind == 7 || kind == 8) return {};
  if (m == Member::Stiffener) {
    if (IsFlanged(kind)) return {"webclass", "flangeclass"};
    return {"webclass"};
  }
  if (IsFlanged(kind)) return {"webclass1", "webclass2", "flangeclass1", "flangeclass2"};
  if (kind == 6) return {"webclass1", "webclass2"};
  return {"webclass1"};
}

std::string DesignName(Member m, int kind) {
  if (!IsKind(kind)) return {};
  return std::string(m == Member::Stiffener ? "stiff" : "gird") + kSuffix[kind];
}

std::string Caption(Member m, int kind) {
  if (!IsKind(kind)) return {};
  return m == Member::Stiffener ? kStiffCaption[kind] : kGirdCaption[kind];
}

std::string ValueFrameCaption(Member m, int kind) {
  if (m == Member::Stiffener) return kind == 7 ? "Girder" : "Stiffener";
  return kind == 8 ? "Stiffener" : "Profile";
}

double PlacementFactor(Member m, int kind) {
  if (!IsKind(kind)) return 0.5;
  if (m == Member::Stiffener && kind == 0) return -1;
  return kFactor[kind];
}

std::vector<std::pair<Member, int>> CloseOrder() {
  // The dialogs' names in alphabetical order, stiffener dialogs first.
  static const int kOrder[kKinds] = {4, 5, 6, 9, 0, 1, 7, 2, 3, 8};
  std::vector<std::pair<Member, int>> out;
  for (Member m : {Member::Stiffener, Member::RingFrame})
    for (int k : kOrder) out.emplace_back(m, k);
  return out;
}

FieldRef MemoryField(DesignCase& c, Member m, int kind, Dim d) {
  const BuiltUpRefs b = BuiltUp(c, m);
  switch (kind) {
    case 1:
      return d == Dim::H    ? FieldRef(b.lbh)
             : d == Dim::B  ? FieldRef(b.lbb)
             : d == Dim::Tw ? FieldRef(b.lbtw)
             : d == Dim::Tf ? FieldRef(b.lbtf)
                            : FieldRef();
    case 3:
      return d == Dim::H    ? FieldRef(b.tbh)
             : d == Dim::B  ? FieldRef(b.tbb)
             : d == Dim::Tw ? FieldRef(b.tbtw)
             : d == Dim::Tf ? FieldRef(b.tbtf)
                            : FieldRef();
    case 5:
      return d == Dim::H ? FieldRef(b.fbh) : d == Dim::Tw ? FieldRef(b.fbtw) : FieldRef();
    case 7:
      return d == Dim::H    ? FieldRef(b.rhsh)
             : d == Dim::B  ? FieldRef(b.rhsb)
             : d == Dim::Tw ? FieldRef(b.rhstw)
                            : FieldRef();
    case 8:
      return d == Dim::H    ? FieldRef(b.usph)
             : d == Dim::B  ? FieldRef(b.uspb)
             : d == Dim::A  ? FieldRef(b.uspa)
             : d == Dim::Tw ? FieldRef(b.usptw)
                            : FieldRef();
    case 9:
      return d == Dim::H    ? FieldRef(b.ibh)
             : d == Dim::B  ? FieldRef(b.ibb)
             : d == Dim::Tw ? FieldRef(b.ibtw)
             : d == Dim::Tf ? FieldRef(b.ibtf)
                            : FieldRef();
    default:
      return FieldRef();
  }
}

std::int16_t* ChosenRow(DesignCase& c, Member m, int kind) {
  const bool s = m == Member::Stiffener;
  switch (kind) {
    case 0:
      return s ? &c.istiffl : &c.igirdl;
    case 2:
      return s ? &c.istifft : &c.igirdt;
    case 4:
      return s ? &c.istifff : &c.igirdf;
    case 6:
      return s ? &c.istiffhp : &c.igirdhp;
    default:
      return nullptr;
  }
}

std::vector<std::string> RowTexts(const State& z, int kind) {
  std::vector<std::string> out;
  switch (kind) {
    case 0:
      AddRows(out, z.lprof, "L", 4, z.decsep);
      break;
    case 2:
      AddRows(out, z.tprof, "T", 4, z.decsep);
      break;
    case 4:
      AddRows(out, z.fprof, "Fb", 2, z.decsep);
      break;
    case 6:
      AddRows(out, z.bfprof, "BF ", 2, z.decsep);
      break;
    default:
      break;
  }
  return out;
}

std::vector<std::pair<std::string, std::string>> DisplayTexts(State& z, Member m, int kind) {
  std::vector<std::pair<std::string, std::string>> out;
  if (!IsKind(kind)) return out;
  const bool s = m == Member::Stiffener;
  const bool box = !IsTableKind(kind);
  const char dec = z.decsep;
  for (Dim d : Dims(kind)) {
    // The L built-up stiffener shows its remembered dimensions, every other
    // dialog the dimensions the last section computation used.
    const double v = (s && kind == 1) ? MemoryField(z, m, kind, d).get() : SectionDim(z, m, d);
    const bool whole = d == Dim::H || d == Dim::A || (d == Dim::B && kind != 6);
    std::string text = Format(v, whole ? "##0" : "##0.0", dec);
    if (!box) text += " mm";
    out.emplace_back(DimControl(d, box), std::move(text));
  }
  const SectionResults& sec = s ? z.stiffsec : z.girdsec;
  out.emplace_back("sta", Format(sec.a, "##0", dec) + " mm2");
  out.emplace_back("stg", Format(sec.g, "##0.0", dec) + " kg/m");
  out.emplace_back("stiy", Format(sec.iy, "0.000E+0", dec) + " mm4");
  if (HasIz(kind)) out.emplace_back("stiz", Format(sec.iz, "0.000E+0", dec) + " mm4");
  for (const std::string& name : LocalLabels(m, kind)) {
    const std::string& text = name == "webclass"       ? z.stiffwebtxt
                              : name == "flangeclass"  ? z.stiffflangetxt
                              : name == "webclass1"    ? z.girdwebtxt1
                              : name == "webclass2"    ? z.girdwebtxt2
                              : name == "flangeclass1" ? z.girdflangetxt1
                                                       : z.girdflangetxt2;
    out.emplace_back(name, text);
  }
  return out;
}

}  // namespace zod::profiles
