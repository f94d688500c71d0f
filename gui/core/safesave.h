// Saving a file so that a failure never destroys what was there before: the
// content goes to a temporary file in the target's folder, reaches the disk,
// and then takes the target's place in one rename. Every file the program
// writes is saved this way (project files, the case database's input and
// result files, the exported workbook, a report printed to a PDF file).
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

#include "engine/checked.h"

namespace zod {

// What a failed save tells the user: "can't save file - ", the name, ": "
// and the cause, so that a full disk and a read-only file read apart.
std::string CantSaveMessage(std::string_view name, std::string_view cause);

// A save that did not happen: the previous file, if there was one, is as it
// was. cause() says why in words for the user, without the name ("No space
// left on device", "the file is read-only"); reason() is the name, ": " and
// the cause; what() is CantSaveMessage.
class SaveError : public Error {
 public:
  SaveError(const std::string& name, std::string cause);
  const std::string& cause() const { return m_cause; }
  std::string reason() const { return m_name + ": " + m_cause; }

 private:
  std::string m_name, m_cause;
};

// A save with Existing::Keep found its name taken: nothing was written there.
class SaveNameTaken : public SaveError {
 public:
  using SaveError::SaveError;
};

// A save that happened: the file holds the new content. `warning` is empty
// when its folder reached the disk as well; otherwise it tells the user that
// the folder could not be flushed and why (the new file may then be lost if
// the system stops before it writes the folder by itself).
struct SaveOutcome {
  std::string warning;
};

// What a save does with a file already under its name.
enum class Existing {
  Replace,  // follow links and replace the file, keeping its permissions
  Keep,     // anything under the name (a file, a link, even a broken one) is left alone: SaveNameTaken
};

// Writes the file `name` through `write`. Throws SaveError when any step
// fails before the new content has taken the file's place. A file the user
// may not write (also for the administrator: a read-only file), a target
// that is not a regular file (a folder, a named pipe, a device, a socket)
// and a loop of symbolic links are refused before anything is written. The
// new file keeps the old one's permissions; a symbolic link is followed, so
// its target is replaced and the link stays.
SaveOutcome SaveFileSafely(const std::string& name, const std::function<void(std::ostream&)>& write);

// The same for content that a library writes to a file by name: `produce`
// gets the path of the temporary file (created empty, with the permissions
// the file will have) and fills it. An exception from `produce` fails the
// save and passes on unchanged.
SaveOutcome SaveFileThrough(const std::string& name,
                            const std::function<void(const std::string& temp)>& produce,
                            Existing existing = Existing::Replace);

// Makes a write past the user's file-size limit (ulimit -f) fail with EFBIG,
// "File too large", which every save reports and cleans up after like any
// other failed write. Left to the system, the signal it sends first would
// end the program and lose whatever was not saved yet. Start-up calls it.
void LetWritesFailAtTheFileSizeLimit();

// The system calls through which a save reaches the disk, behind one seam so
// that a test can record them or make one fail (a full disk, a failed flush,
// a refusal that only an ordinary user gets) without a full disk or another
// user. Each returns 0 or the system's error number.
class SaveSystem {
 public:
  virtual ~SaveSystem() = default;
  // Whether the user may write the existing file `path` (what the system
  // answers depends on who asks: root may write a read-only file).
  virtual int MayWrite(const std::string& path);
  // Writes all of `bytes`.
  virtual int Write(int fd, std::string_view bytes);
  virtual int SyncFile(int fd, const std::string& path);
  // With `replace` false an existing `to` is an error (EEXIST), never replaced.
  virtual int Rename(const std::string& from, const std::string& to, bool replace);
  virtual int SyncFolder(const std::string& folder);

  // The one saves use: the system's, unless a test put its own in place.
  static SaveSystem& Current();
};

// Puts `system` in place of the one saves use while it lives.
class ScopedSaveSystem {
 public:
  explicit ScopedSaveSystem(SaveSystem& system);
  ~ScopedSaveSystem();
  ScopedSaveSystem(const ScopedSaveSystem&) = delete;
  ScopedSaveSystem& operator=(const ScopedSaveSystem&) = delete;

 private:
  SaveSystem* m_previous;
};

}  // namespace zod
