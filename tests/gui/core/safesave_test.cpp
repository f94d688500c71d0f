#include "gui/core/safesave.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <utility>

#include "engine/checked.h"
#include "tests/gui/core/savefaults.h"

namespace zod {
namespace {

namespace fs = std::filesystem;

struct SafeSaveTest : ::testing::Test {
  fs::path dir;
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zodsave" + std::to_string(::getpid()) +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, ec);
    fs::remove_all(dir, ec);
  }
  std::string path(const char* name) const { return (dir / name).string(); }
  static std::string Content(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  }
  static void Save(const std::string& name, const std::string& text) {
    SaveFileSafely(name, [&text](std::ostream& out) { out << text; });
  }
  // The message of a refused save, "" when it went through.
  static std::string Refusal(const std::string& name, const std::string& text) {
    try {
      Save(name, text);
    } catch (const Error& e) {
      return e.what();
    }
    return "";
  }
  static unsigned Mode(const fs::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
  }
  // Nothing but the named files in the folder: no temporary file is left.
  std::size_t Files() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
  }
};

// A new file gets the permissions the user's umask gives, not those of the
// temporary file it was written as; a replaced one keeps its own.
TEST_F(SafeSaveTest, NewFileAndKeptPermissions) {
  const mode_t mask = ::umask(022);
  for (auto [umask, mode] : {std::pair{022u, 0644u}, {027u, 0640u}, {002u, 0664u}}) {
    ::umask(umask);
    Save(path("fresh.vtr"), "new");
    EXPECT_EQ(Mode(dir / "fresh.vtr"), mode) << std::oct << umask;
    fs::remove(dir / "fresh.vtr");
  }
  ::umask(022);
  Save(path("new.vtr"), "one");
  EXPECT_EQ(Content(dir / "new.vtr"), "one");
  EXPECT_EQ(Mode(dir / "new.vtr"), 0644u);
  for (unsigned mode : {0600u, 0640u, 0664u}) {
    fs::permissions(dir / "new.vtr", static_cast<fs::perms>(mode));
    Save(path("new.vtr"), "mode " + std::to_string(mode));
    EXPECT_EQ(Content(dir / "new.vtr"), "mode " + std::to_string(mode));
    EXPECT_EQ(Mode(dir / "new.vtr"), mode);
  }
  EXPECT_EQ(Files(), 1u);
  ::umask(mask);
}

// A file the user protected is refused, with the file named and the reason,
// and left whole; so is a save into a folder that does not exist.
TEST_F(SafeSaveTest, ProtectedFileIsRefused) {
  Save(path("ro.vtr"), "kept");
  fs::permissions(dir / "ro.vtr", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(Refusal(path("ro.vtr"), "lost"),
            "can't save file - " + path("ro.vtr") + ": the file is read-only");
  {
    // The same for an ordinary user, whom the system refuses a read-only
    // file of their own too (the administrator, who may run these tests, it
    // does not).
    test::SaveFaults ordinaryUser;
    ordinaryUser.fail["access"] = EACCES;
    EXPECT_EQ(Refusal(path("ro.vtr"), "lost"),
              "can't save file - " + path("ro.vtr") + ": the file is read-only");
  }
  EXPECT_EQ(Content(dir / "ro.vtr"), "kept");
  EXPECT_EQ(Mode(dir / "ro.vtr"), 0444u);
  EXPECT_EQ(Refusal(path("no/such.vtr"), "x"),
            "can't save file - " + path("no/such.vtr") + ": " + std::strerror(ENOENT));
  EXPECT_EQ(Files(), 1u);
}

// The system's own check of write access, which the other tests, run as
// root, cannot meet: an ordinary user may not replace a file of another
// user's, even in a folder that would let the rename through. Tried in a
// child process that becomes such a user (nobody); where that cannot be
// arranged (the tests do not run as root, or nobody cannot reach the folder),
// the test skips.
TEST_F(SafeSaveTest, OtherUsersFileIsRefusedToAnOrdinaryUser) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can act as another user";
  Save(path("theirs.vtr"), "kept");
  fs::permissions(dir / "theirs.vtr", static_cast<fs::perms>(0644));
  fs::permissions(dir, fs::perms::all);  // anyone may create and rename files there
  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(out[0]);
    constexpr uid_t kNobody = 65534;
    std::string said;
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
      said = std::string("skip: cannot become nobody: ") + std::strerror(errno);
    } else if (const int probe = ::open(path("probe").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
               probe < 0) {
      said = std::string("skip: nobody cannot write the folder: ") + std::strerror(errno);
    } else {
      ::close(probe);
      ::unlink(path("probe").c_str());
      said = Refusal(path("theirs.vtr"), "lost");
    }
    for (std::size_t done = 0; done < said.size();) {
      const ssize_t n = ::write(out[1], said.data() + done, said.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::_exit(0);
  }
  ::close(out[1]);
  std::string said;
  char buf[512];
  for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;) said.append(buf, static_cast<std::size_t>(n));
  ::close(out[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  if (said.starts_with("skip: ")) GTEST_SKIP() << said;
  EXPECT_EQ(said, "can't save file - " + path("theirs.vtr") + ": " + std::strerror(EACCES));
  EXPECT_EQ(Content(dir / "theirs.vtr"), "kept");
  EXPECT_EQ(Files(), 1u);
}

// A link (absolute, relative, a chain of two, or one whose target is not
// there yet) stays a link; its target takes the content.
TEST_F(SafeSaveTest, LinksAreFollowed) {
  fs::create_directories(dir / "real");
  Save(path("real/case.vtr"), "old");
  fs::permissions(dir / "real/case.vtr", static_cast<fs::perms>(0600));
  fs::create_symlink(dir / "real/case.vtr", dir / "abs.vtr");
  fs::create_symlink("real/case.vtr", dir / "rel.vtr");
  fs::create_symlink("rel.vtr", dir / "chain.vtr");
  fs::create_symlink("real/later.vtr", dir / "dangling.vtr");
  for (const char* link : {"abs.vtr", "rel.vtr", "chain.vtr"}) {
    Save(path(link), link);
    EXPECT_TRUE(fs::is_symlink(dir / link)) << link;
    EXPECT_EQ(Content(dir / "real/case.vtr"), link);
    EXPECT_EQ(Mode(dir / "real/case.vtr"), 0600u);
  }
  Save(path("dangling.vtr"), "new");
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.vtr"));
  EXPECT_EQ(Content(dir / "real/later.vtr"), "new");
  EXPECT_EQ(Files(), 5u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), {}), 2);
}

// A write that the system cuts short (here: a file-size limit) is a failed
// save; the old file stays whole and no temporary file is left behind.
TEST_F(SafeSaveTest, FailedWriteLeavesTheOldFile) {
  Save(path("case.vtr"), "old");
  struct rlimit before {};
  ::getrlimit(RLIMIT_FSIZE, &before);
  auto* const handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = before;
  small.rlim_cur = 100;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const std::string message = Refusal(path("case.vtr"), std::string(1000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, handler);
  EXPECT_EQ(message, "can't save file - " + path("case.vtr") + ": " + std::strerror(EFBIG));
  EXPECT_EQ(Content(dir / "case.vtr"), "old");
  EXPECT_EQ(Files(), 1u);
}

}  // namespace
}  // namespace zod
