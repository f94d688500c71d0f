// Material and profile tables: the reader of the five data files and the
// yield-strength lookups.
//
// File format: a sequence of fields; a field ends at a comma or a line break
// (CR LF, LF or a lone CR), so the line layout does not matter to the reader.
// Leading blanks of a field are skipped. A material name may stand in double
// quotes and then hold commas. Numbers are plain decimals with a point,
// whatever the system's number format. The end of the file is only allowed
// before a row starts; blank lines there are skipped.
#include "engine/tables.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <istream>
#include <limits>
#include <string_view>
#include <type_traits>

#include "engine/checked.h"
#include "engine/cp1252.h"
#include "engine/state.h"

namespace zod {
namespace {

constexpr int kMaxNumbers = 13;  // the material row is the widest

// A field's text for an error message, cut short: a damaged file may hold a
// megabyte without a single comma.
std::string Shown(std::string_view s) {
  constexpr std::size_t kMax = 40;
  if (s.size() <= kMax) return Cp1252ToUtf8(s);
  return Cp1252ToUtf8(s.substr(0, kMax)) + "...";
}

// True for a plain decimal number: optional sign, digits with an optional
// point (at least one digit), optional exponent. Nothing else, so that "12a",
// "inf" or "0x10" are reported rather than read as something else.
bool IsPlainNumber(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  int digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    int expDigits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == s.size();
}

// Splits a data file into fields and knows where it is, for the messages.
class FieldReader {
 public:
  FieldReader(std::istream& in, const std::string& file) : m_in(in), m_file(file) {}

  // Skips blanks and line breaks up to the next row; true at the end of the file.
  bool AtEndBeforeRow() {
    for (;;) {
      int c = Peek();
      if (c == ' ' || c == '\t') {
        m_in.get();
      } else if (c == '\r' || c == '\n') {
        LineBreak();
      } else {
        return c == std::char_traits<char>::eof();
      }
    }
  }

  // The next field's text; throws when the file ends before the field starts.
  std::string Next() {
    SkipBlanks();
    if (Peek() == std::char_traits<char>::eof()) Fail("the file ends inside the row");
    std::string text;
    if (Peek() == '"') {
      m_in.get();
      for (;;) {
        int c = m_in.get();
        if (c == std::char_traits<char>::eof()) {
          CheckRead();
          Fail("the file ends inside a quoted name");
        }
        if (c == '"') break;
        if (c == '\n' || (c == '\r' && m_in.peek() != '\n')) ++m_line;
        text.push_back(static_cast<char>(c));
      }
      // Whatever stands between the closing quote and the field's end is
      // not part of the name.
      while (!AtDelimiter()) m_in.get();
    } else {
      while (!AtDelimiter()) text.push_back(static_cast<char>(m_in.get()));
      while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    }
    EndField();
    return text;
  }

  float NextNumber() {
    const int line = m_line;  // the field may end with a line break
    std::string text = Next();
    std::string_view s = text;
    if (s.empty()) Fail("field " + std::to_string(m_field) + " is empty, a number is expected", line);
    if (!IsPlainNumber(s)) {
      Fail("field " + std::to_string(m_field) + " \"" + Shown(s) + "\" is not a number", line);
    }
    if (s.front() == '+') s.remove_prefix(1);
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec == std::errc::result_out_of_range) {
      Fail("field " + std::to_string(m_field) + " \"" + Shown(text) + "\" is out of range", line);
    }
    if (ec != std::errc() || end != s.data() + s.size()) {
      Fail("field " + std::to_string(m_field) + " \"" + Shown(text) + "\" is not a number", line);
    }
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) {
      Fail("field " + std::to_string(m_field) + " \"" + Shown(text) + "\" is out of range", line);
    }
    return static_cast<float>(v);
  }

  void StartRow(int row) {
    m_row = row;
    m_field = 0;
  }
  int Line() const { return m_line; }

  [[noreturn]] void Fail(const std::string& what, int line = 0) const {
    if (line == 0) line = m_line;
    throw Error("Error in databasefile " + m_file + ", row " + std::to_string(m_row) + " (line " +
                std::to_string(line) + "): " + what);
  }

 private:
  int Peek() {
    int c = m_in.peek();
    if (c == std::char_traits<char>::eof()) CheckRead();
    return c;
  }
  void CheckRead() const {
    if (m_in.bad()) Fail("the file cannot be read");
  }
  void SkipBlanks() {
    while (Peek() == ' ' || Peek() == '\t') m_in.get();
  }
  bool AtDelimiter() {
    int c = Peek();
    return c == ',' || c == '\r' || c == '\n' || c == std::char_traits<char>::eof();
  }
  void LineBreak() {
    if (m_in.get() == '\r' && m_in.peek() == '\n') m_in.get();
    ++m_line;
  }
  // Consumes the comma or line break that ends a field.
  void EndField() {
    ++m_field;
    int c = Peek();
    if (c == ',') {
      m_in.get();
    } else if (c == '\r' || c == '\n') {
      LineBreak();
    }
  }

  std::istream& m_in;
  const std::string& m_file;
  int m_line = 1;
  int m_row = 0;
  int m_field = 0;
};

// What one table file must hold so that the program can run with it.
struct Demands {
  int capacity;        // rows at most
  bool named;          // a name before the numbers
  int numbers;         // numbers a row
  int minRows;         // rows at least: the default case's rows must be there
  const char* tooFew;  // the fault when the file ends before minRows
  // Numbers (by index from 0) that must be above 0, as a bit mask: a
  // yield strength or a profile dimension of 0 serves no calculation.
  unsigned positive;
};

// The one loader behind all five tables: rows of an optional name and
// `numbers` numbers. `store(i, name, values)` files a complete row; a row is
// stored only once all of its fields have been read and found sound, so the
// caller's last-row index always matches what was stored. Returns the number
// of rows.
template <typename Store>
int ReadRows(std::istream& in, const std::string& file, const Demands& d, Store store) {
  FieldReader r(in, file);
  std::array<float, kMaxNumbers> values{};
  int i = 0;
  for (;;) {
    r.StartRow(i + 1);
    if (r.AtEndBeforeRow()) {
      if (i < d.minRows) r.Fail(d.tooFew);
      break;
    }
    if (i >= d.capacity) {
      r.Fail("more rows than the table holds (at most " + std::to_string(d.capacity) + ")");
    }
    const int line = r.Line();
    std::string name;
    if (d.named) name = r.Next();
    for (int j = 0; j < d.numbers; ++j) values[j] = r.NextNumber();
    for (int j = 0; j < d.numbers; ++j) {
      if ((d.positive >> j & 1) && !(values[j] > 0)) {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, values[j]).ptr;
        r.Fail("field " + std::to_string(j + (d.named ? 2 : 1)) + " is " + std::string(text, end) +
                   ", it must be above 0",
               line);
      }
    }
    store(i, std::move(name), values);
    ++i;
  }
  return i;
}

std::ifstream OpenDataFile(const State& z, const std::string& file) {
  const std::string path = z.apppath.empty() ? file : z.apppath + "/" + file;
  std::ifstream f(path, std::ios::binary);
  if (!f) throw Error("Error in databasefile " + file + ": can't find file - " + path);
  return f;
}

// Yield strength of material row k at thickness t: the first band whose
// upper limit holds t (limits are inclusive, so a thickness equal to a limit
// takes the band below); above the last limit, column 13. Because the bands
// are tried in order, testing the upper limit alone is the same as testing
// both bounds of each band. An index at or above nmat is the user-defined
// material (the typed value stays); a negative one can only come from a
// damaged stored case and leaves the value as it is too.
void Lookup(const MaterialTable& m, std::int16_t k, double t, double& fy) {
  if (k < 0 || k >= m.nmat) return;
  const auto& c = m.mattab[k];
  float v = c[13];
  for (int j = 2; j <= 12; j += 2) {
    if (t <= c[j]) {
      v = c[j - 1];
      break;
    }
  }
  fy = v;
}

}  // namespace

void ReadMat(MaterialTable& m, std::istream& in, const std::string& file) {
  m = MaterialTable{};
  // A new case takes material row 3; the last row is the user-defined one.
  // The seven yield strengths stand in the odd columns.
  const Demands d{MaterialTable::kRows, true, 13, 3, "the file ends before row 3, the material of a new case",
                  0b1010101010101};
  ReadRows(in, file, d, [&m](int i, std::string&& name, const std::array<float, kMaxNumbers>& v) {
    m.matname[i] = Cp1252ToUtf8(name);
    for (int j = 0; j < 13; ++j) m.mattab[i][j + 1] = v[j];
    m.nmat = static_cast<std::int16_t>(i);
  });
}

template <int Rows, int Cols>
void ReadProfiles(ProfileTable<Rows, Cols>& p, std::istream& in, const std::string& file) {
  static_assert(Cols <= kMaxNumbers);
  p = ProfileTable<Rows, Cols>{};
  // A new case takes row 1 of every profile table.
  const Demands d{
      Rows, false, Cols, 1, "the file holds no profile; a new case takes row 1", (1u << Cols) - 1};
  ReadRows(in, file, d, [&p](int i, std::string&&, const std::array<float, kMaxNumbers>& v) {
    for (int j = 0; j < Cols; ++j) p.v[i][j + 1] = v[j];
    p.n = static_cast<std::int16_t>(i);
  });
}

template void ReadProfiles(LProfTable&, std::istream&, const std::string&);
template void ReadProfiles(FProfTable&, std::istream&, const std::string&);
template void ReadProfiles(BfProfTable&, std::istream&, const std::string&);
static_assert(std::is_same_v<LProfTable, TProfTable>, "T table shares the L table's instantiation");

namespace {

// One data file of the program folder into its table.
template <typename Table, typename Reader>
void LoadDataFile(State& z, Table& table, const std::string& file, Reader read) {
  std::ifstream f = OpenDataFile(z, file);
  read(table, f, file);
}

}  // namespace

void ReadMat(State& z) {
  LoadDataFile(z, z.mat, "ZODmat.dat",
               [](MaterialTable& t, std::istream& in, const std::string& file) { ReadMat(t, in, file); });
}

void ReadBfProf(State& z) { LoadDataFile(z, z.bfprof, "bfprof.dat", ReadProfiles<61, 5>); }
void ReadLProf(State& z) { LoadDataFile(z, z.lprof, "lprof.dat", ReadProfiles<41, 4>); }
void ReadTProf(State& z) { LoadDataFile(z, z.tprof, "tprof.dat", ReadProfiles<41, 4>); }
void ReadFProf(State& z) { LoadDataFile(z, z.fprof, "fprof.dat", ReadProfiles<41, 2>); }

void ReadTables(State& z) {
  ReadMat(z);
  ReadBfProf(z);
  ReadLProf(z);
  ReadTProf(z);
  ReadFProf(z);
}

void GetFyp(State& z, std::int16_t k) { Lookup(z.mat, k, z.t, z.fyp); }
void GetFys(State& z, std::int16_t k) { Lookup(z.mat, k, z.tmat, z.fys); }
void GetFyg(State& z, std::int16_t k) { Lookup(z.mat, k, z.tmat, z.fyg); }

}  // namespace zod
