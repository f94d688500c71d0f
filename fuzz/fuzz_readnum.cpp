// Typed text and database fields reach ReadNum unchecked. On both kinds of
// system it must never crash, give a finite value or InputMismatch, rewrite
// the text so that reading it again gives the same value and the same text,
// and both systems must agree on every text the stricter comma reading
// takes. On a point system the value is that of the leading number: text
// after it that cannot continue a number changes nothing.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "gui/core/readnum.h"

namespace {

struct Reading {
  std::optional<float> value;  // empty: InputMismatch or NumberOutOfRange
  std::string text;            // as rewritten
};

Reading Read(const std::string& in, std::int16_t commadec) {
  Reading r{std::nullopt, in};
  try {
    r.value = zod::ReadNum(r.text, commadec);
  } catch (const zod::InputMismatch&) {
  } catch (const zod::NumberOutOfRange&) {
  }
  return r;
}

bool Same(const Reading& a, const Reading& b) {
  if (a.value.has_value() != b.value.has_value()) return false;
  return !a.value || (std::signbit(*a.value) == std::signbit(*b.value) && *a.value == *b.value);
}

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// The examples every build must keep: two blanks and a comma, a second point
// that ends the number, text without a number, exponents, and the value
// nearest to 0.1 in single precision.
void Examples() {
  const struct {
    const char* in;
    std::int16_t commadec;
    float value;  // NaN: InputMismatch
    const char* text;
  } cases[] = {{"  12,5", 0, 12.5f, "12.5"}, {"1,234.5", 0, 1.234f, "1.234.5"}, {"", 0, 0, ""},
               {"abc", 0, 0, "abc"},         {"-0.3", 0, -0.3f, "-0.3"},        {"3E2", 0, 300, "3E2"},
               {"12x", 0, 12, "12x"},        {"0.1", 0, 0.1f, "0.1"},           {"12.5", -1, 12.5f, "12,5"},
               {"12,5", -1, 12.5f, "12,5"},  {"abc", -1, NAN, "abc"},           {"", -1, NAN, ""},
               {"0,1", -1, 0.1f, "0,1"}};
  for (const auto& c : cases) {
    const Reading r = Read(c.in, c.commadec);
    Check(r.text == c.text && (std::isnan(c.value) ? !r.value : r.value && *r.value == c.value));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool examples = (Examples(), true);
  (void)examples;
  const std::string in(reinterpret_cast<const char*>(data), size);

  const Reading point = Read(in, 0);
  if (point.value) Check(std::isfinite(*point.value));
  Check(point.text.find(',') == std::string::npos && (point.text.empty() || point.text[0] != ' '));
  Check(Same(Read(point.text, 0), point) && Read(point.text, 0).text == point.text);
  Check(Same(Read(in + "x", 0), point));

  const Reading comma = Read(in, -1);
  if (!comma.value) return 0;
  Check(std::isfinite(*comma.value) && comma.text.find('.') == std::string::npos);
  Check(Same(Read(comma.text, -1), comma) && Read(comma.text, -1).text == comma.text);
  Check(point.value && *point.value == *comma.value);
  return 0;
}
