#include "mainwindow/core/recentfiles.h"

#include <gtest/gtest.h>

#include <map>

namespace zod {
namespace {

struct MapStore : RecentStore {
  std::map<std::string, std::string> values;
  std::string Get(const std::string& key) override { return values.count(key) ? values[key] : std::string(); }
  void Set(const std::string& key, const std::string& value) override { values[key] = value; }
};

// The menu items as shown: "1. path" up to "4. path".
std::string Shown(MapStore& store) {
  RecentItems items;
  GetRecentFiles(store, items);
  std::string s = items.separatorVisible ? "|" : "";
  for (int k = 1; k <= 4; ++k)
    if (items.visible[k]) s += items.caption[k] + "|";
  return s;
}

TEST(RecentFilesTest, TheListOrdersItselfAsFilesAreOpenedSavedAndChosen) {
  MapStore store;
  RecentItems items;
  const auto open = [&](const std::string& f) {
    MoveRecentFile(store, items, f);
    GetRecentFiles(store, items);
  };
  EXPECT_EQ(Shown(store), "");  // first run: not even the separator
  open("/a.vtr");
  EXPECT_EQ(Shown(store), "|1. /a.vtr|");
  for (auto f : {"/b.vtr", "/c.vtr", "/d.vtr"}) open(f);
  EXPECT_EQ(Shown(store), "|1. /d.vtr|2. /c.vtr|3. /b.vtr|4. /a.vtr|");
  open("/e.vtr");  // a fifth distinct file drops the fourth
  EXPECT_EQ(Shown(store), "|1. /e.vtr|2. /d.vtr|3. /c.vtr|4. /b.vtr|");
  open("/c.vtr");  // the file shown as item 3 moves to the top; item 4 stays
  EXPECT_EQ(Shown(store), "|1. /c.vtr|2. /e.vtr|3. /d.vtr|4. /b.vtr|");
  WriteRecentFiles(store, items, "/d.vtr");  // saved under a listed name: no second entry
  GetRecentFiles(store, items);
  EXPECT_EQ(Shown(store), "|1. /d.vtr|2. /c.vtr|3. /e.vtr|4. /b.vtr|");
  PromoteRecentFile(store, items.Path(4), 4);  // item 4 chosen
  GetRecentFiles(store, items);
  EXPECT_EQ(Shown(store), "|1. /b.vtr|2. /d.vtr|3. /c.vtr|4. /e.vtr|");
  PromoteRecentFile(store, items.Path(1), 1);  // the open file chosen again
  EXPECT_EQ(Shown(store), "|1. /b.vtr|2. /d.vtr|3. /c.vtr|4. /e.vtr|");
}

// A hand-edited section with keys of its own: the items are the four keys
// and nothing else, so moving an entry neither doubles nor loses one, and
// the other keys stay as they were.
TEST(RecentFilesTest, OnlyTheFourKeysAreItems) {
  MapStore store;
  store.values = {{"AAA", "/stray.vtr"},      {"RecentFile1", "/a.vtr"}, {"RecentFile2", "/b.vtr"},
                  {"RecentFile10", "/x.vtr"}, {"RecentFile3", "/c.vtr"}, {"RecentFileOld", "/z.vtr"}};
  EXPECT_EQ(Shown(store), "|1. /a.vtr|2. /b.vtr|3. /c.vtr|");
  RecentItems items;
  GetRecentFiles(store, items);
  MoveRecentFile(store, items, "/c.vtr");
  EXPECT_EQ(Shown(store), "|1. /c.vtr|2. /a.vtr|3. /b.vtr|");
  EXPECT_EQ(store.values.size(), 6u);
  EXPECT_EQ(store.values["AAA"] + store.values["RecentFile10"] + store.values["RecentFileOld"],
            "/stray.vtr/x.vtr/z.vtr");
}

TEST(RecentFilesTest, FolderOfAnEntry) {
  EXPECT_EQ(RecentFolder("/home/eng/case.vtr"), "/home/eng/");
  EXPECT_EQ(RecentFolder("C:\\cases\\a.vtr"), "C:\\cases\\");
  EXPECT_EQ(RecentFolder("a.vtr"), "");
  EXPECT_EQ(RecentFolder("ab"), "");  // shorter than an extension: no folder, no fault
}

// Item k chosen moves to the top and the ones above it down by one; any other
// k only sets the first entry.
TEST(RecentFilesTest, ChosenItemMovesToTheTop) {
  // clang-format off
  const struct { std::int16_t k; const char* shown; } cases[] = {
      {1, "|1. /x.vtr|2. /b.vtr|3. /c.vtr|4. /d.vtr|"}, {2, "|1. /x.vtr|2. /a.vtr|3. /c.vtr|4. /d.vtr|"},
      {3, "|1. /x.vtr|2. /a.vtr|3. /b.vtr|4. /d.vtr|"}, {4, "|1. /x.vtr|2. /a.vtr|3. /b.vtr|4. /c.vtr|"},
      {0, "|1. /x.vtr|2. /b.vtr|3. /c.vtr|4. /d.vtr|"}, {7, "|1. /x.vtr|2. /b.vtr|3. /c.vtr|4. /d.vtr|"}};
  // clang-format on
  for (const auto& c : cases) {
    MapStore store;
    store.values = {{"RecentFile1", "/a.vtr"},
                    {"RecentFile2", "/b.vtr"},
                    {"RecentFile3", "/c.vtr"},
                    {"RecentFile4", "/d.vtr"}};
    PromoteRecentFile(store, "/x.vtr", c.k);
    EXPECT_EQ(Shown(store), c.shown) << c.k;
  }
}

}  // namespace
}  // namespace zod
