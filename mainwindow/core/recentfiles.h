// The list of the four most recently used project files, kept in the user's
// settings under "RecentFile1" (most recent) to "RecentFile4".
#pragma once

#include <array>
#include <string>

namespace zod {

// The settings section "Recent Files"; a missing key reads as empty text.
class RecentStore {
 public:
  virtual ~RecentStore() = default;
  virtual std::string Get(const std::string& key) = 0;
  virtual void Set(const std::string& key, const std::string& value) = 0;
};

// The menu items: separator (item 0) and the four file items. Items are shown
// once filled and never hidden again.
struct RecentItems {
  bool separatorVisible = false;
  std::array<std::string, 5> caption;  // "1. path"; index 0 unused
  std::array<bool, 5> visible{};
  // The path an item stands for: its caption less "n. ".
  std::string Path(int item) const;
};

// Item n shows the key "RecentFile" n (n = 1..4) and nothing else of the
// section, so that the items and the keys that moving an entry shifts are
// the same; other keys in a hand-edited store are left alone.
void GetRecentFiles(RecentStore& store, RecentItems& items);
// After a file was opened: it becomes entry 1, the others move down.
void MoveRecentFile(RecentStore& store, const RecentItems& items, const std::string& f);
// After a case was saved under a new name: as MoveRecentFile.
void WriteRecentFiles(RecentStore& store, const RecentItems& items, const std::string& f);
// After item k was chosen: it becomes entry 1.
void PromoteRecentFile(RecentStore& store, const std::string& f, int k);

// The folder of a recent entry with its trailing separator: the path less its
// last four characters, shortened until it ends in a separator. Empty when the
// path holds no separator.
std::string RecentFolder(const std::string& path);

}  // namespace zod
