#include "gui/core/safesave.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>

namespace zod {
namespace {

namespace fs = std::filesystem;

SaveSystem* g_system = nullptr;

// The most links a path may pass through, as the system counts them.
constexpr int kMaxLinks = 40;

[[noreturn]] void Fail(const std::string& name, int err) { throw SaveError(name, std::strerror(err)); }

// The file a save replaces: a symbolic link is followed (also through a chain
// of links), so that its target gets the new content and the link stays.
fs::path ResolveLinks(const std::string& name) {
  fs::path p = name;
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
    std::error_code ec;
    const fs::path to = fs::read_symlink(p, ec);
    if (ec) Fail(name, ec.value());
    p = to.is_absolute() ? to : p.parent_path() / to;
  }
  throw SaveError(name, "it is a loop of symbolic links");
}

// What is there under the target's name now: nothing, or a regular file the
// user may write (a file made read-only is refused even for the
// administrator). Anything else is refused before a byte is written; in
// particular a named pipe is never opened, which would wait for a reader.
bool CheckExisting(const std::string& name, const fs::path& target, struct stat& st) {
  if (::lstat(target.c_str(), &st) != 0) {
    if (errno == ENOENT) return false;
    Fail(name, errno);
  }
  if (!S_ISREG(st.st_mode)) throw SaveError(name, "it is not a regular file");
  // The mode bits before the system's verdict: an ordinary user is refused
  // a read-only file of their own as "Permission denied", which does not say
  // what to mend.
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) throw SaveError(name, "the file is read-only");
  if (const int err = SaveSystem::Current().MayWrite(target.string())) Fail(name, err);
  return true;
}

// The temporary file's name: the target's, shortened where it must be (on a
// character boundary) so that the whole stays within the folder's limit.
std::string TempLeaf(const std::string& leaf, unsigned number, std::size_t limit) {
  const std::string suffix = "." + std::to_string(number) + ".tmp~";
  std::size_t keep = leaf.size();
  if (keep + suffix.size() > limit) {
    keep = limit > suffix.size() ? limit - suffix.size() : 0;
    while (keep > 0 && (static_cast<unsigned char>(leaf[keep]) & 0xC0) == 0x80) --keep;
  }
  return leaf.substr(0, keep) + suffix;
}

// A new, unused file beside the target, created with the usual permissions
// (the user's umask applies).
int CreateTemp(const std::string& name, const fs::path& target, fs::path& temp) {
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  std::random_device seed;
  for (int tries = 0; tries < 100; ++tries) {
    temp = target.parent_path() /
           TempLeaf(target.filename().string(), seed() % 1000000, limit > 0 ? std::size_t(limit) : 255);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) Fail(name, errno);
  }
  Fail(name, EEXIST);
}

// The new file keeps the old one's permissions and, where the user may give
// it, its owner and group.
bool KeepPermissions(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

using Fill = std::function<void(int& fd, const std::string& temp)>;

SaveOutcome Save(const std::string& name, Existing existing, const Fill& fill) {
  fs::path target(name);
  struct stat old {};
  bool exists = false;
  if (existing == Existing::Keep) {
    // whatever holds the name, even a link to nowhere or a loop of links
    if (::lstat(target.c_str(), &old) == 0) throw SaveNameTaken(name, "it already exists");
  } else {
    target = ResolveLinks(name);
    exists = CheckExisting(name, target, old);
  }

  fs::path temp;
  int fd = CreateTemp(name, target, temp);
  SaveSystem& sys = SaveSystem::Current();
  int err = 0;
  try {
    if (exists && !KeepPermissions(fd, old)) Fail(name, errno);
    fill(fd, temp.string());
    if (exists && !KeepPermissions(fd, old)) Fail(name, errno);
    err = sys.SyncFile(fd, temp.string());
    if (err) Fail(name, err);
  } catch (...) {
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    throw;
  }
  // a failing close (a lost server, a quota) is a failed save
  if (::close(fd) != 0) err = errno;
  if (!err) err = sys.Rename(temp.string(), target.string(), existing == Existing::Replace);
  if (err) {
    ::unlink(temp.c_str());
    if (err == EEXIST && existing == Existing::Keep) throw SaveNameTaken(name, "it already exists");
    Fail(name, err);
  }
  // The rename is on the disk only once the folder is. The file holds the new
  // content whatever happens here: a failure is a warning, not a failed save.
  // Some file systems cannot flush a folder and say so: that is no failure.
  err = sys.SyncFolder(target.parent_path().string());
  if (!err || err == EINVAL) return {};
  return {"The file " + name + " was saved, but its folder could not be flushed to disk (" +
          std::strerror(err) + "); a power failure now could undo the save."};
}

}  // namespace

std::string CantSaveMessage(std::string_view name, std::string_view cause) {
  return "can't save file - " + std::string(name) + ": " + std::string(cause);
}

SaveError::SaveError(const std::string& name, std::string cause)
    : Error(CantSaveMessage(name, cause)), m_name(name), m_cause(std::move(cause)) {}

void LetWritesFailAtTheFileSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }

int SaveSystem::MayWrite(const std::string& path) { return ::access(path.c_str(), W_OK) == 0 ? 0 : errno; }

int SaveSystem::Write(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

int SaveSystem::SyncFile(int fd, const std::string&) { return ::fsync(fd) == 0 ? 0 : errno; }

int SaveSystem::Rename(const std::string& from, const std::string& to, bool replace) {
  if (replace) return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // A file system without the never-replacing rename: a second name for the
  // file, which also never replaces, then the first name removed.
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  ::unlink(from.c_str());
  return 0;
}

int SaveSystem::SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = ::fsync(fd) == 0 ? 0 : errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  return err;
}

SaveSystem& SaveSystem::Current() {
  static SaveSystem system;
  return g_system ? *g_system : system;
}

ScopedSaveSystem::ScopedSaveSystem(SaveSystem& system) : m_previous(g_system) { g_system = &system; }
ScopedSaveSystem::~ScopedSaveSystem() { g_system = m_previous; }

SaveOutcome SaveFileSafely(const std::string& name, const std::function<void(std::ostream&)>& write) {
  std::ostringstream content;
  write(content);
  if (!content) throw SaveError(name, "it cannot be written");
  return Save(name, Existing::Replace, [&](int& fd, const std::string&) {
    if (const int err = SaveSystem::Current().Write(fd, content.view())) Fail(name, err);
  });
}

SaveOutcome SaveFileThrough(const std::string& name, const std::function<void(const std::string&)>& produce,
                            Existing existing) {
  return Save(name, existing, [&](int& fd, const std::string& temp) {
    produce(temp);
    // The library wrote through a name of its own: flush the file that name
    // now holds (it may have made a new one), never a link or anything else.
    ::close(fd);
    fd = ::open(temp.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) Fail(name, errno);
    if (!S_ISREG(st.st_mode)) throw SaveError(name, "it is not a regular file");
  });
}

}  // namespace zod
