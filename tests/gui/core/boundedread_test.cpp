#include "gui/core/boundedread.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/gui/core/boundstest.h"

// The bounded read of a file or a stream: whole up to the limit, refused one
// byte beyond it, from a file and a stream alike, and the limit's text.
namespace zod {
namespace {

TEST(BoundedRead, ReadsUpToTheLimitAndRefusesBeyond) {
  struct Case {
    std::size_t size, limit;
    ReadRefusal expected;
  };
  const Case cases[] = {{0, 0, ReadRefusal::None},           {1, 0, ReadRefusal::TooLarge},
                        {100, 100, ReadRefusal::None},       {101, 100, ReadRefusal::TooLarge},
                        {200000, 200000, ReadRefusal::None}, {200001, 200000, ReadRefusal::TooLarge},
                        {65536, 1 << 20, ReadRefusal::None}};
  test::TempPath file("bounded");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.size) + " bytes, limit " + std::to_string(c.limit));
    std::string content(c.size, 'x');
    for (std::size_t i = 0; i < c.size; i += 7) content[i] = static_cast<char>(i % 251);
    file.Write(content);
    std::istringstream in(content);
    std::string fromFile, fromStream;
    EXPECT_EQ(ReadFileAtMost(file.str(), c.limit, fromFile), c.expected);
    EXPECT_EQ(ReadAtMost(in, c.limit, fromStream), c.expected);
    if (c.expected == ReadRefusal::None) {
      EXPECT_EQ(fromFile, content);
      EXPECT_EQ(fromStream, content);
    }
    EXPECT_LE(fromFile.size(), c.limit + 1);
    EXPECT_LE(fromStream.size(), c.limit + 1);
  }
  std::string text;
  EXPECT_EQ(ReadFileAtMost(file.str() + ".gone", 10, text), ReadRefusal::Missing);
}

TEST(BoundedRead, LimitText) {
  EXPECT_EQ(SizeText(8u << 20), "8 MB");
  EXPECT_EQ(SizeText(256u << 10), "256 KB");
  EXPECT_EQ(SizeText(1536), "1536 bytes");
  EXPECT_EQ(SizeText(3u << 20 | 1u << 10), "3073 KB");
}

}  // namespace
}  // namespace zod
