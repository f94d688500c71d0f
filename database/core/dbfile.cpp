// The database input file: one line per table row, fields separated by ";",
// Windows-1252, CR LF line ends. Files go both ways between this program and
// the older Windows one, so the layout, the number texts and the profile
// designations are exactly those that program writes and reads.
//
// Engineers keep these files in spreadsheet programs, which save a cell that
// holds a double quote (or a ";") as a quoted field, and may save the file as
// UTF-8, with or without a byte-order mark. The reader takes both; the writer
// goes on writing what the older program reads.
#include <algorithm>
#include <array>
#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <span>
#include <sstream>

#include "database/core/database.h"
#include "database/core/dbdetail.h"
#include "engine/cp1252.h"
#include "engine/format.h"
#include "gui/core/boundedread.h"
#include "gui/core/readnum.h"
#include "gui/core/safesave.h"

namespace zod {
namespace {

// The lines of a file: LF, CR LF or a lone CR ends a line, as the Windows
// program's line input took them; a file that ends with a line end has no
// empty line after it. Gives up (returning more than `most` lines) as soon
// as there are more than `most`.
std::vector<std::string_view> SplitLines(std::string_view data, std::size_t most) {
  std::vector<std::string_view> lines;
  std::size_t i = 0;
  while (i < data.size() && lines.size() <= most) {
    std::size_t end = data.find_first_of("\r\n", i);
    if (end == std::string_view::npos) end = data.size();
    lines.push_back(data.substr(i, end - i));
    if (end == data.size()) break;
    i = end + 1;
    if (data[end] == '\r' && i < data.size() && data[i] == '\n') ++i;
  }
  return lines;
}

// The first fields of `s` split at `sep`, as many as `fields` holds; what
// follows them is never looked at, so a line of a million separators costs
// no more than one of a few. Returns how many fields there are, at most
// fields.size().
std::size_t SplitFirst(std::string_view s, char sep, std::span<std::string_view> fields) {
  std::size_t n = 0;
  std::size_t i = 0;
  while (n < fields.size()) {
    const std::size_t end = s.find(sep, i);
    if (end == std::string_view::npos) {
      fields[n++] = s.substr(i);
      break;
    }
    fields[n++] = s.substr(i, end - i);
    i = end + 1;
  }
  return n;
}

// A field's text as a message quotes it: a damaged line may hold a whole
// row's worth of text in one field.
std::string Shown(std::string_view text) {
  constexpr std::size_t kMax = 40;
  if (text.size() <= kMax) return "\"" + Cp1252ToUtf8(text) + "\"";
  return "\"" + Cp1252ToUtf8(text.substr(0, kMax)) + "...\"";
}

// One field of a line, from `from` to the ";" at `end` (or the line's end).
struct Cell {
  std::string_view text;
  std::size_t end;
  bool quoted = false;    // a quoted field: `text` is what its quotes stand for
  bool unclosed = false;  // it opens a quote that its line never closes
};

// The field that starts at `from`. A field that opens with a double quote
// and whose closing quote (one not doubled) is followed by ";" or the line's
// end is a quoted field, as a spreadsheet writes a cell holding a quote or a
// ";": it stands for the text between its quotes with each doubled quote made
// one (held in `unquoted`). Any other field is the text up to the next ";",
// kept as it stands, as the older program reads it; so is a field whose quote
// the line never closes, since that program writes texts quotes and all.
Cell ReadCell(std::string_view line, std::size_t from, std::string& unquoted) {
  bool unclosed = false;
  if (from < line.size() && line[from] == '"') {
    unquoted.clear();
    for (std::size_t i = from + 1;; i += 2) {
      const std::size_t q = line.find('"', i);
      if (q == std::string_view::npos) {
        unclosed = true;
        break;
      }
      unquoted += line.substr(i, q - i);
      i = q;
      if (q + 1 < line.size() && line[q + 1] == '"') {
        unquoted += '"';
        continue;
      }
      if (q + 1 == line.size() || line[q + 1] == ';') return Cell{unquoted, q + 1, true};
      break;  // a quote inside the field: not a quoted field
    }
  }
  const std::size_t end = std::min(line.find(';', from), line.size());
  return Cell{line.substr(from, end - from), end, false, unclosed};
}

// A text of the table on a line of the file, in Windows-1252.
void AppendText(std::string& line, std::string_view text, bool first) {
  line += dbdetail::FieldText(Utf8ToCp1252(text), first);
}

// Whether the bytes are UTF-8 as the standard has it: every sequence whole,
// none overlong, no surrogate, nothing beyond U+10FFFF.
bool IsUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    std::size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
      len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3;
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    } else {
      return false;
    }
    if (s.size() - i < len) return false;
    for (std::size_t k = 1; k < len; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if (c < (k == 1 ? lo : 0x80) || c > (k == 1 ? hi : 0xBF)) return false;
    }
    i += len;
  }
  return true;
}

class LineParser {
 public:
  LineParser(int line, std::int16_t commadec) : m_line(line), m_commadec(commadec) {}

  [[noreturn]] void Fail(const std::string& what) const { throw DbFileError(m_line, what); }

  float Number(std::string_view text, const char* what) const {
    std::string t(text);
    try {
      return ReadNum(t, m_commadec);
    } catch (const NumberOutOfRange&) {
      Fail(std::string(what) + " " + Shown(text) + " is beyond the range of a number in the database");
    } catch (const Error&) {
      Fail(std::string(what) + " " + Shown(text) + " is not a number");
    }
  }

  // A line of a file saved as UTF-8, in the Windows-1252 the rest of the
  // reader takes: the program's files hold no other characters.
  std::string FromUtf8(std::string_view line) const {
    if (!IsUtf8(line))
      Fail("the line is not UTF-8 text, which the byte-order mark at the start of the file says the file is");
    const std::u32string missing = Cp1252Missing(line);
    if (!missing.empty())
      Fail(std::string(
          dbdetail::TrimBlanks(Cp1252RefusalMessage("database", std::u32string_view(missing).substr(0, 1)))));
    return Utf8ToCp1252(line);
  }

  // A line of too few fields, with the field that opens a quote the line
  // does not close (`unclosed`, counting from 1; 0 for none): a spreadsheet
  // cell broken over two lines ends its first line so.
  [[noreturn]] void TooFewFields(std::size_t n, std::size_t unclosed) const;

  // A text the table takes: one that a file can hold again.
  std::string Text(std::string_view text, const char* what, bool first) const {
    const std::string problem = DbTextProblem(text, what, first);
    if (!problem.empty()) Fail(std::string(dbdetail::TrimBlanks(problem)));
    return Cp1252ToUtf8(text);
  }

  // Rounded to the nearest whole number, a half to the even neighbour.
  std::int16_t Whole(std::string_view text, const char* what) const {
    const float v = Number(text, what);
    try {
      return chk::i16(v);
    } catch (const Error&) {
      Fail(std::string(what) + " " + Shown(text) + " is out of range");
    }
  }

  // A code or switch that the rest of the program indexes with.
  std::int16_t Code(std::string_view text, const char* what, int most) const {
    const std::int16_t v = Whole(text, what);
    if (v < 0 || v > most) Fail(std::string(what) + " " + std::to_string(v) + " is out of range");
    return v;
  }

  template <class P>
  void Profile(const State& z, std::string_view text, P p, const char* what) const;

 private:
  int m_line;
  std::int16_t m_commadec;
};

struct Word {
  std::string_view word;
  std::int16_t kind;
  // which of H, B, a, tw, tf the dimensions fill, in their order
  std::string_view dims;
};
constexpr Word kWords[] = {{"L", 1, "hbwf"}, {"T", 3, "hbwf"},  {"FB", 5, "hw"},    {"Fb", 5, "hw"},
                           {"BF", 6, "hw"},  {"RHS", 7, "hbw"}, {"TPZ", 8, "hbaw"}, {"I", 9, "hbwf"}};

template <class P>
void LineParser::Profile(const State& z, std::string_view text, P p, const char* what) const {
  // the word and the dimensions; parts after the second are ignored
  std::array<std::string_view, 2> parts;
  if (SplitFirst(text, ' ', parts) < 2)
    Fail(std::string(what) + " " + Shown(text) + " has no blank after its word");
  for (const Word& w : kWords) {
    if (w.word != parts[0]) continue;
    std::array<std::string_view, 5> dims;
    if (SplitFirst(parts[1], 'x', std::span(dims).first(w.dims.size())) < w.dims.size())
      Fail(std::string(what) + " " + Shown(text) + " has fewer dimensions than \"" + std::string(w.word) +
           "\" needs");
    p.type = w.kind;
    for (std::size_t k = 0; k < w.dims.size(); ++k) {
      const float v = Number(dims[k], what);
      switch (w.dims[k]) {
        case 'h':
          p.h = v;
          break;
        case 'b':
          p.b = v;
          break;
        case 'a':
          p.a = v;
          break;
        case 'w':
          p.tw = v;
          break;
        default:
          p.tf = v;
          break;
      }
    }
    if (w.kind == 6) p.hp = FindBulbRow(z, p.h, p.tw).value_or(0);
    return;
  }
  // an unknown word leaves kind 0 and no dimensions: loading gives the L table
}

// One field of a data line: a text (a designation also fills its member's
// kind and dimensions), a number, or a code from 0 to `most`.
struct Field {
  const char* name;
  std::string DbRow::*text = nullptr;
  float DbRow::*number = nullptr;
  std::int16_t DbRow::*code = nullptr;
  int most = 1;
  dbdetail::RowProfile<DbRow> (*profile)(DbRow&) = nullptr;
};

// The 35 fields in their order on the line.
const Field kFields[] = {
    {"project name", &DbRow::proj},
    {"identification", &DbRow::ident},
    {"design method", nullptr, nullptr, &DbRow::dmethod},
    {"usage factor", nullptr, &DbRow::ufb},
    {"cylinder type", nullptr, nullptr, &DbRow::cylinder, 3},
    {"outside stiffening", nullptr, nullptr, &DbRow::outside},
    {"ring-frame check", nullptr, nullptr, &DbRow::ringch},
    {"heavy ring-frame check", nullptr, nullptr, &DbRow::hringch},
    {"E", nullptr, &DbRow::e},
    {"plate yield strength", nullptr, &DbRow::fyp},
    {"r", nullptr, &DbRow::cylr},
    {"l", nullptr, &DbRow::l},
    {"t", nullptr, &DbRow::t},
    {"s", nullptr, &DbRow::s},
    {"lt", nullptr, &DbRow::lt},
    {"stiffener profile", &DbRow::dbstiffprof, nullptr, nullptr, 1, dbdetail::StiffOf<DbRow>},
    {"stiffener yield strength", nullptr, &DbRow::fys},
    {"cyll", nullptr, &DbRow::cyll},
    {"gilt", nullptr, &DbRow::gilt},
    {"ring-frame profile", &DbRow::dbgirdprof, nullptr, nullptr, 1, dbdetail::GirdOf<DbRow>},
    {"ring-frame yield strength", nullptr, &DbRow::fyg},
    {"fabrication", nullptr, nullptr, &DbRow::ringfab},
    {"special calculation of Ih", nullptr, nullptr, &DbRow::checkih},
    {"Sigx", nullptr, &DbRow::sigx},
    {"Sigy", nullptr, &DbRow::sigy},
    {"Tau", nullptr, &DbRow::tau},
    {"pd", nullptr, &DbRow::pd},
    {"k1", nullptr, &DbRow::k1},
    {"k2", nullptr, &DbRow::k2},
    {"N", nullptr, &DbRow::nn},
    {"M1a", nullptr, &DbRow::m1a},
    {"M2a", nullptr, &DbRow::m2a},
    {"M1b", nullptr, &DbRow::m1b},
    {"M2b", nullptr, &DbRow::m2b},
    {"dimensioning moment", nullptr, nullptr, &DbRow::dmom}};
constexpr std::size_t kDataFields = std::size(kFields);
static_assert(kDataFields == 35);

void LineParser::TooFewFields(std::size_t n, std::size_t unclosed) const {
  std::string why =
      "a data line needs " + std::to_string(kDataFields) + " fields, this one has " + std::to_string(n);
  if (unclosed > 0)
    why += (unclosed == 1 ? std::string("; the first field")
                          : "; the " + std::string(kFields[unclosed - 1].name) + " (field " +
                                std::to_string(unclosed) + ")") +
           " opens a quote that is not closed on its line";
  Fail(why);
}

// Whether every field after the one that ends at `end` is empty, "" as much
// as nothing between two separators. Looks no further than the first field
// that is not.
bool EmptyAfter(std::string_view line, std::size_t end) {
  std::string unquoted;
  while (end < line.size()) {
    const Cell cell = ReadCell(line, end + 1, unquoted);
    if (!cell.text.empty()) return false;
    end = cell.end;
  }
  return true;
}

// What the first field of a line makes it: the closing mark, a comment, or
// (neither) a data line.
bool IsMark(std::string_view first) {
  return first == "End" || first == "END" || (!first.empty() && first[0] == '%');
}

// A line of the file in Windows-1252, or in UTF-8 when the file is.
DbRow ReadRow(const State& z, std::string_view line, int lineNo, bool utf8) {
  LineParser p(lineNo, z.commadec);
  if (line.size() > kDbLineLimit)
    p.Fail("the line is longer than " + SizeText(kDbLineLimit) +
           ", far longer than any row of a case database");
  if (line.find_first_not_of(" \t") == std::string_view::npos)
    p.Fail(std::string(line.empty() ? "the line is empty" : "the line holds only blanks") +
           "; each line of a case database holds a case, a comment beginning with \"%\" or the closing "
           "\"End\"");
  std::string converted;
  if (utf8) line = converted = p.FromUtf8(line);
  line = dbdetail::TrimBlanks(line);
  DbRow r;
  // the fields as they stand, or their text held here when they were quoted
  std::array<std::string, kDataFields> unquoted;
  Cell cell = ReadCell(line, 0, unquoted[0]);
  // A quoted first field loses its leading blanks as an unquoted one does.
  cell.text.remove_prefix(dbdetail::LeadingBlanks(cell.text));
  const std::string_view first = cell.text.substr(0, cell.text.find(';'));
  if (IsMark(first)) {
    // A spreadsheet quotes a comment cell and pads its row with empty
    // fields, which a tool that quotes every cell writes as ""; the older
    // program writes a project name as it stands, quotes and all. So a
    // quoted mark followed by anything else is a data line's project name,
    // with its quotes.
    if (!cell.quoted || EmptyAfter(line, cell.end)) {
      r.iscomment = -1;
      r.rowtext = Cp1252ToUtf8(first);
      return r;
    }
    cell.text = line.substr(0, cell.end);
  }
  std::array<std::string_view, kDataFields> f;
  f[0] = cell.text;
  std::size_t n = 1;
  std::size_t unclosed = cell.unclosed ? 1 : 0;  // the first field that opens a quote never closed
  std::uint64_t withSeparator = 0;               // quoted fields that hold a ";", one bit each
  for (std::size_t end = cell.end; n < kDataFields && end < line.size(); ++n) {
    cell = ReadCell(line, end + 1, unquoted[n]);
    if (cell.unclosed && unclosed == 0) unclosed = n + 1;
    if (cell.quoted && cell.text.find(';') != std::string_view::npos) withSeparator |= std::uint64_t{1} << n;
    f[n] = cell.text;
    end = cell.end;
  }
  if (n < kDataFields) p.TooFewFields(n, unclosed);
  for (std::size_t i = 0; i < kDataFields; ++i) {
    const Field& d = kFields[i];
    // A text with a ";" is refused as a text. Read as its leading number, a
    // number with one would hide that the field was meant as two, and that
    // the fields after it have moved one place.
    if (!d.text && (withSeparator >> i & 1))
      p.Fail(std::string(d.name) + " " + Shown(f[i]) +
             " is not a number: it holds a \";\" inside its quotes");
    if (d.text) r.*d.text = p.Text(f[i], d.name, i == 0);
    if (d.profile) p.Profile(z, f[i], d.profile(r), d.name);
    if (d.number) r.*d.number = p.Number(f[i], d.name);
    if (d.code) r.*d.code = p.Code(f[i], d.name, d.most);
  }
  r.rowtext = r.ident;
  return r;
}

// The byte-order mark a spreadsheet may write in front of a file it saves as UTF-8.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Whether a file is UTF-16, as editors save "Unicode" text: it begins with
// its byte-order mark, or every other byte of its start is zero, as in Latin
// text in UTF-16. Windows-1252 and UTF-8 texts hold no zero bytes.
bool IsUtf16(std::string_view data) {
  if (data.starts_with("\xFF\xFE") || data.starts_with("\xFE\xFF")) return true;
  const std::size_t pairs = std::min<std::size_t>(data.size(), 512) / 2;
  std::array<std::size_t, 2> zeros{};
  for (std::size_t i = 0; i < 2 * pairs; ++i) zeros[i % 2] += data[i] == '\0';
  return pairs > 0 && (2 * zeros[0] >= pairs) != (2 * zeros[1] >= pairs);
}

// The table of a file's text, made whole before it replaces the table.
void ReadDbText(State& z, std::string_view data) {
  const DbCharset charset = DbFileCharset(data);
  if (charset == DbCharset::Utf16)
    throw DbFileError(0, "the file is UTF-16 text; case databases are read in Windows-1252 or UTF-8");
  const bool utf8 = charset == DbCharset::Utf8;
  if (data.starts_with(kUtf8Mark)) data.remove_prefix(kUtf8Mark.size());
  const std::vector<std::string_view> lines = SplitLines(data, kDbLastRow + 1u);
  if (lines.empty()) throw DbFileError(0, "the file is empty");
  if (lines.size() > kDbLastRow + 1u)
    throw DbFileError(0, "the file has more than " + std::to_string(kDbLastRow + 1) + " lines");

  std::vector<DbRow> tab(kDbLastRow + 1u);
  for (std::size_t i = 0; i < lines.size(); ++i) tab[i] = ReadRow(z, lines[i], static_cast<int>(i + 1), utf8);
  std::size_t last = lines.size() - 1;
  if (!IsClosingRow(tab[last])) {
    // Without a closing row the next stored case would replace the last row.
    if (++last > kDbLastRow)
      throw DbFileError(0, "the file has " + std::to_string(kDbLastRow + 1) + " lines and no closing line");
    tab[last].iscomment = -1;
    tab[last].rowtext = "End";
  }
  z.dbtab = std::move(tab);
  z.dbrows = static_cast<std::int16_t>(last);
}

[[noreturn]] void Refuse(ReadRefusal why, const std::string& reason = {}) {
  switch (why) {
    case ReadRefusal::NotRegular:
      throw DbFileError(0, "it is not a regular file");
    case ReadRefusal::TooLarge:
      throw DbFileError(
          0, "the file is larger than " + SizeText(kDbFileLimit) + ", far larger than any case database");
    default:
      throw DbFileError(0, "the file could not be read" + (reason.empty() ? "" : ": " + reason));
  }
}

}  // namespace

DbCharset DbFileCharset(std::string_view bytes) {
  if (IsUtf16(bytes)) return DbCharset::Utf16;
  // any byte above 127: one OR over all bytes, which the compiler does many at a time
  unsigned char any = 0;
  for (char c : bytes) any |= static_cast<unsigned char>(c);
  const bool high = (any & 0x80) != 0;
  if (bytes.starts_with(kUtf8Mark)) return DbCharset::Utf8;
  // The program's own files are Windows-1252, and their bytes may pair up as
  // the UTF-8 of a character no table holds ("Pipe Ø½" is saved with D8 BD,
  // the UTF-8 of "ؽ"): read so, the table the user saved would not open again.
  return high && IsUtf8(bytes) && Cp1252Missing(bytes).empty() ? DbCharset::Utf8 : DbCharset::Windows1252;
}

DbFileError::DbFileError(int line, std::string detail)
    : Error("Error in Database File"), m_line(line), m_detail(std::move(detail)) {
  if (m_line > 0) m_detail = "line " + std::to_string(m_line) + ": " + m_detail;
}

std::string DbFileError::message() const {
  std::string m = std::string(what()) + "\n";
  if (!m_file.empty()) m += m_file + (m_line > 0 ? ", " : ": ");
  return m + m_detail;
}

void ReadDbFile(State& z, std::istream& in) {
  std::string data;
  if (const ReadRefusal why = ReadAtMost(in, kDbFileLimit, data); why != ReadRefusal::None) Refuse(why);
  ReadDbText(z, data);
}

void ReadDbFile(State& z, const std::string& name) {
  std::string data, reason;
  try {
    const ReadRefusal why = ReadFileAtMost(name, kDbFileLimit, data, &reason);
    if (why == ReadRefusal::Missing) throw DbFileMissing("can't find file - " + name);
    if (why == ReadRefusal::Unreadable) throw DbFileMissing("can't read file - " + name + ": " + reason);
    if (why != ReadRefusal::None) Refuse(why, reason);
    ReadDbText(z, data);
  } catch (DbFileError& e) {
    e.setFile(name);
    throw;
  }
}

void WriteDbFile(const State& z, std::ostream& out) {
  if (!HasDbTable(z)) throw DbRefused(" There is no database to save ");
  std::string s;
  for (int i = 0; i <= *z.dbrows; ++i) {
    const DbRow& r = z.dbtab[static_cast<std::size_t>(i)];
    if (IsCommentRow(r)) {
      AppendText(s, r.rowtext, true);
      s += ';';
    } else {
      for (std::size_t k = 0; k + 1 < kDataFields; ++k) {
        const Field& d = kFields[k];
        if (d.text)
          AppendText(s, r.*d.text, k == 0);
        else
          s += d.number ? NumText(r.*d.number, z.decsep) : std::to_string(r.*d.code);
        s += ';';
      }
      // the last field, as the Windows program writes a number alone
      s += ' ' + std::to_string(r.*kFields[kDataFields - 1].code) + ' ';
    }
    s += "\r\n";
  }
  out << s;
}

SaveOutcome WriteDbFile(const State& z, const std::string& name) {
  std::ostringstream text;
  WriteDbFile(z, text);  // refused before the file is touched
  return SaveFileSafely(name, [&text](std::ostream& out) { out << text.view(); });
}

}  // namespace zod
