#include "engine/cp1252.h"

#include <gtest/gtest.h>

#include <string>

// The files are Windows-1252: what the check lets through the conversion must
// bring back unchanged, and what it stops would have become "?".
namespace zod {
namespace {

TEST(Cp1252, MissingNamesEachCharacterOnceInOrder) {
  const struct {
    const char* text;
    std::u32string missing;
  } cases[] = {
      {"Tank σ1 ≥", U"σ≥"},
      {"Ω-ring", U"Ω"},
      {"東京", U"東京"},
      {"σ σ σ", U"σ"},
      {"A😀", U"😀"},
      {"ø € µ ‰ Š Ÿ – ™", U""},
      {"", U""},
      {"\x81 stray \xE9 bytes", U""},  // written back as the bytes they are
  };
  for (const auto& c : cases) EXPECT_EQ(Cp1252Missing(c.text), c.missing) << c.text;
}

// Every code point of the first planes, one at a time: the check and the
// conversion agree on which the file can hold.
TEST(Cp1252, CheckAgreesWithTheConversion) {
  std::string u8;
  for (char32_t c = 1; c < 0x3100; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    u8.clear();
    if (c < 0x80) {
      u8 += static_cast<char>(c);
    } else if (c < 0x800) {
      u8 += static_cast<char>(0xC0 | (c >> 6));
      u8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      u8 += static_cast<char>(0xE0 | (c >> 12));
      u8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      u8 += static_cast<char>(0x80 | (c & 0x3F));
    }
    const bool held = Cp1252ToUtf8(Utf8ToCp1252(u8)) == u8;
    ASSERT_EQ(Cp1252Missing(u8).empty(), held) << static_cast<unsigned>(c);
  }
}

TEST(Cp1252, RefusalNamesTheCharactersAndTheirCodes) {
  EXPECT_EQ(Cp1252RefusalMessage("project name", U"σ≥😀"),
            " The project name can't hold \"σ\" (U+03C3), \"≥\" (U+2265) and \"😀\" (U+1F600): project and "
            "database files keep their texts in Windows-1252. ");
  EXPECT_EQ(Cp1252RefusalMessage("comment", U"Ω"),
            " The comment can't hold \"Ω\" (U+03A9): project and database files keep their texts in "
            "Windows-1252. ");
}

// An edit may keep what its text held (a text read from a file may hold a
// line break) but not bring in more: a line break or a character outside
// Windows-1252 more often than before.
TEST(Cp1252, EditBringsWhatItAdds) {
  const struct {
    const char* before;
    const char* after;
    std::u32string brought;
  } cases[] = {
      {"Tank", "Line one\nLine two", U"\n"},
      {"Tank", "a\r\nb\r\n", U"\r\n"},
      {"Tank\rA", "Tank\rA1", U""},
      {"Tank\rA", "Tank\rA\r", U"\r"},
      {"σ", "σσ", U"σ"},
      {"a\nσ", "σ", U""},
      {"Tank", "Tank ø € ; \"x\"", U""},
  };
  for (const auto& c : cases) EXPECT_EQ(FileTextBrought(c.before, c.after), c.brought) << c.after;
  EXPECT_EQ(
      FileTextRefusalMessage("identification", U"\rσ\n"),
      " The identification can't hold a line break: it would split its line in project and database files. "
      "The identification can't hold \"σ\" (U+03C3): project and database files keep their texts in "
      "Windows-1252. ");
}

}  // namespace
}  // namespace zod
