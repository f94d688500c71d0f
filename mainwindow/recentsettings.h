// The recent-file list's store: the user's settings through QSettings, in the
// section "Recent Files" of the application "Zidavoru ZOD".
#pragma once

#include <QString>

#include "mainwindow/core/recentfiles.h"

namespace zod {

inline const QString kSettingsOrganization = QStringLiteral("Zidavoru");
inline const QString kSettingsApplication = QStringLiteral("Zidavoru ZOD");
inline const QString kRecentSection = QStringLiteral("Recent Files");

// Every call opens the settings afresh, so another running copy of the
// program sees what this one wrote.
class SettingsRecentStore : public RecentStore {
 public:
  std::string Get(const std::string& key) override;
  void Set(const std::string& key, const std::string& value) override;
};

}  // namespace zod
