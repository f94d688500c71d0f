// Texts of the report counted in characters, not bytes: the project name and
// the identification are split after a number of characters, and the file
// name is printed in lower case, whatever letters they hold.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zod {

// Number of characters of a UTF-8 text (a stray byte counts as one).
std::size_t CharCount(std::string_view text);
// Characters `first` (from 1) to first + count - 1, as far as the text has them.
std::string MidChars(std::string_view text, std::size_t first, std::size_t count);
// Lower case of the letters of Windows-1252 (ASCII, Latin-1, Š, Œ, Ž, Ÿ);
// every other character stays as it is.
std::string LowerCase(std::string_view text);

}  // namespace zod
