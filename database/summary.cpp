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

// What a column shows: a text of the row, a number of the row, or a usage
// factor as its result panel holds it.
struct Column {
  const char* header;
  Group group;
  // How the column writes its numbers: by this pattern of the formatter, as
  // plain number text (""), or not at all (null: a column of texts).
  const char* pattern;
  std::string DbRow::*text = nullptr;
  float DbRow::*number = nullptr;
  // A usage factor: a candidate of "UFmax =", empty after a stopped calculation.
  ResultPanel State::*panel = nullptr;
  int line = 0;
};

constexpr Column Text(const char* header, Group g, std::string DbRow::*text) {
  return {header, g, nullptr, text};
}
constexpr Column Input(const char* header, Group g, float DbRow::*number, const char* pattern) {
  return {header, g, pattern, nullptr, number};
}
constexpr Column Usage(const char* header, Group g, ResultPanel State::*panel, int line) {
  return {header, g, kUsageFactorPattern.data(), nullptr, nullptr, panel, line};
}

std::string CellText(const Column& c, const DbRow& r, const State& z) {
  if (c.panel) return (z.*c.panel).val[static_cast<size_t>(c.line)];
  if (c.text) return r.*c.text;
  const float v = r.*c.number;
  return *c.pattern ? Format(v, c.pattern, z.decsep) : NumText(v, z.decsep);
}

// Headers verbatim, blanks included. "UFmax =" is filled apart.
const std::array<Column, 25> kColumns{{
    Text("Ident", kAlways, &DbRow::rowtext),
    Input("fyk", kAlways, &DbRow::fyp, ""),
    Input("r ", kAlways, &DbRow::cylr, ""),
    Input("l ", kAlways, &DbRow::l, ""),
    Input("t", kAlways, &DbRow::t, "0.0"),
    Input("Stiff spac", kStiffInp, &DbRow::s, "0"),
    Text("Stiff prof", kStiffInp, &DbRow::dbstiffprof),
    Input("Ring spac", kRingInp, &DbRow::cyll, "0"),
    Text("RIng prof ", kRingInp, &DbRow::dbgirdprof),
    Input("Sigx", kStressInp, &DbRow::sigx, "0.0"),
    Input("Sigy", kStressInp, &DbRow::sigy, "0.0"),
    Input("Tau", kStressInp, &DbRow::tau, "0.0"),
    Input("pd", kAlways, &DbRow::pd, "0.000"),
    Input("L", kColumnInp, &DbRow::cyll, "0"),
    Input("N", kColumnInp, &DbRow::nn, "0.0"),
    Input("M1a", kColumnInp, &DbRow::m1a, "0.0"),
    Input("M2a", kColumnInp, &DbRow::m2a, "0.0"),
    Input("M1b", kColumnInp, &DbRow::m1b, "0.0"),
    Input("M2b", kColumnInp, &DbRow::m2b, "0.0"),
    Usage("Shell UF =", kAlways, &State::shellpanel, 10),
    Usage("Stiff UF =", kStiffRes, &State::stiffpanel, 13),
    Usage("Ring Ax", kRingRes, &State::ringpanel, 2),
    Usage("Ring Ix", kRingRes, &State::ringpanel, 11),
    Usage("Column UF1 =", kColumnRes, &State::colpanel, 13),
    Usage("Column UF2 =", kColumnRes, &State::colpanel, 14),
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
  for (const Column* c : shown) {
    t.headers.emplace_back(c->header);
    t.patterns.push_back(c->pattern ? std::optional<std::string>(c->pattern) : std::nullopt);
  }
  t.headers.emplace_back("UFmax =");
  t.patterns.emplace_back(kUsageFactorPattern);
  t.decsep = z.decsep;
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
      else if (c->panel && !ok)
        cells.emplace_back(kDbStoppedText);
      else
        cells.push_back(CellText(*c, r, z));
    }
    if (ok) {
      // The shell's usage factor starts the maximum; a candidate whose column
      // is not shown or does not apply to the case counts as "0".
      std::string max;
      bool first = true;
      for (const Column& c : kColumns) {
        if (!c.panel) continue;
        std::string candidate = Shown(z, c.group) && Applies(r, c.group) ? CellText(c, r, z) : "0";
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
