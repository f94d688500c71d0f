#include "database/core/database.h"

#include <istream>
#include <ostream>

namespace zod {

DbFileError::DbFileError(int line, std::string detail)
    : Error("Error in Database File"), m_line(line), m_detail(std::move(detail)) {}

bool HasDbTable(const State& z) { return z.dbrows.has_value() && !z.dbtab.empty(); }
bool IsCommentRow(const DbRow& r) { return r.iscomment != 0; }
bool IsClosingRow(const DbRow& r) { return IsCommentRow(r) && (r.rowtext == "End" || r.rowtext == "END"); }
std::vector<std::string> DbListTexts(const State&) { return {}; }
std::optional<std::int16_t> FirstDataRow(const State&) { return {}; }
std::string CommentBoxText(const std::string& rowtext) { return rowtext; }
void NewDbTable(State& z) { z.dbtab.assign(kDbLastRow + 1, DbRow{}); }
void NewDatabase(State&, const std::string&) { throw DbRefused(" not yet "); }
void StoreDbRow(State&, std::int16_t) { throw DbRefused(" not yet "); }
void AddToDatabase(State&) { throw DbRefused(" not yet "); }
void LoadDbRow(State&, std::int16_t) { throw Error("not yet"); }
std::optional<std::int16_t> FindBulbRow(const State&, float, float) { return {}; }
std::string DbTextProblem(std::string_view, std::string_view, bool) { return {}; }
void InsertDbComment(State&, std::int16_t, const std::string&) { throw DbRefused(" not yet "); }
void SwapDbRows(State&, std::int16_t, std::int16_t) {}
void RemoveDbRow(State&, std::int16_t) {}
void ReadDbFile(State&, std::istream&) { throw DbFileError(0, "not yet"); }
void ReadDbFile(State&, const std::string& name) { throw DbFileMissing("can't find file - " + name); }
void WriteDbFile(const State&, std::ostream&) { throw DbRefused(" not yet "); }
void WriteDbFile(const State&, const std::string&) { throw DbRefused(" not yet "); }

class DbBatch::Collector {};
DbBatch::DbBatch(State& z) : m_z(z), m_outer(z.view()) {}
DbBatch::~DbBatch() = default;
bool DbBatch::Calc(std::int16_t row) {
  LoadDbRow(m_z, row);
  return m_z.calcok;
}
std::string StoppedRowsMessage(const std::vector<DbStoppedRow>&) { return {}; }
std::vector<DbStoppedRow> WriteDbResult(State&, std::ostream&) { return {}; }
std::vector<DbStoppedRow> WriteDbResult(State&, const std::string&) { return {}; }

}  // namespace zod
