// Reading a file the user chose, whole, but never more of it than any real
// file of its kind could hold: a file of 100 MB, a device that never ends or
// a named pipe must not freeze the program or take its memory. The readers
// of outside data (project files, case databases) read through these and
// then parse the text in memory.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

namespace zod {

enum class ReadRefusal {
  None,        // read whole
  Missing,     // no such file, or a folder on its path is missing
  Unreadable,  // there, but may not be opened for reading (no read permission, ...)
  NotRegular,  // a named pipe, a device, a folder, a socket
  TooLarge,    // holds more than the limit
  Failed,      // a read failed part-way
};

// Reads the rest of `in` into `text`, taking at most `limit` bytes and one
// read more to see that there are more. On a refusal `text` holds no more
// than that.
ReadRefusal ReadAtMost(std::istream& in, std::size_t limit, std::string& text);

// Reads the file `name` whole into `text`. A file that is no regular file is
// refused before a byte is read, and without waiting for a pipe's writer; a
// regular file larger than `limit` is refused by its size; one that grows
// while it is read stops at the limit all the same. Links are followed.
// `reason`, when given, receives the system's words for an Unreadable or
// Failed file ("Permission denied"), for the message that names the file.
ReadRefusal ReadFileAtMost(const std::string& name, std::size_t limit, std::string& text,
                           std::string* reason = nullptr);

// A limit as the messages name it: "8 MB", "256 KB", "100 bytes".
std::string SizeText(std::size_t bytes);

}  // namespace zod
