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

// What a text typed into a line of the files may not bring: the characters
// Windows-1252 cannot hold, and the line breaks CR and LF, at which the
// project file (one value a line) and the database file (one row a line)
// both end a line. Of `after`, those it holds more often than `before`, each
// once, in the order they first appear: what an edit from `before` to
// `after` brought in. A text read from a file keeps what it holds; only what
// the user adds is refused.
std::u32string FileTextBrought(std::string_view before, std::string_view after);
// The message that refuses them in a text named `what`: a line break as
// such, every other character by name and code point.
std::string FileTextRefusalMessage(std::string_view what, std::u32string_view refused);

}  // namespace zod
