// The project file (*.vtr): one design case as 59 lines of text, one value a
// line, the format version on line 1. Written files open in the older
// Windows program and its files open here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "engine/checked.h"
#include "engine/state.h"
#include "gui/core/safesave.h"

namespace zod {

constexpr std::int16_t kProjectVersion = 185;

// The largest project file the reader takes: a real one is a few KB, and
// even two texts of the longest a text box holds make less than 70 KB.
inline constexpr std::size_t kProjectFileLimit = 1u << 20;

// Writes the case in the 59-line layout of version 185 with CR LF line ends,
// numbers with a point whatever the locale, the two texts in Windows-1252.
void WriteProject(std::ostream& out, const DesignCase& c);

// Reads a project file over `base`: fields that the file's layout does not
// hold keep base's values. Throws zod::Error naming the line when the file is
// damaged (too short, a value that is not a number or out of range), and
// refuses a file larger than kProjectFileLimit, reading no further. Returns
// the case; `filever` receives the version of line 1.
DesignCase ReadProject(std::istream& in, const DesignCase& base, const State& tables, std::int16_t& filever);

// After reading: the stiffener's table row found again by its dimensions
// (last match wins; kept when none matches) and the built-up memory of the
// current kinds filled from the current dimensions.
void AdoptProfiles(DesignCase& c, const State& tables);

// File wrappers. A save writes a temporary file beside the target and renames
// it over the target, so a failed save leaves the previous file whole. A read
// applies the case only when the whole file was read; it refuses a file that
// is no regular file (pipe, device, folder) before reading from it. Both set
// filename to `name` on success and throw zod::Error otherwise, leaving the
// state as it was. A save that happened may still carry a warning (its folder
// not flushed).
SaveOutcome WriteProjectFile(State& z, const std::string& name);
void ReadProjectFile(State& z, const std::string& name);

}  // namespace zod
