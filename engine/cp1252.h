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

// The characters of the UTF-8 text that Windows-1252 cannot hold, each once,
// in the order they first appear; empty when a file can hold the whole text.
// Text the user types must pass this, so that no file gets "?" in its place.
std::u32string Cp1252Missing(std::string_view text);
// The message that refuses them in a text named `what` ("project name",
// "identification", "comment"), naming each character and its code point.
std::string Cp1252RefusalMessage(std::string_view what, std::u32string_view missing);

}  // namespace zod
