// A fixed spread of geometries and loads over all cylinder types and both
// design formats, as a case database would bring them. The benchmark times
// Calculate over them and the golden-output test holds their texts, so both
// see the same cases in the same order.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/state.h"

namespace zod {

struct VariedCase {
  int16 cylinder, dmethod;
  float cylr;
  double t, l, s, sigx;
  float tau, pd;
};

inline std::vector<VariedCase> VariedCases() {
  std::vector<VariedCase> cases;
  std::uint32_t x = 12345;
  auto next = [&x](double lo, double hi) {
    x = x * 1664525u + 1013904223u;
    return lo + (hi - lo) * ((x >> 8) / 16777216.0);
  };
  for (int i = 0; i < 1000; ++i) {
    VariedCase c;
    c.cylinder = static_cast<int16>(i % 4);
    c.dmethod = static_cast<int16>((i / 4) % 2);
    c.cylr = static_cast<float>(next(800, 5000));
    c.t = next(10, 40);
    c.l = next(400, 12000);
    c.s = next(300, 900);
    c.sigx = next(-200, 20);
    c.tau = static_cast<float>(next(0, 60));
    c.pd = static_cast<float>(next(-0.6, 0.2));
    cases.push_back(c);
  }
  return cases;
}

// Puts one varied case into the design case; everything else stays.
inline void ApplyVaried(State& z, const VariedCase& c) {
  z.cylinder = c.cylinder;
  z.dmethod = c.dmethod;
  z.cylr = c.cylr;
  z.t = c.t;
  z.l = c.l;
  z.s = c.s;
  z.sigx = c.sigx;
  z.sigy = -10;
  z.tau = c.tau;
  z.pd = c.pd;
}

}  // namespace zod
