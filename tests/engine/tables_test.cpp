#include "engine/tables.h"

#include <gtest/gtest.h>
#include <unistd.h>

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

// Reads `text` into the table; returns the error message ("" for none).
template <typename Table>
std::string Read(Table& t, const std::string& text, const std::string& file = "x.dat") {
  std::istringstream in(text);
  try {
    if constexpr (std::is_same_v<Table, MaterialTable>)
      ReadMat(t, in, file);
    else
      ReadProfiles(t, in, file);
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// table: 0 material, 1 L (4 numbers), 2 flat bar (2 numbers), 3 bulb flat (5 numbers); message: "" for a
// good file, else the part that names file, row and fault; rows: whole rows stored (before the fault).
// clang-format off
struct TableFile { const char* what; int table; std::string text; const char* message; int rows; };
// clang-format on
void PrintTo(const TableFile& b, std::ostream* os) { *os << b.what; }

class TablesFile : public ::testing::TestWithParam<TableFile> {};

TEST_P(TablesFile, ReadsWholeRowsAndNamesFileAndRowOfAFault) {
  const TableFile& b = GetParam();
  MaterialTable m;
  LProfTable l;
  FProfTable f;
  BfProfTable bf;
  const std::string msg = b.table == 0   ? Read(m, b.text, "ZODmat.dat")
                          : b.table == 1 ? Read(l, b.text, "lprof.dat")
                          : b.table == 2 ? Read(f, b.text, "fprof.dat")
                                         : Read(bf, b.text, "bfprof.dat");
  EXPECT_TRUE(*b.message ? msg.find(b.message) != std::string::npos : msg.empty()) << msg;
  const int rows[] = {m.nmat, l.n, f.n, bf.n};
  EXPECT_EQ(rows[b.table], b.rows - 1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Tables, TablesFile, ::testing::Values(
    TableFile{"trailing_blank_lines", 1, "75,50,6.5,6\r\n80, 80 ,8,8\r\n\r\n  \r\n", "", 2},
    // what a new case needs: three materials, one profile, nothing that is 0
    TableFile{"empty_profile_file", 2, "\r\n \r\n", "fprof.dat, row 1 (line 3): the file holds no profile", 0},
    TableFile{"two_materials", 0, Repeat(kMatRow, 2), "ZODmat.dat, row 3 (line 3): the file ends before row 3", 2},
    TableFile{"profile_row_of_zeros", 1, "75,50,6,6\r\n0,0,0,0\r\n",
              "lprof.dat, row 2 (line 2): field 1 is 0, it must be above 0", 1},
    TableFile{"negative_bulb_radius", 3, "120,6,17,5,931\n120,6,17,-5,931\n", "row 2 (line 2): field 4 is -5", 1},
    TableFile{"zero_yield_strength", 0, kMatRow + "\"Zero\",355,16,0,40,335,63,325,80,315,100,295,150,285\r\n",
              "ZODmat.dat, row 2 (line 2): field 4 is 0, it must be above 0", 1},
    TableFile{"not_a_number", 2, "60,6\r\n60,8\r\n60,abc\r\n",
              "Error in databasefile fprof.dat, row 3 (line 3): field 2 \"abc\" is not a number", 2},
    TableFile{"trailing_letters", 1, "75,50,6,6x\r\n", "row 1 (line 1): field 4 \"6x\" is not a number", 0},
    TableFile{"words", 2, "inf,6\r\n", "\"inf\" is not a number", 0},
    TableFile{"long_garbage_cut_short", 2, std::string(100000, 'x'), "xxx...\" is not a number", 0},
    TableFile{"empty_field", 1, "75,50,,6\r\n", "row 1 (line 1): field 3 is empty", 0},
    TableFile{"row_cut_short_by_a_break", 2, "60,6\r\n60\r\n\r\n", "row 2 (line 3): field 2 is empty", 1},
    TableFile{"beyond_single_precision", 2, "60,1e39\r\n", "\"1e39\" is out of range", 0},
    TableFile{"ends_inside_a_row", 1, "75,50,6,6\r\n80,80,8", "row 2 (line 2): the file ends inside the", 1},
    TableFile{"ends_after_a_comma", 2, "60,", "the file ends inside the row", 0},
    TableFile{"ends_inside_a_quoted_name", 0, kMatRow + "\"User", "row 2 (line 2): the file ends inside", 1},
    TableFile{"name_without_numbers", 0, "\"S235\"\r\n", "row 1 (line 2): the file ends inside the row", 0},
    TableFile{"empty_material_file", 0, "\r\n", "ZODmat.dat, row 1 (line 2): the file ends before row 3", 0},
    // a full table reads whole; one row more is a fault at that row
    TableFile{"material_21", 0, Repeat(kMatRow, 21), "", 21},
    TableFile{"l_profile_41", 1, Repeat("200,100,10,12\r\n", 41), "", 41},
    TableFile{"bulb_flat_61", 3, Repeat("120,6,17,5,931\r\n", 61), "", 61},
    TableFile{"material_22", 0, Repeat(kMatRow, 22),
              "row 22 (line 22): more rows than the table holds (at most 21)", 21},
    TableFile{"l_profile_42", 1, Repeat("75,50,6,6\r\n", 42), "lprof.dat, row 42", 41},
    TableFile{"flat_bar_42", 2, Repeat("60,6\n", 42), "fprof.dat, row 42", 41},
    TableFile{"bulb_flat_62", 3, Repeat("120,6,17,5,931\r\n", 62), "bfprof.dat, row 62", 61}),
    [](const auto& info) { return std::string(info.param.what); });
// clang-format on

// Fields end at commas and line breaks (CR LF, LF, lone CR) whatever the
// layout; a quoted name keeps its comma and comes in as UTF-8.
TEST(TablesRead, NamesAndNumbers) {
  MaterialTable m;
  ASSERT_EQ(Read(m,
                 "\"St\xE5l, \x80\",  235,16,225,40,215,63,215,80,215,100,195,150,185\n"
                 "Mid,1,2,3,4,5,6\r7,8,9,10\r\n11,12,+1.3e1\n"
                 "User defined,1,1,1,1,1,1,1,1,1,1,1,1,1"),
            "");
  EXPECT_EQ(m.nmat, 2);
  EXPECT_EQ(m.matname[0] + "|" + m.matname[1], "St\xC3\xA5l, \xE2\x82\xAC|Mid");
  EXPECT_FLOAT_EQ(m.mattab[0][13], 185);
  for (int c = 1; c <= 13; ++c) EXPECT_FLOAT_EQ(m.mattab[1][c], static_cast<float>(c)) << c;
}

// Row 0: S355 bands; row 1: a value that single precision rounds; row 2: the
// user-defined material (nmat = 2). A thickness at a limit takes the band below;
// stiffener and ring frame look up with tmat, not t; the user-defined row,
// higher and negative indexes leave the value as it is.
TEST(TablesFy, BandEdgesAndUserDefinedMaterial) {
  State z;
  ASSERT_EQ(Read(z.mat, kMatRow + "B,235.7,10,2,20,3,30,4,40,5,50,6,60,7\r\nUser,1,1,1,1,1,1,1,1,1,1,1,1,1"),
            "");
  // clang-format off
  const double cases[][2] = {{0, 355},   {16, 355},  {std::nextafter(16.0, 17.0), 345}, {40, 345},
                             {40.5, 335}, {63, 335},  {80, 325}, {80.01, 315}, {100, 315}, {150, 295},
                             {150.01, 285}, {1e6, 285}};
  // clang-format on
  for (const auto& c : cases) {
    z.t = c[0];
    GetFyp(z, 0);
    EXPECT_EQ(z.fyp, c[1]) << "t = " << c[0];
  }
  z.t = 5;
  GetFyp(z, 1);
  EXPECT_EQ(z.fyp, static_cast<double>(235.7f));
  z.tmat = 45;
  GetFys(z, 0);
  GetFyg(z, 1);
  EXPECT_TRUE(z.fys == 335 && z.fyg == 5);
  for (std::int16_t k : {2, 3, 20, 32767, -1, -32768}) {
    z.fyp = z.fys = z.fyg = 123.5;
    GetFyp(z, k);
    GetFys(z, k);
    GetFyg(z, k);
    EXPECT_TRUE(z.fyp == 123.5 && z.fys == 123.5 && z.fyg == 123.5) << k;
  }
}

// The shipped files are Windows text with CR LF; the default plate material
// (row 2) is a grade the table looks up, the last row the user's own, and a
// thicker plate is never stronger; every bulb flat is an equivalent angle with
// B > tw and a positive flange. A missing file, and one that cannot be read,
// is named.
TEST(TablesFiles, ShippedFilesAreSoundAndAMissingOneIsNamed) {
  for (const char* name : {"ZODmat.dat", "lprof.dat", "tprof.dat", "fprof.dat", "bfprof.dat"}) {
    std::ifstream f(std::string(ZOD_DATA_DIR) + "/" + name, std::ios::binary);
    const std::string s((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_EQ(std::count(s.begin(), s.end(), '\n'), std::count(s.begin(), s.end(), '\r')) << name;
    EXPECT_TRUE(s.find("\n\r") == std::string::npos && s.ends_with("\r\n")) << name;
  }
  State z;
  z.apppath = ZOD_DATA_DIR;
  ReadTables(z);
  for (int i = 0; i <= z.bfprof.n; ++i) {
    const auto& r = z.bfprof.v[i];  // H, tw, c, r, Ax
    const double b = r[3] + r[2] - 0.45 * r[4];
    const float tf = chk::sgl(chk::div(r[5] - r[1] * r[2], b - r[2]));
    EXPECT_TRUE(b > r[2] && tf > 0 && tf < r[1]) << "row " << i << " tf " << tf;
  }
  ASSERT_GE(z.mat.nmat, 3);
  EXPECT_NE(z.mat.matname[2].find("S355"), std::string::npos);
  EXPECT_NE(z.mat.matname[z.mat.nmat].find("User"), std::string::npos);
  for (int k = 0; k <= z.mat.nmat; ++k) {
    const auto& c = z.mat.mattab[k];
    for (int j = 3; j <= 13; j += 2) EXPECT_TRUE(c[j] > 0 && c[j] <= c[j - 2]) << k;  // strengths
    for (int j = 4; j <= 12; j += 2) EXPECT_LE(c[j - 2], c[j]) << k;                  // thickness limits
  }
  z.apppath = "/nonexistent";
  try {
    ReadFProf(z);
    ADD_FAILURE() << "missing fprof.dat read";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/fprof.dat"), std::string::npos) << e.what();
  }
  const auto dir = std::filesystem::temp_directory_path() / ("zodtables" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "tprof.dat");  // a folder cannot be read as a file
  z.apppath = dir.string();
  try {
    ReadTProf(z);
    ADD_FAILURE() << "a folder read as tprof.dat";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("tprof.dat"), std::string::npos) << e.what();
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zod
