// The program's text files are 8-bit Windows-1252; inside, text is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zod {

// Every byte maps to one character (bytes that Windows-1252 leaves undefined
// map to the control character of the same number), so decoding and encoding
// again gives the bytes back.
std::string Cp1252ToUtf8(std::string_view bytes);
// Characters that Windows-1252 cannot hold become "?"; invalid UTF-8 bytes are
// taken as Windows-1252 bytes.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace zod
