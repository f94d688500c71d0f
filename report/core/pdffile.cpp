#include "report/core/pdffile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

namespace zod {
namespace {

bool IsWhite(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; }

bool IsDelimiter(char c) { return c != '\0' && std::strchr("()<>[]{}/%", c) != nullptr; }

void SkipWhite(std::string_view s, std::size_t& at) {
  while (at < s.size() && IsWhite(s[at])) ++at;
}

// A number without sign at `at`, which moves past it.
std::optional<std::size_t> Number(std::string_view s, std::size_t& at) {
  const std::size_t from = at;
  std::size_t n = 0;
  for (; at < s.size() && s[at] >= '0' && s[at] <= '9'; ++at) {
    if (n > (std::numeric_limits<std::size_t>::max() - 9) / 10) return std::nullopt;
    n = n * 10 + static_cast<std::size_t>(s[at] - '0');
  }
  if (at == from) return std::nullopt;
  return n;
}

// `word` at `at`, which moves past it.
bool Expect(std::string_view s, std::size_t& at, std::string_view word) {
  if (s.substr(at, word.size()) != word) return false;
  at += word.size();
  return true;
}

// The offsets of the objects in use that the table at `table` lists: after
// "xref", sections of a first object number and a count, then an entry of
// 20 bytes per object ("nnnnnnnnnn ggggg n" and the line's end).
std::vector<std::size_t> ObjectOffsets(std::string_view pdf, std::size_t table) {
  constexpr std::size_t kEntry = 20;
  std::vector<std::size_t> offsets;
  std::size_t at = table + 4;
  for (;;) {
    SkipWhite(pdf, at);
    if (!Number(pdf, at)) break;  // the trailer
    SkipWhite(pdf, at);
    const auto count = Number(pdf, at);
    SkipWhite(pdf, at);
    if (!count || *count > (pdf.size() - at) / kEntry) break;
    for (std::size_t i = 0; i < *count; ++i, at += kEntry) {
      std::size_t digits = at;
      const auto offset = Number(pdf, digits);
      if (pdf[at + 17] == 'n' && offset && digits == at + 10) offsets.push_back(*offset);
    }
  }
  return offsets;
}

// Where the content of the object at `at` lies when it is a stream written
// plain (its length given in place, no filter) that holds a character map.
std::optional<std::pair<std::size_t, std::size_t>> PlainMap(std::string_view pdf, std::size_t at) {
  if (!Number(pdf, at) || !Expect(pdf, at, " ") || !Number(pdf, at) || !Expect(pdf, at, " obj")) return {};
  SkipWhite(pdf, at);
  if (!Expect(pdf, at, "<<")) return {};
  const std::size_t close = pdf.find(">>", at);
  if (close == std::string_view::npos) return {};
  // the dictionary, up to a length that is the last thing in it
  const std::string_view dict = pdf.substr(at, close - at);
  std::size_t length = dict.find("/Length");
  if (dict.find_first_of("<[") != std::string_view::npos || dict.find("/Filter") != std::string_view::npos ||
      length == std::string_view::npos)
    return {};
  length += 7;
  SkipWhite(dict, length);
  const auto size = Number(dict, length);
  SkipWhite(dict, length);
  if (!size || length != dict.size()) return {};
  at = close + 2;
  SkipWhite(pdf, at);
  if (!Expect(pdf, at, "stream") || !(Expect(pdf, at, "\r\n") || Expect(pdf, at, "\n"))) return {};
  if (*size > pdf.size() - at) return {};
  const std::string_view content = pdf.substr(at, *size);
  if (content.substr(0, 8) != "/CIDInit" || content.find("begincmap") == std::string_view::npos) return {};
  return std::pair{at, at + *size};
}

// A token of a character map: a hexadecimal string "<...>", a bracket of an
// array, or a word (a number, a name, an operator); where it starts.
struct Token {
  std::size_t at;
  std::string_view text;
};

Token NextToken(std::string_view map, std::size_t at) {
  std::size_t end = at + 1;
  if (map[at] == '<') {
    end = std::min(map.find('>', at), map.size() - 1) + 1;
  } else if (map[at] != '[' && map[at] != ']') {
    while (end < map.size() && !IsWhite(map[end]) && !IsDelimiter(map[end])) ++end;
  }
  return {at, map.substr(at, end - at)};
}

// Mends the entries of the map in pdf[from, to) that give a glyph the tab:
// in a block of single glyphs ("<glyph> <characters>") and in a block of
// ranges, where a range gives each glyph its own character in an array
// ("<first> <last> [<characters> ...]") or, as one glyph, a character
// ("<first> <first> <characters>"). A range of several glyphs counting up
// from a tab names no space glyph: it stays.
int MendMap(std::string& pdf, std::size_t from, std::size_t to) {
  const std::string_view map(pdf.data() + from, to - from);
  enum class Block { None, Glyphs, Ranges } block = Block::None;
  std::vector<Token> entry;
  int mended = 0;
  const auto mend = [&](const Token& t) {
    if (t.text != "<0009>") return;
    pdf.replace(from + t.at + 1, 4, "0020");
    ++mended;
  };
  for (std::size_t at = 0;;) {
    SkipWhite(map, at);
    if (at >= map.size()) break;
    const Token t = NextToken(map, at);
    at += t.text.size();
    const bool word = t.text[0] != '<' && t.text[0] != '[' && t.text[0] != ']';
    if (word) {
      block = t.text == "beginbfchar"    ? Block::Glyphs
              : t.text == "beginbfrange" ? Block::Ranges
                                         : Block::None;
      entry.clear();
      continue;
    }
    if (block == Block::None) continue;
    entry.push_back(t);
    if (block == Block::Glyphs && entry.size() == 2) {
      mend(entry[1]);
      entry.clear();
    } else if (block == Block::Ranges && entry.size() >= 3) {
      if (entry[2].text != "[") {
        if (entry[0].text == entry[1].text) mend(entry[2]);
        entry.clear();
      } else if (t.text == "]") {
        std::for_each(entry.begin() + 3, entry.end() - 1, mend);
        entry.clear();
      }
    }
  }
  return mended;
}

}  // namespace

std::optional<std::size_t> PdfCrossReference(std::string_view pdf) {
  const std::string_view tail = pdf.substr(pdf.size() - std::min<std::size_t>(pdf.size(), 1024));
  const std::size_t start = tail.rfind("startxref");
  std::size_t end = tail.size();
  while (end > 0 && IsWhite(tail[end - 1])) --end;
  if (start == std::string_view::npos ||
      tail.substr(0, end).substr(std::max<std::size_t>(end, 5) - 5) != "%%EOF")
    return std::nullopt;
  std::size_t at = start + 9;
  SkipWhite(tail, at);
  const auto table = Number(tail, at);
  SkipWhite(tail, at);
  if (!table || *table == 0 || *table > pdf.size() || at >= tail.size() || tail[at] != '%' ||
      pdf.substr(*table, 4) != "xref")
    return std::nullopt;
  return table;
}

namespace {

int MendMaps(std::string& pdf, std::size_t table) {
  int mended = 0;
  for (const std::size_t at : ObjectOffsets(pdf, table))
    if (at < pdf.size())
      if (const auto map = PlainMap(pdf, at)) mended += MendMap(pdf, map->first, map->second);
  return mended;
}

}  // namespace

int MendSpacesInTextLayer(std::string& pdf) {
  const auto table = PdfCrossReference(pdf);
  return table ? MendMaps(pdf, *table) : 0;
}

bool FinishPdf(std::string& pdf) {
  const auto table = PdfCrossReference(pdf);
  if (table) MendMaps(pdf, *table);
  return table.has_value();
}

}  // namespace zod
