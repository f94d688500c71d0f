// Arithmetic that stops a calculation at its first fault, so that no result
// shown, printed or saved rests on an infinity or a NaN, and a case stops
// where the Windows version stops on it: a division by zero, the root of a
// negative number, an overflow or any other result that is not a finite
// number throws zod::Error, and Calculate ends the run there. IEEE arithmetic
// would go on silently with inf or NaN.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace zod {

// The one error type of the core: its message says what failed and where.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

namespace chk {

// Any non-finite value ends the run.
inline double fin(double x) {
  if (!std::isfinite(x)) throw Error("arithmetic overflow");
  return x;
}
inline double div(double a, double b) {
  if (b == 0) throw Error("division by zero");
  return fin(a / b);
}
inline double sqrt(double x) {
  if (!(x >= 0)) throw Error("invalid procedure call: square root of a negative number");
  return fin(std::sqrt(x));
}
inline double exp(double x) { return fin(std::exp(fin(x))); }
inline double log(double x) {
  if (!(x > 0)) throw Error("invalid procedure call: logarithm of a non-positive number");
  return fin(std::log(x));
}
// x^y, stopping where the Windows version's power stops: a negative base
// needs a whole exponent (a fractional power of it has no real value).
inline double pow(double x, double y) {
  if (x < 0 && y != std::floor(y)) throw Error("invalid procedure call: fractional power of a negative number");
  if (x == 0 && y < 0) throw Error("division by zero");
  return fin(std::pow(x, y));
}
// Stores a value in single precision; a value beyond its range overflows.
inline float sgl(double x) {
  fin(x);
  if (std::fabs(x) > static_cast<double>(std::numeric_limits<float>::max())) {
    // values that round down to FLT_MAX still fit
    float f = static_cast<float>(x);
    if (!std::isfinite(f)) throw Error("arithmetic overflow");
    return f;
  }
  return static_cast<float>(x);
}
// Stores a value in a 16-bit integer, rounding half to even as the Windows
// version does, so that a value ending in .5 gives the same whole number in
// both (2.5 gives 2, 3.5 gives 4); a value out of range overflows.
inline std::int16_t i16(double x) {
  fin(x);
  double r = std::nearbyint(x);
  if (r < -32768.0 || r > 32767.0) throw Error("arithmetic overflow");
  return static_cast<std::int16_t>(r);
}

}  // namespace chk
}  // namespace zod
