#include "gui/messenger.h"

#include <QMessageBox>

namespace zod {

namespace {

void Show(QWidget* owner, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QStringLiteral("Zidavoru ZOD"), text, QMessageBox::Ok, owner);
  box.exec();
  // Give the owner back its activation, also where no window manager does,
  // so the focus returns to the control that had it.
  if (owner && owner->isVisible()) owner->activateWindow();
}

}  // namespace

void BoxMessenger::exclamation(const QString& text) { Show(m_owner, QMessageBox::Warning, text); }

void BoxMessenger::plain(const QString& text) { Show(m_owner, QMessageBox::NoIcon, text); }

}  // namespace zod
