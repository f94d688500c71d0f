// The calculation: one entry, Calculate, and the steps it runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/format.h"
#include "engine/state.h"
#include "engine/view.h"

namespace zod {

// The one entry into the calculation, called after every change. An
// arithmetic fault anywhere ends the run with a message showing stopmsg;
// nothing is redrawn then, and calcok stays false.
void Calculate(State& z);
void CheckGirderLt(State& z);
// The ring frame's tripping-length limit π √(r h), h = H − tf of the case's
// own ring frame, and the length a longer one is corrected to (the limit
// less 1 mm), both in single precision. None when h <= 0 (such a ring frame
// has no limit) or when that length would not be above 0: no correction may
// set one.
struct GiltLimit {
  float limit, corrected;
};
std::optional<GiltLimit> TrippingLimit(State& z);
// "The calculation stopped in <step>: <reason>." for a fault without a
// check's own remark; `what` is the fault's message.
std::string StopText(std::string_view step, std::string_view what);
void CalcStresses(State& z);

// Shell and curved-panel buckling.
void CalcShellBuckling(State& z);
void CalcPanelBuckling(State& z);

// Member sections and local buckling of the stiffener and the ring frame.
void StiffSection(State& z, std::int16_t kind);
void GirdSection(State& z, std::int16_t kind);

// What a run reads of a member's section before, or without, working that
// section out itself: the ring frame's height H and flange thickness tf, and
// the stiffener's area As, as GirdSection and StiffSection give them for the
// design case as it stands. The section records may hold another case's
// profile (the one before in a table, a file opened since); these are worked
// out aside, without a window effect, and change nothing. A member whose
// section cannot be worked out (a kind or table row the tables lack, an
// arithmetic fault) counts as having none: 0.
struct RingHeight {
  double h = 0;
  float tf = 0;
};
RingHeight RingHeightOfCase(State& z);
double StiffAreaOfCase(State& z);

// A member's profile as the design case gives it (its kind, its table row or
// built-up dimensions), worked out aside like the two above: the dimensions,
// the designation and the picture of its kind that its section computation
// would give, and the thickness its yield strength is looked up at. This,
// not the section record, is what the window and the report show of the
// member: a run that stops before the member's section leaves the record
// holding another case's profile. A kind outside 0..9 has no picture; it and
// a table row the tables lack have no dimensions and no designation.
struct CaseProfile {
  bool known = false;
  double h = 0, b = 0, tw = 0, c = 0, r = 0;
  float tf = 0;
  float tmat = 0;  // the governing thickness
  std::string name, icon;
};
CaseProfile ProfileOfCase(State& z, Member m);
// The member's yield strength (fys or fyg) looked up for its material at its
// own governing thickness, as its section does; tmat is left by whichever
// section ran last, maybe the other member's or another case's. A profile
// that cannot be worked out keeps the value as it is, as does the
// user-defined material.
void GetFyOfCase(State& z, Member m);

// Effective sections and torsional buckling strength.
void StiffEffective(State& z);
void GirdEffective(State& z);
void StiffTorsion(State& z);
void GirdTorsion(State& z);

// Stiffener, panel ring, heavy ring and column buckling.
void CalcStiffBuckling(State& z);
void CalcRingBuckling(State& z);
void CalcIhSpecial(State& z);
void CalcHeavyRing(State& z);
// The column check stops at a negative root of its local buckling strength:
// CalcColumnBuckling throws, RunColumnBuckling returns false. Both leave
// the reason in errmsg and the panel as it was.
void CalcColumnBuckling(State& z);
bool RunColumnBuckling(State& z);
// Characteristic column buckling strength at reduced slenderness lambda.
double ColumnBucklingStrength(double lambda, double fak);

// kUsageFactorPattern taken apart once.
inline constexpr NumberPattern kUsageFactorFormat{kUsageFactorPattern};

// Panel texts are written into the panel's own strings, which keep their
// storage from run to run; a fixed text is mostly there already.
inline void PutText(std::string& s, std::string_view text) {
  if (s != text) s.assign(text);
}
// One panel line: its label, the value by its pattern, its unit.
inline void SetLine(ResultPanel& p, int i, std::string_view label, double value, const NumberPattern& f,
                    char dec, std::string_view unit) {
  PutText(p.txt[i], label);
  FormatInto(p.val[i], value, f, dec);
  PutText(p.unit[i], unit);
}

// The lines the shell and stiffener panels close with, from "SighSd = " at
// line `first` to the usage factor SigjSd / fksd against its allowed value.
struct StrengthLines {
  double sighp, sigj, lamdas, fks, gm, fksd, uf, allowed;
};
void SetStrengthLines(ResultPanel& p, int first, const StrengthLines& v, char dec);

// Panel drawers. y is the title row on entry and the last row on return;
// mode 0 draws on a screen picture (cleared first), any other value on paper.
void DrawShellPanel(State& z, PanelSurface& pic, double& y, double x, double mode);
void DrawStiffPanel(State& z, PanelSurface& pic, double& y, double x, double mode);
void DrawUnstiffNote(State& z, PanelSurface& pic, double& y, double x, double mode);
void DrawRingPanel(State& z, PanelSurface& pic, double& y, double x, double mode);
void DrawColPanel(State& z, PanelSurface& pic, double& y, double x, double mode);

}  // namespace zod
