// Files and addresses opened with the desktop's own handlers (browser, PDF
// viewer, mail program, spreadsheet program) through one injectable opener,
// so tests can record what would have been opened.
#pragma once

#include <QUrl>

namespace zod {

class DesktopOpener {
 public:
  virtual ~DesktopOpener() = default;
  // Hands the address to the desktop. The result says whether the desktop
  // took it.
  virtual bool open(const QUrl& url) = 0;
};

// QDesktopServices::openUrl.
class SystemOpener : public DesktopOpener {
 public:
  bool open(const QUrl& url) override;
};

// The program's one SystemOpener.
DesktopOpener& SystemDesktopOpener();

}  // namespace zod
