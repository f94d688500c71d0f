#include "gui/core/boundedread.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <istream>
#include <system_error>

#include "gui/core/descriptor.h"

namespace zod {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

}  // namespace

ReadRefusal ReadAtMost(std::istream& in, std::size_t limit, std::string& text) {
  text.clear();
  while (text.size() <= limit) {
    const std::size_t have = text.size();
    const std::size_t want = std::min(kChunk, limit + 1 - have);
    text.resize(have + want);
    in.read(text.data() + have, static_cast<std::streamsize>(want));
    text.resize(have + static_cast<std::size_t>(in.gcount()));
    if (!in) break;
  }
  if (in.bad()) return ReadRefusal::Failed;
  return text.size() > limit ? ReadRefusal::TooLarge : ReadRefusal::None;
}

ReadRefusal ReadFileAtMost(const std::string& name, std::size_t limit, std::string& text,
                           std::string* reason) {
  text.clear();
  const auto failed = [reason](ReadRefusal why) {
    if (reason) *reason = std::generic_category().message(errno);
    return why;
  };
  // Without O_NONBLOCK the opening of a named pipe waits for a writer,
  // perhaps for ever.
  const Descriptor fd(::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  // A file the user may not read is there all the same: "can't find file"
  // would send the user looking for it.
  if (fd.get() < 0)
    return errno == ENOENT || errno == ENOTDIR ? ReadRefusal::Missing : failed(ReadRefusal::Unreadable);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return failed(ReadRefusal::Failed);
  if (!S_ISREG(st.st_mode)) return ReadRefusal::NotRegular;
  const auto size = static_cast<std::size_t>(std::max<off_t>(st.st_size, 0));
  if (size > limit) return ReadRefusal::TooLarge;
  // One byte more than the size, to see the end (or that the file grew).
  text.resize(size + 1);
  std::size_t have = 0;
  for (;;) {
    if (have == text.size()) {
      if (have > limit) break;
      text.resize(std::min(std::max(2 * have, kChunk), limit + 1));
    }
    const ssize_t n = ::read(fd.get(), text.data() + have, text.size() - have);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      text.clear();
      return failed(ReadRefusal::Failed);
    }
    if (n == 0) break;
    have += static_cast<std::size_t>(n);
  }
  text.resize(have);
  return have > limit ? ReadRefusal::TooLarge : ReadRefusal::None;
}

std::string SizeText(std::size_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MB";
  if (bytes >= (1u << 10) && bytes % (1u << 10) == 0) return std::to_string(bytes >> 10) + " KB";
  return std::to_string(bytes) + " bytes";
}

}  // namespace zod
