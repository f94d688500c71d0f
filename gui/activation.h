// A modal box hands the activation back to the window below it when it
// closes. That is no activation of the user's, and a window whose activation
// does work (load a row, recalculate) must not do it again then: every
// message would start it anew.
#pragma once

#include <QMetaObject>

class QEvent;
class QWidget;

namespace zod {

class ActivationGuard {
 public:
  explicit ActivationGuard(QWidget* window);
  ~ActivationGuard();
  ActivationGuard(const ActivationGuard&) = delete;
  ActivationGuard& operator=(const ActivationGuard&) = delete;

  // Give it every event of the window, after the window's base class has
  // handled it. True only for an activation that the user brought about.
  bool UserActivation(QEvent* e);

 private:
  QWidget* m_window;
  bool m_boxAway = false;  // a modal box took the activation; its return is none
  QMetaObject::Connection m_focus;
};

}  // namespace zod
