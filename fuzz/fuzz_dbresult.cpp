// Arbitrary bytes as a case database input file over the shipped tables, on
// a point or a comma system (the first byte, as fuzz_dbfile). Every table
// the reader accepts is calculated row by row and written as a result file,
// as "Save Result to File" does, and the file must hold what the table
// holds: the header, then one line per row before the closing row, each
// ended by CR LF; a comment row's line is exactly its text, a data row's
// line has as many fields as the header and begins with the row's project
// name and identification as a spreadsheet reads them, and a row whose
// calculation stopped says so.
// Every row the batch reports is a data row of the table, and its closing
// message stays short enough for a box. Afterwards the design case is the
// one it was before.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "database/core/database.h"
#include "engine/cp1252.h"
#include "fuzz/shippedtables.h"
#include "tests/database/core/dbtest.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    Check(end != std::string_view::npos);  // every line ends with CR LF
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 2);
  }
  return lines;
}

// A data line after its 36 input fields: the panels' texts. The texts read
// from a file hold no ";", so the fields are where the header's are.
std::string_view Results(std::string_view line) {
  std::size_t at = 0;
  for (int i = 0; i < 36; ++i) {
    at = line.find(';', at);
    Check(at != std::string_view::npos);
    ++at;
  }
  return line.substr(at);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zod::State* z = &zod::fuzz::ShippedTables();
  if (size == 0) return 0;
  const bool comma = data[0] & 1;
  z->commadec = comma ? -1 : 0;
  z->decsep = comma ? ',' : '.';
  std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  try {
    zod::ReadDbFile(*z, in);
  } catch (const zod::DbFileError&) {
    return 0;
  }
  const int rows = *z->dbrows;
  const zod::DesignCase before = z->designCase();

  std::ostringstream out;
  const zod::DbBatchReport report = zod::WriteDbResult(*z, out);
  const std::vector<zod::DbStoppedRow>& stopped = report.stopped;
  const std::string text = out.str();
  const std::vector<std::string_view> lines = Lines(text);
  Check(lines.size() == static_cast<std::size_t>(rows) + 1);
  const auto fields = [](std::string_view line) { return std::count(line.begin(), line.end(), ';'); };
  const auto header = fields(lines[0]);

  std::set<int> stoppedRows;
  for (const zod::DbStoppedRow& s : stopped) {
    Check(s.row >= 0 && s.row < rows && !zod::IsCommentRow(z->dbtab[s.row]));
    Check(stoppedRows.insert(s.row).second);
  }
  for (const zod::DbRowNote& n : report.notes)
    Check(n.row >= 0 && n.row < rows && !zod::IsCommentRow(z->dbtab[n.row]) && !n.text.empty());
  Check(zod::BatchMessage(report).size() < (64u << 10));
  for (int r = 0; r < rows; ++r) {
    const zod::DbRow& row = z->dbtab[r];
    const std::string_view line = lines[r + 1];
    if (zod::IsCommentRow(row)) {
      Check(line == zod::Utf8ToCp1252(row.rowtext));
      continue;
    }
    Check(fields(line) == header);
    const auto cells = zod::dbtest::SpreadsheetRows(line);
    Check(cells.size() == 1 && cells[0].size() > 1 && cells[0][0] == zod::Utf8ToCp1252(row.proj) &&
          cells[0][1] == zod::Utf8ToCp1252(row.ident));
    Check(stoppedRows.count(r) == (Results(line).find(zod::kDbStoppedText) != std::string_view::npos));
  }
  Check(z->designCase() == before);
  return 0;
}
