// Calculating the rows of the case table one after another, and the result
// file: the inputs of every row and the value lines of its four result panels,
// one ";"-separated line per row, for a spreadsheet.
#include <ostream>
#include <sstream>

#include "database/core/database.h"
#include "database/core/dbdetail.h"
#include "engine/cp1252.h"
#include "engine/format.h"
#include "gui/core/safesave.h"

namespace zod {

// Passes every window effect of the calculation through, except two: the
// messages wait until the row's calculation is over, so that the one that
// reports a stop can be kept back for the batch's closing message; and only
// the last data row is drawn on the result pictures, since each drawing
// replaces the one before and only the last stays to be seen.
class DbBatch::Collector : public ForwardingView {
 public:
  using ForwardingView::ForwardingView;
  PanelSurface* Surface(std::string_view c) override { return draw ? outer().Surface(c) : nullptr; }
  void Message(const std::string& text) override { held.push_back(text); }

  std::vector<std::string> held;
  bool draw = false;
};

DbBatch::DbBatch(State& z) : m_z(z), m_outer(z.view()), m_collector(std::make_unique<Collector>(z.view())) {
  if (HasDbTable(z))
    for (int r = *z.dbrows - 1; r >= 0 && m_lastDataRow < 0; --r)
      if (!IsCommentRow(z.dbtab[static_cast<std::size_t>(r)])) m_lastDataRow = r;
  m_z.setView(m_collector.get());
}

DbBatch::~DbBatch() { m_z.setView(&m_outer); }

bool DbBatch::Calc(std::int16_t row) {
  m_collector->held.clear();
  m_collector->draw = row == m_lastDataRow;
  LoadDbRow(m_z, row);
  std::vector<std::string>& held = m_collector->held;
  std::string reason;
  if (!m_z.calcok && !held.empty()) {
    // the stop is the run's last message; only its first line goes in the list
    const std::string_view last = held.back();
    reason = dbdetail::TrimBlanks(last.substr(0, last.find_first_of("\r\n")));
    held.pop_back();
  }
  for (const std::string& m : held) m_outer.Message(m);
  held.clear();
  if (m_z.calcok) return true;
  m_stopped.push_back({row, m_z.ident, reason});
  return false;
}

std::string StoppedRowsMessage(const std::vector<DbStoppedRow>& stopped) {
  if (stopped.empty()) return {};
  constexpr std::size_t kNamed = 20;
  std::string s = stopped.size() == 1
                      ? " The calculation of 1 row stopped"
                      : " The calculation of " + std::to_string(stopped.size()) + " rows stopped";
  s += "; their results say \"" + std::string(kDbStoppedText) + "\": ";
  for (std::size_t i = 0; i < stopped.size() && i < kNamed; ++i) {
    const DbStoppedRow& r = stopped[i];
    s += "\nrow " + std::to_string(r.row) + " \"" + r.ident + "\"";
    if (!r.reason.empty()) s += ": " + r.reason;
  }
  if (stopped.size() > kNamed) s += "\nand " + std::to_string(stopped.size() - kNamed) + " more rows";
  return s + " ";
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
  d.Field(z.proj);
  d.Field(z.ident);
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
    d.Pattern(z.s, "0"), d.Pattern(z.lt, "0"), d.Field(row.dbstiffprof), d.Pattern(z.fys, "0");
  } else {
    d.NA(4);
  }
  if (ring) {
    d.Pattern(z.cyll, "0"), d.Pattern(z.gilt, "0"), d.Field(row.dbgirdprof), d.Pattern(z.fyg, "0");
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

std::vector<DbStoppedRow> WriteDbResult(State& z, std::ostream& out) {
  std::string s;
  WriteHeader(z, s);
  std::vector<DbStoppedRow> stopped;
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
    stopped = batch.stopped();
  }
  out << s;
  return stopped;
}

DbResultSave WriteDbResult(State& z, const std::string& name) {
  std::ostringstream text;
  DbResultSave done;
  done.stopped = WriteDbResult(z, text);
  done.saved = SaveFileSafely(name, [&text](std::ostream& out) { out << text.view(); });
  return done;
}

}  // namespace zod
