#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/database/core/dbtest.h"

// What the table's refusals say: each text named with its own article, and a
// full table named with the limit it truly has, whichever row is one too many.
namespace zod {
namespace {

using dbtest::MakeTable;
using dbtest::Prepare;

TEST(DbTableWording, EachTextIsNamedWithItsArticle) {
  struct Case {
    std::string text, what;
    bool first;
    std::string begins;
  };
  const std::vector<Case> cases = {
      {"a;b", "identification", false, " An identification with \";\" can't be stored"},
      {"a\nb", "identification", false, " An identification with a line break can't be stored"},
      {"a;b", "project name", true, " A project name with \";\" can't be stored"},
      {"%x", "project name", true, " A project name beginning with \"%\" can't be stored"},
      {"End", "project name", true, " A project name \"End\" can't be stored"},
      {"a;b", "comment", false, " A comment with \";\" can't be stored"},
  };
  for (const Case& c : cases) {
    const std::string said = DbTextProblem(c.text, c.what, c.first);
    EXPECT_EQ(said.substr(0, c.begins.size()), c.begins) << said;
  }
}

// The table is full when its closing row is row kDbLastRow: kDbLastRow rows
// besides the closing row. One row short of that both a case and a comment
// row still go in; then both are refused with the same number, which is the
// number of rows the table then holds besides its closing row.
TEST(DbTableWording, BothFullTableMessagesNameTheTrueLimit) {
  const std::vector<std::pair<const char*, std::function<void(State&)>>> adds = {
      {"case", [](State& s) { AddToDatabase(s); }},
      {"comment row", [](State& s) { InsertDbComment(s, 1, "x"); }},
  };
  std::vector<std::string> said;
  for (const auto& [name, add] : adds) {
    SCOPED_TRACE(name);
    State z;
    Prepare(z);
    MakeTable(z, 1);
    z.dbrows = kDbLastRow - 1;
    z.dbtab[kDbLastRow - 1] = z.dbtab[2];  // the closing row
    add(z);
    ASSERT_EQ(z.dbrows, kDbLastRow);
    try {
      add(z);
      ADD_FAILURE() << "added";
    } catch (const DbRefused& e) {
      said.push_back(e.what());
    }
    EXPECT_EQ(z.dbrows, kDbLastRow);
  }
  const std::string limit = " The database is full: it holds at most " + std::to_string(kDbLastRow) +
                            " rows besides its closing row. ";
  ASSERT_EQ(said.size(), 2u);
  EXPECT_EQ(said[0], limit + "The case was not added ");
  EXPECT_EQ(said[1], limit + "The comment row was not added ");
}

}  // namespace
}  // namespace zod
