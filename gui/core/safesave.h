// Saving a file so that a failure never destroys what was there before: the
// content goes to a temporary file in the target's folder, which then takes
// the target's place in one rename. Every file the program writes is saved
// this way (project files, the case database's input and result files).
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

namespace zod {

// Writes the file `name` through `write`. Throws zod::Error
// ("can't save file - " and the name) when any step fails; the previous
// file, if there was one, is then left as it was. A file the user may not
// write is refused before anything is written. The new file keeps the old
// one's permissions; a symbolic link is followed, so its target is replaced
// and the link stays. The content is on the disk (file, then folder synced)
// before the save counts as done.
void SaveFileSafely(const std::string& name, const std::function<void(std::ostream&)>& write);

}  // namespace zod
