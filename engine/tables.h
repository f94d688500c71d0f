// The material table and the four profile tables, read once at start-up from
// the data files in the program folder.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace zod {

class State;

struct MaterialTable {
  static constexpr int kRows = 21;
  std::array<std::string, kRows> matname;  // UTF-8; the file holds Windows-1252
  // mattab[row][col], col 1..13: yield strengths in the odd columns, thickness
  // limits (mm) in the even columns; column 0 is unused.
  std::array<std::array<float, 14>, kRows> mattab{};
  std::int16_t nmat = -1;  // index of the last row read: the user-defined material
};

// A profile table: rows 0..Rows-1, columns 1..Cols (column 0 unused), and the
// index of the last row read (-1 while empty).
template <int Rows, int Cols>
struct ProfileTable {
  static constexpr int kRows = Rows;
  static constexpr int kCols = Cols;
  std::array<std::array<float, Cols + 1>, Rows> v{};
  std::int16_t n = -1;
};

using LProfTable = ProfileTable<41, 4>;   // H, B, tw, tf
using TProfTable = ProfileTable<41, 4>;   // H, B, tw, tf
using FProfTable = ProfileTable<41, 2>;   // H, tw
using BfProfTable = ProfileTable<61, 5>;  // H, tw, c, r, Ax

// Loaders: each reads its file from the program folder (State::apppath) and
// throws zod::Error naming the file and the row when the file is missing,
// unreadable, malformed, truncated inside a row or longer than the table.
void ReadMat(State& z);
void ReadBfProf(State& z);
void ReadLProf(State& z);
void ReadTProf(State& z);
void ReadFProf(State& z);
// All five, in the start-up order.
void ReadTables(State& z);

// The same readers on a stream; `file` names the source in error messages.
// Each starts from an empty table; after an error the whole rows read before
// the faulty one stay, and the last-row index counts exactly those. A file
// that cannot serve a new case is an error too: fewer than three materials
// (a new case takes the third), no profile at all, a yield strength or a
// profile dimension that is not above 0.
void ReadMat(MaterialTable& m, std::istream& in, const std::string& file);
template <int Rows, int Cols>
void ReadProfiles(ProfileTable<Rows, Cols>& p, std::istream& in, const std::string& file);

// Yield strength lookups by material row and thickness: GetFyp with the
// plate thickness t, GetFys and GetFyg with tmat. An index of nmat or above
// (the user-defined material) leaves the value as it is.
void GetFyp(State& z, std::int16_t k);
void GetFys(State& z, std::int16_t k);
void GetFyg(State& z, std::int16_t k);

}  // namespace zod
