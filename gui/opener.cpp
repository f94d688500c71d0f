#include "gui/opener.h"

#include <QDesktopServices>

namespace zod {

bool SystemOpener::open(const QUrl& url) { return QDesktopServices::openUrl(url); }

DesktopOpener& SystemDesktopOpener() {
  static SystemOpener opener;
  return opener;
}

}  // namespace zod
