#include <gtest/gtest.h>

#include <cctype>
#include <iomanip>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/format.h"
#include "engine/recording.h"
#include "tests/database/core/dbtest.h"

// A batch over the case table (the result file, the detailed table) leaves
// the user's case, its results and the window as it found them, and keeps
// what the calculations said for one message at its end.
namespace zod {

static void PrintTo(const DbRowNote& n, std::ostream* os) {
  *os << "{" << n.row << " \"" << n.ident << "\" \"" << n.text << "\"}";
}

namespace {

using Texts = std::vector<std::string>;

const std::string kGilt = " lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value ";
const std::string kHigh = " r > height of ringframe  ";

// What a load and a calculation change in the state, part by part, as text,
// so that a failure names the part that was not put back.
std::vector<std::pair<std::string, std::string>> Parts(const State& z) {
  const auto text = [](auto... v) {
    std::ostringstream s;
    s << std::setprecision(17);
    ((s << v << '|'), ...);
    return s.str();
  };
  const auto section = [&text](const SectionResults& s) {
    return text(s.name, s.a, s.aw, s.af, s.g, s.zg, s.iy, s.iz);
  };
  const auto panel = [](const ResultPanel& p) {
    std::string s = std::to_string(p.n);
    for (std::size_t i = 0; i < p.txt.size(); ++i) s += "|" + p.txt[i] + p.val[i] + p.unit[i];
    return s;
  };
  const CalcValues& c = z;
  return {
      {"design case",
       text(z.ident, z.proj, z.cylinder, z.cylr, z.gilt, z.fyg, z.matp, z.girdtype, z.gibh, z.tmat)},
      {"calculation",
       text(c.errmsg, c.calcok, c.stopmsg, c.stiffdone, c.girddone, c.Zl, c.leo, c.SigxSd, c.SighpSd,
            c.SighSd, c.spanel, c.SigmSd, c.prty, c.fEa, c.fEh, c.SigaSd, c.SigjSd, c.lamdas, c.fks, c.ufchar,
            c.gm, c.betaw, c.ufallow, c.ufshell, c.effa, c.effe, c.effzt, c.effi, c.girdrc, c.girdrf, c.fT,
            c.hw, c.se, c.Isef, c.ufallows, c.ufstiff, c.ufstifftxt, c.Areq, c.le, c.SighR, c.ufarea, c.Ix,
            c.Ixh, c.Ih, c.IR, c.ufinertia, c.delta0, c.ufspecial, c.ufinertiatxt, c.ufcol1, c.ufcol2)},
      {"stiffener section", section(z.stiffsec)},
      {"ring-frame section", section(z.girdsec)},
      {"stiffener web check", z.stiffwebtxt},
      {"stiffener flange check", z.stiffflangetxt},
      {"ring-frame web check", z.girdwebtxt1},
      {"ring-frame slenderness check", z.girdwebtxt2},
      {"ring-frame flange check", z.girdflangetxt1},
      {"ring-frame eccentricity check", z.girdflangetxt2},
      {"shell panel", panel(z.shellpanel)},
      {"stiffener panel", panel(z.stiffpanel)},
      {"ring panel", panel(z.ringpanel)},
      {"column panel", panel(z.colpanel)},
  };
}

class DbBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dbtest::Prepare(z);
    z.setView(&view);
    NewDatabase(z, "Tanks");
    z.dbrows = 1;
  }
  // A data row of the current case with the given identification.
  void Add(const std::string& ident) {
    z.ident = ident;
    AddToDatabase(z);
  }
  // The user's own case: stringers and a ring frame, both of other profiles
  // than the rows', so that every part of the state differs from a row's.
  void Edit() {
    z.ident = "EDITED", z.cylr = 1234, z.t = 20, z.cylinder = 2, z.ringch = 1, z.gilt = 300;
    z.stifftype = 1, z.slbh = 150, z.slbb = 90, z.slbtw = 9, z.slbtf = 12;
    z.girdtype = 9, z.gibh = 450, z.gibb = 220, z.gibtw = 11, z.gibtf = 18;
    Calculate(z);
    ASSERT_TRUE(z.calcok);
    view.log.clear();
  }
  State z;
  RecordingView view;
};

// Every part a row's load and calculation change differs from the user's
// while some row is the current case, and is the user's again afterwards;
// the window learns nothing of the batch.
TEST_F(DbBatchTest, PutsBackTheUsersCaseAndLeavesTheWindowAlone) {
  z.cylinder = 2, z.ringch = 1;
  Add("A");
  z.gilt = 1e6;
  Add("corrected");
  z.cylinder = 3;
  Add("column");
  Edit();
  const auto before = Parts(z);
  const DesignCase user = z.designCase();
  {
    DbBatch batch(z);
    std::vector<bool> changed(before.size());
    for (std::int16_t r = 1; r <= 3; ++r) {
      EXPECT_TRUE(batch.Calc(r));
      const auto during = Parts(z);
      for (std::size_t i = 0; i < before.size(); ++i) changed[i] = changed[i] || during[i] != before[i];
    }
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(changed[i]) << before[i].first;
  }
  EXPECT_EQ(Parts(z), before);
  EXPECT_TRUE(z.designCase() == user);
  EXPECT_EQ(view.log, Texts{});
  EXPECT_EQ(&z.view(), &view);

  // the same through the result file, which writes the lowered gilt of its row
  std::ostringstream out;
  const DbBatchReport report = WriteDbResult(z, out);
  EXPECT_EQ(Parts(z), before);
  EXPECT_EQ(view.log, Texts{});
  State ref;
  dbtest::Prepare(ref);
  ref.dbtab = z.dbtab, ref.dbrows = z.dbrows;
  LoadDbRow(ref, 2);
  ASSERT_LT(ref.gilt, 1e5);
  EXPECT_NE(out.str().find(";" + Format(ref.gilt, "0") + ";"), std::string::npos);
  EXPECT_EQ(report.notes, (std::vector<DbRowNote>{{2, "corrected", kGilt}}));
}

// A row that throws (here: it is no data row) ends the batch early; the
// user's case is put back all the same.
TEST_F(DbBatchTest, PutsBackTheCaseWhenARowThrows) {
  Add("A");
  Edit();
  const auto before = Parts(z);
  try {
    DbBatch batch(z);
    batch.Calc(1);
    batch.Calc(0);  // the comment row
    FAIL() << "a comment row was calculated";
  } catch (const Error&) {
  }
  EXPECT_EQ(Parts(z), before);
  EXPECT_EQ(&z.view(), &view);
  EXPECT_EQ(view.log, Texts{});
}

// Each message a row's run shows is kept once for that row (a ring-stiffened
// case builds its ring frame twice), with its row and identification; the
// stop of a run is a stopped row, not a note.
TEST_F(DbBatchTest, KeepsEachRowsMessagesOnce) {
  z.cylinder = 1, z.ringch = 1;
  Add("plain");
  z.gilt = 1e6;
  Add("long lt");
  z.gilt = 1, z.cylr = 40;  // the ring frame reaches past the axis
  Add("small r");
  z.cylr = 1500, z.gilt = 1e6, z.t = 0;
  Add("broken");
  Edit();
  DbBatch batch(z);
  for (std::int16_t r = 1; r <= 4; ++r) batch.Calc(r);
  const DbBatchReport& report = batch.report();
  ASSERT_EQ(report.stopped.size(), 2u);
  EXPECT_EQ(report.stopped[0].row, 3);  // its ring-frame check goes on to stop
  EXPECT_EQ(report.stopped[1].row, 4);
  EXPECT_EQ(report.notes,
            (std::vector<DbRowNote>{{2, "long lt", kGilt}, {3, "small r", kHigh}, {4, "broken", kGilt}}));
}

struct MessageCase {
  const char* name;
  DbBatchReport report;
  std::vector<std::string> holds;  // in this order
  std::vector<std::string> lacks;
  std::string exactly;  // when not empty
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

DbBatchReport Notes(int rows, const std::string& text, int first = 1) {
  DbBatchReport r;
  for (int i = first; i < first + rows; ++i)
    r.notes.push_back({static_cast<int16>(i), "c" + std::to_string(i), text});
  return r;
}

std::vector<MessageCase> MessageCases() {
  std::vector<MessageCase> cases;
  cases.push_back({"nothing to say", {}, {}, {}, ""});
  cases.push_back(
      {"one note",
       Notes(1, kGilt, 3),
       {},
       {},
       " The calculation of 1 row said \"lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value\": "
       "\nrow 3 \"c3\" "});
  DbBatchReport mixed;
  mixed.stopped = {{5, "bad", "division by zero"}};
  mixed.notes = {{1, "a", kGilt}, {2, "b", kHigh}, {3, "c", kGilt}, {5, "bad", kGilt}};
  cases.push_back(
      {"stops first, then each text once with its rows",
       mixed,
       {},
       {},
       " The calculation of 1 row stopped; its results say \"calculation stopped\": \nrow 5 \"bad\": "
       "division by zero \n The calculation of 3 rows said \"lt<=pi*Sqr(r*h), ref ch 3.9. Program "
       "corrects the value\": \nrow 1 \"a\"\nrow 3 \"c\"\nrow 5 \"bad\" \n The calculation of 1 row "
       "said \"r > height of ringframe\": \nrow 2 \"b\" "});
  cases.push_back(
      {"twenty rows named, the rest counted",
       Notes(25, kGilt),
       {"The calculation of 25 rows said", "\nrow 1 \"c1\"\n", "\nrow 20 \"c20\"\nand 5 more rows "},
       {"c21", "c25"},
       ""});
  DbBatchReport many;
  for (int k = 0; k < 8; ++k) {
    const DbBatchReport part = Notes(30, " text " + std::to_string(k) + " ", 30 * k);
    many.notes.insert(many.notes.end(), part.notes.begin(), part.notes.end());
  }
  cases.push_back({"a few texts, the rest counted",
                   many,
                   {"\"text 0\"", "\"text 4\"", " and 3 other messages "},
                   {"text 5", "c239"},
                   ""});
  std::string longIdent;
  for (int i = 0; i < 100; ++i) longIdent += "\xC3\xA9";  // é
  DbBatchReport clipped;
  clipped.stopped = {{1, longIdent, "division by zero"}};
  std::string sixty;
  for (int i = 0; i < 60; ++i) sixty += "\xC3\xA9";
  cases.push_back({"a long identification is cut between characters",
                   clipped,
                   {"\nrow 1 \"" + sixty + "...\": division by zero "},
                   {sixty + "\xC3"},
                   ""});
  return cases;
}

class BatchMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(BatchMessageTest, Says) {
  const MessageCase& c = GetParam();
  const std::string m = BatchMessage(c.report);
  if (!c.exactly.empty() || c.holds.empty()) {
    EXPECT_EQ(m, c.exactly);
  }
  std::size_t at = 0;
  for (const std::string& h : c.holds) {
    const std::size_t found = m.find(h, at);
    EXPECT_NE(found, std::string::npos) << h << "\nin\n" << m;
    if (found != std::string::npos) at = found + h.size();
  }
  for (const std::string& l : c.lacks) EXPECT_EQ(m.find(l), std::string::npos) << l << "\nin\n" << m;
  EXPECT_LT(m.size(), 8000u);
}

INSTANTIATE_TEST_SUITE_P(Cases, BatchMessageTest, ::testing::ValuesIn(MessageCases()), [](const auto& info) {
  std::string n;
  for (const char* p = info.param.name; *p; ++p) n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return n;
});

}  // namespace
}  // namespace zod
