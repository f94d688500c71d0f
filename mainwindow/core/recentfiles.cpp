#include "mainwindow/core/recentfiles.h"

namespace zod {
namespace {

std::string Key(int n) { return "RecentFile" + std::to_string(n); }

// Entries 1..k-1 move down by one place, then f becomes entry 1.
void ShiftAbove(RecentStore& store, int k, const std::string& f) {
  for (int n = k; n >= 2; --n) store.Set(Key(n), store.Get(Key(n - 1)));
  store.Set(Key(1), f);
}

}  // namespace

std::string RecentItems::Path(int item) const {
  const std::string& c = caption[item];
  return c.size() > 3 ? c.substr(3) : std::string();
}

void GetRecentFiles(RecentStore& store, RecentItems& items) {
  if (store.Get(Key(1)).empty()) return;
  items.separatorVisible = true;
  for (int n = 1; n <= 4; ++n) {
    const std::string path = store.Get(Key(n));
    if (path.empty()) continue;
    items.caption[n] = std::to_string(n) + ". " + path;
    items.visible[n] = true;
  }
}

void MoveRecentFile(RecentStore& store, const RecentItems& items, const std::string& f) {
  for (int k = 1; k <= 4; ++k) {
    if (items.visible[k] && items.Path(k) == f) {
      ShiftAbove(store, k, f);
      return;
    }
  }
  for (int n = 3; n >= 1; --n)
    if (!store.Get(Key(n)).empty()) store.Set(Key(n + 1), store.Get(Key(n)));
  store.Set(Key(1), f);
}

void WriteRecentFiles(RecentStore& store, const RecentItems& items, const std::string& f) {
  MoveRecentFile(store, items, f);
}

void PromoteRecentFile(RecentStore& store, const std::string& f, int k) {
  ShiftAbove(store, k >= 1 && k <= 4 ? k : 1, f);
}

std::string RecentFolder(const std::string& path) {
  if (path.size() < 4) return {};
  std::string folder = path.substr(0, path.size() - 4);
  while (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder.pop_back();
  return folder;
}

}  // namespace zod
