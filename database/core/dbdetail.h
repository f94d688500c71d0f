// Small text helpers shared by the case database's sources.
#pragma once

#include <string_view>

namespace zod::dbdetail {

// The text without blanks at either end (tabs and other characters stay, as
// the Windows program's trimming left them).
inline std::string_view TrimBlanks(std::string_view s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

}  // namespace zod::dbdetail
