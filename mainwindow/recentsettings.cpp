#include "mainwindow/recentsettings.h"

#include <QSettings>

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

}  // namespace zod
