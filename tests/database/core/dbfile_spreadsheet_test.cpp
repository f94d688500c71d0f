#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/cp1252.h"
#include "tests/database/core/dbtest.h"

// Database files that went through a spreadsheet program: fields it quoted
// because they hold a double quote or a ";", and files it saved as UTF-8 with
// a byte-order mark. What they read as, the lines they are refused at, and
// the program's own files reading back unchanged.
namespace zod {
namespace {

using dbtest::Prepare;
using dbtest::ReadText;
using dbtest::SpreadsheetRows;
using dbtest::Written;

// A data line of 35 fields: Tank, A1, ..., its stiffener L 200x90x9.0x12.0.
const std::vector<std::string> kFieldsOfLine = {
    "Tank",   "A1",   "1",      "0.85",        "3",   "1",       "0",    "1",
    "210000", "355",  "1500.5", "3000",        "20",  "600",     "3000", "L 200x90x9.0x12.0",
    "355",    "6000", "600",    "BF 200x10.0", "315", "1",       "0",    "-100",
    "-10",    "40",   "-0.3",   "1",           "1.2", "1.5E-05", "1",    "2",
    "3",      "4",    " 1 "};

// The line with field `pos` (from 1) replaced by `text`, as it stands.
std::string LineWith(std::size_t pos, const std::string& text) {
  std::string line;
  for (std::size_t i = 0; i < kFieldsOfLine.size(); ++i)
    line += (i ? ";" : "") + (i + 1 == pos ? text : kFieldsOfLine[i]);
  return line;
}

std::string FileOf(const std::string& line) { return "% Tanks;\r\n" + line + "\r\nEnd;\r\n"; }

// `n` empty fields as a tool that quotes every cell writes them, each after its ";".
std::string EmptyQuotedFields(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += R"(;"")";
  return s;
}

// The reason a file is refused at, or "" when it reads.
std::string Refusal(State& z, const std::string& text) {
  try {
    ReadText(z, text);
  } catch (const DbFileError& e) {
    return e.detail();
  }
  return {};
}

class Spreadsheet : public ::testing::Test {
 protected:
  void SetUp() override { Prepare(z); }
  State z;
};

// What a field reads as: quoted fields stand for their text, a quote
// anywhere else is kept, and numbers and designations are read unquoted. A
// quote never closed, and a quoted first field that would make a comment or
// closing line on a line of other fields, are texts of the older program,
// read as they stand.
TEST_F(Spreadsheet, QuotedFieldsReadAsTheTextTheyStandFor) {
  struct Case {
    std::size_t pos;
    std::string field;
    std::string proj, ident;
  };
  const std::vector<Case> cases = {
      {2, R"("Riser 24""")", "Tank", "Riser 24\""},
      {2, R"("""Big"" tank")", "Tank", "\"Big\" tank"},
      {2, R"("")", "Tank", ""},
      {2, R"(Riser 24")", "Tank", "Riser 24\""},  // a quote elsewhere stays
      {2, R"(24" "riser")", "Tank", "24\" \"riser\""},
      {2, R"("Big" tank)", "Tank", "\"Big\" tank"},  // closed before the field ends: kept
      {2, R"("x"y")", "Tank", "\"x\"y\""},
      {2, R"( "A1")", "Tank", " \"A1\""},  // opens with a blank, not a quote
      {1, R"("Tank ""B""")", "Tank \"B\"", "A1"},
      {1, R"("   Tank")", "Tank", "A1"},  // the first field loses its blanks
      {1, "\"Tank \xE9\"", "Tank \xC3\xA9", "A1"},
      {2, R"("Tank A)", "Tank", "\"Tank A"},
      {1, R"("Tank)", "\"Tank", "A1"},
      {1, R"("End")", "\"End\"", "A1"},
      {1, R"("END")", "\"END\"", "A1"},
      {1, R"("% north")", "\"% north\"", "A1"},
      {1, R"("  % ""north""")", "\"  % \"\"north\"\"\"", "A1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    ASSERT_EQ(Refusal(z, FileOf(LineWith(c.pos, c.field))), "");
    EXPECT_EQ(z.dbtab[1].proj, c.proj);
    EXPECT_EQ(z.dbtab[1].ident, c.ident);
    EXPECT_EQ(z.dbtab[1].rowtext, c.ident);
  }

  // Numbers, codes and designations as a spreadsheet may quote them; the
  // closing field without its blanks.
  std::string line = LineWith(4, R"("0,85")");
  for (const auto& [from, to] :
       std::vector<std::pair<std::string, std::string>>{{";3;1;0;1;", R"(;"3";1;0;1;)"},
                                                        {"L 200x90x9.0x12.0", R"("L 200x90x9.0x12.0")"},
                                                        {"BF 200x10.0", R"("BF 200x10.0")"},
                                                        {"; 1 ", R"(;"1")"}})
    line.replace(line.find(from), from.size(), to);
  ASSERT_EQ(Refusal(z, FileOf(line)), "");
  ReadText(z, FileOf(line + R"(;"a field beyond the 35th;)"));  // never looked at
  const DbRow& r = z.dbtab[1];
  EXPECT_EQ(r.ufb, 0.85f);
  EXPECT_EQ(r.cylinder, 3);
  EXPECT_EQ(r.dmom, 1);
  EXPECT_EQ(r.dbstiffprof, "L 200x90x9.0x12.0");
  EXPECT_EQ((std::vector<float>{static_cast<float>(r.dbstifftype), r.dbstiffh, r.dbstiffb, r.dbstifftw,
                                r.dbstifftf}),
            (std::vector<float>{1, 200, 90, 9, 12}));
  EXPECT_EQ(r.dbgirdtype, 6);
  EXPECT_EQ(r.dbgirdhp, 17);
}

// Comment and closing lines a spreadsheet quoted, padded with empty fields
// that may be quoted too; a ";" inside the quotes ends the comment as it ends
// an unquoted one.
TEST_F(Spreadsheet, QuotedCommentLines) {
  struct Case {
    std::string line, rowtext;
  };
  const std::vector<Case> cases = {
      {R"("% 24"" riser cases")", "% 24\" riser cases"},
      {R"("% 24"" riser cases";;;)", "% 24\" riser cases"},
      {R"(% 24" riser cases;)", "% 24\" riser cases"},
      {R"("% Wall A; north side";)", "% Wall A"},
      {R"(% Wall A;"north side)", "% Wall A"},  // the rest of a comment line is never read
      {R"("  % x")", "% x"},
      {R"("End")", "End"},
      // rows of a tool that quotes every cell, empty ones too
      {R"("% note";"";"")", "% note"},
      {R"("% note";;"";)", "% note"},
      {R"("% Wall A; north side";"")", "% Wall A"},
      {R"("End";"";"")", "End"},
      {R"("END";"")", "END"},
      {"\"% note\"" + EmptyQuotedFields(34), "% note"},
      {"\"End\"" + EmptyQuotedFields(34), "End"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ASSERT_EQ(Refusal(z, "% c\r\n" + c.line + "\r\n" + LineWith(1, "Tank") + "\r\nEnd;\r\n"), "");
    EXPECT_EQ(z.dbtab[1].iscomment, -1);
    EXPECT_EQ(z.dbtab[1].rowtext, c.rowtext);
  }
  for (const std::string& last : {std::string(R"("End")"), "\"End\"" + EmptyQuotedFields(34)}) {
    ReadText(z, "% c\r\n" + last + "\r\n");
    EXPECT_EQ(z.dbrows, 1);
  }
}

// Lines that cannot be read or could not be saved again are refused with
// the line and the reason; the table read before stays.
TEST_F(Spreadsheet, RefusedLinesAreNamed) {
  struct Case {
    std::string text;
    std::vector<std::string> says;
    int16 commadec = -1;
  };
  const std::vector<Case> cases = {
      {FileOf(LineWith(2, R"("A;1")")), {"line 2: ", "An identification with \";\" can't be stored"}},
      {FileOf(LineWith(1, R"("% a; b")")), {"line 2: ", "A project name with \";\""}},
      {FileOf(LineWith(1, R"("Tank;B")")), {"line 2: ", "A project name with \";\""}},
      {FileOf(LineWith(16, R"("L 200;x")")), {"line 2: ", "A stiffener profile with \";\""}},
      {FileOf(LineWith(20, R"("BF 200;x")")), {"line 2: ", "A ring-frame profile with \";\""}},
      // cells broken over two lines
      {FileOf("Tank;\"A\r\n1\";0"),
       {"line 2: ", "this one has 2; the identification (field 2) opens a quote that is not closed"}},
      {FileOf("\"Tank\r\nB\";A1"), {"line 2: ", "has 1; the first field opens a quote that is not closed"}},
      {"% c\r\n\"% a cell with\r\na line break\";\r\nEnd;\r\n",
       {"line 2: ", "opens a quote that is not closed"}},
      // a quoted mark with a field filled after an empty one is a data line,
      // not a comment or the closing line
      {FileOf(R"("% note";"";"x")"), {"line 2: ", "a data line needs 35 fields, this one has 3"}},
      {FileOf(R"("End";"";"x")"), {"line 2: ", "a data line needs 35 fields, this one has 3"}},
      {FileOf(LineWith(35, R"(" 1)")), {"line 2: ", "moment \"\" 1\" is not a number"}},
      {FileOf(LineWith(4, R"("0,85;")")), {"line 2: ", "usage factor \"0,85;\" is not a number"}},
      {FileOf(LineWith(9, "1E39")), {"line 2: ", "E \"1E39\" is beyond the range"}},
      // a ";" inside a quoted number, on a point system too, where the
      // leading number would read and the fields after it move one place
      {FileOf(LineWith(30, R"("-5000;300")") + ";0"),
       {"line 2: ", "N \"-5000;300\" is not a number: it holds a \";\" inside its quotes"},
       0},
      {FileOf(LineWith(5, R"("3;1")")), {"line 2: ", "cylinder type \"3;1\" is not a number"}, 0},
      {FileOf(LineWith(4, R"("0.85;")")), {"line 2: ", "usage factor \"0.85;\" is not a number"}, 0},
  };
  dbtest::MakeTable(z, 2);
  const std::vector<DbRow> before = z.dbtab;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    z.commadec = c.commadec;
    const std::string said = Refusal(z, c.text);
    for (const std::string& s : c.says) EXPECT_NE(said.find(s), std::string::npos) << said;
    EXPECT_EQ(said.find("line 2: "), 0u) << said;
    EXPECT_TRUE(z.dbtab == before);
    EXPECT_EQ(z.dbrows, 3);
  }
}

// Texts are written as they stand, as the older program writes them, except
// those that begin with a double quote: a spreadsheet would read such a
// field as quoted and drop its quotes, so they are quoted, their quotes
// doubled. Every text reads back as it was (the first field's leading blanks
// aside), and a spreadsheet reads it as the program holds it.
TEST_F(Spreadsheet, TextsAreQuotedOnlyWhereTheyWouldReadOtherwise) {
  struct Case {
    std::string proj, ident, comment;
    std::string line1, line2start;  // as written
  };
  const std::vector<Case> cases = {
      {"Tank", "Riser 24\"", "% 24\" riser cases", "% 24\" riser cases;", "Tank;Riser 24\";"},
      {"Tank", "\"Big\" tank", "% c", "% c;", R"(Tank;"""Big"" tank";)"},
      {"\"Tank\"", "\"x\"", "% c", "% c;", R"("""Tank""";"""x""";)"},
      {"Tank", "\"Big tank", "% c", "% c;", R"(Tank;"""Big tank";)"},
      {"Tank", "\"\"", "% c", "% c;", R"(Tank;"""""";)"},
      {"Tank", "\"x\"y\"", "% c", "% c;", R"(Tank;"""x""y""";)"},
      {"  \"T\"", "A1", "% c", "% c;", R"("  ""T""";A1;)"},
      {"\"Tank\" A", "\"x\" and \"y\"", "% c", "% c;", R"("""Tank"" A";"""x"" and ""y""";)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line2start);
    dbtest::MakeTable(z, 1);
    z.dbtab[0].rowtext = c.comment;
    z.dbtab[1].proj = c.proj;
    z.dbtab[1].ident = z.dbtab[1].rowtext = c.ident;
    const std::string file = Written(z);
    EXPECT_EQ(file.substr(0, file.find("\r\n")), c.line1);
    EXPECT_EQ(file.substr(file.find("\r\n") + 2, c.line2start.size()), c.line2start);
    State back;
    Prepare(back);
    ReadText(back, file);
    EXPECT_EQ(back.dbtab[0].rowtext, c.comment);
    EXPECT_EQ(back.dbtab[1].proj, c.proj.substr(c.proj.find_first_not_of(' ')));
    EXPECT_EQ(back.dbtab[1].ident, c.ident);
    const auto rows = SpreadsheetRows(file);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{c.comment, ""}));
    ASSERT_EQ(rows[1].size(), 35u);
    EXPECT_EQ(rows[1][0], c.proj);
    EXPECT_EQ(rows[1][1], c.ident);
  }
}

// Random texts of quotes, blanks and letters, as the user may type them,
// survive a write and a read, and a spreadsheet reads them as they are.
TEST_F(Spreadsheet, RandomTextsWithQuotesReadBackUnchanged) {
  std::mt19937 rng(2112);
  const auto text = [&](const std::string& lead) {
    static const char* const chars[] = {"\"", "\"", "a", " ", "%", "\xC3\xA9"};
    std::string s = lead;
    for (int i = static_cast<int>(rng() % 7); i > 0; --i) s += chars[rng() % 6];
    return s;
  };
  dbtest::MakeTable(z, 3);
  for (int round = 0; round < 500; ++round) {
    z.dbtab[0].rowtext = text("%");
    for (std::size_t i = 1; i <= 3; ++i) {
      std::string proj = text("");
      if (!DbTextProblem(proj, "project name", true).empty() || proj.starts_with(' ')) proj = "P" + proj;
      z.dbtab[i].proj = proj;
      z.dbtab[i].ident = z.dbtab[i].rowtext = text("");
    }
    const std::vector<DbRow> rows(z.dbtab.begin(), z.dbtab.begin() + 5);
    const std::string file = Written(z);
    const auto sheet = SpreadsheetRows(file);
    ASSERT_EQ(sheet.size(), 5u) << file;
    for (std::size_t i = 0; i < 5; ++i) {
      EXPECT_EQ(Cp1252ToUtf8(sheet[i][0]), rows[i].iscomment ? rows[i].rowtext : rows[i].proj) << file;
      if (!rows[i].iscomment) {
        EXPECT_EQ(Cp1252ToUtf8(sheet[i].at(1)), rows[i].ident) << file;
      }
    }
    ReadText(z, file);
    for (std::size_t i = 0; i < 5; ++i) {
      EXPECT_EQ(z.dbtab[i].rowtext, rows[i].rowtext) << Written(z);
      EXPECT_EQ(z.dbtab[i].proj, rows[i].proj) << Written(z);
    }
  }
}

// A file saved as UTF-8, with a byte-order mark or without one, reads as
// the same file in Windows-1252 does; it is saved in Windows-1252.
TEST_F(Spreadsheet, Utf8FileWithOrWithoutByteOrderMarkReads) {
  const std::string ident = LineWith(2, R"("Riser 24""")");
  ReadText(z, "% K\xFChler \x91Nord\x92;\r\n" + ident + "\r\nEnd;\r\n");
  const std::vector<DbRow> expected(z.dbtab.begin(), z.dbtab.begin() + 3);
  for (const std::string mark : {"\xEF\xBB\xBF", ""}) {
    SCOPED_TRACE(mark.empty() ? "without mark" : "with mark");
    ReadText(z, mark + "% K\xC3\xBChler \xE2\x80\x98Nord\xE2\x80\x99;\r\n" + ident + "\r\nEnd;\r\n");
    EXPECT_EQ(std::vector<DbRow>(z.dbtab.begin(), z.dbtab.begin() + 3), expected);
    EXPECT_EQ(z.dbtab[0].rowtext, "% K\xC3\xBChler \xE2\x80\x98Nord\xE2\x80\x99");
    EXPECT_EQ(z.dbtab[1].ident, "Riser 24\"");

    const std::string tank = std::string("Tank \xC3\xB8") + "1200";  // Tank ø1200
    ReadText(z, mark + FileOf(LineWith(1, "K\xC3\xBChler \xE2\x82\xAC") + "\r\n" + LineWith(2, tank)));
    EXPECT_EQ(z.dbtab[1].proj, "K\xC3\xBChler \xE2\x82\xAC");
    EXPECT_EQ(z.dbtab[2].ident, tank);
    EXPECT_EQ(z.dbrows, 3);
    const std::string saved = Written(z);  // in Windows-1252
    EXPECT_NE(saved.find("\r\nK\xFChler \x80;A1;"), std::string::npos);
    EXPECT_NE(saved.find(std::string(";Tank \xF8") + "1200;"), std::string::npos);
  }
  // Without a mark, bytes above 127 that are not all UTF-8 are Windows-1252,
  // every one of them.
  ReadText(z, "% K\xC3\xBChler;\r\n% gr\xFCn;\r\nEnd;\r\n");
  EXPECT_EQ(DbListTexts(z), (std::vector<std::string>{"% K\xC3\x83\xC2\xBChler", "% gr\xC3\xBCn", "End"}));
}

// A table the program saved opens again as it was saved, whatever its
// identification of one or two characters of Windows-1252's upper half: its
// bytes may pair up as UTF-8 (Ø½ is D8 BD, the UTF-8 of "ؽ"), but a file is
// read as UTF-8 only when every character it then holds is one a table can
// hold. The texts that are themselves the UTF-8 of such a character cannot be
// told from it, and read back as that character:
// - "Â" followed by a no-break space or any of "¡" to "¿" (the UTF-8 of
//   those characters themselves, such as "Â°" for "°"), or by one of the five
//   bytes Windows-1252 leaves undefined (81, 8D, 8F, 90, 9D);
// - "Ã" followed by any character from "€" (80) to "¿" (BF): "À" to "ÿ",
//   such as "Ã©" for "é";
// - "Å" followed by "’", "“", a no-break space, "¡", "¸", "½" or "¾": "Œ",
//   "œ", "Š", "š", "Ÿ", "Ž", "ž";
// - "Æ’": "ƒ"; "Ë†": "ˆ"; "Ëœ": "˜".
TEST_F(Spreadsheet, SavedTablesOpenAgainWhateverTheirHighCharacters) {
  std::vector<std::string> upper;  // the characters of bytes 80 to FF, in UTF-8
  for (int b = 0x80; b <= 0xFF; ++b) upper.push_back(Cp1252ToUtf8(std::string(1, static_cast<char>(b))));
  // what a text reads back as where it is not itself
  std::map<std::string, std::string> alike;
  for (const std::string& c : upper)
    if (c.size() == 2) alike[Cp1252ToUtf8(c)] = c;
  ASSERT_EQ(alike.size(), 111u);
  // as engineers type them, with blanks and digits around
  std::vector<std::string> idents = {"Pipe \xC3\x98\xC2\xBD\"",
                                     "\xC3\x98\xC2\xB1"
                                     "2 mm",
                                     "\xC3\x97\xC2\xBC"};
  idents.insert(idents.end(), upper.begin(), upper.end());
  for (const std::string& a : upper)
    for (const std::string& b : upper) idents.push_back(a + b);
  NewDatabase(z, "Comment");
  int misread = 0;
  for (const std::string& ident : idents) {
    z.dbtab[1].ident = z.dbtab[1].rowtext = ident;
    const std::string said = Refusal(z, Written(z));
    const auto other = alike.find(ident);
    const std::string expected = other == alike.end() ? ident : other->second;
    if (said.empty() && z.dbtab[1].ident == expected) continue;
    if (++misread <= 10)
      ADD_FAILURE() << "\"" << ident << "\" read as \"" << z.dbtab[1].ident << "\" " << said;
  }
  EXPECT_EQ(misread, 0);
}

// In a UTF-8 file, a line that is no UTF-8 or holds a character the
// program's files cannot keep is refused by its number. Without a mark a
// file is UTF-8 only when every line is and holds only characters a table
// can hold; otherwise it is Windows-1252, and each line reads as its bytes
// say there (`plain`: row 2's text, or the refusal of its line).
TEST_F(Spreadsheet, Utf8LinesThatCannotBeHeldAreNamed) {
  struct Case {
    const char* name;
    std::string line3;
    std::string says;
    std::string plain;
  };
  const std::vector<Case> cases = {
      {"Windows-1252 byte", "% K\xFChler", "line 3: the line is not UTF-8 text", "% K\xC3\xBChler"},
      {"sequence cut short", "% \xE2\x82", "line 3: the line is not UTF-8 text", "% \xC3\xA2\xE2\x80\x9A"},
      {"overlong", "% \xC0\xAF", "line 3: the line is not UTF-8 text", "% \xC3\x80\xC2\xAF"},
      {"overlong of three bytes", "% \xE0\x80\xAF", "line 3: the line is not UTF-8 text",
       Cp1252ToUtf8("% \xE0\x80\xAF")},
      {"overlong of four bytes", "% \xF0\x80\x80\xAF", "line 3: the line is not UTF-8 text",
       Cp1252ToUtf8("% \xF0\x80\x80\xAF")},
      {"stray continuation byte", "% \x80", "line 3: the line is not UTF-8 text", "% \xE2\x82\xAC"},
      {"surrogate", "% \xED\xA0\x80", "line 3: the line is not UTF-8 text", Cp1252ToUtf8("% \xED\xA0\x80")},
      {"beyond U+10FFFF", "% \xF4\x90\x80\x80", "line 3: the line is not UTF-8 text",
       Cp1252ToUtf8("% \xF4\x90\x80\x80")},
      {"Greek", LineWith(2, "\xCE\xA9 1"), "line 3: The database can't hold \"\xCE\xA9\" (U+03A9)",
       "\xC3\x8E\xC2\xA9 1"},
      {"emoji", "% \xF0\x9F\x98\x80 and \xCE\xA9",
       "line 3: The database can't hold \"\xF0\x9F\x98\x80\" (U+1F600):",
       Cp1252ToUtf8("% \xF0\x9F\x98\x80 and \xCE\xA9")},
      {"a second mark", "\xEF\xBB\xBF% c", "line 3: The database can't hold",
       "line 3: a data line needs 35 fields, this one has 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = "% a;\r\n% b;\r\n" + c.line3 + "\r\nEnd;\r\n";
    std::string said = Refusal(z, "\xEF\xBB\xBF" + file);
    EXPECT_EQ(said.substr(0, c.says.size()), c.says) << said;
    said = Refusal(z, file);
    EXPECT_EQ(said.empty() ? z.dbtab[2].rowtext : said, c.plain);
  }
  // The mark alone is an empty file.
  EXPECT_EQ(Refusal(z, "\xEF\xBB\xBF"), "the file is empty");
}

// However large the field or the line, the message names the line and the
// reason in a few words.
TEST_F(Spreadsheet, MessagesStaySmallWhateverTheLine) {
  const std::string big(200'000, 'a');
  std::string omegas;
  for (int i = 0; i < 50'000; ++i) omegas += "\xCE\xA9";
  const std::vector<std::string> files = {
      FileOf("Tank;\"" + big + "\r\n\";A1"),  // a cell broken over two lines
      FileOf(LineWith(4, big)),
      FileOf(LineWith(16, "L " + big)),
      FileOf(LineWith(2, "\"" + big + ";" + big + "\"")),
      "\xEF\xBB\xBF" + FileOf(LineWith(2, omegas)),
      "\xEF\xBB\xBF" + FileOf(LineWith(2, big + "\xFF")),
      FileOf(LineWith(2, big + big)),
  };
  z.commadec = -1;
  for (const std::string& f : files) {
    try {
      ReadText(z, f);
      ADD_FAILURE() << "read";
    } catch (const DbFileError& e) {
      EXPECT_EQ(e.detail().find("line 2: "), 0u) << e.detail();
      EXPECT_LT(e.message().size(), 160u) << e.message();
    }
  }
}

}  // namespace
}  // namespace zod
