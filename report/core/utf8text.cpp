#include "report/core/utf8text.h"

namespace zod {
namespace {

// Length of the UTF-8 sequence that starts with byte c; a byte that cannot
// start one stands alone.
std::size_t SequenceLength(unsigned char c) {
  if (c >= 0xF0 && c < 0xF8) return 4;
  if (c >= 0xE0) return c < 0xF0 ? 3 : 1;
  if (c >= 0xC0) return 2;
  return 1;
}

template <class F>
void ForEachChar(std::string_view text, F f) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t n = SequenceLength(static_cast<unsigned char>(text[i]));
    if (i + n > text.size()) n = 1;
    for (std::size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) n = 1;
    f(text.substr(i, n));
    i += n;
  }
}

char32_t Decode(std::string_view c) {
  const auto b = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(c[i])); };
  switch (c.size()) {
    case 2:
      return (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
    case 3:
      return (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
    case 4:
      return (b(0) & 0x07) << 18 | (b(1) & 0x3F) << 12 | (b(2) & 0x3F) << 6 | (b(3) & 0x3F);
    default:
      return b(0);
  }
}

void Encode(char32_t u, std::string& out) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | u >> 6);
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | u >> 12);
    out += static_cast<char>(0x80 | (u >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

char32_t Lower(char32_t u) {
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) return u + 0x20;
  if (u == 0x160 || u == 0x152 || u == 0x17D) return u + 1;  // Š Œ Ž
  if (u == 0x178) return 0xFF;                               // Ÿ
  return u;
}

}  // namespace

std::size_t CharCount(std::string_view text) {
  std::size_t n = 0;
  ForEachChar(text, [&](std::string_view) { ++n; });
  return n;
}

std::string MidChars(std::string_view text, std::size_t first, std::size_t count) {
  std::string out;
  std::size_t i = 0;
  ForEachChar(text, [&](std::string_view c) {
    ++i;
    if (i >= first && i < first + count) out += c;
  });
  return out;
}

std::string LowerCase(std::string_view text) {
  std::string out;
  ForEachChar(text, [&](std::string_view c) {
    const char32_t u = Decode(c);
    const char32_t l = Lower(u);
    if (l == u)
      out += c;
    else
      Encode(l, out);
  });
  return out;
}

}  // namespace zod
