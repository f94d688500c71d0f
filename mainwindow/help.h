// Help pages and manuals: files beside the program, opened through the
// desktop opener.
#pragma once

#include <QString>
#include <QUrl>

#include "gui/opener.h"
#include <utility>

namespace zod {

enum class HelpPage { Contents, Index, Search };
enum class Manual { Update, Theory, Database };

// "help/index.html", "help/keywords.html", "help/search.html" in the program folder.
QString HelpPagePath(const QString& programFolder, HelpPage page);
// "Zidavoru ZOD Update.pdf", "Zidavoru ZOD Theory Manual.pdf", "Zidavoru ZOD Database.pdf".
QString ManualFileName(Manual manual);
// The manual in the folder "Documentation" of the program folder.
QString ManualPath(const QString& programFolder, Manual manual);

// The Help menu's commands. Nothing is checked beforehand: a missing page,
// manual or viewer is the desktop's business and the program shows nothing.
class Help {
 public:
  Help(DesktopOpener& opener, QString programFolder) : m_opener(opener), m_folder(std::move(programFolder)) {}

  void HelpContents() { openPage(HelpPage::Contents); }
  void HelpIndex() { openPage(HelpPage::Index); }
  // The search page with an empty query; the page runs it at once.
  void HelpSearch() { openPage(HelpPage::Search); }
  void OpenManual(Manual manual);

  const QString& programFolder() const { return m_folder; }

 private:
  void openPage(HelpPage page);

  DesktopOpener& m_opener;
  QString m_folder;
};

}  // namespace zod
