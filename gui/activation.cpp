#include "gui/activation.h"

#include <QApplication>
#include <QChildEvent>
#include <QDialog>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace zod {

ActivationGuard::ActivationGuard(QWidget* window) : m_window(window) {
  // Another window taking the activation once a box has gone means the box's
  // return is over: the next activation is the user's.
  m_focus = QObject::connect(qApp, &QGuiApplication::focusWindowChanged, window, [this](QWindow* w) {
    if (w && w != m_window->windowHandle() && w->isVisible() && w->modality() == Qt::NonModal)
      m_boxAway = false;
  });
}

// Gone before the window's base class hides it, so no focus change of the
// window's own teardown reaches a guard that no longer exists.
ActivationGuard::~ActivationGuard() { QObject::disconnect(m_focus); }

bool ActivationGuard::UserActivation(QEvent* e) {
  switch (e->type()) {
    case QEvent::WindowActivate:
      return !std::exchange(m_boxAway, false);
    case QEvent::WindowBlocked:
      m_boxAway = true;
      break;
    case QEvent::WindowDeactivate:
      if (QApplication::activeModalWidget() || QGuiApplication::modalWindow()) m_boxAway = true;
      break;
    case QEvent::ChildPolished:
      // A box of the window's own is known as soon as it is made ready to
      // show, before the window system moves the activation, which it may do
      // late.
      if (qobject_cast<QDialog*>(static_cast<QChildEvent*>(e)->child())) m_boxAway = true;
      break;
    default:
      break;
  }
  return false;
}

}  // namespace zod
