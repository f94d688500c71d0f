#include <gtest/gtest.h>

#include <string>

#include "gui/core/boundedread.h"
#include "mainwindow/core/projectfile.h"
#include "tests/database/core/dbtest.h"
#include "tests/gui/core/boundstest.h"
#include "tests/gui/core/noreadrights.h"

// A file that is there but may not be read is named as such by the bounded
// read and by both readers of the user's files, not as a file that cannot
// be found; a missing file still is one.
namespace zod {
namespace {

TEST(Unreadable, FileWithoutReadRightsIsNotCalledMissing) {
  test::TempPath file("denied_in.csv");
  file.Write("% c;\r\nEnd;\r\n");
  State z;
  dbtest::Prepare(z);
  dbtest::MakeTable(z, 1);
  z.filename = "mine.vtr";
  const std::string denied = "can't read file - " + file.str() + ": Permission denied";
  {
    test::NoReadRights guard(file.str());
    if (!guard.denied()) GTEST_SKIP() << "read rights cannot be taken away here";
    std::string text, reason;
    EXPECT_EQ(ReadFileAtMost(file.str(), 100, text, &reason), ReadRefusal::Unreadable);
    EXPECT_EQ(reason, "Permission denied");
    try {
      ReadDbFile(z, file.str());
      ADD_FAILURE() << "read";
    } catch (const DbFileMissing& e) {
      EXPECT_EQ(e.what(), denied);
    }
    try {
      ReadProjectFile(z, file.str());
      ADD_FAILURE() << "read";
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), denied);
    }
  }
  EXPECT_EQ(z.dbrows, 2);
  EXPECT_EQ(z.dbtab[0].rowtext, "% Comment");
  EXPECT_EQ(z.filename, "mine.vtr");

  // Gone, or behind a file where a folder should be: not found.
  for (const std::string& gone : {file.str() + ".gone", file.str() + "/x_in.csv"}) {
    SCOPED_TRACE(gone);
    std::string text;
    EXPECT_EQ(ReadFileAtMost(gone, 100, text), ReadRefusal::Missing);
    try {
      ReadDbFile(z, gone);
      ADD_FAILURE() << "read";
    } catch (const DbFileMissing& e) {
      EXPECT_EQ(e.what(), "can't find file - " + gone);
    }
    EXPECT_THROW(ReadProjectFile(z, gone), Error);
  }
}

}  // namespace
}  // namespace zod
