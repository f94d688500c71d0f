#include "gui/beeper.h"

#include <QApplication>

namespace zod {

void SystemBeeper::beep() { QApplication::beep(); }

Beeper& SystemBell() {
  static SystemBeeper bell;
  return bell;
}

}  // namespace zod
