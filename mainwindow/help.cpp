#include "mainwindow/help.h"

#include <QDir>

namespace zod {

QString HelpPagePath(const QString& programFolder, HelpPage page) {
  QString name;
  switch (page) {
    case HelpPage::Contents:
      name = QStringLiteral("index.html");
      break;
    case HelpPage::Index:
      name = QStringLiteral("keywords.html");
      break;
    case HelpPage::Search:
      name = QStringLiteral("search.html");
      break;
  }
  return QDir(programFolder).filePath(QStringLiteral("help/") + name);
}

QString ManualFileName(Manual manual) {
  switch (manual) {
    case Manual::Update:
      return QStringLiteral("Zidavoru ZOD Update.pdf");
    case Manual::Theory:
      return QStringLiteral("Zidavoru ZOD Theory Manual.pdf");
    case Manual::Database:
      return QStringLiteral("Zidavoru ZOD Database.pdf");
  }
  return {};
}

QString ManualPath(const QString& programFolder, Manual manual) {
  return QDir(programFolder).filePath(QStringLiteral("Documentation/") + ManualFileName(manual));
}

// Always from the program folder, also for the search page: the current
// folder of the process says nothing about where the help lies.
void Help::openPage(HelpPage page) { open(HelpPagePath(m_folder, page)); }

void Help::OpenManual(Manual manual) { open(ManualPath(m_folder, manual)); }

void Help::open(const QString& path) {
  OpenOrTell(m_opener, QUrl::fromLocalFile(path), m_messenger, m_owner);
}

}  // namespace zod
