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

using Texts = std::vector<std::string>;

// Each line's fields; every field ends with ";", every line with CR LF.
std::vector<Texts> Result(State& z, DbBatchReport* report = nullptr) {
  std::ostringstream out;
  const DbBatchReport r = WriteDbResult(z, out);
  if (report) *report = r;
  std::vector<Texts> lines;
  const std::string text = out.str();
  for (std::size_t i = 0, end; (end = text.find("\r\n", i)) != std::string::npos; i = end + 2) {
    lines.emplace_back();
    for (std::size_t j = i, e; j < end; j = e + 1) {
      e = std::min(text.find(';', j), end);
      lines.back().push_back(text.substr(j, e - j));
    }
  }
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  return lines;
}

class DbResult : public ::testing::Test {
 protected:
  void SetUp() override {
    dbtest::Prepare(z);
    NewDatabase(z, "Wall A");
    z.dbrows = 1;  // the cases below follow the comment row
  }
  void Add(const std::string& ident) {
    z.ident = ident;
    Calculate(z);
    AddToDatabase(z);
  }
  State z;
};

TEST_F(DbResult, HeaderHasTheCaptionsAndThePanelLabels) {
  const Texts h = Result(z)[0];
  ASSERT_EQ(h.size(), 90u);  // 89 and the empty one of the closing ";;"
  // clang-format off
  const Texts panels = {
      "Shell", "fEa = ", "fEtau/fEm = ", "fEh = ", "SighSd = ", "SigjSd = ", "lamdas = ", "fks = ", "gm = ",
      "fksd = ", "UF = ", "Stiffener", "se =", "Isef =", "fEa =", "fEtau = ", "fEh = ", "fT = ", "SighSd = ",
      "SigjSd = ", "lamdas = ", "fks = ", "gm = ", "fksd = ", "UF = ", "Ringframe", "Area req", "UF = ", "Iy req",
      "le =", "fT = ", "Ix =", "Ixh =", "Ih =", "IR =", "I =", "UF =", "Ihr>= ", "Column", "fkcd1 = ", "lamda1 = ",
      "fkcd2 = ", "lamda2 = ", "fakd = ", "fE1 = ", "fE2 = ", "gm = ", "Siga0Sd = ", "M1Sd/M2Sd = ", "Sigm1Sd = ",
      "Sigm2Sd = ", "UF1 = ", "UF2 =  ", ""};
  // clang-format on
  EXPECT_EQ(Texts(h.begin() + 36, h.end()), panels);
  EXPECT_EQ(Texts(h.begin(), h.begin() + 6),
            (Texts{"Project", "Identification", "Design-method", "Allow/Basic Usage Factor", "Cylinder type",
                   "Outside stiffeneing"}));
  EXPECT_EQ(h[35], "Dim mom");
}

// One line per cylinder type, every field: inputs by their patterns, "N/A"
// where a group does not apply, the panels' values where it does, compared
// with the panels of the same row calculated on its own.
TEST_F(DbResult, DataLinesOfEveryCylinderType) {
  z.cylinder = 2, z.ringch = 0;
  Add("stringer");
  z.dbtab[1].hringch = 1;  // a file may hold it with the ring check off
  z.cylinder = 1, z.ringch = 1, z.hringch = 1, z.ringfab = 1, z.checkih = 1, z.dmethod = 1, z.ufb = 0.85;
  z.outside = 1;
  Add("ring");
  z.cylinder = 0, z.hringch = 0, z.ringfab = 0, z.checkih = 0, z.dmethod = 0, z.ufb = 1, z.outside = 0;
  Add("plain");
  z.cylinder = 3, z.ringch = 0, z.m1a = 1, z.m1b = 2, z.m2a = 3, z.m2b = 4, z.dmom = 1;
  Add("column");
  // the user's own case, which the batch must leave as it is
  z.ident = "EDITED", z.cylr = 1234, z.cylinder = 1, z.gilt = 700;
  Calculate(z);
  const DesignCase before = z.designCase();
  const ResultPanel shell = z.shellpanel;

  const std::vector<Texts> lines = Result(z);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], Texts{"% Wall A"});
  const DbRow& r = z.dbtab[2];
  const std::string fyp = Format(r.fyp, "0"), fys = Format(r.fys, "0"), fyg = Format(r.fyg, "0");
  const std::string stiff = r.dbstiffprof, gird = r.dbgirdprof, na = "N/A";
  // clang-format off
  const std::vector<Texts> inputs = {
      {"Project", "stringer", "LRFD", "1.", "Stringer stiff", "No", "No", "No", "21.0E+4", fyp, "1500", "3000",
       "20.0", "600", "3000", stiff, fys, na, na, na, na, na, na, "-100", "-10", "40", "-0.3", na, na, na, na, na,
       na, na, na, na},
      {"Project", "ring", "WSD", "0.85", "Ring stiff", "Yes", "Yes", "Yes", "21.0E+4", fyp, "1500", "3000",
       "20.0", na, na, na, na, "6000", "600", gird, fyg, "Welded", "Yes", "-100", "-10", "40", "-0.3", na, na, na,
       na, na, na, na, na, na},
      {"Project", "plain", "LRFD", "1.", "Cylinder", "No", "Yes", "No", "21.0E+4", fyp, "1500", "3000", "20.0",
       na, na, na, na, "6000", "600", gird, fyg, "Fab", "No", "-100", "-10", "40", "-0.3", na, na, na, na, na, na,
       na, na, na},
      {"Project", "column", "LRFD", "1.", "Column", "No", "No", "No", "21.0E+4", fyp, "1500", "3000", "20.0", na,
       na, na, na, na, na, na, na, na, na, na, na, na, "-0.3", "6000", "1", "1", "-1000", "1", "3", "2", "4",
       "Red"}};
  // clang-format on
  for (int16 row = 1; row <= 4; ++row) {
    SCOPED_TRACE(z.dbtab[static_cast<std::size_t>(row)].ident);
    State ref;
    dbtest::Prepare(ref);
    ref.dbtab = z.dbtab, ref.dbrows = z.dbrows;
    LoadDbRow(ref, row);
    Texts expected = inputs[static_cast<std::size_t>(row - 1)];
    const auto panel = [&](const ResultPanel& p, bool applies, const char* title = "") {
      expected.push_back(title);
      for (int i = 1; i <= p.n; ++i) expected.push_back(applies ? p.val[static_cast<std::size_t>(i)] : na);
    };
    panel(ref.shellpanel, true);
    panel(ref.stiffpanel, ref.cylinder == 2);
    panel(ref.ringpanel, ref.ringch == 1);
    panel(ref.colpanel, ref.cylinder == 3, ref.cylinder == 3 ? "" : " ");
    expected.push_back("");
    const Texts& got = lines[static_cast<std::size_t>(row) + 1];
    ASSERT_EQ(got.size(), 90u);
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], expected[i]) << "field " << i + 1;
  }
  // the design case and its results are the user's again, not the last data row
  EXPECT_TRUE(z.designCase() == before);
  EXPECT_EQ(z.shellpanel.val, shell.val);

  State none;  // without a table only the header
  EXPECT_EQ(Result(none).size(), 1u);
}

// Every field stands in its column, under its caption, as a spreadsheet or
// Python's csv module reads the file: a text that begins with a double quote
// is quoted, its quotes doubled. Written bare, project "a and identification
// b" would make one cell a;b and move every later field one place left.
TEST_F(DbResult, TextsStandInTheirColumns) {
  struct Case {
    std::string proj, ident, stiff;
  };
  const std::vector<Case> cases = {{"\"a", "b\"", "\"L 200x90x9.0x12.0"},
                                   {"\"Tank\" A", "\"\"", "L 200x90x9.0x12.0\""},
                                   {"  \"T\"", "\"x\" and \"y\"", "\"\"\""}};
  z.cylinder = 2, z.ringch = 0;
  for (const Case& c : cases) {
    z.proj = c.proj;
    Add(c.ident);
    z.dbtab[static_cast<std::size_t>(*z.dbrows - 1)].dbstiffprof = c.stiff;
  }
  std::ostringstream out;
  WriteDbResult(z, out);
  const std::vector<Texts> sheet = dbtest::SpreadsheetRows(out.str());
  ASSERT_EQ(sheet.size(), 5u);
  EXPECT_EQ(sheet[1], Texts{"% Wall A"});
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Texts& line = sheet[i + 2];
    SCOPED_TRACE(line[0]);
    ASSERT_EQ(line.size(), sheet[0].size());
    EXPECT_EQ(line[0], cases[i].proj);
    EXPECT_EQ(line[1], cases[i].ident);
    EXPECT_EQ(line[2], "LRFD");
    EXPECT_EQ(line[15], cases[i].stiff);
    EXPECT_EQ(line[16], sheet[2][16]);  // the stiffener's yield strength under its caption
  }
}

// A row whose calculation stops shows no result of the row before it: its
// result fields say so. The stop and a correction message of another row are
// reported once, at the end; nothing reaches the window meanwhile.
TEST_F(DbResult, StoppedRowWritesThatItStoppedAndIsReportedOnce) {
  RecordingView view;
  z.setView(&view);
  Add("good");
  z.t = 0;  // l² / (r t) divides by zero
  Add("broken");
  z.t = 20;
  Add("corrected");
  z.dbtab[3].gilt = 5000;  // lowered to the tripping-length limit, with a message
  view.log.clear();
  view.surfaces["pic30"].clears = 0;

  DbBatchReport report;
  const std::vector<Texts> lines = Result(z, &report);
  ASSERT_EQ(lines.size(), 5u);
  const std::vector<DbStoppedRow>& stopped = report.stopped;
  ASSERT_EQ(stopped.size(), 1u);
  EXPECT_EQ(stopped[0].row, 2);
  EXPECT_EQ(stopped[0].ident, "broken");
  EXPECT_EQ(stopped[0].reason, "The calculation stopped in the design stresses: division by zero.");
  EXPECT_EQ(report.notes,
            (std::vector<DbRowNote>{
                {3, "corrected", " lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value "}}));
  EXPECT_EQ(view.surfaces["pic30"].clears, 0);
  EXPECT_EQ(view.log, Texts{});
  EXPECT_EQ(&z.view(), &view);
  const Texts& broken = lines[3];
  ASSERT_EQ(broken.size(), 90u);
  for (std::size_t i = 37; i < 74;
       ++i)  // shell, stiffener and ring values; the fields under the titles empty
    EXPECT_EQ(broken[i], i == 47 || i == 61 ? "" : kDbStoppedText) << i;
  EXPECT_EQ(Texts(broken.begin() + 75, broken.begin() + 89), Texts(14, "N/A"));
  EXPECT_NE(lines[2][46], kDbStoppedText);
  EXPECT_NE(lines[4][46], kDbStoppedText);
}

TEST(DbStoppedMessage, NamesTheRowsOnceAndAtMostTwenty) {
  const auto StoppedRowsMessage = [](std::vector<DbStoppedRow> s) {
    return BatchMessage({std::move(s), {}});
  };
  EXPECT_EQ(StoppedRowsMessage({}), "");
  EXPECT_EQ(StoppedRowsMessage({{4, "Tank A", "division by zero"}}),
            " The calculation of 1 row stopped; its results say \"calculation stopped\": \nrow 4 \"Tank A\": "
            "division by zero ");
  std::vector<DbStoppedRow> many;
  for (int16 i = 1; i <= 25; ++i) many.push_back({i, "c" + std::to_string(i), ""});
  const std::string m = StoppedRowsMessage(many);
  EXPECT_NE(m.find(" The calculation of 25 rows stopped; their results say"), std::string::npos) << m;
  EXPECT_NE(m.find("row 20 \"c20\"\nand 5 more rows "), std::string::npos) << m;
  EXPECT_EQ(m.find("c21"), std::string::npos);
}

}  // namespace
}  // namespace zod
