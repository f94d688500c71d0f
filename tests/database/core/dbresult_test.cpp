#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/format.h"
#include "engine/recording.h"
#include "tests/database/core/dbtest.h"

// The result file: its header, one line per row of every cylinder type
// checked field by field, rows whose calculation stops, and the one message
// that reports them.
namespace zod {
namespace {

using dbtest::Prepare;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t end = text.find("\r\n", i);
    EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(i, end - i));
    i = end + 2;
  }
  return lines;
}

// The fields of a line, each ended by ";" (a line ending ";;" ends with an
// empty field).
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> f;
  std::size_t i = 0;
  for (std::size_t end; (end = line.find(';', i)) != std::string::npos; i = end + 1)
    f.push_back(line.substr(i, end - i));
  if (i < line.size()) f.push_back(line.substr(i));
  return f;
}

void ExpectFields(const std::vector<std::string>& got, const std::vector<std::string>& expected) {
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], expected[i]) << "field " << i + 1;
}

std::vector<std::string> Result(State& z, std::vector<DbStoppedRow>* stopped = nullptr) {
  std::ostringstream out;
  std::vector<DbStoppedRow> s = WriteDbResult(z, out);
  if (stopped) *stopped = s;
  return Lines(out.str());
}

// The value lines 1..n of a panel after the same row was calculated in a
// state of its own, with the field under the panel's title in front.
void AddPanel(std::vector<std::string>& f, const ResultPanel& p, bool applies, const char* title = "") {
  f.push_back(title);
  for (int i = 1; i <= p.n; ++i) f.push_back(applies ? p.val[static_cast<std::size_t>(i)] : "N/A");
}

class DbResult : public ::testing::Test {
 protected:
  void SetUp() override {
    Prepare(z);
    NewDatabase(z, "Wall A");
    z.dbrows = 1;  // the cases below follow the comment row
  }
  // The current case as the next row, identified by `ident`.
  void Add(const std::string& ident) {
    z.ident = ident;
    Calculate(z);
    AddToDatabase(z);
  }
  // The panels of row i, calculated apart from the file.
  void Reference(std::int16_t i, State& ref) const {
    Prepare(ref);
    ref.dbtab = z.dbtab, ref.dbrows = z.dbrows;
    LoadDbRow(ref, i);
  }
  State z;
};

TEST_F(DbResult, HeaderHasTheCaptionsAndThePanelLabels) {
  Add("a");
  const std::vector<std::string> lines = Result(z);
  ASSERT_GE(lines.size(), 1u);
  const std::vector<std::string> h = Fields(lines[0]);
  ASSERT_EQ(h.size(), 90u);
  EXPECT_EQ(lines[0].substr(lines[0].size() - 2), ";;");
  EXPECT_EQ(h[0], "Project");
  EXPECT_EQ(h[5], "Outside stiffeneing");
  EXPECT_EQ(h[35], "Dim mom");
  const std::vector<std::string> shell = {
      "Shell",     "fEa = ", "fEtau/fEm = ", "fEh = ",  "SighSd = ", "SigjSd = ",
      "lamdas = ", "fks = ", "gm = ",        "fksd = ", "UF = "};
  EXPECT_EQ(std::vector<std::string>(h.begin() + 36, h.begin() + 47), shell);
  EXPECT_EQ(h[47], "Stiffener");
  EXPECT_EQ(h[48], "se =");
  EXPECT_EQ(h[60], "UF = ");
  const std::vector<std::string> ring = {"Ringframe", "Area req", "UF = ", "Iy req", "le ="};
  EXPECT_EQ(std::vector<std::string>(h.begin() + 61, h.begin() + 66), ring);
  EXPECT_EQ(h[72], "UF =");
  EXPECT_EQ(h[73], "Ihr>= ");
  EXPECT_EQ(h[74], "Column");
  EXPECT_EQ(h[88], "UF2 =  ");
  EXPECT_EQ(h[89], "");
}

// One line per cylinder type, every field: inputs by their patterns, "N/A"
// where a group does not apply, the panels' values where it does.
TEST_F(DbResult, DataLinesOfEveryCylinderType) {
  // stringer stiffened, no ring-frame check, heavy switch on
  z.cylinder = 2, z.ringch = 0, z.hringch = 1, z.ufb = 1;
  Add("stringer");
  z.dbtab[1].hringch = 1;  // the calculation clears it without the ring check; a file may hold it
  // ring stiffened, cold-formed ring frame, special Ih, WSD
  z.cylinder = 1, z.ringch = 1, z.ringfab = 1, z.checkih = 1, z.dmethod = 1, z.ufb = 0.85, z.outside = 1;
  z.hringch = 1;
  Add("ring");
  // unstiffened, ring check on
  z.cylinder = 0, z.ringfab = 0, z.checkih = 0, z.dmethod = 0, z.ufb = 1, z.outside = 0, z.hringch = 0;
  Add("plain");
  // column, M1a 1, M1b 2, M2a 3, M2b 4, reduced moment
  z.cylinder = 3, z.ringch = 0, z.m1a = 1, z.m1b = 2, z.m2a = 3, z.m2b = 4, z.dmom = 1;
  Add("column");
  ASSERT_EQ(z.dbrows, 5);

  const std::vector<std::string> lines = Result(z);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], "% Wall A");

  const std::string stiff = z.dbtab[1].dbstiffprof, gird = z.dbtab[2].dbgirdprof;
  const std::string fyp = Format(z.dbtab[1].fyp, "0"), fys = Format(z.dbtab[1].fys, "0");
  const std::string fyg = Format(z.dbtab[2].fyg, "0");
  // clang-format off
  const std::vector<std::vector<std::string>> inputs = {
      {"Project", "stringer", "LRFD", "1.", "Stringer stiff", "No", "No", "No", "21.0E+4", fyp, "1500", "3000",
       "20.0", "600", "3000", stiff, fys, "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "-100", "-10", "40", "-0.3",
       "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"},
      {"Project", "ring", "WSD", "0.85", "Ring stiff", "Yes", "Yes", "Yes", "21.0E+4", fyp, "1500", "3000",
       "20.0", "N/A", "N/A", "N/A", "N/A", "6000", "600", gird, fyg, "Welded", "Yes", "-100", "-10", "40",
       "-0.3", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"},
      {"Project", "plain", "LRFD", "1.", "Cylinder", "No", "Yes", "No", "21.0E+4", fyp, "1500", "3000", "20.0",
       "N/A", "N/A", "N/A", "N/A", "6000", "600", gird, fyg, "Fab", "No", "-100", "-10", "40", "-0.3",
       "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"},
      {"Project", "column", "LRFD", "1.", "Column", "No", "No", "No", "21.0E+4", fyp, "1500", "3000", "20.0",
       "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "-0.3",
       "6000", "1", "1", "-1000", "1", "3", "2", "4", "Red"},
  };
  // clang-format on
  for (std::int16_t row = 1; row <= 4; ++row) {
    SCOPED_TRACE(z.dbtab[static_cast<std::size_t>(row)].ident);
    State ref;
    Reference(row, ref);
    ASSERT_TRUE(ref.calcok);
    std::vector<std::string> expected = inputs[static_cast<std::size_t>(row - 1)];
    AddPanel(expected, ref.shellpanel, true);
    AddPanel(expected, ref.stiffpanel, ref.cylinder == 2);
    AddPanel(expected, ref.ringpanel, ref.ringch == 1);
    AddPanel(expected, ref.colpanel, ref.cylinder == 3, ref.cylinder == 3 ? "" : " ");
    expected.push_back("");
    ASSERT_EQ(expected.size(), 90u);
    ExpectFields(Fields(lines[static_cast<std::size_t>(row) + 1]), expected);
  }
  // the last data row stays in the design case, with the user-defined materials
  EXPECT_EQ(z.ident, "column");
  EXPECT_EQ(z.matp, z.mat.nmat);
}

TEST_F(DbResult, WithoutATableOnlyTheHeader) {
  State s;
  Prepare(s);
  EXPECT_EQ(Result(s).size(), 1u);
}

// A row whose calculation stops shows no result of the row before it: its
// result fields say so, and the stop is reported once, at the end, while a
// correction message of another row still reaches the window.
TEST_F(DbResult, StoppedRowWritesThatItStoppedAndIsReportedOnce) {
  RecordingView view;
  z.setView(&view);
  Add("good");
  z.t = 0;  // l² / (r t) divides by zero
  Add("broken");
  z.t = 20;
  Add("corrected");
  z.dbtab[3].gilt = 5000;  // lowered to the tripping-length limit, with a message
  view.messages.clear();

  std::vector<DbStoppedRow> stopped;
  const std::vector<std::string> lines = Result(z, &stopped);
  ASSERT_EQ(lines.size(), 5u);
  ASSERT_EQ(stopped.size(), 1u);
  EXPECT_EQ(stopped[0].row, 2);
  EXPECT_EQ(stopped[0].ident, "broken");
  EXPECT_EQ(view.messages,
            std::vector<std::string>{" lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value "});
  EXPECT_EQ(&z.view(), &view);

  const std::vector<std::string> good = Fields(lines[2]), broken = Fields(lines[3]);
  ASSERT_EQ(broken.size(), 90u);
  EXPECT_EQ(broken[1], "broken");
  EXPECT_EQ(broken[12], "0.0");
  for (std::size_t i = 37; i < 74; ++i) {  // shell, stiffener and ring values
    if (i == 47 || i == 61) continue;      // under the titles
    EXPECT_EQ(broken[i], kDbStoppedText) << i;
  }
  for (std::size_t i = 75; i < 89; ++i) EXPECT_EQ(broken[i], "N/A") << i;
  EXPECT_NE(good[46], kDbStoppedText);
  EXPECT_NE(Fields(lines[4])[46], kDbStoppedText);
}

TEST(DbStoppedMessage, NamesTheRowsOnceAndAtMostTwenty) {
  EXPECT_EQ(StoppedRowsMessage({}), "");
  EXPECT_EQ(
      StoppedRowsMessage({{4, "Tank A", "division by zero"}}),
      " The calculation of 1 row stopped; their results say \"calculation stopped\": \nrow 4 \"Tank A\": "
      "division by zero ");
  std::vector<DbStoppedRow> many;
  for (std::int16_t i = 1; i <= 25; ++i) many.push_back({i, "c" + std::to_string(i), ""});
  const std::string m = StoppedRowsMessage(many);
  EXPECT_NE(m.find("25 rows stopped"), std::string::npos);
  EXPECT_NE(m.find("row 20 \"c20\"\nand 5 more rows "), std::string::npos) << m;
  EXPECT_EQ(m.find("c21"), std::string::npos);
}

}  // namespace
}  // namespace zod
