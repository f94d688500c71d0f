// Reading a typed or stored number. A point or a comma is accepted as the
// decimal separator whatever the system's setting; the two kinds of system
// differ only in what happens to text that is not a number.
#pragma once

#include <cstdint>
#include <string>

#include "engine/checked.h"

namespace zod {

// Text that is not a number, on a system that writes decimals with a comma.
class InputMismatch : public Error {
 public:
  InputMismatch() : Error("Input string mismatch ") {}
};

// A number beyond the single-precision range: no value that could be stored.
// Not the user's mistyping, so callers store nothing and say nothing.
class NumberOutOfRange : public Error {
 public:
  NumberOutOfRange() : Error("the number is beyond the single-precision range") {}
};

// Reads txt and rewrites it in place (leading blanks removed, separators made
// uniform). commadec 0 (point system): the leading number of the text, 0 when
// there is none; never fails on text. commadec non-zero (comma system): the
// whole text must be a number (sign, digits, one comma, exponent, blanks
// after it), otherwise InputMismatch. The value is rounded to single
// precision; a magnitude beyond that range throws NumberOutOfRange on both.
float ReadNum(std::string& txt, std::int16_t commadec);

// The decimal-separator flag of a system that formats 1.1 as `oneOne`
// (e.g. "1.1" or "1,1"): 0 when equal to "1.1", -1 when it sorts before, 1 after.
std::int16_t DecSepFlag(const std::string& oneOne);

}  // namespace zod
