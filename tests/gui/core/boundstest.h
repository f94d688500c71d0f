// What the tests of the readers' bounds share: a stream that makes up its
// bytes as they are read, so that a test can offer a reader 100 MB, or a
// device that never ends, and see how much the reader took; and a path in
// the temporary folder that is gone again after the test.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <istream>
#include <streambuf>
#include <string>

namespace zod::test {

// A head, then one byte repeated up to a given length (or without end),
// then a tail; none of it held in memory.
class PatternBuf : public std::streambuf {
 public:
  static constexpr std::size_t kEndless = static_cast<std::size_t>(-1);

  // `size` counts the head and the tail; kEndless never ends.
  PatternBuf(std::string head, char fill, std::size_t size, std::string tail = {})
      : m_head(std::move(head)), m_tail(std::move(tail)), m_fill(fill), m_size(size) {}

  // Bytes handed to the reader so far.
  std::size_t taken() const { return m_pos - static_cast<std::size_t>(egptr() - gptr()); }

 protected:
  int_type underflow() override {
    if (m_pos >= m_size) return traits_type::eof();
    const std::size_t n = std::min(sizeof m_buf, m_size - m_pos);
    for (std::size_t i = 0; i < n; ++i) m_buf[i] = At(m_pos + i);
    m_pos += n;
    setg(m_buf, m_buf, m_buf + n);
    return traits_type::to_int_type(m_buf[0]);
  }

 private:
  char At(std::size_t i) const {
    if (i < m_head.size()) return m_head[i];
    if (m_size != kEndless && i >= m_size - m_tail.size()) return m_tail[i - (m_size - m_tail.size())];
    return m_fill;
  }

  std::string m_head, m_tail;
  char m_fill;
  std::size_t m_size;
  std::size_t m_pos = 0;
  char m_buf[4096];
};

struct PatternStream : std::istream {
  PatternBuf buf;
  PatternStream(std::string head, char fill, std::size_t size, std::string tail = {})
      : std::istream(nullptr), buf(std::move(head), fill, size, std::move(tail)) {
    rdbuf(&buf);
  }
};

struct TempPath {
  std::filesystem::path path;
  explicit TempPath(const std::string& name) {
    path = std::filesystem::temp_directory_path() / ("zod_" + std::to_string(::getpid()) + "_" + name);
    std::filesystem::remove_all(path);
  }
  ~TempPath() { std::filesystem::remove_all(path); }
  TempPath(const TempPath&) = delete;
  TempPath& operator=(const TempPath&) = delete;
  std::string str() const { return path.string(); }
  void Write(const std::string& text) const { std::ofstream(path, std::ios::binary) << text; }
};

}  // namespace zod::test
