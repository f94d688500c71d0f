#include <gtest/gtest.h>

#include <map>

#include "mainwindow/core/recentfiles.h"

namespace zod {
namespace {

struct MapStore : RecentStore {
  std::map<std::string, std::string> values;
  std::string Get(const std::string& key) override {
    auto it = values.find(key);
    return it == values.end() ? std::string() : it->second;
  }
  void Set(const std::string& key, const std::string& value) override { values[key] = value; }
  std::vector<std::string> All() override {
    std::vector<std::string> v;
    for (auto& [k, val] : values) v.push_back(val);
    return v;
  }
};

struct RecentFilesTest : ::testing::Test {
  MapStore store;
  RecentItems items;
  void Open(const std::string& f) {
    MoveRecentFile(store, items, f);
    GetRecentFiles(store, items);
  }
  std::vector<std::string> Entries() {
    std::vector<std::string> v;
    for (int k = 1; k <= 4; ++k)
      if (items.visible[k]) v.push_back(items.Path(k));
    return v;
  }
};

TEST_F(RecentFilesTest, FirstRunShowsNothingThenTheFirstFile) {
  GetRecentFiles(store, items);
  EXPECT_FALSE(items.separatorVisible);
  EXPECT_FALSE(items.visible[1]);
  Open("/p/a.vtr");
  EXPECT_TRUE(items.separatorVisible);
  EXPECT_EQ(items.caption[1], "1. /p/a.vtr");
  EXPECT_FALSE(items.visible[2]);
}

TEST_F(RecentFilesTest, TheListOrdersItselfAsFilesAreOpenedSavedAndChosen) {
  for (auto f : {"/a.vtr", "/b.vtr", "/c.vtr", "/d.vtr"}) Open(f);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"/d.vtr", "/c.vtr", "/b.vtr", "/a.vtr"}));

  Open("/e.vtr");  // a fifth distinct file drops the fourth
  EXPECT_EQ(Entries(), (std::vector<std::string>{"/e.vtr", "/d.vtr", "/c.vtr", "/b.vtr"}));

  Open("/c.vtr");  // the file shown as item 3 moves to the top; item 4 stays
  EXPECT_EQ(Entries(), (std::vector<std::string>{"/c.vtr", "/e.vtr", "/d.vtr", "/b.vtr"}));

  WriteRecentFiles(store, items, "/d.vtr");  // saved under a listed name: no second entry
  GetRecentFiles(store, items);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"/d.vtr", "/c.vtr", "/e.vtr", "/b.vtr"}));

  PromoteRecentFile(store, items.Path(4), 4);  // item 4 chosen
  GetRecentFiles(store, items);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"/b.vtr", "/d.vtr", "/c.vtr", "/e.vtr"}));

  PromoteRecentFile(store, items.Path(1), 1);  // the open file chosen again
  GetRecentFiles(store, items);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"/b.vtr", "/d.vtr", "/c.vtr", "/e.vtr"}));
}

TEST_F(RecentFilesTest, FolderOfAnEntry) {
  EXPECT_EQ(RecentFolder("/home/eng/case.vtr"), "/home/eng/");
  EXPECT_EQ(RecentFolder("C:\\cases\\a.vtr"), "C:\\cases\\");
  EXPECT_EQ(RecentFolder("a.vtr"), "");
  EXPECT_EQ(RecentFolder("ab"), "");
}

}  // namespace
}  // namespace zod
