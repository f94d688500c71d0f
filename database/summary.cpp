#include "database/summary.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#include "engine/format.h"

namespace zod {

namespace {

// The column groups, in the order of the check boxes.
enum Group { kAlways, kStiffInp, kRingInp, kStressInp, kColumnInp, kStiffRes, kRingRes, kColumnRes };

const char* const kNA = "N/A";

bool Shown(const State& z, Group g) {
  switch (g) {
    case kAlways:
      return true;
    case kStiffInp:
      return z.stiffinp;
    case kRingInp:
      return z.ringinp;
    case kStressInp:
      return z.stressinp;
    case kColumnInp:
      return z.columninp;
    case kStiffRes:
      return z.stiffres;
    case kRingRes:
      return z.ringres;
    case kColumnRes:
      return z.columnres;
  }
  return false;
}

// Whether a group's cells hold values for the row's case ("N/A" otherwise).
bool Applies(const DbRow& r, Group g) {
  switch (g) {
    case kStiffInp:
    case kStiffRes:
      return r.cylinder == 2;
    case kRingInp:
    case kRingRes:
      return r.ringch == 1;
    case kStressInp:
      return r.cylinder < 3;
    case kColumnInp:
    case kColumnRes:
      return r.cylinder == 3;
    case kAlways:
      break;
  }
  return true;
}

using Cell = std::string (*)(const DbRow&, const State&);

struct Column {
  const char* header;
  Group group;
  Cell cell;
  bool usage;  // a usage factor: a candidate of "UFmax =", empty after a stopped calculation
};

std::string Plain(float v, const State& z) { return NumText(v, z.decsep); }
std::string Pattern(float v, const char* p, const State& z) { return Format(v, p, z.decsep); }

// Headers verbatim, blanks included. "UFmax =" is filled apart.
const std::array<Column, 25> kColumns{{
    {"Ident", kAlways, [](const DbRow& r, const State&) { return r.rowtext; }, false},
    {"fyk", kAlways, [](const DbRow& r, const State& z) { return Plain(r.fyp, z); }, false},
    {"r ", kAlways, [](const DbRow& r, const State& z) { return Plain(r.cylr, z); }, false},
    {"l ", kAlways, [](const DbRow& r, const State& z) { return Plain(r.l, z); }, false},
    {"t", kAlways, [](const DbRow& r, const State& z) { return Pattern(r.t, "0.0", z); }, false},
    {"Stiff spac", kStiffInp, [](const DbRow& r, const State& z) { return Pattern(r.s, "0", z); }, false},
    {"Stiff prof", kStiffInp, [](const DbRow& r, const State&) { return r.dbstiffprof; }, false},
    {"Ring spac", kRingInp, [](const DbRow& r, const State& z) { return Pattern(r.cyll, "0", z); }, false},
    {"RIng prof ", kRingInp, [](const DbRow& r, const State&) { return r.dbgirdprof; }, false},
    {"Sigx", kStressInp, [](const DbRow& r, const State& z) { return Pattern(r.sigx, "0.0", z); }, false},
    {"Sigy", kStressInp, [](const DbRow& r, const State& z) { return Pattern(r.sigy, "0.0", z); }, false},
    {"Tau", kStressInp, [](const DbRow& r, const State& z) { return Pattern(r.tau, "0.0", z); }, false},
    {"pd", kAlways, [](const DbRow& r, const State& z) { return Pattern(r.pd, "0.000", z); }, false},
    {"L", kColumnInp, [](const DbRow& r, const State& z) { return Pattern(r.cyll, "0", z); }, false},
    {"N", kColumnInp, [](const DbRow& r, const State& z) { return Pattern(r.nn, "0.0", z); }, false},
    {"M1a", kColumnInp, [](const DbRow& r, const State& z) { return Pattern(r.m1a, "0.0", z); }, false},
    {"M2a", kColumnInp, [](const DbRow& r, const State& z) { return Pattern(r.m2a, "0.0", z); }, false},
    {"M1b", kColumnInp, [](const DbRow& r, const State& z) { return Pattern(r.m1b, "0.0", z); }, false},
    {"M2b", kColumnInp, [](const DbRow& r, const State& z) { return Pattern(r.m2b, "0.0", z); }, false},
    {"Shell UF =", kAlways, [](const DbRow&, const State& z) { return z.shellpanel.val[10]; }, true},
    {"Stiff UF =", kStiffRes, [](const DbRow&, const State& z) { return z.stiffpanel.val[13]; }, true},
    {"Ring Ax", kRingRes, [](const DbRow&, const State& z) { return z.ringpanel.val[2]; }, true},
    {"Ring Ix", kRingRes, [](const DbRow&, const State& z) { return z.ringpanel.val[11]; }, true},
    {"Column UF1 =", kColumnRes, [](const DbRow&, const State& z) { return z.colpanel.val[13]; }, true},
    {"Column UF2 =", kColumnRes, [](const DbRow&, const State& z) { return z.colpanel.val[14]; }, true},
}};

bool Number(std::string_view s, double& v) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  if (s.empty() || s.size() > 40) return false;
  char buf[41];
  for (size_t i = 0; i < s.size(); ++i) buf[i] = s[i] == ',' ? '.' : s[i];
  const char* end = buf + s.size();
  const auto [p, ec] = std::from_chars(buf, end, v);
  return ec == std::errc() && p == end && std::isfinite(v);
}

}  // namespace

int SummaryColumnWidth(int listWidth, int divisor) {
  return static_cast<int>(std::nearbyint(static_cast<double>(listWidth) / divisor * 0.95));
}

bool UsageFactorBefore(const std::string& a, const std::string& b) {
  double x = 0, y = 0;
  if (Number(a, x) && Number(b, y)) return x < y;
  return a < b;
}

SummaryTable ResultSummary(State& z) {
  SummaryTable t;
  std::vector<const Column*> shown;
  for (const Column& c : kColumns)
    if (Shown(z, c.group)) shown.push_back(&c);
  for (const Column* c : shown) t.headers.emplace_back(c->header);
  t.headers.emplace_back("UFmax =");
  if (!HasDbTable(z)) return t;

  const int rows = *z.dbrows;
  t.items.reserve(rows);
  t.boldColumn.reserve(rows);
  DbBatch batch(z);
  for (std::int16_t i = 0; i < rows; ++i) {
    const DbRow& r = z.dbtab[i];
    if (IsCommentRow(r)) {
      t.items.push_back({r.rowtext});
      t.boldColumn.push_back(-1);
      continue;
    }
    const bool ok = batch.Calc(i);
    std::vector<std::string> cells;
    cells.reserve(shown.size() + 1);
    for (const Column* c : shown) {
      if (!Applies(r, c->group))
        cells.emplace_back(kNA);
      else if (c->usage && !ok)
        cells.emplace_back(kDbStoppedText);
      else
        cells.push_back(c->cell(r, z));
    }
    if (ok) {
      // The shell's usage factor starts the maximum; a candidate whose column
      // is not shown or does not apply to the case counts as "0".
      std::string max;
      bool first = true;
      for (const Column& c : kColumns) {
        if (!c.usage) continue;
        std::string candidate = Shown(z, c.group) && Applies(r, c.group) ? c.cell(r, z) : "0";
        if (first || UsageFactorBefore(max, candidate)) max = std::move(candidate);
        first = false;
      }
      cells.push_back(std::move(max));
    } else {
      cells.emplace_back(kDbStoppedText);
    }
    t.boldColumn.push_back(static_cast<int>(cells.size()) - 1);
    t.items.push_back(std::move(cells));
  }
  t.report = batch.report();
  return t;
}

}  // namespace zod
