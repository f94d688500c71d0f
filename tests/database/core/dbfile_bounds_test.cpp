#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/database/core/dbtest.h"
#include "tests/gui/core/boundstest.h"

// The bounds of the database input file reader: a file far larger than any
// table, a line far longer than any row, a stream without end and files
// that are no files are refused with a message that says so; the table read
// before stays as it was, and nothing holds more than a small multiple of
// what the reader was allowed to take.
namespace zod {
namespace {

using dbtest::Prepare;
using test::PatternBuf;
using test::PatternStream;
using test::TempPath;

constexpr std::size_t kLimit = kDbFileLimit;
constexpr std::size_t kLine = kDbLineLimit;

// A legal file of exactly `size` bytes: comment lines well below the line
// bound, then the closing line.
std::string FileOfSize(std::size_t size) {
  const std::string closing = "End;\r\n";
  std::string text;
  text.reserve(size);
  while (text.size() + closing.size() < size) {
    const std::size_t room = size - closing.size() - text.size();
    const std::size_t line = std::min<std::size_t>(room, 200000);
    if (line < 3) {
      text.append(room, ' ');  // blanks before the line end are trimmed
      break;
    }
    text += '%';
    text.append(line - 3, 'c');
    text += "\r\n";
  }
  return text + closing;
}

class DbFileBounds : public ::testing::Test {
 protected:
  void SetUp() override {
    Prepare(z);
    dbtest::MakeTable(z, 2);
    before = z.dbtab;
  }
  // Reads and expects a refusal whose detail holds every one of `says`,
  // with the previous table untouched.
  void ExpectRefused(const std::function<void()>& read, const std::vector<std::string>& says) {
    try {
      read();
      ADD_FAILURE() << "read";
    } catch (const DbFileError& e) {
      EXPECT_STREQ(e.what(), "Error in Database File");
      for (const std::string& s : says) EXPECT_NE(e.detail().find(s), std::string::npos) << e.detail();
      EXPECT_LT(e.detail().size(), 200u) << "a message box holds it";
    }
    EXPECT_TRUE(z.dbtab == before);
    EXPECT_EQ(z.dbrows, 3);
  }
  State z;
  std::vector<DbRow> before;
};

// Up to the limit a file reads, one byte more is refused before a row is
// read, from a stream and from a file alike.
TEST_F(DbFileBounds, FileLargerThanTheLimitIsRefused) {
  for (const bool fromFile : {false, true}) {
    SCOPED_TRACE(fromFile ? "file" : "stream");
    TempPath file("size_in.csv");
    const auto read = [&](const std::string& text) {
      if (!fromFile) return dbtest::ReadText(z, text);
      file.Write(text);
      ReadDbFile(z, file.str());
    };
    std::string text = FileOfSize(kLimit);
    ASSERT_EQ(text.size(), kLimit);
    read(text);
    EXPECT_TRUE(IsClosingRow(z.dbtab[*z.dbrows]));
    EXPECT_GT(*z.dbrows, 40);

    z.dbtab = before;
    z.dbrows = 3;
    text.insert(0, "%\r\n");
    ExpectRefused([&] { read(text.substr(0, kLimit + 1)); }, {"larger than 8 MB"});
  }
}

// A stream is read only as far as the limit: 100 MB of ";", a comment line
// of 10^8 ";" and a device that never ends are all refused after at most
// the limit and one read's worth of bytes.
TEST_F(DbFileBounds, StreamIsReadNoFurtherThanTheLimit) {
  struct Case {
    const char* name;
    std::string head;
    char fill;
    std::size_t size;
  };
  const std::vector<Case> cases = {{"100 MB of ;", "", ';', 100'000'000},
                                   {"comment of 10^8 ;", "% Wall A\r\n%", ';', 100'000'012},
                                   {"endless zeros", "", '\0', PatternBuf::kEndless},
                                   {"endless comment lines", "", '%', PatternBuf::kEndless}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PatternStream in(c.head, c.fill, c.size);
    ExpectRefused([&] { ReadDbFile(z, in); }, {"larger than 8 MB"});
    EXPECT_LE(in.buf.taken(), kLimit + (1u << 20));
  }
}

// A line longer than the bound is refused with its line number, whether it
// is a comment or a data line with its 35 fields and a million ";" behind
// them; a line exactly at the bound reads, and a data line's fields beyond
// the 35th are still ignored.
TEST_F(DbFileBounds, LineLongerThanTheBoundIsRefused) {
  const std::string written = dbtest::Written(z);
  const std::size_t start = written.find("\r\n") + 2;
  const std::string data = written.substr(start, written.find("\r\n", start) - start);
  const std::string million(1'000'000, ';');
  struct Case {
    const char* name;
    std::string line;
    bool reads;
  };
  const std::vector<Case> cases = {
      {"comment of a million ;", "%" + million, false},
      {"data line and a million ;", data + million, false},
      {"line one byte over the bound", "%" + std::string(kLine, 'c'), false},
      {"line at the bound", "%" + std::string(kLine - 1, 'c'), true},
      {"line at the bound with its blanks", "%" + std::string(kLine - 3, 'c') + "  ", true},
      {"data line and a thousand ;", data + std::string(1000, ';'), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = "% Wall A\r\n" + c.line + "\r\nEnd;\r\n";
    if (!c.reads) {
      ExpectRefused([&] { dbtest::ReadText(z, text); }, {"line 2", "longer than 256 KB"});
      continue;
    }
    dbtest::ReadText(z, text);
    EXPECT_EQ(z.dbrows, 2);
    if (c.line[0] == '%') {
      EXPECT_EQ(z.dbtab[1].rowtext.size(), c.line.find_last_not_of(' ') + 1);
    } else {
      EXPECT_EQ(z.dbtab[1], before[1]);
    }
    z.dbtab = before;
    z.dbrows = 3;
  }
}

// Files that are no regular files are refused at once: a named pipe
// without a writer would hold the program forever at its opening, a device
// gives bytes without end, a folder has no lines.
TEST_F(DbFileBounds, FilesThatAreNoRegularFilesAreRefused) {
  TempPath pipe("pipe_in.csv"), folder("folder_in.csv");
  ASSERT_EQ(::mkfifo(pipe.path.c_str(), 0600), 0);
  std::filesystem::create_directory(folder.path);
  for (const std::string& name : {pipe.str(), std::string("/dev/zero"), folder.str()}) {
    SCOPED_TRACE(name);
    ExpectRefused([&] { ReadDbFile(z, name); }, {"not a regular file"});
  }
  EXPECT_THROW(ReadDbFile(z, pipe.str() + "_missing"), DbFileMissing);
}

}  // namespace
}  // namespace zod
