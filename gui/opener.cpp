#include "gui/opener.h"

#include <QDesktopServices>
#include <QDir>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <memory>

#include "gui/messenger.h"

namespace zod {

namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// xdg-open's exit status in words.
QString XdgOpenFailure(int status) {
  switch (status) {
    case 2:
      return QStringLiteral("the file does not exist");
    case 3:
      return QStringLiteral("the desktop has no program to open it");
    case 4:
      return QStringLiteral("the desktop's program could not open it");
    default:
      return QStringLiteral("the desktop's opener xdg-open ended with status %1").arg(status);
  }
}
#endif

}  // namespace

void SystemOpener::open(const QUrl& url, Failed failed) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  // Without a parent: a process still running when the program ends (the
  // viewer xdg-open waits for) is left to the user, not killed with it.
  auto* xdg = new QProcess;
  struct Watch {
    Failed failed;
    bool watching = true;
    void tell(const QString& why) {
      if (!watching) return;
      watching = false;
      failed(why);
    }
  };
  auto watch = std::make_shared<Watch>(Watch{std::move(failed)});
  QObject::connect(xdg, &QProcess::errorOccurred, xdg, [xdg, watch](QProcess::ProcessError e) {
    if (e != QProcess::FailedToStart) return;
    watch->tell(QStringLiteral("the desktop's opener xdg-open could not be started (package xdg-utils)"));
    xdg->deleteLater();
  });
  QObject::connect(xdg, &QProcess::finished, xdg, [xdg, watch](int status, QProcess::ExitStatus how) {
    if (how != QProcess::NormalExit)
      watch->tell(QStringLiteral("the desktop's opener xdg-open stopped"));
    else if (status != 0)
      watch->tell(XdgOpenFailure(status));
    xdg->deleteLater();
  });
  QTimer::singleShot(m_watchMs, xdg, [watch] { watch->watching = false; });
  // The viewer inherits the channels: output nobody reads must not fill a
  // pipe and stop it.
  xdg->setProcessChannelMode(QProcess::ForwardedChannels);
  xdg->setStandardInputFile(QProcess::nullDevice());
  xdg->start(QStringLiteral("xdg-open"), {url.isLocalFile() ? url.toLocalFile() : url.toString()});
#else
  if (!QDesktopServices::openUrl(url)) failed(QStringLiteral("the desktop could not open it"));
#endif
}

DesktopOpener& SystemDesktopOpener() {
  static SystemOpener opener;
  return opener;
}

QString CantOpenMessage(const QUrl& url, const QString& why) {
  const QString what = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
  return QStringLiteral("can't open - ") + what + QStringLiteral(": ") + why;
}

void OpenOrTell(DesktopOpener& opener, const QUrl& url, Messenger* messenger, QWidget* owner) {
  opener.open(url, [url, messenger, owner = QPointer<QWidget>(owner)](const QString& why) {
    const QString text = CantOpenMessage(url, why);
    if (messenger)
      messenger->exclamation(text, owner);
    else
      BoxMessenger(owner).exclamation(text);
  });
}

}  // namespace zod
