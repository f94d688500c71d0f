// A modal box hands the activation back to the window below it when it
// closes. That is no activation of the user's, and a window whose activation
// does work (load a row, recalculate) must not do it again then: every
// message would start it anew.
#pragma once

class QEvent;
class QWidget;

namespace zod {

class ActivationGuard {
 public:
  explicit ActivationGuard(QWidget* window) : m_window(window) {}
  ActivationGuard(const ActivationGuard&) = delete;
  ActivationGuard& operator=(const ActivationGuard&) = delete;

  // Give it every event of the window, after the window's base class has
  // handled it. True only for an activation that the user brought about.
  bool UserActivation(QEvent* e);

 private:
  // A message box or file dialog raised by this window (or by one of its own).
  bool OwnDialog(const QWidget* w) const;

  QWidget* m_window;
  // The window last lost the activation to a dialog of its own, or one has
  // appeared since. Every activation until the window loses it to anything
  // else is such a dialog handing it back: the window system may deliver
  // several (a late return of an earlier box, another after a box that was
  // answered before its own activation arrived), so none of them uses it up.
  bool m_dialogAway = false;
};

}  // namespace zod
