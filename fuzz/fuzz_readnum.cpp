// Typed text and database fields reach ReadNum unchecked: it must never
// crash, must give a finite value, InputMismatch or NumberOutOfRange, and
// both systems must agree on every text the stricter comma reading takes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "mainwindow/core/readnum.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string in(reinterpret_cast<const char*>(data), size);

  std::string point = in;
  bool pointOk = true;
  float pv = 0;
  try {
    pv = zod::ReadNum(point, 0);
  } catch (const zod::InputMismatch&) {
    pointOk = false;
  } catch (const zod::NumberOutOfRange&) {
    pointOk = false;
  }
  if (pointOk && !std::isfinite(pv)) __builtin_trap();
  if (point.find(',') != std::string::npos || (!point.empty() && point[0] == ' ')) __builtin_trap();

  std::string comma = in;
  float cv = 0;
  try {
    cv = zod::ReadNum(comma, -1);
  } catch (const zod::InputMismatch&) {
    return 0;
  } catch (const zod::NumberOutOfRange&) {
    return 0;
  }
  if (!std::isfinite(cv) || comma.find('.') != std::string::npos) __builtin_trap();
  if (!pointOk || pv != cv) __builtin_trap();
  return 0;
}
