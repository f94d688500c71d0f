#include "gui/core/safesave.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>

#include "engine/checked.h"

namespace zod {
namespace {

namespace fs = std::filesystem;

struct SafeSaveTest : ::testing::Test {
  const fs::path dir = fs::temp_directory_path() / ("zodsave" + std::to_string(::getpid()));
  void SetUp() override {
    fs::remove_all(dir);
    fs::create_directories(dir / "real");
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string path(const char* name) const { return (dir / name).string(); }
  std::string Content(const char* name) const {
    return (std::ostringstream() << std::ifstream(dir / name, std::ios::binary).rdbuf()).str();
  }
  // The message of a refused save, "" when it went through.
  std::string Save(const char* name, const std::string& text) const try {
    SaveFileSafely(path(name), [&text](std::ostream& out) { out << text; });
    return "";
  } catch (const Error& e) {
    return e.what();
  }
  fs::perms Mode(const char* name) const { return fs::status(dir / name).permissions(); }
  // Entries of a folder: no temporary file is left behind.
  long Files(const char* sub = "") const { return std::distance(fs::directory_iterator(dir / sub), {}); }
};

// A file the user protected is refused, with the file named, and left
// whole; so is a save into a folder that does not exist. A replaced file
// keeps its permissions; a link (relative, or one whose target is not there
// yet) stays a link and its target takes the content. A write that the
// system cuts short (here: a file-size limit) is a failed save that leaves
// the old file whole. No temporary file is left behind.
TEST_F(SafeSaveTest, RefusalsLinksAndFailedWrites) {
  Save("ro.vtr", "kept");
  fs::permissions(dir / "ro.vtr", static_cast<fs::perms>(0444));
  EXPECT_EQ(Save("ro.vtr", "lost"), "can't save file - " + path("ro.vtr"));
  EXPECT_EQ(Save("no/such.vtr", "x"), "can't save file - " + path("no/such.vtr"));
  EXPECT_TRUE(Content("ro.vtr") == "kept" && Mode("ro.vtr") == fs::perms(0444));

  Save("real/case.vtr", "old");
  fs::permissions(dir / "real/case.vtr", static_cast<fs::perms>(0600));
  fs::create_symlink("real/case.vtr", dir / "rel.vtr");
  fs::create_symlink("real/later.vtr", dir / "dangling.vtr");
  EXPECT_EQ(Save("rel.vtr", "new") + Save("dangling.vtr", "later"), "");
  EXPECT_TRUE(fs::is_symlink(dir / "rel.vtr") && fs::is_symlink(dir / "dangling.vtr"));
  EXPECT_TRUE(Content("real/case.vtr") == "new" && Content("real/later.vtr") == "later" &&
              Mode("real/case.vtr") == fs::perms(0600));

  rlimit before{};
  ::getrlimit(RLIMIT_FSIZE, &before);
  const rlimit small{100, before.rlim_max};
  auto* const handler = std::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &small);
  const std::string message = Save("real/case.vtr", std::string(1000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, handler);
  EXPECT_EQ(message, "can't save file - " + path("real/case.vtr"));
  EXPECT_TRUE(Content("real/case.vtr") == "new" && Files() == 4 && Files("real") == 2);
}

}  // namespace
}  // namespace zod
