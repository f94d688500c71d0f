#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/tables.h"
#include "mainwindow/core/projectfile.h"
#include "tests/gui/core/boundstest.h"

// The bounds of the project file reader: a file far larger than any
// project file, a stream without end and files that are no regular files
// are refused with a message that says so, before the case, its file name
// or anything else changes.
namespace zod {
namespace {

using test::PatternBuf;
using test::PatternStream;
using test::TempPath;

constexpr std::size_t kLimit = kProjectFileLimit;

class ProjectFileBounds : public ::testing::Test {
 protected:
  void SetUp() override {
    z.apppath = ZOD_DATA_DIR;
    ReadTables(z);
    SetDefaults(z);
    z.filename = "New File";
    before = z.designCase();
  }
  // A legal project file of exactly `size` bytes: the project name fills it.
  // Without a size: the file as the case writes it.
  std::string FileOfSize(std::size_t size = 0) const {
    std::ostringstream out;
    WriteProject(out, z);
    std::string text = out.str();
    if (size > text.size()) text.insert(text.find("\r\n") + 2, size - text.size(), 'p');
    return text;
  }
  void ExpectUnchanged() const {
    EXPECT_TRUE(z.designCase() == before);
    EXPECT_EQ(z.filename, "New File");
  }
  // Refused with a message that holds every one of `says`.
  void ExpectRefused(const std::function<void()>& read, const std::vector<std::string>& says) {
    try {
      read();
      ADD_FAILURE() << "read";
    } catch (const Error& e) {
      const std::string told = e.what();
      for (const std::string& s : says) EXPECT_NE(told.find(s), std::string::npos) << told;
      EXPECT_LT(told.size(), 300u) << "a message box holds it";
    }
    ExpectUnchanged();
  }
  DesignCase ReadStream(std::istream& in) {
    std::int16_t ver = 0;
    return ReadProject(in, z, z, ver);
  }
  State z;
  DesignCase before;
};

TEST_F(ProjectFileBounds, FileLargerThanTheLimitIsRefused) {
  std::string text = FileOfSize(kLimit);
  ASSERT_EQ(text.size(), kLimit);
  const std::size_t name = kLimit - FileOfSize().size() + z.proj.size();
  std::istringstream in(text);
  EXPECT_EQ(ReadStream(in).proj.size(), name);
  TempPath file("large.vtr");
  file.Write(text);
  ReadProjectFile(z, file.str());
  EXPECT_EQ(z.proj.size(), name);
  z.designCase() = before;
  z.filename = "New File";

  text.insert(text.find("\r\n") + 2, "p");
  ExpectRefused(
      [&] {
        std::istringstream over(text);
        ReadStream(over);
      },
      {"larger than 1 MB"});
  file.Write(text);
  ExpectRefused([&] { ReadProjectFile(z, file.str()); }, {file.str(), "larger than 1 MB"});
}

// A stream is read only as far as the limit: 100 MB of digits on one line,
// a name line that never ends, a device of zeros.
TEST_F(ProjectFileBounds, StreamIsReadNoFurtherThanTheLimit) {
  struct Case {
    const char* name;
    std::string head;
    char fill;
    std::size_t size;
  };
  const std::vector<Case> cases = {{"100 MB of digits", "", '1', 100'000'000},
                                   {"endless project name", "185\r\n", 'p', PatternBuf::kEndless},
                                   {"endless zeros", "", '\0', PatternBuf::kEndless}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PatternStream in(c.head, c.fill, c.size);
    ExpectRefused([&] { ReadStream(in); }, {"larger than 1 MB"});
    EXPECT_LE(in.buf.taken(), kLimit + (1u << 20));
  }
}

// A named pipe without a writer would hold the program forever at its
// opening, a device gives bytes without end, a folder has no lines.
TEST_F(ProjectFileBounds, FilesThatAreNoRegularFilesAreRefused) {
  TempPath pipe("pipe.vtr"), folder("folder.vtr");
  ASSERT_EQ(::mkfifo(pipe.path.c_str(), 0600), 0);
  std::filesystem::create_directory(folder.path);
  for (const std::string& name : {pipe.str(), std::string("/dev/zero"), folder.str()}) {
    SCOPED_TRACE(name);
    ExpectRefused([&] { ReadProjectFile(z, name); }, {name, "not a regular file"});
  }
}

}  // namespace
}  // namespace zod
