#include "mainwindow/core/projectfile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
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
    z.mat.nmat = 5;
    z.tprof.n = 2;
    z.tprof.v[0] = {0, 200, 90, 9, 12};
    z.tprof.v[1] = z.tprof.v[2] = {0, 250, 90, 10, 14};
    z.bfprof.n = 0;
    z.bfprof.v[0] = {0, 160, 8, 0, 0, 0};
  }
  DesignCase Read(const std::string& text, const DesignCase& base) {
    std::istringstream in(text);
    std::int16_t ver = 0;
    return ReadProject(in, base, z, ver);
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

// 59 CR LF lines, numbers with a point in their shortest exact form, texts in Windows-1252.
TEST_F(ProjectFileTest, EveryFieldSurvivesWritingAndReadingForEveryTypeAndKind) {
  for (int cyl = 0; cyl <= 3; ++cyl)
    for (int kind = 0; kind <= 9; ++kind) {
      SCOPED_TRACE("cylinder " + std::to_string(cyl) + " kind " + std::to_string(kind));
      const DesignCase c = Awkward(cyl, kind, 9 - kind);
      const std::string text = Write(c);
      const auto lines = Lines(text);
      EXPECT_EQ(lines.size(), 59u);
      EXPECT_EQ(lines[0], "185\r");
      EXPECT_EQ(lines[1], "Jacket leg, \"B2\"; \xC6\xF8\xE5 \x80\r");
      EXPECT_EQ(lines[10] + lines[31] + lines[52] + lines[53], "0.85\r0.3\r-200.5\r-100.25\r");
      const DesignCase back = Read(text, State().designCase());
      // The reader refinds the stiffener row and fills the built-up memory of
      // the current kinds; the original gets the same before comparing.
      DesignCase expect = c;
      AdoptProfiles(expect, z);
      EXPECT_TRUE(back == expect);
      EXPECT_EQ(Write(back), Write(expect));
    }
}

// Every field on its own line, in the file's order (the moments as M1a, M2a,
// M1b, M2b). Read back, each line lands in its own field: a file that differs
// from a written one in a single line reads as the case that writes it.
TEST_F(ProjectFileTest, EachFieldOnItsOwnLine) {
  DesignCase c = Awkward(2, 3, 6);
  c.proj = "Jacket";
  const std::string text = Write(c);
  // clang-format off
  const std::vector<std::string> want = {
      "185", "Jacket", "  lead blank, comma,", "1", "3", "4", "355.5", "0.10000000149011612",
      "0.3333333333333333", "1", "0.85", "2", "1", "1", "0", "1", "1", "3", "7", "8", "9", "10", "6", "11", "12",
      "13", "14", "205000.5", "612.25", "2999.9", "1234.5", "0.3", "1e+07", "1499.99", "19.5",
      "-5.305164769729845", "-0.1", "1e-06", "-0.3", "201", "91", "2.5", "9.5", "12.7", "301", "101", "3.5",
      "10.5", "13.3", "1", "-7", "-1000.125", "-200.5", "-100.25", "100.75", "99.5", "0.7", "2.1", "1"};
  // clang-format on
  EXPECT_EQ(text, Join(want, want.size(), "\r\n"));
  for (std::size_t i = 1; i < want.size(); ++i) {
    if (i == 13) continue;  // resv1 reads as 1 whatever the line says
    std::vector<std::string> other = want;
    std::string& l = other[i];
    if (i <= 2)
      l += "x";
    else if (l == "0" || l == "1")
      l = l == "0" ? "1" : "0";
    else if (l[0] == '-')
      l.erase(0, 1);
    else if (l.find_first_of(".e") == std::string::npos)
      l = std::to_string(std::stoi(l) + 1);
    else
      l = "-" + l;
    const std::string changed = Join(other, other.size(), "\r\n");
    EXPECT_EQ(Write(Read(changed, State().designCase())), changed) << "line " << i + 1 << ": " << l;
  }
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

// The values at the edges of each field's range come back bit for bit:
// the largest single, singles that a double reading narrows one unit off,
// subnormals, a negative zero and the whole 16-bit range.
TEST_F(ProjectFileTest, ExtremeValuesComeBackBitForBit) {
  using F = std::numeric_limits<float>;
  using D = std::numeric_limits<double>;
  const float singles[] = {F::max(),         -F::max(),       7.03853069E-26f,
                           -7.03853069E-26f, F::denorm_min(), -F::denorm_min(),
                           F::min(),         -0.0f,           std::nextafter(F::min(), 0.0f)};
  const double doubles[] = {D::max(), -D::max(), 1e308, D::denorm_min(), -D::min(), -0.0};
  for (float v : singles)
    for (double d : doubles) {
      DesignCase c = Awkward(3, 4, 6);
      c.e = c.gilt = c.k2 = c.cylr = c.sigy = c.tau = c.pd = c.m2b = c.stifftf = c.girdtf = v;
      c.ufb = c.t = c.l = c.cyll = c.s = c.lt = c.k1 = c.fyp = c.sigx = c.nn = c.m1a = c.stiffh = d;
      c.resv2 = v < 0 ? -32768 : 32767;
      const DesignCase back = Read(Write(c), c);
      EXPECT_EQ(std::bit_cast<std::uint32_t>(back.pd), std::bit_cast<std::uint32_t>(v)) << v;
      EXPECT_EQ(std::bit_cast<std::uint64_t>(back.sigx), std::bit_cast<std::uint64_t>(d)) << d;
      EXPECT_EQ(Write(back), Write(c));
    }
  // Beyond a field's range is refused; too small for a single reads as 0.
  auto lines = Lines(Write(Awkward(1, 0, 2)));
  auto with = [&](std::size_t index, const char* value) {
    auto v = lines;
    v[index] = std::string(value) + "\r";
    return Join(v, v.size(), "\n");
  };
  for (auto [index, value] : {std::pair{38, "3.4028236e38"},
                              {38, "-1e39"},
                              {50, "32768"},
                              {50, "-32769"},
                              {50, "32767.5"},
                              {35, "1e309"}}) {
    try {
      Read(with(index, value), z);
      ADD_FAILURE() << value << " read";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), "line " + std::to_string(index + 1) + ": the number is out of range");
    }
  }
  EXPECT_EQ(Read(with(38, "1e-50"), z).pd, 0.0f);
  EXPECT_EQ(Read(with(50, "-32768.4"), z).resv2, -32768);
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
  auto chance = [&rng](int percent) { return std::uniform_int_distribution<int>(0, 99)(rng) < percent; };
  using F = std::numeric_limits<float>;
  using D = std::numeric_limits<double>;
  const float fEdge[] = {F::max(), -F::max(), F::denorm_min(), -F::min(), -0.0f, 0, 7.03853069E-26f,
                         0.1f,     355};
  const double dEdge[] = {D::max(), -D::max(), 1e308, -1e308, D::denorm_min(), D::min(), -0.0, 0.1, 1.0 / 3};
  auto single = [&]() -> float {
    if (chance(20)) return fEdge[pick(0, std::size(fEdge) - 1)];
    for (;;) {
      const float v = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
      if (std::isfinite(v)) return v;
    }
  };
  auto number = [&]() -> double {
    if (chance(20)) return dEdge[pick(0, std::size(dEdge) - 1)];
    if (chance(30)) return single();  // most values come from single-precision input
    for (;;) {
      const double v = std::bit_cast<double>(static_cast<std::uint64_t>(rng()));
      if (std::isfinite(v)) return v;
    }
  };
  auto text = [&] {
    static const std::string chars = " ,;\"'azAZ09.-\xC3\xA6\xE2\x82\xAC";  // incl. æ and € (UTF-8)
    std::string s;
    for (int n = pick(0, 12); n > 0; --n) {
      const int i = pick(0, static_cast<int>(chars.size()) - 1);
      if (static_cast<unsigned char>(chars[i]) >= 0x80) {
        s += chars[i] == '\xC3' ? "\xC3\xA6" : "\xE2\x82\xAC";
      } else {
        s += chars[i];
      }
    }
    return s;
  };
  const DesignCase base = z.designCase();
  int refused = 0, different = 0;
  for (int n = 0; n < 100000; ++n) {
    DesignCase c = base;
    c.proj = text(), c.ident = text();
    c.matp = pick(0, z.mat.nmat), c.mats = pick(0, z.mat.nmat), c.matg = pick(0, z.mat.nmat);
    c.fyp = number(), c.fys = number(), c.fyg = number(), c.ufb = number();
    c.dmethod = pick(0, 1), c.cylinder = pick(0, 3), c.outside = pick(0, 1), c.resv1 = pick(-32768, 32767);
    c.ringch = pick(0, 1), c.checkih = pick(0, 1), c.ringfab = pick(0, 1), c.hringch = pick(0, 1);
    c.dmom = pick(0, 1), c.resv2 = pick(-32768, 32767);
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
    const std::string written = [&] {
      std::ostringstream out;
      WriteProject(out, c);
      return out.str();
    }();
    DesignCase expect = c;
    expect.resv1 = 1;
    AdoptProfiles(expect, z);
    try {
      std::istringstream in(written);
      std::int16_t ver = 0;
      const DesignCase back = ReadProject(in, base, z, ver);
      if (!(back == expect) || Write(back) != Write(expect)) {
        if (++different <= 3) ADD_FAILURE() << written;
      }
    } catch (const Error& e) {
      if (++refused <= 3) ADD_FAILURE() << e.what() << "\n" << written;
    }
  }
  EXPECT_EQ(refused, 0);
  EXPECT_EQ(different, 0);
}

TEST_F(ProjectFileTest, DamagedFilesAreRefused) {
  const auto lines = Lines(Write(Awkward(1, 0, 2)));
  auto with = [&](std::size_t index, std::string value) {
    auto v = lines;
    v[index] = value + "\r";
    return Join(v, v.size(), "\n");
  };
  // too short, not a number, trailing garbage, int16 out of range, cylinder type 7, negative material,
  // beyond the material table, single out of range, NaN, a version with decimals, binary garbage
  // clang-format off
  const std::vector<std::string> damaged = {
      "", "185\r\nonly a name\r\n", Join(lines, 58, "\n"), with(5, "abc"), with(6, "12x"), with(3, "40000"),
      with(11, "7"), with(3, "-1"), with(3, "6"), with(27, "1e39"), with(28, "nan"), with(0, "18.5"),
      std::string("\x00\xff\xfe garbage\n\x01\x02", 14)};
  // clang-format on
  for (const auto& text : damaged) EXPECT_THROW(Read(text, z), Error) << text.substr(0, 40);
  // The message names the field of a code out of range, and quotes a damaged
  // line with printable characters only and at a readable length, so that
  // it is shown whole.
  const struct {
    std::string text, message;
  } told[] = {
      {with(16, "2"), "ringfab = 2 is out of range"},
      {with(24, "-3"), "igirdl = -3 is out of range"},
      {damaged.back(), "line 1: \"?\xC3\xBF\xC3\xBE garbage\" is not a number"},
      {with(5, std::string(30, 'x') + '\t' + std::string(30, 'y')),
       "line 6: \"" + std::string(30, 'x') + "?" + std::string(9, 'y') + "...\" is not a number"},
  };
  for (const auto& c : told) {
    try {
      Read(c.text, z);
      ADD_FAILURE() << c.message;
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
}

// A damaged or missing file leaves the case and its name; a failed save leaves
// the file name and the old file; a good save leaves no temporary file behind.
TEST_F(ProjectFileTest, FailedReadAndWriteLeaveEverythingAsItWas) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("zodpf" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string file = (dir / "case.vtr").string();
  z.proj = "first";
  WriteProjectFile(z, file);
  EXPECT_EQ(z.filename, file);
  std::ofstream(file, std::ios::binary) << "185\r\nbroken\r\n";
  z.proj = "in memory";
  z.filename = "New File";
  EXPECT_THROW(ReadProjectFile(z, file), Error);
  EXPECT_THROW(ReadProjectFile(z, (dir / "gone.vtr").string()), Error);
  EXPECT_THROW(WriteProjectFile(z, (dir / "no" / "such.vtr").string()), Error);
  EXPECT_EQ(z.proj + "|" + z.filename, "in memory|New File");
  WriteProjectFile(z, file);
  State other;
  other.mat.nmat = 5;
  ReadProjectFile(other, file);
  EXPECT_EQ(other.proj + "|" + other.filename, "in memory|" + file);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace zod
