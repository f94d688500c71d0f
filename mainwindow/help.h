// Help pages and manuals: files beside the program, opened through the
// desktop opener.
#pragma once

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <utility>

#include "gui/opener.h"

namespace zod {

enum class HelpPage { Contents, Index, Search };
enum class Manual { Update, Theory, Database };

// "help/index.html", "help/keywords.html", "help/search.html" in the program folder.
QString HelpPagePath(const QString& programFolder, HelpPage page);
// "Zidavoru ZOD Update.pdf", "Zidavoru ZOD Theory Manual.pdf", "Zidavoru ZOD Database.pdf".
QString ManualFileName(Manual manual);
// The manual in the folder "Documentation" of the program folder.
QString ManualPath(const QString& programFolder, Manual manual);

// The Help menu's commands. Nothing is checked beforehand: the desktop
// opens the page or manual, and when it cannot (no such file, no viewer, no
// opener) the user is told which file could not be opened and why, in a box
// owned by `owner` (through `messenger`; null: a box of its own).
class Help {
 public:
  Help(DesktopOpener& opener, QString programFolder, Messenger* messenger = nullptr, QWidget* owner = nullptr)
      : m_opener(opener), m_folder(std::move(programFolder)), m_messenger(messenger), m_owner(owner) {}

  void HelpContents() { openPage(HelpPage::Contents); }
  void HelpIndex() { openPage(HelpPage::Index); }
  // The search page with an empty query; the page runs it at once.
  void HelpSearch() { openPage(HelpPage::Search); }
  void OpenManual(Manual manual);

  const QString& programFolder() const { return m_folder; }

 private:
  void openPage(HelpPage page);
  void open(const QString& path);

  DesktopOpener& m_opener;
  QString m_folder;
  Messenger* m_messenger;
  QPointer<QWidget> m_owner;
};

}  // namespace zod
