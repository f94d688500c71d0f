// Calculating the rows of the case table one after another, and the result
// file: the inputs of every row and the value lines of its four result panels,
// one ";"-separated line per row, for a spreadsheet.
#include <algorithm>
#include <ostream>
#include <sstream>
#include <string_view>
#include <tuple>
#include <utility>

#include "database/core/database.h"
#include "database/core/dbdetail.h"
#include "engine/cp1252.h"
#include "engine/format.h"
#include "gui/core/safesave.h"

namespace zod {

namespace {

// Everything a load and a calculation write in the state: what the user's
// case must get back after a batch. The member sections' designations and
// check texts and the panels are what the profile dialogs, the report and the
// next Save show of the case.
auto CalcFields(State& z) {
  return std::tie(z.designCase(), static_cast<CalcValues&>(z), z.stiffsec, z.girdsec, z.stiffwebtxt,
                  z.stiffflangetxt, z.girdwebtxt1, z.girdwebtxt2, z.girdflangetxt1, z.girdflangetxt2,
                  z.shellpanel, z.stiffpanel, z.ringpanel, z.colpanel);
}

template <class... T>
std::tuple<T...> Copied(const std::tuple<T&...>& fields) {
  return fields;
}

}  // namespace

// The values of CalcFields, taken when the batch begins.
struct DbBatch::Saved {
  decltype(Copied(CalcFields(std::declval<State&>()))) fields;
};

// Keeps every window effect of a row's calculation from the window; its
// messages wait for the end of the row.
class DbBatch::Quiet : public NullView {
 public:
  void Message(const std::string& text) override { held.push_back(text); }
  std::vector<std::string> held;
};

DbBatch::DbBatch(State& z)
    : m_z(z),
      m_outer(z.view()),
      m_quiet(std::make_unique<Quiet>()),
      m_saved(std::make_unique<Saved>(Saved{Copied(CalcFields(z))})) {
  m_z.setView(m_quiet.get());
}

DbBatch::~DbBatch() {
  CalcFields(m_z) = std::move(m_saved->fields);
  m_z.setView(&m_outer);
}

bool DbBatch::Calc(std::int16_t row) {
  std::vector<std::string>& held = m_quiet->held;
  held.clear();
  LoadDbRow(m_z, row);
  std::string reason;
  if (!m_z.calcok && !held.empty()) {
    // the stop is the run's last message; only its first line goes in the list
    const std::string_view last = held.back();
    reason = dbdetail::TrimBlanks(last.substr(0, last.find_first_of("\r\n")));
    held.pop_back();
  }
  const auto rowNotes = static_cast<std::ptrdiff_t>(m_report.notes.size());
  for (const std::string& m : held) {
    DbRowNote note{row, m_z.ident, m};
    if (std::find(m_report.notes.begin() + rowNotes, m_report.notes.end(), note) == m_report.notes.end())
      m_report.notes.push_back(std::move(note));
  }
  held.clear();
  if (m_z.calcok) return true;
  m_report.stopped.push_back({row, m_z.ident, reason});
  return false;
}

namespace {

constexpr std::size_t kNamedRows = 20;   // rows named in one part of the message
constexpr std::size_t kNamedTexts = 5;   // messages named with their rows
constexpr std::size_t kIdentChars = 60;  // an identification is cut after so many characters

// Where UTF-8 text may be cut: before a lead byte.
bool LeadByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// "row 4 "Tank A"": an identification of a hand-edited file may be of any
// length; the message shows its beginning.
std::string RowName(std::int16_t row, std::string_view ident) {
  std::size_t end = 0;  // where the character after kIdentChars begins
  for (std::size_t chars = 0; end < ident.size(); ++end)
    if (LeadByte(ident[end]) && chars++ == kIdentChars) break;
  std::string name(ident.substr(0, end));
  if (end < ident.size()) name += "...";
  return "row " + std::to_string(row) + " \"" + name + "\"";
}

std::string Rows(std::size_t n) { return n == 1 ? "1 row" : std::to_string(n) + " rows"; }

// One part: its first line, then a line per row up to kNamedRows, then the
// count of the rest; blanks at both ends, as the program's messages have.
template <class Line>
std::string Part(const std::string& first, std::size_t rows, Line line) {
  std::string s = " " + first;
  for (std::size_t i = 0; i < rows && i < kNamedRows; ++i) s += "\n" + line(i);
  if (rows > kNamedRows) s += "\nand " + std::to_string(rows - kNamedRows) + " more rows";
  return s + " ";
}

}  // namespace

std::string BatchMessage(const DbBatchReport& report) {
  std::vector<std::string> parts;
  const std::vector<DbStoppedRow>& stopped = report.stopped;
  if (!stopped.empty())
    parts.push_back(Part("The calculation of " + Rows(stopped.size()) + " stopped; " +
                             (stopped.size() == 1 ? "its" : "their") + " results say \"" + kDbStoppedText +
                             "\": ",
                         stopped.size(), [&stopped](std::size_t i) {
                           const DbStoppedRow& r = stopped[i];
                           return RowName(r.row, r.ident) + (r.reason.empty() ? "" : ": " + r.reason);
                         }));
  // each text once, in the order it first came, with the rows that gave it
  struct Group {
    std::string_view text;
    std::vector<const DbRowNote*> rows;
  };
  std::vector<Group> texts;
  for (const DbRowNote& n : report.notes) {
    auto it = std::find_if(texts.begin(), texts.end(), [&n](const Group& g) { return g.text == n.text; });
    if (it == texts.end()) it = texts.insert(texts.end(), {n.text, {}});
    it->rows.push_back(&n);
  }
  for (std::size_t k = 0; k < texts.size() && k < kNamedTexts; ++k) {
    const std::vector<const DbRowNote*>& rows = texts[k].rows;
    parts.push_back(Part("The calculation of " + Rows(rows.size()) + " said \"" +
                             std::string(dbdetail::TrimBlanks(texts[k].text)) + "\": ",
                         rows.size(),
                         [&rows](std::size_t i) { return RowName(rows[i]->row, rows[i]->ident); }));
  }
  if (texts.size() > kNamedTexts)
    parts.push_back(" and " + std::to_string(texts.size() - kNamedTexts) + " other messages ");
  std::string s;
  for (const std::string& p : parts) s += (s.empty() ? "" : "\n") + p;
  return s;
}

namespace {

const char* const kInputCaptions[] = {"Project",
                                      "Identification",
                                      "Design-method",
                                      "Allow/Basic Usage Factor",
                                      "Cylinder type",
                                      "Outside stiffeneing",
                                      "Ringframe control",
                                      "Heavy Ringframe control",
                                      "E - modulus",
                                      "Material-plate",
                                      "r",
                                      "l",
                                      "t",
                                      "s",
                                      "lt",
                                      "Stiff Prof",
                                      "Material-Stiff",
                                      "cyll",
                                      "gilt",
                                      "Ringfr Prof",
                                      "Material-Ringfr",
                                      "Fabrication",
                                      "Special Calc",
                                      "Sigx",
                                      "Sigy",
                                      "Tau",
                                      "pd",
                                      "L",
                                      "k1",
                                      "k2",
                                      "N",
                                      "M1a",
                                      "M2a",
                                      "M1b",
                                      "M2b",
                                      "Dim mom"};

// The panel's last-line index, kept inside its sixteen lines.
int LastLine(const ResultPanel& p) { return std::clamp<int>(p.n, 0, 15); }

class Line {
 public:
  explicit Line(char dec) : m_dec(dec) {}
  void Field(std::string_view t) { m_s += t, m_s += ';'; }
  // A text of the user's (project, identification, designation), which a
  // spreadsheet must read as it stands, in its own column.
  void Text(std::string_view t, bool first = false) { Field(dbdetail::FieldText(t, first)); }
  void Pattern(double v, std::string_view pattern) { Field(Format(v, pattern, m_dec)); }
  void Plain(double v) { Field(NumText(static_cast<float>(v), m_dec)); }
  void YesNo(bool yes) { Field(yes ? "Yes" : "No"); }
  void NA(int n) {
    for (int i = 0; i < n; ++i) Field("N/A");
  }
  // A panel's value lines 1..n under its label lines: the field under the
  // title, then the values, "N/A" where the panel does not apply and the
  // stop text where the row's calculation stopped.
  void Panel(const ResultPanel& p, bool applies, bool stopped, std::string_view title = "") {
    Field(title);
    for (int i = 1; i <= LastLine(p); ++i)
      Field(!applies  ? "N/A"
            : stopped ? kDbStoppedText
                      : std::string_view(p.val[static_cast<std::size_t>(i)]));
  }
  std::string& text() { return m_s; }

 private:
  char m_dec;
  std::string m_s;
};

void WriteHeader(const State& z, std::string& out) {
  Line h(z.decsep);
  for (const char* c : kInputCaptions) h.Field(c);
  // fixed captions where the panels' own labels carry values or are too long
  struct Fixed {
    const ResultPanel* panel;
    int line;
    const char* caption;
  };
  const Fixed fixed[] = {
      {&z.shellpanel, 0, "Shell"},     {&z.shellpanel, 2, "fEtau/fEm = "}, {&z.shellpanel, 10, "UF = "},
      {&z.stiffpanel, 0, "Stiffener"}, {&z.stiffpanel, 13, "UF = "},       {&z.ringpanel, 0, "Ringframe"},
      {&z.ringpanel, 1, "Area req"},   {&z.ringpanel, 2, "UF = "},         {&z.ringpanel, 3, "Iy req"},
      {&z.ringpanel, 11, "UF ="},      {&z.ringpanel, 12, "Ihr>= "},       {&z.colpanel, 0, "Column"}};
  for (const ResultPanel* p : {&z.shellpanel, &z.stiffpanel, &z.ringpanel, &z.colpanel}) {
    for (int i = 0; i <= LastLine(*p); ++i) {
      std::string_view label = p->txt[static_cast<std::size_t>(i)];
      for (const Fixed& f : fixed)
        if (f.panel == p && f.line == i) label = f.caption;
      h.Field(label);
    }
  }
  out += Utf8ToCp1252(h.text());
  out += ";\r\n";
}

// The row after its calculation: inputs from the design case (gilt as the
// calculation may have lowered it), designations from the row itself.
void WriteDataLine(const State& z, const DbRow& row, bool stopped, std::string& out) {
  Line d(z.decsep);
  d.Text(z.proj, true);
  d.Text(z.ident);
  d.Field(z.dmethod == 0 ? "LRFD" : "WSD");
  d.Pattern(z.ufb, "0.##");
  static const char* const kTypes[] = {"Cylinder", "Ring stiff", "Stringer stiff", "Column"};
  // a type the program does not know (only a hand-edited file has one) gets an
  // empty field, so the line keeps its columns
  d.Field(z.cylinder >= 0 && z.cylinder <= 3 ? kTypes[z.cylinder] : "");
  d.YesNo(z.outside != 0);
  d.YesNo(z.ringch != 0);
  d.YesNo(z.ringch != 0 && z.hringch != 0);
  d.Pattern(z.e, "00.0E+0");
  d.Pattern(z.fyp, "0");
  d.Pattern(z.cylr, "0");
  d.Pattern(z.l, "0");
  d.Pattern(z.t, "0.0");
  const bool stringer = z.cylinder == 2, ring = z.ringch == 1, column = z.cylinder == 3;
  if (stringer) {
    d.Pattern(z.s, "0"), d.Pattern(z.lt, "0"), d.Text(row.dbstiffprof), d.Pattern(z.fys, "0");
  } else {
    d.NA(4);
  }
  if (ring) {
    d.Pattern(z.cyll, "0"), d.Pattern(z.gilt, "0"), d.Text(row.dbgirdprof), d.Pattern(z.fyg, "0");
    d.Field(z.ringfab == 0 ? "Fab" : "Welded");
    d.YesNo(z.checkih != 0);
  } else {
    d.NA(6);
  }
  if (z.cylinder < 3) {
    d.Plain(z.sigx), d.Plain(z.sigy), d.Plain(z.tau);
  } else {
    d.NA(3);
  }
  d.Plain(z.pd);
  if (column) {
    for (double v :
         {z.cyll, z.k1, static_cast<double>(z.k2), z.nn, z.m1a, z.m2a, z.m1b, static_cast<double>(z.m2b)})
      d.Plain(v);
    d.Field(z.dmom == 0 ? "Max" : "Red");
  } else {
    d.NA(9);
  }
  d.Panel(z.shellpanel, true, stopped);
  d.Panel(z.stiffpanel, stringer, stopped);
  d.Panel(z.ringpanel, ring, stopped);
  d.Panel(z.colpanel, column, stopped, column ? "" : " ");
  out += Utf8ToCp1252(d.text());
  out += ";\r\n";
}

}  // namespace

DbBatchReport WriteDbResult(State& z, std::ostream& out) {
  std::string s;
  WriteHeader(z, s);
  DbBatchReport report;
  if (HasDbTable(z)) {
    DbBatch batch(z);
    for (std::int16_t r = 0; r < *z.dbrows; ++r) {
      const DbRow& row = z.dbtab[static_cast<std::size_t>(r)];
      if (IsCommentRow(row)) {
        s += Utf8ToCp1252(row.rowtext);
        s += "\r\n";
      } else {
        const bool ok = batch.Calc(r);
        WriteDataLine(z, row, !ok, s);
      }
    }
    report = batch.report();
  }
  out << s;
  return report;
}

DbResultSave WriteDbResult(State& z, const std::string& name) {
  std::ostringstream text;
  DbResultSave done;
  done.report = WriteDbResult(z, text);
  done.saved = SaveFileSafely(name, [&text](std::ostream& out) { out << text.view(); });
  return done;
}

}  // namespace zod
