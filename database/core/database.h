// The case database without its windows: the case table in the program state
// (State::dbtab, State::dbrows, State::dbfile), storing and loading rows, the
// input file shared with the older Windows program, and the result file.
//
// The table: once it exists, dbtab has rows 0..kDbLastRow and dbrows holds the
// index of the closing row ("End" or "END"); rows 0..dbrows-1 are the comment
// and data rows in the user's order, rows above dbrows hold nothing of value.
// Before "New Database File" or a read, dbtab is empty and dbrows is empty.
//
// Errors: every operation that can be refused or fail throws zod::Error (or a
// subclass below) before it changes anything, so the caller shows the message
// and the table stays as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/checked.h"
#include "engine/dbrow.h"
#include "engine/state.h"
#include "gui/core/safesave.h"

namespace zod {

// An operation the table cannot take (full table, a text the file cannot
// hold, no table yet). The message is for a message box with the exclamation
// icon, blanks at both ends as the program's other input messages.
class DbRefused : public Error {
 public:
  using Error::Error;
};

// A database input file that cannot be opened: "can't find file - " and the
// name, or, for a file that is there but may not be read, "can't read file - ",
// the name and the system's reason.
class DbFileMissing : public Error {
 public:
  using Error::Error;
};

// A database input file the reader rejects. what() is exactly
// "Error in Database File"; detail() says which line and what is wrong;
// file() names the file when it was read from one. message() is all of it,
// for the message box.
class DbFileError : public Error {
 public:
  DbFileError(int line, std::string detail);
  int line() const { return m_line; }
  const std::string& detail() const { return m_detail; }
  const std::string& file() const { return m_file; }
  void setFile(std::string file) { m_file = std::move(file); }
  std::string message() const;

 private:
  int m_line;
  std::string m_detail;
  std::string m_file;
};

// ---------------------------------------------------------------- the table

// Whether a table exists (created or read).
bool HasDbTable(const State& z);
// A comment row or the closing row.
bool IsCommentRow(const DbRow& r);
// The closing row: a comment row whose text is "End" or "END".
bool IsClosingRow(const DbRow& r);

// The lines of the database list: rowtext of rows 0..dbrows (empty without a
// table). Line index equals row index.
std::vector<std::string> DbListTexts(const State& z);

// Rows 0..dbrows as they stand, the closing row last (empty without a table):
// what a window showed of the table, to tell afterwards whether the table
// changed since, and where each row it showed has gone.
std::vector<DbRow> DbTableRows(const State& z);

// The line of `now` that holds the row at `line` of `before` (both as
// DbTableRows gave them), or -1 when it is no longer there. Rows carry no
// mark of their own, so a row is known by its content and, among equal rows,
// by its place in their order: the second of three equal rows stays the
// second, whatever was added, removed or moved around them. The closing row
// is the last line wherever the table ends.
int FollowRow(const std::vector<DbRow>& before, int line, const std::vector<DbRow>& now);

// The first data row at or below dbrows, empty when there is none.
std::optional<std::int16_t> FirstDataRow(const State& z);

// The comment box's text of a comment row: its text with every "%" removed
// and blanks at both ends trimmed.
std::string CommentBoxText(const std::string& rowtext);

// Creates the table anew: rows 0..kDbLastRow, every number 0, every text
// empty; dbrows stays empty until a row is stored.
void NewDbTable(State& z);

// "New Database File": a new table whose row 0 is the comment "% " + comment,
// row 1 the current case and row 2 the closing row; dbfile :=
// "New Database_in.csv". Refused (DbRefused, nothing changed) when the
// comment or the case's project name or identification cannot be stored.
void NewDatabase(State& z, const std::string& comment);

// Row n := the current design case (data row; table profiles are stored as
// their built-up kind with the table row's dimensions, a bulb flat with its
// table row; the designations are those of the stored profiles, as the
// member sections build them), dbrows := n + 1, row dbrows := closing row
// "End". Refused with
// DbRefused, writing nothing, when there is no table, when n is outside
// 0..kDbLastRow-1 (no room for the closing row behind it), or when the
// project name or the identification holds a ";" or a line break, or the
// project name would read back as a comment or closing line.
void StoreDbRow(State& z, std::int16_t n);

// "Add  to Database": StoreDbRow(dbrows), so the case replaces the closing
// row and a new closing row follows it. Refused as StoreDbRow.
void AddToDatabase(State& z);

// Design case := data row i, with the user-defined material for plate,
// stiffener and ring frame. Throws zod::Error, changing nothing, when i is
// not a data row of the table.
void PutDbRow(State& z, std::int16_t i);
// PutDbRow, then Calculate (which shows its own messages).
void LoadDbRow(State& z, std::int16_t i);

// The last bulb-flat table row (0..nbfprof) whose height is h and web
// thickness tw, compared exactly in single precision; empty when none.
std::optional<std::int16_t> FindBulbRow(const State& z, float h, float tw);

// Why a text cannot enter the table: an empty string when it can, otherwise
// the message. `what` names the text in the message ("project name",
// "identification", "comment"). A ";" or a line break would split the row in
// the file; a project name that starts with "%" or is "End" or "END" would
// read back as a comment or closing line.
std::string DbTextProblem(std::string_view text, std::string_view what, bool firstField);

// Row edits of the database window. Each keeps the closing row last and
// refuses (DbRefused, nothing changed) what would break that:
// InsertDbComment puts the comment row "% " + comment at row s (0..dbrows-1)
// and moves rows s..dbrows one down; refused when the table is full (closing
// row at kDbLastRow) or the comment holds a ";" or a line break.
void InsertDbComment(State& z, std::int16_t s, const std::string& comment);
// Swaps rows a and b, both in 0..dbrows-1.
void SwapDbRows(State& z, std::int16_t a, std::int16_t b);
// Removes row s (0..dbrows-1); the rows behind it move one up.
void RemoveDbRow(State& z, std::int16_t s);

// ---------------------------------------------------------- the input file

// The largest input file the reader takes: a full table of 1001 lines is
// about 150 KB, so 8 MB is far beyond any real one and is read in a blink.
inline constexpr std::size_t kDbFileLimit = 8u << 20;
// The longest line it takes: longer than two texts of the longest a text
// box holds (32767 characters each) with the rest of a data row.
inline constexpr std::size_t kDbLineLimit = 256u << 10;

// Reads a database input file (";"-separated, Windows-1252, lines ended by
// CR LF, LF or CR) into a new table, numbers by ReadNum with z.commadec.
// A file in UTF-8 (DbFileCharset) is read as UTF-8; a line that is not UTF-8
// after a byte-order mark, or holds a character Windows-1252 lacks after it,
// is refused. A UTF-16 file is refused as such, and so is an empty or blank line.
// A field that a spreadsheet quoted ("Riser 24""" for Riser 24") reads as the
// text it stands for, and a ";" inside it splits nothing; a field that then
// holds a ";" is refused, whatever the field. A field that opens a quote its
// line never closes is read as it stands, as the older program writes it.
// A quoted first field makes a comment or closing line only when every other
// field of its line is empty; otherwise it is a data line's project name, read
// as it stands, quotes included. A comment keeps its text up to the first
// ";". Texts are written as they stand, except one that would read back
// otherwise: it is written quoted, so the file reads back unchanged.
// A file larger than kDbFileLimit or with a line longer than kDbLineLimit
// is refused; a stream is read no further than the limit, and the file
// wrapper refuses a file that is no regular file (pipe, device, folder)
// before reading from it.
// Only a file read whole replaces dbtab and dbrows; a failure (DbFileError)
// leaves them exactly as they were. A file whose last line is not a closing
// line gets a closing row behind its last row, so the next "Add  to Database"
// replaces no row. A design method, cylinder type or switch outside its codes
// is refused like any other damage: no window or check could show such a
// row. Neither reads nor sets dbfile.
void ReadDbFile(State& z, std::istream& in);
void ReadDbFile(State& z, const std::string& name);  // DbFileMissing when it cannot be opened

// The character set the reader takes a file's bytes for. UTF-16: they begin
// with its byte-order mark, or every other byte of their start is zero.
// UTF-8: they begin with its byte-order mark, or hold bytes above 127 that
// all form whole UTF-8 sequences of characters Windows-1252 holds, as a real
// Windows-1252 text practically never does (a table whose Windows-1252 texts
// happen to, such as "Ã©", is written so and reads back as UTF-8, "é").
// Otherwise Windows-1252: "Ø½" saved as D8 BD, the UTF-8 of a character no
// table holds, reads back as typed.
enum class DbCharset { Windows1252, Utf8, Utf16 };
DbCharset DbFileCharset(std::string_view bytes);

// Writes rows 0..dbrows: comment rows as their text and ";", data rows as 35
// fields, numbers with z.decsep. Refused (DbRefused) when there is no table;
// the file wrapper then leaves any existing file alone. The file is saved
// through SaveFileSafely (SaveError "can't save file - " on failure; a save
// that happened may still carry a warning).
void WriteDbFile(const State& z, std::ostream& out);
SaveOutcome WriteDbFile(const State& z, const std::string& name);

// ------------------------------------------------- calculating many rows

// What a row's result fields say when its calculation stopped.
inline constexpr const char* kDbStoppedText = "calculation stopped";

// A data row whose calculation stopped.
struct DbStoppedRow {
  std::int16_t row = 0;
  std::string ident;
  std::string reason;  // what the calculation reported, one line

  bool operator==(const DbStoppedRow&) const = default;
};

// A message a row's calculation showed without stopping (a value it corrected,
// a ring frame higher than the radius), as the message box would have said it.
struct DbRowNote {
  std::int16_t row = 0;
  std::string ident;
  std::string text;

  bool operator==(const DbRowNote&) const = default;
};

// What the calculations of a batch had to say, in the order of the rows.
// A row's note is kept once per text, however often its run said it.
struct DbBatchReport {
  std::vector<DbStoppedRow> stopped;
  std::vector<DbRowNote> notes;

  bool operator==(const DbBatchReport&) const = default;
};

// Loads and calculates data rows one after another (the result file, the
// detailed result table) and leaves the user's case as it found it. While it
// lives, no window effect of the calculations reaches the window (no box
// texts, captions, pictures, focus or drawing): the main window goes on
// showing the user's case, untouched. Their messages are kept for one
// message at the batch's end (BatchMessage) instead of one box per row.
// When it goes out of scope, also by an exception, it puts back everything a
// load and a calculation change in the state (the design case, the values of
// the calculation, the member sections with their check texts and the four
// result panels) and the view.
class DbBatch {
 public:
  explicit DbBatch(State& z);
  ~DbBatch();
  DbBatch(const DbBatch&) = delete;
  DbBatch& operator=(const DbBatch&) = delete;

  // LoadDbRow(row); true when its calculation finished, false when it
  // stopped (the panels then hold texts of an earlier row: show none of them).
  // The state holds the row's case and results until the next Calc.
  bool Calc(std::int16_t row);
  const DbBatchReport& report() const { return m_report; }

 private:
  class Quiet;
  struct Saved;
  State& m_z;
  View& m_outer;
  std::unique_ptr<Quiet> m_quiet;
  std::unique_ptr<Saved> m_saved;
  DbBatchReport m_report;
};

// The one message at the end of a batch, empty when there is nothing to say:
// the rows whose calculation stopped, then each other message once with the
// rows that gave it. At most 20 rows are named per part and a few texts in
// all; the rest is counted ("and 5 more rows"), so the box fits a screen.
std::string BatchMessage(const DbBatchReport& report);

// --------------------------------------------------------- the result file

// Writes the header and one line per row 0..dbrows-1, loading and calculating
// every data row in a DbBatch (the user's case is as before afterwards). A
// data line holds the row's case as calculated, gilt as the calculation may
// have lowered it. A row whose calculation stopped writes kDbStoppedText in
// the result fields of its panels. Returns what the calculations said (for
// BatchMessage). Without a table only the header is written.
DbBatchReport WriteDbResult(State& z, std::ostream& out);
// The same, saved through SaveFileSafely (SaveError "can't save file - ").
struct DbResultSave {
  DbBatchReport report;
  SaveOutcome saved;
};
DbResultSave WriteDbResult(State& z, const std::string& name);

}  // namespace zod
