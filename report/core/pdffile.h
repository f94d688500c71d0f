// What the program checks and mends in a PDF file that the toolkit wrote
// for it (the report, and the manuals at build time), on the file's bytes:
// that the file is whole, and that the text a reader copies or searches from
// the page says what the page shows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zod {

// A PDF written whole ends with "startxref", the offset of its
// cross-reference table and "%%EOF", and that offset points at the table: a
// write that failed anywhere before it (a full disk) shifts or cuts what
// follows. The table's offset, or nothing when the file is not whole.
std::optional<std::size_t> PdfCrossReference(std::string_view pdf);

// The toolkit writes for every font of the page a map from its glyphs to the
// characters they show (the text layer), naming each glyph by the lowest
// character its font engine draws with it. A font without a tab (Liberation
// Sans, in which "arial" and the manuals are set) gets the space glyph drawn
// for a tab, so every space of the page would read as a tab (U+0009) when
// copied or searched. Mends those entries of the maps to a space, in place:
// the file keeps its length and every offset. Returns the number of entries
// mended; a file that is not whole, or whose maps are not written plain, is
// left as it is.
int MendSpacesInTextLayer(std::string& pdf);

// A PDF the toolkit wrote, made ready to be saved: false when it is not
// whole (PdfCrossReference); otherwise its text layer is mended
// (MendSpacesInTextLayer).
bool FinishPdf(std::string& pdf);

}  // namespace zod
