#include "engine/tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "engine/checked.h"
#include "engine/state.h"

namespace zod {
namespace {

std::string Repeat(const std::string& line, int n) {
  std::string s;
  while (n-- > 0) s += line;
  return s;
}

const std::string kMatRow = "\"S355 (EN 10025-2)\",355,16,345,40,335,63,325,80,315,100,295,150,285\r\n";

// Reads `text` into a fresh table; returns the error message ("" for none)
// and leaves the table as the reader left it.
template <typename Table>
std::string Read(Table& t, const std::string& text, const std::string& file = "x.dat") {
  std::istringstream in(text);
  try {
    if constexpr (std::is_same_v<Table, MaterialTable>) {
      ReadMat(t, in, file);
    } else {
      ReadProfiles(t, in, file);
    }
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

TEST(TablesRead, FieldsEndAtCommasAndLineBreaksWhateverTheLayout) {
  // Quoted name with a comma and Windows-1252 letters, blanks before fields,
  // LF and lone CR line ends, a row spread over lines, no closing line break.
  MaterialTable m;
  ASSERT_EQ(Read(m,
                 "\"St\xE5l, \x80\",  235,16,225,40,215,63,215,80,215,100,195,150,185\n"
                 "User defined,1,2,3,4,5,6\r7,8,9,10\r\n11,12,+1.3e1"),
            "");
  ASSERT_EQ(m.nmat, 1);
  EXPECT_EQ(m.matname[0], "St\xC3\xA5l, \xE2\x82\xAC");
  EXPECT_EQ(m.matname[1], "User defined");
  EXPECT_FLOAT_EQ(m.mattab[0][13], 185);
  for (int c = 1; c <= 13; ++c) EXPECT_FLOAT_EQ(m.mattab[1][c], static_cast<float>(c)) << c;

  LProfTable p;  // trailing blank lines after the last row
  ASSERT_EQ(Read(p, "75,50,6.5,6\r\n80, 80 ,8,8\r\n\r\n  \r\n"), "");
  EXPECT_EQ(p.n, 1);
  EXPECT_FLOAT_EQ(p.v[0][3], 6.5f);
}

TEST(TablesRead, TablesFillToCapacityAndProfilesMayBeEmpty) {
  MaterialTable m21, m3;
  LProfTable l;
  BfProfTable bf;
  FProfTable empty;
  EXPECT_EQ(Read(m21, Repeat(kMatRow, 21)) + Read(m3, Repeat(kMatRow, 3)), "");
  EXPECT_EQ(Read(l, Repeat("200,100,10,12\r\n", 41)) + Read(bf, Repeat("120,6,17,5,931\r\n", 61)), "");
  EXPECT_EQ(Read(empty, "\r\n \r\n"), "");
  EXPECT_EQ(m21.nmat, 20);
  EXPECT_EQ(m3.nmat, 2);
  EXPECT_EQ(l.n, 40);
  EXPECT_FLOAT_EQ(l.v[40][4], 12);
  EXPECT_EQ(bf.n, 60);
  EXPECT_FLOAT_EQ(bf.v[60][5], 931);
  EXPECT_EQ(empty.n, -1);
}

struct BadFile {
  const char* what;
  int table;  // 0 material, 1 L (4 numbers), 2 flat bar (2 numbers), 3 bulb flat
  std::string text;
  const char* message;  // the part of the message that names file, row and fault
  int rowsKept;         // whole rows stored before the fault
};
void PrintTo(const BadFile& b, std::ostream* os) { *os << b.what; }

class TablesBadFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(TablesBadFile, ThrowsNamingFileAndRowAndKeepsWholeRows) {
  const BadFile& b = GetParam();
  std::string msg;
  int n = -2;
  MaterialTable m;
  LProfTable l;
  FProfTable f;
  BfProfTable bf;
  switch (b.table) {
    case 0:
      msg = Read(m, b.text, "ZODmat.dat"), n = m.nmat;
      break;
    case 1:
      msg = Read(l, b.text, "lprof.dat"), n = l.n;
      break;
    case 2:
      msg = Read(f, b.text, "fprof.dat"), n = f.n;
      break;
    default:
      msg = Read(bf, b.text, "bfprof.dat"), n = bf.n;
  }
  EXPECT_NE(msg.find(b.message), std::string::npos) << msg;
  EXPECT_EQ(n, b.rowsKept - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TablesBadFile,
    ::testing::Values(
        BadFile{"not_a_number", 2, "60,6\r\n60,8\r\n60,abc\r\n",
                "Error in databasefile fprof.dat, row 3 (line 3): field 2 \"abc\" is not a number", 2},
        BadFile{"trailing_letters", 1, "75,50,6,6x\r\n", "row 1 (line 1): field 4 \"6x\" is not a number", 0},
        BadFile{"words", 2, "inf,6\r\n", "\"inf\" is not a number", 0},
        BadFile{"long_garbage_cut_short", 2, std::string(100000, 'x'), "xxx...\" is not a number", 0},
        BadFile{"empty_field", 1, "75,50,,6\r\n", "row 1 (line 1): field 3 is empty", 0},
        BadFile{"row_cut_short_by_a_line_break", 2, "60,6\r\n60\r\n\r\n", "row 2 (line 3): field 2 is empty",
                1},
        BadFile{"beyond_single_precision", 2, "60,1e39\r\n", "\"1e39\" is out of range", 0},
        BadFile{"ends_inside_a_row", 1, "75,50,6,6\r\n80,80,8",
                "row 2 (line 2): the file ends inside the row", 1},
        BadFile{"ends_after_a_comma", 2, "60,", "the file ends inside the row", 0},
        BadFile{"ends_inside_a_quoted_name", 0, kMatRow + "\"User", "row 2 (line 2): the file ends inside",
                1},
        BadFile{"name_without_numbers", 0, "\"S235\"\r\n", "row 1 (line 2): the file ends inside the row", 0},
        BadFile{"empty_material_file", 0, "\r\n", "ZODmat.dat: the file holds no material", 0},
        BadFile{"material_22", 0, Repeat(kMatRow, 22),
                "row 22 (line 22): more rows than the table holds (at most 21)", 21},
        BadFile{"l_profile_42", 1, Repeat("75,50,6,6\r\n", 42), "lprof.dat, row 42", 41},
        BadFile{"flat_bar_42", 2, Repeat("60,6\n", 42), "fprof.dat, row 42", 41},
        BadFile{"bulb_flat_62", 3, Repeat("120,6,17,5,931\r\n", 62), "bfprof.dat, row 62", 61}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(TablesFiles, LoadersReadTheProgramFolderAndReportMissingOrUnreadableFiles) {
  const auto dir = std::filesystem::temp_directory_path() / "zod_tables_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "tprof.dat");  // a folder cannot be read as a file
  auto write = [&](const char* name, const std::string& text) { std::ofstream(dir / name) << text; };
  write("ZODmat.dat", Repeat(kMatRow, 3));
  write("bfprof.dat", "120,6,17,5,931\r\n");
  write("lprof.dat", "75,50,6,6\r\n");
  State z;
  z.apppath = dir.string();
  const auto cwd = std::filesystem::current_path();
  ReadMat(z);
  ReadBfProf(z);
  ReadLProf(z);
  EXPECT_EQ(z.mat.nmat, 2);
  EXPECT_EQ(z.bfprof.n, 0);
  EXPECT_EQ(z.lprof.n, 0);
  EXPECT_EQ(std::filesystem::current_path(), cwd);
  try {
    ReadTProf(z);
    ADD_FAILURE() << "a folder read as tprof.dat";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("tprof.dat"), std::string::npos) << e.what();
  }
  try {
    ReadFProf(z);
    ADD_FAILURE() << "missing fprof.dat read";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find((dir / "fprof.dat").string()), std::string::npos) << e.what();
  }
  std::filesystem::remove_all(dir);
}

// Row 0: S355 bands; row 1: a value that single precision rounds; row 2:
// the user-defined material (nmat = 2).
class TablesFy : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(
        Read(z.mat, kMatRow + "B,235.7,10,2,20,3,30,4,40,5,50,6,60,7\r\nUser,1,1,1,1,1,1,1,1,1,1,1,1,1"), "");
  }
  State z;
};

TEST_F(TablesFy, AThicknessAtALimitTakesTheBandBelow) {
  const double cases[][2] = {{0, 355},   {16, 355},     {std::nextafter(16.0, 17.0), 345},
                             {40, 345},  {40.5, 335},   {63, 335},
                             {80, 325},  {80.01, 315},  {100, 315},
                             {150, 295}, {150.01, 285}, {1e6, 285}};
  for (const auto& c : cases) {
    z.t = c[0];
    GetFyp(z, 0);
    EXPECT_EQ(z.fyp, c[1]) << "t = " << c[0];
  }
  z.t = 5;
  GetFyp(z, 1);
  EXPECT_EQ(z.fyp, static_cast<double>(235.7f));
  z.tmat = 45;  // stiffener and ring frame look up with tmat, not t
  GetFys(z, 0);
  GetFyg(z, 1);
  EXPECT_EQ(z.fys, 335);
  EXPECT_EQ(z.fyg, 5);
}

TEST_F(TablesFy, UserDefinedHigherAndNegativeIndexesLeaveTheValue) {
  for (std::int16_t k : {2, 3, 20, 32767, -1, -32768}) {
    z.fyp = z.fys = z.fyg = 123.5;
    GetFyp(z, k);
    GetFys(z, k);
    GetFyg(z, k);
    EXPECT_TRUE(z.fyp == 123.5 && z.fys == 123.5 && z.fyg == 123.5) << k;
  }
}

// The files that ship with the program.
class TablesData : public ::testing::Test {
 protected:
  void SetUp() override {
    z.apppath = ZOD_DATA_DIR;
    ReadTables(z);
  }
  State z;
};

TEST_F(TablesData, FilesAreWindowsTextWithCrLf) {
  for (const char* name : {"ZODmat.dat", "lprof.dat", "tprof.dat", "fprof.dat", "bfprof.dat"}) {
    std::ifstream f(std::string(ZOD_DATA_DIR) + "/" + name, std::ios::binary);
    const std::string s((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_EQ(std::count(s.begin(), s.end(), '\n'), std::count(s.begin(), s.end(), '\r')) << name;
    EXPECT_EQ(s.find("\n\r"), std::string::npos) << name;  // every CR stands right before its LF
    EXPECT_TRUE(s.ends_with("\r\n")) << name;
  }
}

TEST_F(TablesData, MaterialsHaveTheDefaultGradeAndOrderedBands) {
  ASSERT_GE(z.mat.nmat, 3);  // default index 2 must be a looked-up grade, not the user row
  EXPECT_NE(z.mat.matname[2].find("S355"), std::string::npos);
  EXPECT_NE(z.mat.matname[z.mat.nmat].find("User"), std::string::npos);
  for (int k = 0; k <= z.mat.nmat; ++k) {
    const auto& c = z.mat.mattab[k];
    EXPECT_GT(c[13], 0) << k;
    for (int j = 3; j <= 13; j += 2) EXPECT_LE(c[j], c[j - 2]) << k;  // thicker is not stronger
    for (int j = 4; j <= 12; j += 2) EXPECT_LE(c[j - 2], c[j]) << k;
  }
}

TEST_F(TablesData, ProfilesHaveRowZeroAndThinnerPartsThanTheirSize) {
  ASSERT_TRUE(z.lprof.n >= 0 && z.tprof.n >= 0 && z.fprof.n >= 0 && z.bfprof.n >= 0);
  for (const auto* p : {&z.lprof, &z.tprof}) {
    for (int i = 0; i <= p->n; ++i) {
      const auto& r = p->v[i];  // H, B, tw, tf
      EXPECT_TRUE(r[3] > 0 && r[4] > 0 && r[4] < r[1] && r[3] < r[2]) << i;
    }
  }
  for (int i = 0; i <= z.fprof.n; ++i)
    EXPECT_TRUE(z.fprof.v[i][2] > 0 && z.fprof.v[i][2] < z.fprof.v[i][1]) << i;
}

TEST_F(TablesData, EveryBulbFlatIsAnEquivalentAngleWithAPositiveFlange) {
  for (int i = 0; i <= z.bfprof.n; ++i) {
    const auto& r = z.bfprof.v[i];  // H, tw, c, r, Ax
    const double b = r[3] + r[2] - 0.45 * r[4];
    const float tf = chk::sgl(chk::div(r[5] - r[1] * r[2], b - r[2]));
    EXPECT_TRUE(b > r[2] && tf > 0 && tf < r[1]) << "row " << i << " tf " << tf;
  }
}

}  // namespace
}  // namespace zod
