#include "gui/core/safesave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <sstream>

#include "engine/checked.h"

namespace zod {
namespace {

namespace fs = std::filesystem;

// The file a save replaces: a symbolic link is followed (also through a chain
// of links), so that its target gets the new content and the link stays.
fs::path ResolveLinks(const fs::path& name) {
  fs::path p = name;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(p, ec))) return p;
    const fs::path to = fs::read_symlink(p, ec);
    if (ec) return p;
    p = to.is_absolute() ? to : p.parent_path() / to;
  }
  return p;  // a loop of links: the rename below fails on it
}

// True when the user may not write the existing file: the system refuses it,
// or no one has the write permission (a file made read-only, which even the
// administrator's save must respect).
bool Protected(const fs::path& target, const struct stat& st) {
  return ::access(target.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool WriteAll(int fd, const std::string& bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// A new, unused file beside the target, created with the usual permissions
// (the user's umask applies).
int CreateTemp(const fs::path& target, fs::path& temp) {
  std::random_device seed;
  for (int tries = 0; tries < 100; ++tries) {
    temp = target;
    temp += "." + std::to_string(seed() % 1000000) + ".tmp~";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The rename is on disk only once the folder is: some file systems cannot
// sync a folder and say so, which is no failure.
bool SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
  return ::close(fd) == 0 && ok;
}

}  // namespace

void SaveFileSafely(const std::string& name, const std::function<void(std::ostream&)>& write) {
  const auto fail = [&name] { throw Error("can't save file - " + name); };

  std::ostringstream content;
  write(content);
  if (!content) fail();

  const fs::path target = ResolveLinks(fs::path(name));
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && Protected(target, old)) fail();

  fs::path temp;
  const int fd = CreateTemp(target, temp);
  if (fd < 0) fail();
  bool ok = true;
  if (exists) {
    // The new file keeps the old one's permissions and, where the user may
    // give it, its owner and group.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  }
  ok = ok && WriteAll(fd, content.str()) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;  // a failing close (a full disk, a lost server) is a failed save
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    fail();
  }
  if (!SyncFolder(target.parent_path())) fail();
}

}  // namespace zod
