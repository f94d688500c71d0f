#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "mainwindow/core/projectfile.h"

namespace zod {
namespace {

// A state with small tables, so row searches have something to find.
struct ProjectFileTest : ::testing::Test {
  State z;
  void SetUp() override {
    z.mat.nmat = 5;
    z.tprof.n = 2;
    z.tprof.v[0] = {0, 200, 90, 9, 12};
    z.tprof.v[1] = {0, 250, 90, 10, 14};
    z.tprof.v[2] = {0, 250, 90, 10, 14};
    z.bfprof.n = 0;
    z.bfprof.v[0] = {0, 160, 8, 0, 0, 0};
    z.lprof.n = 0;
    z.fprof.n = 0;
  }
  std::string Write(const DesignCase& c) {
    std::ostringstream out;
    WriteProject(out, c);
    return out.str();
  }
  DesignCase Read(const std::string& text, const DesignCase& base) {
    std::istringstream in(text);
    std::int16_t ver = 0;
    return ReadProject(in, base, z, ver);
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string s; std::getline(in, s);) lines.push_back(s);
    return lines;
  }
  static std::string Join(const std::vector<std::string>& lines, const char* eol = "\r\n") {
    std::string out;
    for (auto& l : lines) out += l + eol;
    return out;
  }
};

// A case with a distinct, awkward value in every stored field.
DesignCase Awkward(int cylinder, int stiff, int gird) {
  State s;
  DesignCase c = s;
  c.proj = "Jacket leg, \"B2\"; Æøå €";
  c.ident = "  lead blank, comma,";
  c.matp = 1, c.mats = 3, c.matg = 4;
  c.fyp = 355.5, c.fys = 0.1f, c.fyg = 1.0 / 3.0;
  c.dmethod = 1, c.ufb = 0.85;
  c.cylinder = static_cast<int16>(cylinder);
  c.outside = 1, c.ringch = 0, c.checkih = 1, c.ringfab = 1;
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

TEST_F(ProjectFileTest, EveryFieldSurvivesWritingAndReadingForEveryTypeAndKind) {
  for (int cyl = 0; cyl <= 3; ++cyl)
    for (int kind = 0; kind <= 9; ++kind) {
      DesignCase c = Awkward(cyl, kind, 9 - kind);
      std::string text = Write(c);
      EXPECT_EQ(Lines(text).size(), 59u);
      EXPECT_EQ(text.substr(0, 5), "185\r\n");
      State fresh;
      DesignCase back = Read(text, fresh);
      // The reader refinds the stiffener row and fills the built-up memory of
      // the current kinds; apply the same to the original before comparing.
      DesignCase expect = c;
      expect.resv1 = 1;
      AdoptProfiles(expect, z);
      EXPECT_EQ(back.proj, c.proj);
      EXPECT_EQ(back.ident, c.ident);
      EXPECT_EQ(Write(back), Write(expect)) << "cylinder " << cyl << " kind " << kind;
      EXPECT_EQ(back.sigx, c.sigx);
      EXPECT_EQ(back.fyg, c.fyg);
      EXPECT_EQ(back.gilt, c.gilt);
    }
}

TEST_F(ProjectFileTest, NumbersUseAPointAndTextsAreWindows1252) {
  DesignCase c = Awkward(2, 1, 3);
  auto lines = Lines(Write(c));
  EXPECT_EQ(lines[1], "Jacket leg, \"B2\"; \xC6\xF8\xE5 \x80\r");
  EXPECT_EQ(lines[10], "0.85\r");
  EXPECT_EQ(lines[31], "0.3\r");  // gilt, single precision: shortest form
  EXPECT_EQ(lines[52], "-200.5\r");  // moments in the order M1a, M2a, M1b, M2b
  EXPECT_EQ(lines[53], "-100.25\r");
}

TEST_F(ProjectFileTest, OlderLayoutsLeaveTheLaterFieldsAsTheyWere) {
  DesignCase c = Awkward(3, 5, 7);
  auto lines = Lines(Write(c));
  for (auto& l : lines) l.pop_back();  // LF-only file
  State fresh;
  auto older = [&](const char* version, std::size_t count) {
    std::vector<std::string> v(lines.begin(), lines.begin() + count);
    v[0] = version;
    return Read(Join(v, "\n"), fresh);
  };
  DesignCase v105 = older("105", 49);
  EXPECT_EQ(v105.girdtf, c.girdtf);
  EXPECT_EQ(v105.hringch, fresh.hringch);
  EXPECT_EQ(v105.resv2, fresh.resv2);
  EXPECT_EQ(v105.nn, fresh.nn);
  EXPECT_EQ(v105.m1a, fresh.m1a);
  EXPECT_EQ(v105.m2b, fresh.m2b);
  EXPECT_EQ(v105.k1, fresh.k1);
  EXPECT_EQ(v105.k2, fresh.k2);
  EXPECT_EQ(v105.dmom, fresh.dmom);
  DesignCase v130 = older("130", 50);
  EXPECT_EQ(v130.hringch, c.hringch);
  EXPECT_EQ(v130.resv2, fresh.resv2);
  EXPECT_EQ(v130.nn, fresh.nn);
  DesignCase v131 = older("131", 59);
  EXPECT_EQ(v131.dmom, c.dmom);
  EXPECT_EQ(v131.k2, c.k2);
}

TEST_F(ProjectFileTest, StiffenerRowIsFoundAgainByItsDimensions) {
  DesignCase c = Awkward(2, 2, 2);
  c.stiffh = 250, c.stiffb = 90, c.stifftw = 10, c.stifftf = 14;
  c.istifft = 0;
  EXPECT_EQ(Read(Write(c), z).istifft, 2);  // the later of two matching rows
  c.stifftype = 6;
  c.stiffh = 161, c.stifftw = 8;
  c.istiffhp = 17;
  EXPECT_EQ(Read(Write(c), z).istiffhp, 17);  // no match: the file's row stays
  c.stiffh = 160;
  EXPECT_EQ(Read(Write(c), z).istiffhp, 0);
}

TEST_F(ProjectFileTest, BuiltUpMemoryOfTheCurrentKindsIsFilled) {
  DesignCase c = Awkward(2, 5, 8);
  State fresh;
  DesignCase back = Read(Write(c), fresh);
  EXPECT_EQ(back.sfbh, 201);
  EXPECT_EQ(back.sfbtw, 9.5f);
  EXPECT_EQ(back.gusph, 301);
  EXPECT_EQ(back.guspb, 101);
  EXPECT_EQ(back.guspa, 3.5);
  EXPECT_EQ(back.gusptw, 10.5f);
  EXPECT_EQ(back.slbh, fresh.slbh);  // other kinds keep theirs
  EXPECT_EQ(back.gfbh, fresh.gfbh);
}

TEST_F(ProjectFileTest, DamagedFilesAreRefused) {
  std::string good = Write(Awkward(1, 0, 2));
  auto lines = Lines(good);
  auto with = [&](std::size_t index, std::string value) {
    auto v = lines;
    v[index] = value + "\r";
    return Join(v, "\n");
  };
  const std::vector<std::string> damaged = {
      "",
      "185\r\nonly a name\r\n",
      Join(std::vector<std::string>(lines.begin(), lines.begin() + 58), "\n"),
      with(5, "abc"),              // plate yield strength
      with(6, "12x"),              // trailing garbage
      with(3, "40000"),            // int16 out of range
      with(11, "7"),               // cylinder type 7
      with(3, "-1"),               // negative material
      with(3, "6"),                // beyond the material table
      with(27, "1e39"),            // single out of range
      with(28, "nan"),
      with(0, "18.5"),
      std::string("\x00\xff\xfe garbage\n\x01\x02", 14),
  };
  for (const auto& text : damaged) EXPECT_THROW(Read(text, z), Error) << text.substr(0, 40);
}

TEST_F(ProjectFileTest, FailedReadAndWriteLeaveEverythingAsItWas) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("zodpf" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::string file = (dir / "case.vtr").string();
  z.proj = "first";
  WriteProjectFile(z, file);
  EXPECT_EQ(z.filename, file);

  {
    std::ofstream(file, std::ios::binary) << "185\r\nbroken\r\n";
  }
  z.proj = "in memory";
  z.filename = "New File";
  EXPECT_THROW(ReadProjectFile(z, file), Error);
  EXPECT_EQ(z.proj, "in memory");
  EXPECT_EQ(z.filename, "New File");
  EXPECT_THROW(ReadProjectFile(z, (dir / "gone.vtr").string()), Error);

  // A save into a folder that does not exist fails and keeps filename.
  EXPECT_THROW(WriteProjectFile(z, (dir / "no" / "such.vtr").string()), Error);
  EXPECT_EQ(z.filename, "New File");

  WriteProjectFile(z, file);
  State other;
  other.mat.nmat = 5;
  ReadProjectFile(other, file);
  EXPECT_EQ(other.proj, "in memory");
  EXPECT_EQ(other.filename, file);
  EXPECT_FALSE(fs::exists(file + ".tmp~"));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace zod
