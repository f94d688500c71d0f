// Helpers shared by the case database's sources: trimming as the Windows
// version trims, and the dimension fields of a member of a row.
#pragma once

#include <cstdint>
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
