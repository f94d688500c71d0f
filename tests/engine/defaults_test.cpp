#include <gtest/gtest.h>

#include "engine/state.h"

namespace zod {
namespace {

TEST(Defaults, NewStateHoldsTheDefaultCase) {
  State z;
  EXPECT_EQ(z.filename, "New File");
  EXPECT_EQ(z.proj, "Project");
  EXPECT_EQ(z.ident, "Test");
  EXPECT_EQ(z.cylinder, 2);
  EXPECT_EQ(z.ringch, 1);
  EXPECT_EQ(z.resv1, 1);
  EXPECT_FLOAT_EQ(z.cylr, 1500);
  EXPECT_FLOAT_EQ(z.pd, -0.3f);
  EXPECT_EQ(z.matp, 2);
  EXPECT_EQ(z.girdtype, 2);
  EXPECT_EQ(z.sfbh, 100);
  EXPECT_EQ(z.sfbtw, 10);
  EXPECT_EQ(z.gfbh, 200);
  EXPECT_EQ(z.gfbtw, 9);
  EXPECT_EQ(z.susptw, 9);
  EXPECT_EQ(z.guspa, 50);
  EXPECT_EQ(z.shellpanel.n, 10);
  EXPECT_EQ(z.stiffpanel.n, 13);
  EXPECT_EQ(z.ringpanel.n, 12);
  EXPECT_EQ(z.colpanel.n, 14);
  EXPECT_EQ(z.colpanel.txt[14], "UF2 =  ");
  EXPECT_EQ(z.linkcolor, (Rgb{0, 85, 152}));
  EXPECT_DOUBLE_EQ(z.gm, 1.15);
  EXPECT_TRUE(z.stiffinp && z.ringinp && z.stressinp && z.columninp && z.stiffres && z.ringres && z.columnres);
}

TEST(Defaults, NewCaseKeepsRingFrameRowsAndYieldStrengths) {
  State z;
  z.igirdl = 3;
  z.igirdt = 4;
  z.igirdf = 5;
  z.igirdhp = 6;
  z.istiffl = z.istifft = z.istifff = z.istiffhp = 7;
  z.fyp = 315;
  z.fys = 325;
  z.fyg = 335;
  z.shellpanel.val[3] = "kept";
  SetDefaults(z);
  EXPECT_EQ(z.igirdl, 3);
  EXPECT_EQ(z.igirdt, 4);
  EXPECT_EQ(z.igirdf, 5);
  EXPECT_EQ(z.igirdhp, 6);
  EXPECT_EQ(z.istiffl + z.istifft + z.istifff + z.istiffhp, 0);
  EXPECT_EQ(z.fyp, 315);
  EXPECT_EQ(z.fys, 325);
  EXPECT_EQ(z.fyg, 335);
  EXPECT_EQ(z.shellpanel.val[3], "kept");
}

}  // namespace
}  // namespace zod
