#include <gtest/gtest.h>

#include <string>

#include "engine/state.h"

namespace zod {
namespace {

// File > New over an edited case: the design case of a new state again (the
// golden default cases pin its values), but the ring frame's table rows, the
// three yield strengths and the panels' values stay.
TEST(Defaults, NewCaseRestoresDefaultsAndKeepsRingRows) {
  State z;
  z.designCase() = DesignCase{};
  z.cylr = 99, z.pd = 5, z.sfbh = z.gfbh = 1, z.gibtf = 1, z.proj = "P";
  z.igirdl = 3, z.igirdt = 4, z.igirdf = 5, z.igirdhp = 6, z.fyp = 315, z.fys = 325, z.fyg = 335;
  z.filename = "case.vtr", z.linkcolor = {}, z.stiffinp = z.columnres = false, z.gm = 1.45, z.betaw = 0.8f;
  for (ResultPanel* p : {&z.shellpanel, &z.stiffpanel, &z.ringpanel, &z.colpanel}) p->n = 0, p->txt.fill("x");
  z.shellpanel.val[3] = "kept";
  SetDefaults(z);
  State fresh;
  fresh.igirdl = 3, fresh.igirdt = 4, fresh.igirdf = 5, fresh.igirdhp = 6, fresh.fyp = 315, fresh.fys = 325;
  fresh.fyg = 335;
  EXPECT_TRUE(z.designCase() == fresh.designCase());
  EXPECT_EQ(z.filename + "|" + z.proj + "|" + z.ident, "New File|Project|Test");
  EXPECT_EQ(z.linkcolor, (Rgb{0, 85, 152}));
  EXPECT_TRUE(z.stiffinp && z.columnres && z.gm == 1.15 && z.betaw == 1.0f);
  for (const ResultPanel* p : {&z.shellpanel, &z.stiffpanel, &z.ringpanel, &z.colpanel})
    EXPECT_EQ(p->n == 0 || p->txt[1] == "x", false) << p->txt[0];
  EXPECT_EQ(z.shellpanel.val[3], "kept");
}

}  // namespace
}  // namespace zod
