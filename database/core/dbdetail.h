// Helpers shared by the case database's sources: trimming as the Windows
// version trims, a text as a field of the files holds it, and the dimension
// fields of a member of a row.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "engine/dbrow.h"

namespace zod::dbdetail {

// The text without blanks at either end. Tabs and other characters stay:
// database files go both ways with the Windows version, which trims blanks
// only, and a field must read alike in both.
inline std::string_view TrimBlanks(std::string_view s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// How many blanks a text begins with.
inline std::size_t LeadingBlanks(std::string_view s) { return std::min(s.find_first_not_of(' '), s.size()); }

// A text as a field of the program's ";"-separated files holds it: as it
// stands, as the older program writes it, unless it begins with a double
// quote. A spreadsheet takes such a field for a quoted one and drops its
// quotes ("Tank" A shows as Tank A, "a;b" as one cell), and the input file's
// reader would too where the quote closes at the field's end, so it is
// quoted, its quotes doubled, and reads as it stands everywhere. The first
// field of a line loses its leading blanks on reading (`first`).
inline std::string FieldText(std::string_view text, bool first) {
  if (!text.substr(first ? LeadingBlanks(text) : 0).starts_with('"')) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) quoted.append(c == '"' ? 2 : 1, c);
  return quoted + '"';
}

// The dimension fields of one member of a row.
template <class I, class F>
struct RowProfileOf {
  I &type, &hp;
  F &h, &b, &a, &tw, &tf;
};
template <class Row>
using RowProfile = std::conditional_t<std::is_const_v<Row>, RowProfileOf<const std::int16_t, const float>,
                                      RowProfileOf<std::int16_t, float>>;
template <class Row>
RowProfile<Row> StiffOf(Row& r) {
  return {r.dbstifftype, r.dbstiffhp, r.dbstiffh, r.dbstiffb, r.dbstiffa, r.dbstifftw, r.dbstifftf};
}
template <class Row>
RowProfile<Row> GirdOf(Row& r) {
  return {r.dbgirdtype, r.dbgirdhp, r.dbgirdh, r.dbgirdb, r.dbgirda, r.dbgirdtw, r.dbgirdtf};
}

}  // namespace zod::dbdetail
