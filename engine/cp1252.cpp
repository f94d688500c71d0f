#include "engine/cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <map>

namespace zod {
namespace {

// Code points of the bytes 0x80..0x9F; 0 where Windows-1252 defines none.
constexpr std::array<char32_t, 32> kHigh = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t Decode(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) return kHigh[b - 0x80];
  return b;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The Windows-1252 byte of a code point, or -1 when it has none.
int Encode(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == c) return 0x80 + i;
  if (c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] == 0) return static_cast<int>(c);
  return -1;
}

// Walks UTF-8 text: fn(code point, byte) for each character. A byte that
// starts no whole sequence comes alone, as a code point below 0x100 with
// `byte` set, and is taken as the Windows-1252 byte it is; `byte` is -1 for
// a decoded character.
template <class Fn>
void ForEachChar(std::string_view text, Fn fn) {
  std::size_t i = 0;
  while (i < text.size()) {
    auto b = static_cast<unsigned char>(text[i]);
    char32_t c = b;
    std::size_t len = 1;
    if (b >= 0xC2 && b <= 0xDF)
      len = 2, c = b & 0x1F;
    else if (b >= 0xE0 && b <= 0xEF)
      len = 3, c = b & 0x0F;
    else if (b >= 0xF0 && b <= 0xF4)
      len = 4, c = b & 0x07;
    bool ok = len > 1 && i + len <= text.size();
    for (std::size_t k = 1; ok && k < len; ++k) {
      auto cb = static_cast<unsigned char>(text[i + k]);
      if ((cb & 0xC0) != 0x80) ok = false;
      c = (c << 6) | (cb & 0x3F);
    }
    if (len == 1 || !ok) {
      fn(static_cast<char32_t>(b), static_cast<int>(b));  // plain ASCII, or a stray 8-bit byte
      ++i;
      continue;
    }
    fn(c, -1);
    i += len;
  }
}

bool IsLineBreak(char32_t c) { return c == U'\r' || c == U'\n'; }

// The characters of the text that no line of the files can carry, each as
// often as it appears.
std::u32string Refused(std::string_view text) {
  std::u32string refused;
  ForEachChar(text, [&refused](char32_t c, int byte) {
    if (IsLineBreak(c) || (byte < 0 && Encode(c) < 0)) refused += c;
  });
  return refused;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char b : bytes) AppendUtf8(out, Decode(b));
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachChar(text, [&out](char32_t c, int byte) {
    const int e = byte >= 0 ? byte : Encode(c);
    out += e < 0 ? '?' : static_cast<char>(e);
  });
  return out;
}

std::u32string Cp1252Missing(std::string_view text) {
  std::u32string missing;
  ForEachChar(text, [&missing](char32_t c, int byte) {
    if (byte < 0 && Encode(c) < 0 && missing.find(c) == std::u32string::npos) missing += c;
  });
  return missing;
}

std::string Cp1252RefusalMessage(std::string_view what, std::u32string_view missing) {
  std::string names;
  for (std::size_t i = 0; i < missing.size(); ++i) {
    if (i > 0) names += i + 1 == missing.size() ? " and " : ", ";
    char code[16];
    std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(missing[i]));
    names += '"';
    AppendUtf8(names, missing[i]);
    names += "\" (U+";
    names += code;
    names += ')';
  }
  return " The " + std::string(what) + " can't hold " + names +
         ": project and database files keep their texts in Windows-1252. ";
}

std::u32string FileTextBrought(std::string_view before, std::string_view after) {
  // by counts, so that a box of 32767 such characters costs no more than a
  // sort, on every key
  const std::u32string has = Refused(after);
  std::map<char32_t, long> more;
  for (const char32_t c : has) ++more[c];
  for (const char32_t c : Refused(before)) --more[c];
  std::u32string brought;
  for (const char32_t c : has) {
    long& n = more[c];
    if (n > 0) brought += c;
    n = 0;  // each once
  }
  return brought;
}

std::string FileTextRefusalMessage(std::string_view what, std::u32string_view refused) {
  std::u32string others;
  std::copy_if(refused.begin(), refused.end(), std::back_inserter(others),
               [](char32_t c) { return !IsLineBreak(c); });
  std::string message;
  if (others.size() < refused.size())
    message = " The " + std::string(what) +
              " can't hold a line break: it would split its line in project and database files.";
  if (!others.empty()) message += Cp1252RefusalMessage(what, others);
  return message.ends_with(' ') ? message : message + ' ';
}

}  // namespace zod
