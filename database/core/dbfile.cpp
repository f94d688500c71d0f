// The database input file: one line per table row, fields separated by ";",
// Windows-1252, CR LF line ends. Files go both ways between this program and
// the older Windows one, so the layout, the number texts and the profile
// designations are exactly those that program writes and reads.
#include <fstream>
#include <istream>
#include <iterator>
#include <ostream>
#include <sstream>

#include "database/core/database.h"
#include "database/core/dbdetail.h"
#include "engine/cp1252.h"
#include "engine/format.h"
#include "gui/core/safesave.h"
#include "mainwindow/core/readnum.h"

namespace zod {
namespace {

constexpr int kDataFields = 35;

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

std::vector<std::string_view> Split(std::string_view s, char sep) {
  std::vector<std::string_view> parts;
  std::size_t i = 0;
  for (;;) {
    const std::size_t end = s.find(sep, i);
    if (end == std::string_view::npos) {
      parts.push_back(s.substr(i));
      return parts;
    }
    parts.push_back(s.substr(i, end - i));
    i = end + 1;
  }
}

class LineParser {
 public:
  LineParser(int line, std::int16_t commadec) : m_line(line), m_commadec(commadec) {}

  [[noreturn]] void Fail(const std::string& what) const { throw DbFileError(m_line, what); }

  float Number(std::string_view text, const char* what) const {
    std::string t(text);
    try {
      return ReadNum(t, m_commadec);
    } catch (const Error&) {
      Fail(std::string(what) + " \"" + Cp1252ToUtf8(text) + "\" is not a number");
    }
  }

  // Rounded to the nearest whole number, a half to the even neighbour.
  std::int16_t Whole(std::string_view text, const char* what) const {
    const float v = Number(text, what);
    try {
      return chk::i16(v);
    } catch (const Error&) {
      Fail(std::string(what) + " \"" + Cp1252ToUtf8(text) + "\" is out of range");
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
  const std::vector<std::string_view> parts = Split(text, ' ');
  if (parts.size() < 2)
    Fail(std::string(what) + " \"" + Cp1252ToUtf8(text) + "\" has no blank after its word");
  for (const Word& w : kWords) {
    if (w.word != parts[0]) continue;
    const std::vector<std::string_view> dims = Split(parts[1], 'x');
    if (dims.size() < w.dims.size())
      Fail(std::string(what) + " \"" + Cp1252ToUtf8(text) + "\" has fewer dimensions than \"" +
           std::string(w.word) + "\" needs");
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

// The dimension fields of one member of a row, as the reader fills them.
struct ProfileRefs {
  std::int16_t &type, &hp;
  float &h, &b, &a, &tw, &tf;
};

DbRow ReadRow(const State& z, std::string_view line, int lineNo) {
  const std::vector<std::string_view> f = Split(dbdetail::TrimBlanks(line), ';');
  DbRow r;
  if (f[0] == "End" || f[0] == "END" || (!f[0].empty() && f[0][0] == '%')) {
    r.iscomment = -1;
    r.rowtext = Cp1252ToUtf8(f[0]);
    return r;
  }
  LineParser p(lineNo, z.commadec);
  if (f.size() < kDataFields)
    p.Fail("a data line needs " + std::to_string(kDataFields) + " fields, this one has " +
           std::to_string(f.size()));
  r.proj = Cp1252ToUtf8(f[0]);
  r.ident = Cp1252ToUtf8(f[1]);
  r.rowtext = r.ident;
  r.dmethod = p.Code(f[2], "design method", 1);
  r.ufb = p.Number(f[3], "usage factor");
  r.cylinder = p.Code(f[4], "cylinder type", 3);
  r.outside = p.Code(f[5], "outside stiffening", 1);
  r.ringch = p.Code(f[6], "ring-frame check", 1);
  r.hringch = p.Code(f[7], "heavy ring-frame check", 1);
  r.e = p.Number(f[8], "E");
  r.fyp = p.Number(f[9], "plate yield strength");
  r.cylr = p.Number(f[10], "r");
  r.l = p.Number(f[11], "l");
  r.t = p.Number(f[12], "t");
  r.s = p.Number(f[13], "s");
  r.lt = p.Number(f[14], "lt");
  r.dbstiffprof = Cp1252ToUtf8(f[15]);
  p.Profile(
      z, f[15],
      ProfileRefs{r.dbstifftype, r.dbstiffhp, r.dbstiffh, r.dbstiffb, r.dbstiffa, r.dbstifftw, r.dbstifftf},
      "stiffener profile");
  r.fys = p.Number(f[16], "stiffener yield strength");
  r.cyll = p.Number(f[17], "cyll");
  r.gilt = p.Number(f[18], "gilt");
  r.dbgirdprof = Cp1252ToUtf8(f[19]);
  p.Profile(z, f[19],
            ProfileRefs{r.dbgirdtype, r.dbgirdhp, r.dbgirdh, r.dbgirdb, r.dbgirda, r.dbgirdtw, r.dbgirdtf},
            "ring-frame profile");
  r.fyg = p.Number(f[20], "ring-frame yield strength");
  r.ringfab = p.Code(f[21], "fabrication", 1);
  r.checkih = p.Code(f[22], "special calculation of Ih", 1);
  r.sigx = p.Number(f[23], "Sigx");
  r.sigy = p.Number(f[24], "Sigy");
  r.tau = p.Number(f[25], "Tau");
  r.pd = p.Number(f[26], "pd");
  r.k1 = p.Number(f[27], "k1");
  r.k2 = p.Number(f[28], "k2");
  r.nn = p.Number(f[29], "N");
  r.m1a = p.Number(f[30], "M1a");
  r.m2a = p.Number(f[31], "M2a");
  r.m1b = p.Number(f[32], "M1b");
  r.m2b = p.Number(f[33], "M2b");
  r.dmom = p.Code(f[34], "dimensioning moment", 1);
  return r;
}

}  // namespace

DbFileError::DbFileError(int line, std::string detail)
    : Error("Error in Database File"), m_line(line), m_detail(std::move(detail)) {
  if (m_line > 0) m_detail = "line " + std::to_string(m_line) + ": " + m_detail;
}

void ReadDbFile(State& z, std::istream& in) {
  const std::string data(std::istreambuf_iterator<char>(in), {});
  if (in.bad()) throw DbFileError(0, "the file could not be read");
  const std::vector<std::string_view> lines = SplitLines(data, kDbLastRow + 1u);
  if (lines.empty()) throw DbFileError(0, "the file is empty");
  if (lines.size() > kDbLastRow + 1u)
    throw DbFileError(0, "the file has more than " + std::to_string(kDbLastRow + 1) + " lines");

  std::vector<DbRow> tab(kDbLastRow + 1u);
  for (std::size_t i = 0; i < lines.size(); ++i) tab[i] = ReadRow(z, lines[i], static_cast<int>(i + 1));
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

void ReadDbFile(State& z, const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) throw DbFileMissing("can't find file - " + name);
  ReadDbFile(z, in);
}

void WriteDbFile(const State& z, std::ostream& out) {
  if (!HasDbTable(z)) throw DbRefused(" There is no database to save ");
  const char dec = z.decsep;
  std::string s;
  const auto text = [&s](const std::string& t) { s += Utf8ToCp1252(t), s += ';'; };
  const auto num = [&s, dec](float v) { s += NumText(v, dec), s += ';'; };
  const auto whole = [&s](std::int16_t v) { s += std::to_string(v), s += ';'; };
  for (int i = 0; i <= *z.dbrows; ++i) {
    const DbRow& r = z.dbtab[static_cast<std::size_t>(i)];
    if (IsCommentRow(r)) {
      text(r.rowtext);
    } else {
      text(r.proj), text(r.ident), whole(r.dmethod), num(r.ufb), whole(r.cylinder), whole(r.outside);
      whole(r.ringch), whole(r.hringch), num(r.e), num(r.fyp), num(r.cylr), num(r.l), num(r.t), num(r.s);
      num(r.lt), text(r.dbstiffprof), num(r.fys), num(r.cyll), num(r.gilt), text(r.dbgirdprof), num(r.fyg);
      whole(r.ringfab), whole(r.checkih), num(r.sigx), num(r.sigy), num(r.tau), num(r.pd), num(r.k1);
      num(r.k2), num(r.nn), num(r.m1a), num(r.m2a), num(r.m1b), num(r.m2b);
      s += ' ' + std::to_string(r.dmom) + ' ';
    }
    s += "\r\n";
  }
  out << s;
}

void WriteDbFile(const State& z, const std::string& name) {
  std::ostringstream text;
  WriteDbFile(z, text);  // refused before the file is touched
  SaveFileSafely(name, [&text](std::ostream& out) { out << text.view(); });
}

}  // namespace zod
