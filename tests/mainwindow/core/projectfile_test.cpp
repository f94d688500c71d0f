#include "mainwindow/core/projectfile.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <random>
#include <sstream>

#include "engine/tables.h"

namespace zod {
namespace {

std::string Write(const DesignCase& c) {
  std::ostringstream out;
  WriteProject(out, c);
  return out.str();
}

DesignCase Read(const std::string& text, const DesignCase& base, const State& z) {
  std::istringstream in(text);
  std::int16_t ver = 0;
  return ReadProject(in, base, z, ver);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string s; std::getline(in, s);) lines.push_back(s);
  return lines;
}

std::string Join(const std::vector<std::string>& lines, std::size_t count, const char* eol) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) out += lines[i] + eol;
  return out;
}

// A state with small tables, so row searches have something to find.
struct ProjectFileTest : ::testing::Test {
  State z;
  void SetUp() override {
    z.mat.nmat = 5, z.tprof.n = 2, z.bfprof.n = 0;
    z.tprof.v[0] = {0, 200, 90, 9, 12};
    z.tprof.v[1] = z.tprof.v[2] = {0, 250, 90, 10, 14};
    z.bfprof.v[0] = {0, 160, 8, 0, 0, 0};
  }
  DesignCase Read(const std::string& text, const DesignCase& base) { return zod::Read(text, base, z); }
  // The reader's refusal, or "read".
  std::string Refusal(const std::string& text) {
    try {
      Read(text, z);
      return "read";
    } catch (const Error& e) {
      return e.what();
    }
  }
};

// A case with a distinct, awkward value in every stored field.
DesignCase Awkward(int cylinder, int stiff, int gird) {
  DesignCase c = State().designCase();
  c.proj = "Jacket leg, \"B2\"; Æøå €";
  c.ident = "  lead blank, comma,";
  c.matp = 1, c.mats = 3, c.matg = 4, c.fyp = 355.5, c.fys = 0.1f, c.fyg = 1.0 / 3.0, c.dmethod = 1,
  c.ufb = 0.85;
  c.cylinder = static_cast<int16>(cylinder), c.outside = 1, c.ringch = 0, c.checkih = 1, c.ringfab = 1;
  c.stifftype = static_cast<int16>(stiff), c.girdtype = static_cast<int16>(gird);
  c.istiffhp = 7, c.istiffl = 8, c.istifft = 9, c.istifff = 10;
  c.igirdhp = 11, c.igirdl = 12, c.igirdt = 13, c.igirdf = 14;
  c.e = 205000.5f, c.s = 612.25, c.l = 2999.9, c.lt = 1234.5, c.gilt = 0.3f, c.cyll = 1e7;
  c.cylr = 1499.99f, c.t = 19.5, c.sigx = -5.305164769729845, c.sigy = -0.1f, c.tau = 1e-6f, c.pd = -0.3f;
  c.stiffh = 201, c.stiffb = 91, c.stiffc = 2.5, c.stifftw = 9.5, c.stifftf = 12.7f;
  c.girdh = 301, c.girdb = 101, c.girdc = 3.5, c.girdtw = 10.5, c.girdtf = 13.3f;
  c.hringch = 1, c.resv2 = -7;
  c.nn = -1000.125, c.m1a = -200.5, c.m2a = -100.25, c.m1b = 100.75, c.m2b = 99.5f;
  c.k1 = 0.7, c.k2 = 2.1f, c.dmom = 1;
  return c;
}

// A good file with one line replaced, LF line ends.
std::string With(std::size_t index, const std::string& value) {
  auto v = Lines(Write(Awkward(1, 0, 2)));
  v[index] = value + "\r";
  return Join(v, v.size(), "\n");
}

// 59 CR LF lines, numbers with a point in their shortest exact form, texts in
// Windows-1252, each field on its line (a swap would still read back).
TEST_F(ProjectFileTest, LayoutOfAWrittenCase) {
  const auto lines = Lines(Write(Awkward(2, 3, 6)));
  ASSERT_EQ(lines.size(), 59u);
  EXPECT_EQ(lines[0] + lines[1], "185\rJacket leg, \"B2\"; \xC6\xF8\xE5 \x80\r");
  EXPECT_EQ(lines[10] + lines[31] + lines[52] + lines[53], "0.85\r0.3\r-200.5\r-100.25\r");
}

// Version 105 and older hold lines 2..49, 106..130 lines 2..50, later all 59;
// the fields a layout lacks keep their values. LF line ends read too.
TEST_F(ProjectFileTest, OlderLayoutsLeaveTheLaterFieldsAsTheyWere) {
  const DesignCase c = Awkward(3, 5, 7), fresh = State().designCase();
  auto lines = Lines(Write(c));
  for (auto& l : lines) l.pop_back();
  auto older = [&](const char* version, std::size_t count) {
    lines[0] = version;
    return Read(Join(lines, count, "\n"), fresh);
  };
  DesignCase want = c;
  AdoptProfiles(want, z);
  EXPECT_TRUE(older("131", 59) == want);
  want.resv2 = fresh.resv2, want.nn = fresh.nn, want.m1a = fresh.m1a, want.m2a = fresh.m2a,
  want.m1b = fresh.m1b;
  want.m2b = fresh.m2b, want.k1 = fresh.k1, want.k2 = fresh.k2, want.dmom = fresh.dmom;
  EXPECT_TRUE(older("130", 50) == want);
  want.hringch = fresh.hringch;
  EXPECT_TRUE(older("105", 49) == want);
}

// The stiffener's table row is found again by its dimensions (the later of two
// matches; kept without a match); the built-up memory of the current kinds is filled.
TEST_F(ProjectFileTest, RowSearchAndBuiltUpMemory) {
  DesignCase c = Awkward(2, 2, 8);
  c.stiffh = 250, c.stiffb = 90, c.stifftw = 10, c.stifftf = 14, c.istifft = 0;
  EXPECT_EQ(Read(Write(c), z).istifft, 2);
  c.stifftype = 6, c.stiffh = 161, c.stifftw = 8, c.istiffhp = 17;
  EXPECT_EQ(Read(Write(c), z).istiffhp, 17);
  c.stiffh = 160;
  EXPECT_EQ(Read(Write(c), z).istiffhp, 0);
  c.stifftype = 5;
  const DesignCase fresh = State().designCase(), back = Read(Write(c), fresh);
  EXPECT_TRUE(back.sfbh == 160 && back.sfbtw == 8);
  EXPECT_TRUE(back.gusph == 301 && back.guspb == 101 && back.guspa == 3.5 && back.gusptw == 10.5f);
  EXPECT_TRUE(back.slbh == fresh.slbh && back.gfbh == fresh.gfbh);  // other kinds keep theirs
}

// Beyond a field's range is refused, naming the line; too small for a single
// reads as 0; the 16-bit range includes -32768.
TEST_F(ProjectFileTest, ValuesBeyondAFieldsRange) {
  // clang-format off
  for (auto [index, value] : {std::pair{38, "3.4028236e38"}, {38, "-1e39"}, {50, "32768"}, {50, "-32769"},
                              {50, "32767.5"}, {35, "1e309"}})
    EXPECT_EQ(Refusal(With(index, value)), "line " + std::to_string(index + 1) + ": the number is out of range");
  // clang-format on
  EXPECT_EQ(Read(With(38, "1e-50"), z).pd, 0.0f);
  EXPECT_EQ(Read(With(50, "-32768.4"), z).resv2, -32768);
}

// Random valid cases over the shipped tables, extremes mixed in: every one
// is read back, equal to what was written, down to the last bit.
TEST(ProjectFileProperty, RandomCasesComeBackUnchanged) {
  State z;
  z.apppath = ZOD_DATA_DIR;
  ReadTables(z);
  std::mt19937_64 rng(20261207);
  auto pick = [&rng](int lo, int hi) {
    return static_cast<int16>(std::uniform_int_distribution<int>(lo, hi)(rng));
  };
  auto whole = [&pick] {
    return pick(0, 3) == 0 ? pick(0, 1) ? int16(-32768) : int16(32767) : pick(-32768, 32767);
  };
  auto chance = [&rng](int percent) { return std::uniform_int_distribution<int>(0, 99)(rng) < percent; };
  using F = std::numeric_limits<float>;
  using D = std::numeric_limits<double>;
  // singles a double reading narrows one unit off, subnormals, a negative zero
  // clang-format off
  const float fEdge[] = {F::max(), -F::max(), F::denorm_min(), -F::min(), -0.0f, 0, 7.03853069E-26f,
                         -7.03853069E-26f, std::nextafter(F::min(), 0.0f), 0.1f};
  // clang-format on
  const double dEdge[] = {D::max(), -D::max(), 1e308, -1e308, D::denorm_min(), D::min(), -0.0, 0.1, 1.0 / 3};
  auto single = [&]() -> float {
    if (chance(20)) return fEdge[pick(0, std::size(fEdge) - 1)];
    float v;
    do v = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
    while (!std::isfinite(v));
    return v;
  };
  auto number = [&]() -> double {
    if (chance(20)) return dEdge[pick(0, std::size(dEdge) - 1)];
    if (chance(30)) return single();  // most values come from single-precision input
    double v;
    do v = std::bit_cast<double>(rng());
    while (!std::isfinite(v));
    return v;
  };
  auto text = [&] {  // æ and € in UTF-8 among them
    // clang-format off
    static const char* const pieces[] = {" ", ",", ";", "\"", "'", "a", "z", "A", "Z", "0", "9", ".", "-",
                                         "\xC3\xA6", "\xE2\x82\xAC"};
    // clang-format on
    std::string s;
    for (int n = pick(0, 12); n > 0; --n) s += pieces[pick(0, std::size(pieces) - 1)];
    return s;
  };
  const DesignCase base = z.designCase();
  int refused = 0, different = 0;
  for (int n = 0; n < 100000; ++n) {
    DesignCase c = base;
    c.proj = text(), c.ident = text();
    c.matp = pick(0, z.mat.nmat), c.mats = pick(0, z.mat.nmat), c.matg = pick(0, z.mat.nmat);
    c.fyp = number(), c.fys = number(), c.fyg = number(), c.ufb = number();
    c.dmethod = pick(0, 1), c.cylinder = pick(0, 3), c.outside = pick(0, 1), c.resv1 = whole();
    c.ringch = pick(0, 1), c.checkih = pick(0, 1), c.ringfab = pick(0, 1), c.hringch = pick(0, 1);
    c.dmom = pick(0, 1), c.resv2 = whole();
    c.stifftype = pick(0, 9), c.girdtype = pick(0, 9);
    for (int16* row :
         {&c.istiffhp, &c.istiffl, &c.istifft, &c.istifff, &c.igirdhp, &c.igirdl, &c.igirdt, &c.igirdf})
      *row = chance(50) ? pick(0, 40) : pick(0, 32767);
    c.e = single(), c.gilt = single(), c.cylr = single(), c.sigy = single(), c.tau = single();
    c.pd = single(), c.m2b = single(), c.k2 = single(), c.stifftf = single(), c.girdtf = single();
    for (double* d : {&c.s, &c.l, &c.lt, &c.cyll, &c.t, &c.sigx, &c.stiffh, &c.stiffb, &c.stiffc, &c.girdh,
                      &c.girdb, &c.girdc, &c.nn, &c.m1a, &c.m2a, &c.m1b, &c.k1})
      *d = number();
    c.stifftw = single(), c.girdtw = single();  // typed, so single precision
    if (chance(30)) {                           // a profile of the tables, so the row searches find it
      const auto& t = z.tprof.v[pick(0, z.tprof.n)];
      c.stiffh = t[1], c.stiffb = t[2], c.stifftw = t[3], c.stifftf = t[4];
      c.stifftype = static_cast<int16>(2 * pick(0, 3));
      if (c.stifftype == 4) c.stiffh = z.fprof.v[z.fprof.n][1], c.stifftw = z.fprof.v[z.fprof.n][2];
    }
    const std::string written = Write(c);
    DesignCase expect = c;
    expect.resv1 = 1;
    AdoptProfiles(expect, z);
    try {
      const DesignCase back = Read(written, base, z);
      if ((!(back == expect) || Write(back) != Write(expect)) && ++different <= 3) ADD_FAILURE() << written;
    } catch (const Error& e) {
      if (++refused <= 3) ADD_FAILURE() << e.what() << "\n" << written;
    }
  }
  EXPECT_EQ(refused, 0);
  EXPECT_EQ(different, 0);
}

TEST_F(ProjectFileTest, DamagedFilesAreRefused) {
  const auto lines = Lines(Write(Awkward(1, 0, 2)));
  const std::string binary("\x00\xff\xfe garbage\n\x01\x02", 14);
  // too short, not a number, trailing garbage, int16 out of range, cylinder type 7, negative material,
  // beyond the material table, single out of range, NaN, a version with decimals
  for (const std::string& text :
       {std::string(), std::string("185\r\nonly a name\r\n"), Join(lines, 58, "\n"), With(5, "abc"),
        With(6, "12x"), With(3, "40000"), With(11, "7"), With(3, "-1"), With(3, "6"), With(27, "1e39"),
        With(28, "nan"), With(0, "18.5")})
    EXPECT_THROW(Read(text, z), Error) << text.substr(0, 40);
  // The message names the field of a code out of range, and quotes a damaged
  // line with printable characters only and at a readable length, so that
  // it is shown whole.
  EXPECT_EQ(Refusal(With(16, "2")), "ringfab = 2 is out of range");
  EXPECT_EQ(Refusal(With(24, "-3")), "igirdl = -3 is out of range");
  EXPECT_EQ(Refusal(binary), "line 1: \"?\xC3\xBF\xC3\xBE garbage\" is not a number");
  EXPECT_EQ(Refusal(With(5, std::string(30, 'x') + '\t' + std::string(30, 'y'))),
            "line 6: \"" + std::string(30, 'x') + "?" + std::string(9, 'y') + "...\" is not a number");
}

}  // namespace
}  // namespace zod
