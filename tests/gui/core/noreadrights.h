// A file that is there but may not be read. Mode 000 keeps an ordinary user
// out, but root reads it all the same, and tests may run as root: while a
// NoReadRights lives, such a test checks file access of its thread as an
// ordinary user would (the thread's file-system user id, which nothing else
// of the process uses).
#pragma once

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace zod::test {

class NoReadRights {
 public:
  // Takes the read rights of the existing file `path` away.
  explicit NoReadRights(std::string path) : m_path(std::move(path)) {
    ::chmod(m_path.c_str(), 0);
    if (::geteuid() == 0) ::setfsuid(kNobody);
  }
  ~NoReadRights() {
    if (::geteuid() == 0) ::setfsuid(0);
    ::chmod(m_path.c_str(), 0600);
  }
  NoReadRights(const NoReadRights&) = delete;
  NoReadRights& operator=(const NoReadRights&) = delete;

  // Whether opening the file for reading now fails for want of rights; where
  // that cannot be arranged, the test skips.
  bool denied() const {
    const int fd = ::open(m_path.c_str(), O_RDONLY);
    if (fd < 0) return errno == EACCES;
    ::close(fd);
    return false;
  }

 private:
  static constexpr uid_t kNobody = 65534;
  std::string m_path;
};

}  // namespace zod::test
