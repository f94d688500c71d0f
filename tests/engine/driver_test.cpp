#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/calc.h"
#include "engine/checked.h"
#include "engine/recording.h"
#include "engine/state.h"

namespace zod {
namespace {

// Tripping-length limit of the default ring frame (H 200, tf 12) on r 1500:
// π √(1500 · 188) = 3.141593 · 531.0367 = 1668.3012 (single precision).
constexpr float kLimit = 1668.30127f;

struct GiltCase {
  const char* name;
  int16 cylinder;
  float gilt;
  int16 ringch, hringch;
  bool corrected;
  int16 hringchAfter;
};

const GiltCase kGiltCases[] = {
    {"DefaultStays", 2, 600, 1, 1, false, 1},
    {"EqualToLimitStays", 2, kLimit, 1, 0, false, 0},
    {"AboveLimitCorrected", 2, std::nextafter(kLimit, 2e3f), 1, 0, true, 0},
    {"UnstiffenedCorrectedToo", 0, 2000, 0, 1, true, 0},
    {"ColumnSkipsCorrection", 3, 2000, 0, 1, false, 0},
    {"ColumnKeepsHeavyRingWithRingCheck", 3, 2000, 1, 1, false, 1},
};

class GirderLt : public testing::TestWithParam<GiltCase> {};

TEST_P(GirderLt, CorrectsTrippingLength) {
  const GiltCase& c = GetParam();
  State z;
  RecordingView v;
  z.setView(&v);
  z.cylinder = c.cylinder;
  z.gilt = c.gilt;
  z.ringch = c.ringch;
  z.hringch = c.hringch;
  CheckGirderLt(z);
  EXPECT_EQ(z.hringch, c.hringchAfter);
  if (c.corrected) {
    EXPECT_EQ(z.gilt, 1667.30127f);  // the limit minus 1
    ASSERT_EQ(v.log.size(), 2u);
    EXPECT_EQ(v.log[0], "message  lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value ");
    EXPECT_EQ(v.log[1], "text igilt=1667");
  } else {
    EXPECT_EQ(z.gilt, c.gilt);
    EXPECT_TRUE(v.log.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Driver, GirderLt, testing::ValuesIn(kGiltCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DriverStresses, DefaultCase) {
  State z;
  CalcStresses(z);
  EXPECT_NEAR(z.leo, 270.19992598, 1e-7);  // 1.56 √(1500 · 20)
  EXPECT_EQ(z.SighpSd, -22.500002f);       // −0.3 · 1500 / 20 in single precision
  EXPECT_EQ(z.SighSd, -22.500002f - 10.0);
  EXPECT_EQ(z.SigxSd, -100);

  z.l = 200;
  CalcStresses(z);
  EXPECT_EQ(z.leo, 200);
}

// N −1000 kN on r 1500, t 20: 10⁶ / (6.283186 · 1500 · 20) = 5.30516 MPa.
TEST(DriverStresses, ColumnReplacesAxialStress) {
  State z;
  z.cylinder = 3;
  CalcStresses(z);
  EXPECT_NEAR(z.SigxSd, -5.3051640176, 1e-9);
  EXPECT_EQ(z.sigx, z.SigxSd);
  EXPECT_EQ(z.sigy, 0);
  EXPECT_EQ(z.tau, 0);
  EXPECT_EQ(z.SighSd, z.SighpSd);
}

// Ring relief of a ring-stiffened cylinder with the built-up T ring frame
// (A = 188 · 9 + 90 · 12 = 2772): β = l / 270.2, α = 2772 / (270.2 · 20) = 0.5130.
// With pd = 0 the relief term is all there is: SighpSd = −α/(α+1) · ζ · 0.3 · 100.
// The old form of ζ, with sinh and cosh, is the reference wherever it does
// not overflow.
TEST(DriverStresses, RingReliefMatchesClassicFormula) {
  for (double beta : {0.05, 0.3, 0.9, 1.6655, 2.2, 3.5, 5.5, 7.0, 11.8, 19.0, 25.3, 60.0, 200.0, 350.0}) {
    State z;
    z.cylinder = 1;
    z.girdtype = 3;
    z.girdsec.a = 2772;
    z.fyg = 355;  // no material table: the ring frame keeps this yield strength
    z.pd = 0;
    z.l = beta * 1.56 * std::sqrt(1500.0 * 20);
    CalcStresses(z);
    const double b = z.l / (1.56 * std::sqrt(1500.0 * 20));
    double zeta =
        2 * (std::sinh(b) * std::cos(b) + std::cosh(b) * std::sin(b)) / (std::sinh(2 * b) + std::sin(2 * b));
    if (zeta < 0) zeta = 0;
    const double alpha = z.girdsec.a / (z.leo * z.t);
    const double expected = -alpha * zeta / (alpha + 1) * (0 - 0.3 * z.sigx);
    EXPECT_NEAR(z.SighpSd, expected, 1e-12 * std::fabs(expected)) << "beta " << beta;
  }
}

// A ring with relief at l = 450 (β 1.6655, ζ 0.3608): p = −22.5,
// SighpSd = −22.5 − 0.33905 · 0.36085 · (−22.5 + 30) = −23.41756.
TEST(DriverStresses, RingReliefWithPressure) {
  State z;
  z.cylinder = 1;
  z.girdtype = 3;
  z.girdsec.a = 2772;
  z.fyg = 355;
  z.l = 450;
  CalcStresses(z);
  EXPECT_NEAR(z.SighpSd, -23.4175633895, 1e-8);
  EXPECT_NEAR(z.SighSd, -33.4175633895, 1e-8);
}

// The old program took e^(2β) for every cylinder type and overflowed beyond
// β ≈ 355 (l ≈ 96 m at r 1500, t 20). Only the ring-stiffened cylinder needs
// the relief, and it vanishes for long spacings.
TEST(DriverStresses, VeryLongRingSpacingStaysFinite) {
  for (int16 type = 0; type <= 3; ++type) {
    for (double l : {96000.0, 200000.0, 1e9}) {
      State z;
      z.cylinder = type;
      z.girdtype = 3;
      z.girdsec.a = 2772;
      z.fyg = 355;
      z.l = l;
      ASSERT_NO_THROW(CalcStresses(z)) << type << " " << l;
      EXPECT_TRUE(std::isfinite(z.SighpSd) && std::isfinite(z.SighSd) && std::isfinite(z.SigxSd));
      if (type != 3) {
        EXPECT_EQ(z.SighpSd, -22.500002f) << type << " " << l;
      }
    }
  }
}

// Without a window nothing is drawn, and the run still completes. A bending
// stress left by an earlier column run must not reach the shell check.
TEST(DriverCalculate, RunsWithoutWindow) {
  State z;
  z.cylinder = 0;
  z.ringch = 0;
  z.fyp = 345;
  z.matp = 5;
  z.SigmSd = -50;
  Calculate(z);
  EXPECT_EQ(z.SigmSd, 0);
  EXPECT_NEAR(z.Zl, 286.18176042508, 1e-9);  // 3000² / 30000 · √0.91
  EXPECT_NEAR(z.ufshell, 1.0115455425, 1e-9);
}

// Every picture starts with its title at row 0.3, column 1; the typed yield
// strength of a material outside the table shows with at least three digits.
TEST(DriverCalculate, DrawsFromRowPointThreeAndShowsYieldStrength) {
  State z;
  RecordingView v;
  z.setView(&v);
  z.cylinder = 0;
  z.ringch = 0;
  z.fyp = 95;
  z.matp = 5;
  z.SigmSd = -50;
  Calculate(z);
  ASSERT_TRUE(v.messages.empty());
  EXPECT_EQ(z.SigmSd, 0);
  EXPECT_EQ(z.prty, 0);
  EXPECT_EQ(v.texts["ifyp"], "095");
  for (const char* pic : {"pic30", "pic31", "pic32"}) {
    const auto& items = v.surfaces[pic].items;
    ASSERT_FALSE(items.empty()) << pic;
    EXPECT_DOUBLE_EQ(items[0].x, 1) << pic;
    EXPECT_DOUBLE_EQ(items[0].y, 0.3) << pic;
    EXPECT_TRUE(items[0].bold && items[0].underline) << pic;
  }
}

// A zero stiffener spacing stops the run at l / s, before anything is drawn.
TEST(DriverCalculate, ZeroSpacingFaultsForStringerStiffened) {
  State z;
  RecordingView v;
  z.setView(&v);
  z.s = 0;
  z.fyp = 345;
  z.matp = 5;  // beyond the empty material table: the yield strength stays as typed
  Calculate(z);
  EXPECT_EQ(v.messages, std::vector<std::string>{""});
  EXPECT_EQ(v.surfaces["pic30"].clears, 0);
}

}  // namespace
}  // namespace zod
