// Files and addresses opened with the desktop's own handlers (browser, PDF
// viewer, mail program, spreadsheet program) through one injectable opener,
// so tests can record what would have been opened.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace zod {

class Messenger;

class DesktopOpener {
 public:
  // Why the desktop could not open an address, in words for the user.
  using Failed = std::function<void(const QString& why)>;
  virtual ~DesktopOpener() = default;
  // Hands the address to the desktop. `failed` runs once if the desktop
  // could not open it: at once when there is nothing to hand it to,
  // otherwise when the desktop says so, on the window's thread, maybe after
  // the caller's window has closed.
  virtual void open(const QUrl& url, Failed failed) = 0;
};

// The desktop's opener xdg-open (package xdg-utils), run as a child process:
// unlike QDesktopServices::openUrl, which only knows that xdg-open started,
// its exit status tells whether the desktop found a program for the address
// and that program could open it. A failure is told when xdg-open cannot be
// started or ends with an error within `watchMs`; after that the program it
// started may have been running for a while in its place (without a desktop
// environment xdg-open runs the viewer in the foreground), and its end says
// nothing about the opening. Systems other than Linux and the BSDs use
// QDesktopServices.
class SystemOpener : public DesktopOpener {
 public:
  explicit SystemOpener(int watchMs = 10000) : m_watchMs(watchMs) {}
  void open(const QUrl& url, Failed failed) override;

 private:
  int m_watchMs;
};

// The program's one SystemOpener.
DesktopOpener& SystemDesktopOpener();

// "can't open - ", the file (in the system's own notation) or the address,
// ": " and why.
QString CantOpenMessage(const QUrl& url, const QString& why);

// Opens the address; if the desktop cannot, CantOpenMessage in an
// exclamation box owned by `owner` (through `messenger`; null: a box of its
// own).
void OpenOrTell(DesktopOpener& opener, const QUrl& url, Messenger* messenger, QWidget* owner);

}  // namespace zod
