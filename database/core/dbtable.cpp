// The case table: creating it, storing the current case into a row, loading
// a row back into the case, and the row edits of the database window.
#include <algorithm>
#include <iterator>
#include <utility>

#include "database/core/database.h"
#include "database/core/dbdetail.h"
#include "engine/calc.h"
#include "engine/section_common.h"

namespace zod {
namespace {

constexpr std::int16_t kTrue = -1;

std::int16_t RowsEnd(const State& z) { return HasDbTable(z) ? *z.dbrows : -1; }

void RequireTable(const State& z) {
  if (!HasDbTable(z))
    throw DbRefused(
        " There is no database yet: choose \"New Database File\" or \"Open Database File\" in the Database "
        "window first ");
}

// Rows 0..dbrows-1: the rows the user edits (the closing row stays last).
void RequireEditableRow(const State& z, std::int16_t s) {
  RequireTable(z);
  if (s < 0 || s >= *z.dbrows) throw Error("row " + std::to_string(s) + " is not a row of the database");
}

DbRow CommentRow(const std::string& comment) {
  DbRow r;
  r.iscomment = kTrue;
  r.rowtext = "% " + comment;
  return r;
}

void RequireText(std::string_view text, std::string_view what, bool firstField, const char* notDone) {
  std::string problem = DbTextProblem(text, what, firstField);
  if (!problem.empty()) throw DbRefused(problem + notDone);
}

constexpr const char* kCaseNotAdded = "The case was not added ";

// The table holds rows 0..kDbLastRow with the closing row last, so at most
// kDbLastRow rows besides it, whether a case or a comment row would be one
// too many.
DbRefused TableFull(const char* notDone) {
  return DbRefused(" The database is full: it holds at most " + std::to_string(kDbLastRow) +
                   " rows besides its closing row. " + notDone);
}

// "A project name", "An identification", "A comment".
std::string WithArticle(std::string_view name) {
  const bool vowel = !name.empty() && std::string_view("aeiouAEIOU").find(name[0]) != std::string_view::npos;
  return (vowel ? "An " : "A ") + std::string(name);
}

void RequireCaseTexts(const State& z) {
  RequireText(z.proj, "project name", true, kCaseNotAdded);
  RequireText(z.ident, "identification", false, kCaseNotAdded);
}

// A case value in the row's single precision. Only a damaged project file can
// give a case a value beyond that range; the row would hold infinity.
float Single(double v) {
  try {
    return chk::sgl(v);
  } catch (const Error&) {
    throw DbRefused(" The case holds a number too large for the database. " + std::string(kCaseNotAdded));
  }
}

// The chosen table rows of one member.
struct TableRows {
  std::int16_t l, t, f, hp;
};

template <int Rows, int Cols>
const std::array<float, Cols + 1>& TableRow(const ProfileTable<Rows, Cols>& tab, std::int16_t row,
                                            const char* member) {
  if (row < 0 || row > tab.n || row >= Rows)
    throw DbRefused(std::string(" The ") + member + "'s table row is not in its profile table. " +
                    kCaseNotAdded);
  return tab.v[static_cast<std::size_t>(row)];
}

// Pairs each field of the built-up memory of `kind` with the row field that
// stores it: fn(memory field, row field). Other kinds have no built-up memory.
template <class Row, class Fn>
void ForBuiltUp(std::int16_t kind, const BuiltUpRefs& m, dbdetail::RowProfile<Row> p, Fn fn) {
  switch (kind) {
    case 1:
      fn(m.lbh, p.h), fn(m.lbb, p.b), fn(m.lbtw, p.tw), fn(m.lbtf, p.tf);
      break;
    case 3:
      fn(m.tbh, p.h), fn(m.tbb, p.b), fn(m.tbtw, p.tw), fn(m.tbtf, p.tf);
      break;
    case 5:
      fn(m.fbh, p.h), fn(m.fbtw, p.tw);
      break;
    case 7:
      fn(m.rhsh, p.h), fn(m.rhsb, p.b), fn(m.rhstw, p.tw);
      break;
    case 8:
      fn(m.usph, p.h), fn(m.uspb, p.b), fn(m.uspa, p.a), fn(m.usptw, p.tw);
      break;
    case 9:
      fn(m.ibh, p.h), fn(m.ibb, p.b), fn(m.ibtw, p.tw), fn(m.ibtf, p.tf);
      break;
    default:
      break;
  }
}

// A member's profile as the case uses it; table profiles of L, T and flat bar
// become their built-up kind with the table row's dimensions, so that the row
// holds the section itself and not a row of a table that may change.
void StoreProfile(const State& z, std::int16_t kind, TableRows rows, const BuiltUpRefs& m,
                  dbdetail::RowProfile<DbRow> p, const char* member) {
  p.type = kind;
  switch (kind) {
    case 0:
    case 2: {
      const auto& row = kind == 0 ? TableRow(z.lprof, rows.l, member) : TableRow(z.tprof, rows.t, member);
      p.type = static_cast<std::int16_t>(kind + 1);
      p.h = row[1], p.b = row[2], p.tw = row[3], p.tf = row[4];
      break;
    }
    case 4: {
      const auto& row = TableRow(z.fprof, rows.f, member);
      p.type = 5;
      p.h = row[1], p.tw = row[2];
      break;
    }
    case 6: {
      const auto& row = TableRow(z.bfprof, rows.hp, member);
      p.hp = rows.hp;
      p.h = row[1], p.tw = row[2];
      break;
    }
    default:
      ForBuiltUp<DbRow>(kind, m, p, [](auto memory, float& field) { field = Single(memory); });
      break;
  }
}

// The designation of a stored profile, as the member's section builds it. The
// case's own designation is that of the member's last calculation, which is
// stale (or was never built) when the case's cylinder type does not calculate
// that member; a file would then read back another profile than the row holds.
std::string Designation(dbdetail::RowProfile<DbRow> p, char dec) {
  double h = p.h, b = p.b, tw = p.tw, a = p.a, r = 0;
  float tf = p.tf;
  SectionResults sec;
  std::string name;
  section::Designation(name, p.type, {h, b, tw, tf, a, r, sec}, dec);
  return name;
}

// The row's profile into the case's kind and the kind's built-up memory (a
// bulb flat: its table row). Any other code sets the kind only.
void LoadProfile(const DbRow& r, bool stiff, DesignCase& c) {
  const dbdetail::RowProfile<const DbRow> p = stiff ? dbdetail::StiffOf(r) : dbdetail::GirdOf(r);
  BuiltUpRefs m = BuiltUp(c, stiff ? Member::Stiffener : Member::RingFrame);
  (stiff ? c.stifftype : c.girdtype) = p.type;
  if (p.type == 6) (stiff ? c.istiffhp : c.igirdhp) = p.hp;
  ForBuiltUp<const DbRow>(p.type, m, p, [](auto& memory, float field) { memory = field; });
}

}  // namespace

bool HasDbTable(const State& z) {
  return z.dbrows && *z.dbrows >= 0 && *z.dbrows <= kDbLastRow && z.dbtab.size() == kDbLastRow + 1u;
}

bool IsCommentRow(const DbRow& r) { return r.iscomment != 0; }

bool IsClosingRow(const DbRow& r) { return IsCommentRow(r) && (r.rowtext == "End" || r.rowtext == "END"); }

std::vector<std::string> DbListTexts(const State& z) {
  std::vector<std::string> lines;
  for (int i = 0; i <= RowsEnd(z); ++i) lines.push_back(z.dbtab[static_cast<std::size_t>(i)].rowtext);
  return lines;
}

std::vector<DbRow> DbTableRows(const State& z) {
  if (!HasDbTable(z)) return {};
  return {z.dbtab.begin(), z.dbtab.begin() + *z.dbrows + 1};
}

int FollowRow(const std::vector<DbRow>& before, int line, const std::vector<DbRow>& now) {
  const int n = static_cast<int>(before.size());
  if (line < 0 || line >= n || now.empty()) return -1;
  if (line == n - 1) return static_cast<int>(now.size()) - 1;  // the closing row
  const DbRow& row = before[static_cast<std::size_t>(line)];
  const auto rank = std::count(before.begin(), before.begin() + line, row);
  auto seen = decltype(rank){0};
  for (std::size_t i = 0; i + 1 < now.size(); ++i)
    if (now[i] == row && seen++ == rank) return static_cast<int>(i);
  return -1;
}

std::optional<std::int16_t> FirstDataRow(const State& z) {
  for (int i = 0; i <= RowsEnd(z); ++i)
    if (!IsCommentRow(z.dbtab[static_cast<std::size_t>(i)])) return static_cast<std::int16_t>(i);
  return std::nullopt;
}

std::string CommentBoxText(const std::string& rowtext) {
  std::string s;
  std::copy_if(rowtext.begin(), rowtext.end(), std::back_inserter(s), [](char c) { return c != '%'; });
  return std::string(dbdetail::TrimBlanks(s));
}

std::string DbTextProblem(std::string_view text, std::string_view what, bool firstField) {
  const std::string name = WithArticle(what);
  if (text.find(';') != std::string_view::npos)
    return " " + name +
           " with \";\" can't be stored in the database: the \";\" would split its line in the file. ";
  if (text.find_first_of("\r\n") != std::string_view::npos)
    return " " + name +
           " with a line break can't be stored in the database: it would split its line in the file. ";
  if (firstField) {
    const std::string_view t = text.substr(std::min(text.find_first_not_of(' '), text.size()));
    if (!t.empty() && t[0] == '%')
      return " " + name +
             " beginning with \"%\" can't be stored in the database: the file would read it as a comment "
             "row. ";
    if (t == "End" || t == "END")
      return " " + name + " \"" + std::string(t) +
             "\" can't be stored in the database: the file would read it as its closing row. ";
  }
  return {};
}

void NewDbTable(State& z) {
  z.dbtab.assign(kDbLastRow + 1u, DbRow{});
  z.dbrows.reset();
}

void NewDatabase(State& z, const std::string& comment) {
  RequireText(comment, "comment", false, "The database was not created ");
  RequireCaseTexts(z);
  std::vector<DbRow> oldTab = std::move(z.dbtab);
  const std::optional<std::int16_t> oldRows = z.dbrows;
  NewDbTable(z);
  z.dbtab[0] = CommentRow(comment);
  z.dbrows = 0;
  try {
    StoreDbRow(z, 1);
  } catch (...) {
    z.dbtab = std::move(oldTab);
    z.dbrows = oldRows;
    throw;
  }
  z.dbfile = "New Database_in.csv";
}

void StoreDbRow(State& z, std::int16_t n) {
  RequireTable(z);
  if (n < 0 || n >= kDbLastRow) throw TableFull(kCaseNotAdded);
  RequireCaseTexts(z);

  DbRow r = z.dbtab[static_cast<std::size_t>(n)];  // dimensions a kind does not use stay
  r.iscomment = 0;
  r.proj = z.proj;
  r.ident = z.ident;
  r.rowtext = r.ident;
  r.dmethod = z.dmethod;
  r.ufb = Single(z.ufb);
  r.cylinder = z.cylinder, r.outside = z.outside, r.ringch = z.ringch, r.hringch = z.hringch;
  r.cylr = z.cylr, r.t = Single(z.t), r.l = Single(z.l), r.e = z.e, r.fyp = Single(z.fyp);
  r.s = Single(z.s), r.lt = Single(z.lt);
  r.fys = Single(z.fys), r.cyll = Single(z.cyll), r.gilt = z.gilt, r.fyg = Single(z.fyg);
  r.ringfab = z.ringfab, r.checkih = z.checkih;
  r.sigx = Single(z.sigx), r.sigy = z.sigy, r.tau = z.tau, r.pd = z.pd;
  r.nn = Single(z.nn), r.k1 = Single(z.k1), r.k2 = z.k2;
  r.m1a = Single(z.m1a), r.m2a = Single(z.m2a), r.m1b = Single(z.m1b), r.m2b = z.m2b;
  r.dmom = z.dmom;
  StoreProfile(z, z.stifftype, {z.istiffl, z.istifft, z.istifff, z.istiffhp}, BuiltUp(z, Member::Stiffener),
               dbdetail::StiffOf(r), "stiffener");
  r.dbstiffprof = Designation(dbdetail::StiffOf(r), z.decsep);
  StoreProfile(z, z.girdtype, {z.igirdl, z.igirdt, z.igirdf, z.igirdhp}, BuiltUp(z, Member::RingFrame),
               dbdetail::GirdOf(r), "ring frame");
  r.dbgirdprof = Designation(dbdetail::GirdOf(r), z.decsep);

  z.dbtab[static_cast<std::size_t>(n)] = std::move(r);
  DbRow& end = z.dbtab[static_cast<std::size_t>(n) + 1];
  end.iscomment = kTrue;
  end.rowtext = "End";
  z.dbrows = static_cast<std::int16_t>(n + 1);
}

void AddToDatabase(State& z) {
  RequireTable(z);
  StoreDbRow(z, *z.dbrows);
}

void PutDbRow(State& z, std::int16_t i) {
  if (i < 0 || i > RowsEnd(z) || IsCommentRow(z.dbtab[static_cast<std::size_t>(i)]))
    throw Error("row " + std::to_string(i) + " is not a data row of the database");
  const DbRow& r = z.dbtab[static_cast<std::size_t>(i)];
  z.proj = r.proj, z.ident = r.ident, z.dmethod = r.dmethod, z.ufb = r.ufb;
  z.cylinder = r.cylinder, z.outside = r.outside, z.ringch = r.ringch, z.hringch = r.hringch;
  z.cylr = r.cylr, z.t = r.t, z.l = r.l, z.e = r.e, z.fyp = r.fyp;
  // the user-defined material keeps the row's yield strengths in force
  z.matp = z.mats = z.matg = z.mat.nmat;
  z.s = r.s, z.lt = r.lt;
  LoadProfile(r, true, z);
  z.fys = r.fys, z.cyll = r.cyll, z.gilt = r.gilt;
  LoadProfile(r, false, z);
  z.fyg = r.fyg, z.ringfab = r.ringfab, z.checkih = r.checkih;
  z.sigx = r.sigx, z.sigy = r.sigy, z.tau = r.tau, z.pd = r.pd;
  z.nn = r.nn, z.k1 = r.k1, z.k2 = r.k2;
  z.m1a = r.m1a, z.m2a = r.m2a, z.m1b = r.m1b, z.m2b = r.m2b;
  z.dmom = r.dmom;
}

void LoadDbRow(State& z, std::int16_t i) {
  PutDbRow(z, i);
  Calculate(z);
}

std::optional<std::int16_t> FindBulbRow(const State& z, float h, float tw) {
  std::optional<std::int16_t> found;
  for (int r = 0; r <= z.bfprof.n && r < BfProfTable::kRows; ++r)
    if (z.bfprof.v[static_cast<std::size_t>(r)][1] == h && z.bfprof.v[static_cast<std::size_t>(r)][2] == tw)
      found = static_cast<std::int16_t>(r);
  return found;
}

void InsertDbComment(State& z, std::int16_t s, const std::string& comment) {
  RequireTable(z);
  if (s == *z.dbrows) throw DbRefused(" Comment cant be added at last row ");
  RequireEditableRow(z, s);
  if (*z.dbrows >= kDbLastRow) throw TableFull("The comment row was not added ");
  RequireText(comment, "comment", false, "The comment row was not added ");
  auto first = z.dbtab.begin() + s;
  std::move_backward(first, z.dbtab.begin() + *z.dbrows + 1, z.dbtab.begin() + *z.dbrows + 2);
  *first = CommentRow(comment);
  z.dbrows = static_cast<std::int16_t>(*z.dbrows + 1);
}

void SwapDbRows(State& z, std::int16_t a, std::int16_t b) {
  RequireEditableRow(z, a);
  RequireEditableRow(z, b);
  std::swap(z.dbtab[static_cast<std::size_t>(a)], z.dbtab[static_cast<std::size_t>(b)]);
}

void RemoveDbRow(State& z, std::int16_t s) {
  RequireEditableRow(z, s);
  std::move(z.dbtab.begin() + s + 1, z.dbtab.begin() + *z.dbrows + 1, z.dbtab.begin() + s);
  z.dbrows = static_cast<std::int16_t>(*z.dbrows - 1);
}

}  // namespace zod
