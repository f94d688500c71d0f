#include "mainwindow/recentsettings.h"

#include <QSettings>
#include <algorithm>

#include "gui/qtext.h"

namespace zod {

namespace {

struct Section {
  QSettings s{QSettings::UserScope, kSettingsOrganization, kSettingsApplication};
  Section() { s.beginGroup(kRecentSection); }
};

}  // namespace

std::string SettingsRecentStore::Get(const std::string& key) {
  Section sec;
  return fromQ(sec.s.value(toQ(key)).toString());
}

void SettingsRecentStore::Set(const std::string& key, const std::string& value) {
  Section sec;
  sec.s.setValue(toQ(key), toQ(value));
  sec.s.sync();
}

std::vector<std::string> SettingsRecentStore::All() {
  Section sec;
  QStringList keys = sec.s.childKeys();
  // Key order as the numbers run: RecentFile2 before RecentFile10.
  std::sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
  });
  std::vector<std::string> out;
  for (const QString& k : keys) out.push_back(fromQ(sec.s.value(k).toString()));
  return out;
}

}  // namespace zod
