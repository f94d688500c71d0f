#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/calc.h"
#include "engine/recording.h"
#include "engine/state.h"
#include "engine/tables.h"

// The ring frame's tripping length is cut back to π √(r h) − 1 when it is
// longer than π √(r h). A radius read as 0 (letters typed into the box) or a
// ring frame barely higher than its flange gives no length to cut back to:
// the correction must then leave the tripping length alone rather than set
// one of 0 or below, which every later run would go on using.
namespace zod {
namespace {

const std::string kMessage = "message  lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value ";

// h = H − tf = 188 for the default ring frame (H 200, tf 12).
TEST(Tripping, CorrectionNeverSetsALengthThatIsNotPositive) {
  // clang-format off
  const struct {
    const char* name; float cylr; double girdh; float girdtf; float gilt; float after;
  } cases[] = {
      // π √(r h) − 1 at or below 0: nothing to correct to
      {"radius read as 0", 0, 200, 12, 600, 600},
      {"r h below 1/π²", 0.0005f, 200, 12, 600, 600},
      {"web of 0.01 mm", 1, 12.01, 12, 600, 600},
      // just above 0 the correction still applies, as it always did
      {"limit 1.5", 0.0012128f, 200, 12, 600, 0.5f},
      {"default", 1500, 200, 12, 2000, 1667.30127f},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    State z;
    RecordingView v;
    z.setView(&v);
    // a built-up T ring frame: its own H and tf, whatever the tables hold
    z.cylinder = 1, z.cylr = c.cylr, z.girdtype = 3, z.gtbh = c.girdh, z.gtbtf = c.girdtf, z.gilt = c.gilt;
    CheckGirderLt(z);
    EXPECT_NEAR(z.gilt, c.after, 1e-3);
    EXPECT_GT(z.gilt, 0);
    const bool corrected = c.after != c.gilt;
    EXPECT_EQ(v.messages.size(), corrected ? 1u : 0u);
    if (corrected) {
      EXPECT_EQ(v.log.front(), kMessage);
    }
  }
}

// The run with the radius read as 0 stops (the curvature parameter divides by
// r), but it must not have cut the tripping length first: once the radius is
// put right the case calculates with the tripping length the user gave.
TEST(Tripping, ARadiusOf0LeavesTheTrippingLengthForTheNextRun) {
  State z;
  RecordingView v;
  z.setView(&v);
  z.apppath = ZOD_DATA_DIR;
  ReadTables(z);
  Calculate(z);  // the default case: its ring frame's section is known
  ASSERT_TRUE(z.calcok);
  ASSERT_GT(z.girdh - z.girdtf, 0);
  ASSERT_EQ(z.gilt, 600);

  z.cylr = 0;
  v.log.clear();
  Calculate(z);
  EXPECT_FALSE(z.calcok);
  EXPECT_EQ(z.gilt, 600);
  for (const std::string& line : v.log) EXPECT_NE(line, kMessage);

  z.cylr = 1500;
  v.messages.clear();
  Calculate(z);
  EXPECT_TRUE(z.calcok);
  EXPECT_TRUE(v.messages.empty());
  EXPECT_EQ(z.gilt, 600);
}

}  // namespace
}  // namespace zod
