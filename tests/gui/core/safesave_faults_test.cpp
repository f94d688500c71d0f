// The safe save when the disk, the folder or the name works against it: each
// failed step before the rename leaves the old file byte for byte, a failed
// folder flush after it is a save with a warning, and names that are no
// regular file are refused without being opened.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <ostream>
#include <stdexcept>

#include "gui/core/safesave.h"
#include "tests/gui/core/savefaults.h"

namespace zod {
namespace {

namespace fs = std::filesystem;
using test::SaveFaults;

const std::string kOld("old\0\xff\r\n", 7);

struct SafeSaveFaults : ::testing::Test {
  fs::path dir;
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zodfaults" + std::to_string(::getpid()) +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string path(const std::string& name) const { return (dir / name).string(); }
  static std::string Content(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  }
  static void Put(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
  }
  static SaveOutcome Save(const std::string& name, const std::string& text) {
    return SaveFileSafely(name, [&text](std::ostream& out) { out << text; });
  }
  // The reason of a refused save, "" when it went through.
  static std::string Refusal(const std::function<SaveOutcome()>& save) {
    try {
      (void)save();
    } catch (const SaveError& e) {
      EXPECT_TRUE(std::string(e.what()).starts_with("can't save file - ")) << e.what();
      return e.reason();
    }
    return "";
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// The file reaches the disk before it takes the name, the folder after.
TEST_F(SafeSaveFaults, FileSyncedBeforeRenameFolderAfter) {
  Put(dir / "case.vtr", kOld);
  SaveFaults sys;
  const SaveOutcome saved = Save(path("case.vtr"), "new");
  EXPECT_EQ(saved.warning, "");
  ASSERT_EQ(sys.calls.size(), 4u);
  const std::string temp = SaveFaults::Leaf(sys.renamedFrom.at(0));
  EXPECT_NE(temp, "case.vtr");
  EXPECT_EQ(sys.calls[0], "write");
  EXPECT_EQ(sys.calls[1], "sync " + temp);
  EXPECT_EQ(sys.calls[2], "rename " + temp + " case.vtr");
  EXPECT_EQ(sys.calls[3], "sync folder " + dir.filename().string());
  EXPECT_EQ(Content(dir / "case.vtr"), "new");
  EXPECT_EQ(Names(), std::vector<std::string>{"case.vtr"});
}

// A step that fails before the rename is a failed save: the old file is left
// byte for byte (or no file, where there was none) and no temporary file
// stays. After the rename only the folder's flush can fail: the file is saved
// and the warning says so, with the reason; a file system that cannot flush
// folders at all is no failure.
TEST_F(SafeSaveFaults, EachFailingStep) {
  struct Row {
    const char* step;
    int err;
    bool saved;
    bool warned;
  };
  const Row rows[] = {
      {"write", ENOSPC, false, false},     {"write", EIO, false, false},
      {"sync", EIO, false, false},         {"sync", ENOSPC, false, false},
      {"rename", EXDEV, false, false},     {"sync folder", EIO, true, true},
      {"sync folder", EACCES, true, true}, {"sync folder", EINVAL, true, false},
  };
  for (const Row& r : rows) {
    for (const bool existed : {true, false}) {
      SCOPED_TRACE(std::string(r.step) + " " + std::strerror(r.err) + (existed ? " over a file" : " new"));
      fs::remove_all(dir / "case.vtr");
      if (existed) Put(dir / "case.vtr", kOld);
      SaveFaults sys;
      sys.fail[r.step] = r.err;
      SaveOutcome saved;
      const std::string reason = Refusal([&] { return saved = Save(path("case.vtr"), "new content"); });
      if (r.saved) {
        EXPECT_EQ(reason, "");
        EXPECT_EQ(Content(dir / "case.vtr"), "new content");
        if (r.warned) {
          EXPECT_NE(saved.warning.find(path("case.vtr")), std::string::npos) << saved.warning;
          EXPECT_NE(saved.warning.find("was saved"), std::string::npos) << saved.warning;
          EXPECT_NE(saved.warning.find("folder could not be flushed to disk"), std::string::npos)
              << saved.warning;
          EXPECT_NE(saved.warning.find(std::strerror(r.err)), std::string::npos) << saved.warning;
        } else {
          EXPECT_EQ(saved.warning, "");
        }
      } else {
        EXPECT_NE(reason.find(path("case.vtr")), std::string::npos) << reason;
        EXPECT_NE(reason.find(std::strerror(r.err)), std::string::npos) << reason;
        if (existed) {
          EXPECT_EQ(Content(dir / "case.vtr"), kOld);
        }
        EXPECT_EQ(Names(), existed ? std::vector<std::string>{"case.vtr"} : std::vector<std::string>{});
      }
      // nothing is renamed once a step before it failed
      const bool renamed = std::find_if(sys.calls.begin(), sys.calls.end(), [](const std::string& c) {
                             return c.starts_with("rename");
                           }) != sys.calls.end();
      EXPECT_EQ(renamed, std::string(r.step) == "rename" || r.saved);
    }
  }
}

// Every name the file system takes saves, up to 255 bytes, in letters of one
// byte or of two: the temporary name stays within the limit.
TEST_F(SafeSaveFaults, LongNamesSave) {
  const std::string two = "\xc3\xa9";  // é
  std::vector<std::string> names;
  for (const std::size_t n : {248u, 249u, 250u, 254u, 255u})
    names.push_back(std::string(n - 4, 'a') + ".vtr");
  std::string accented;
  while (accented.size() + two.size() <= 251) accented += two;
  names.push_back(accented + ".vtr");   // 254 bytes
  names.push_back(accented + "x.vtr");  // 255 bytes
  for (const std::string& name : names) {
    SCOPED_TRACE(name.size());
    SaveFaults sys;
    for (const char* text : {"first", "second"}) {
      EXPECT_EQ(Refusal([&] { return Save(path(name), text); }), "");
      EXPECT_EQ(Content(dir / name), text);
    }
    for (const std::string& temp : sys.renamedFrom) EXPECT_LE(SaveFaults::Leaf(temp).size(), 255u);
    EXPECT_EQ(Names(), std::vector<std::string>{name});
    fs::remove(dir / name);
  }
}

// A named pipe, a socket, a device and a folder are no files to replace: the
// save is refused with the reason, leaves them as they are and never opens
// them (a pipe opened for writing would wait for a reader for ever). A link
// to one of them is refused the same way.
TEST_F(SafeSaveFaults, NotARegularFileIsRefused) {
  ASSERT_EQ(::mkfifo(path("pipe.vtr").c_str(), 0644), 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  const std::string sockPath = path("sock.vtr");
  ASSERT_LT(sockPath.size(), sizeof addr.sun_path);
  std::strcpy(addr.sun_path, sockPath.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  fs::create_directory(dir / "folder.vtr");
  fs::create_symlink("pipe.vtr", dir / "topipe.vtr");
  std::vector<std::string> names = {"pipe.vtr", "sock.vtr", "folder.vtr", "topipe.vtr"};
  // A device of its own (the null device's numbers), never a link to the
  // system's: a save that went wrong would replace the system's device.
  if (::mknod(path("device.vtr").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0)
    names.push_back("device.vtr");
  else
    std::cout << "no device node made here (" << std::strerror(errno) << "); devices not tried\n";
  ::alarm(60);  // a hang fails the test instead of stopping the suite
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const fs::file_type before = fs::status(dir / name).type();
    for (const bool through : {false, true}) {
      const std::string reason = Refusal([&] {
        return through ? SaveFileThrough(path(name), [](const std::string&) {}) : Save(path(name), "x");
      });
      EXPECT_NE(reason.find(path(name) + ": it is not a regular file"), std::string::npos) << reason;
      EXPECT_EQ(fs::status(dir / name).type(), before);
    }
  }
  ::alarm(0);
  ::close(sock);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(Names(), names);
  EXPECT_TRUE(fs::is_empty(dir / "folder.vtr"));
}

// Links that lead round in a circle name no file: refused, and every link of
// the loop stays a link.
TEST_F(SafeSaveFaults, LinkLoopIsRefused) {
  fs::create_symlink("b.vtr", dir / "a.vtr");
  fs::create_symlink("a.vtr", dir / "b.vtr");
  fs::create_symlink("self.vtr", dir / "self.vtr");
  fs::create_symlink("a.vtr", dir / "into.vtr");
  for (const char* name : {"a.vtr", "b.vtr", "self.vtr", "into.vtr"}) {
    SCOPED_TRACE(name);
    const std::string reason = Refusal([&] { return Save(path(name), "x"); });
    EXPECT_NE(reason.find(path(name) + ": it is a loop of symbolic links"), std::string::npos) << reason;
  }
  for (const char* name : {"a.vtr", "b.vtr", "self.vtr", "into.vtr"}) EXPECT_TRUE(fs::is_symlink(dir / name));
  EXPECT_EQ(Names().size(), 4u);
}

// Content that a library writes by name goes the same way: into the
// temporary file, with the old file's permissions, then synced and renamed.
// The library's own failure passes on and leaves the old file.
TEST_F(SafeSaveFaults, FilledByPath) {
  Put(dir / "report.pdf", kOld);
  fs::permissions(dir / "report.pdf", static_cast<fs::perms>(0640));
  SaveFaults sys;
  std::string temp;
  const SaveOutcome saved = SaveFileThrough(path("report.pdf"), [&temp](const std::string& t) {
    temp = t;
    EXPECT_EQ(fs::status(t).permissions(), static_cast<fs::perms>(0640));
    std::ofstream(t, std::ios::binary) << "pdf";
  });
  EXPECT_EQ(saved.warning, "");
  EXPECT_EQ(Content(dir / "report.pdf"), "pdf");
  EXPECT_EQ(fs::status(dir / "report.pdf").permissions(), static_cast<fs::perms>(0640));
  EXPECT_EQ(fs::path(temp).parent_path(), dir);
  const std::string leaf = SaveFaults::Leaf(temp);
  EXPECT_EQ(sys.calls, (std::vector<std::string>{"sync " + leaf, "rename " + leaf + " report.pdf",
                                                 "sync folder " + dir.filename().string()}));

  EXPECT_THROW((void)SaveFileThrough(path("report.pdf"),
                                     [](const std::string& t) {
                                       std::ofstream(t, std::ios::binary) << "half";
                                       throw std::runtime_error("the printer stopped");
                                     }),
               std::runtime_error);
  EXPECT_EQ(Content(dir / "report.pdf"), "pdf");
  EXPECT_EQ(Names(), std::vector<std::string>{"report.pdf"});
}

// A save that must not replace anything: whatever holds the name (a file, a
// link to nowhere, a loop of links, or a file that appears while the content
// is written) is left alone and reported as taken.
TEST_F(SafeSaveFaults, KeepLeavesAnyTakenName) {
  Put(dir / "file.xlsx", kOld);
  fs::create_symlink("nowhere.xlsx", dir / "dangling.xlsx");
  fs::create_symlink("loop.xlsx", dir / "loop.xlsx");
  const auto write = [](const std::string& t) { std::ofstream(t, std::ios::binary) << "book"; };
  for (const char* name : {"file.xlsx", "dangling.xlsx", "loop.xlsx"}) {
    SCOPED_TRACE(name);
    EXPECT_THROW((void)SaveFileThrough(path(name), write, Existing::Keep), SaveNameTaken);
  }
  EXPECT_EQ(Content(dir / "file.xlsx"), kOld);
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.xlsx"));
  EXPECT_FALSE(fs::exists(dir / "nowhere.xlsx"));
  EXPECT_THROW((void)SaveFileThrough(
                   path("late.xlsx"),
                   [&](const std::string& t) {
                     write(t);
                     Put(dir / "late.xlsx", "someone else's");
                   },
                   Existing::Keep),
               SaveNameTaken);
  EXPECT_EQ(Content(dir / "late.xlsx"), "someone else's");
  EXPECT_EQ(SaveFileThrough(path("free.xlsx"), write, Existing::Keep).warning, "");
  EXPECT_EQ(Content(dir / "free.xlsx"), "book");
  EXPECT_EQ(Names(),
            (std::vector<std::string>{"dangling.xlsx", "file.xlsx", "free.xlsx", "late.xlsx", "loop.xlsx"}));
}

}  // namespace
}  // namespace zod
