#include "gui/activation.h"

#include <QApplication>
#include <QChildEvent>
#include <QDialog>
#include <QWidget>

namespace zod {

bool ActivationGuard::OwnDialog(const QWidget* w) const {
  if (!qobject_cast<const QDialog*>(w)) return false;
  for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
    if (p == m_window) return true;
  return false;
}

bool ActivationGuard::UserActivation(QEvent* e) {
  switch (e->type()) {
    case QEvent::WindowActivate:
      return !m_dialogAway;
    case QEvent::WindowDeactivate:
      // The window that takes the activation is known by now. A box answered
      // before the window system activated it is hidden when that activation
      // comes: it is still this window's own box. Anything else is the user
      // going elsewhere: another window, a box of another window, another
      // program.
      m_dialogAway = OwnDialog(QApplication::activeWindow()) || OwnDialog(QApplication::activeModalWidget());
      break;
    case QEvent::WindowBlocked:
      if (OwnDialog(QApplication::activeModalWidget())) m_dialogAway = true;
      break;
    case QEvent::ChildPolished:
      // A box of the window's own is known as soon as it is made ready to
      // show, before the window system moves the activation, which it may do
      // late.
      if (OwnDialog(qobject_cast<QWidget*>(static_cast<QChildEvent*>(e)->child()))) m_dialogAway = true;
      break;
    default:
      break;
  }
  return false;
}

}  // namespace zod
