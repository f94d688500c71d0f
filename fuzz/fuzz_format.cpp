// Format's short cut must give the text of the full decimal expansion for
// every double and every pattern: the first eight bytes are the value, the
// rest the pattern, with the separator chosen by the pattern's length.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "engine/format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) return 0;
  double v;
  std::memcpy(&v, data, sizeof v);
  const std::string_view text(reinterpret_cast<const char*>(data) + sizeof v, size - sizeof v);
  if (text.size() > 64) return 0;  // patterns are short; long ones only slow the search
  const zod::NumberPattern pattern(text);
  const char dec = text.size() % 2 ? ',' : '.';
  if (zod::Format(v, pattern, dec) != zod::FormatExact(v, pattern, dec)) __builtin_trap();
  return 0;
}
