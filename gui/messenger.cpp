#include "gui/messenger.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace zod {

namespace {

const QString kTitle = QStringLiteral("Zidavoru ZOD");

// A box sized to a short text would leave the window manager too little room
// for the title ("Z..."): the box is made wide enough for the title in a
// large title-bar font, with room for the title bar's buttons beside it.
int TitleWidth(const QMessageBox& box) {
  QFont f = box.font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.4);
  return QFontMetrics(f).horizontalAdvance(kTitle) + 140;
}

// Shows the box modal over its owner; the button the user pressed.
QMessageBox::StandardButton Show(QWidget* owner, QMessageBox::Icon icon, const QString& text,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                 QMessageBox::StandardButton byDefault = QMessageBox::NoButton) {
  QMessageBox box(icon, kTitle, text, buttons, owner);
  if (byDefault != QMessageBox::NoButton) box.setDefaultButton(byDefault);
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(TitleWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  QPointer<QWidget> back = owner;
  box.exec();
  // Give the owner back its activation, also where no window manager does,
  // so the focus returns to the control that had it in that window.
  if (back && back->isVisible()) back->activateWindow();
  return box.standardButton(box.clickedButton());
}

}  // namespace

QWidget* BoxMessenger::ownerFor(QWidget* owner) const {
  if (owner) return owner->window();
  if (QWidget* active = QApplication::activeWindow()) return active;
  return m_owner;
}

void BoxMessenger::exclamation(const QString& text, QWidget* owner) {
  Show(ownerFor(owner), QMessageBox::Warning, text);
}

void BoxMessenger::plain(const QString& text, QWidget* owner) {
  Show(ownerFor(owner), QMessageBox::NoIcon, text);
}

bool BoxMessenger::question(const QString& text, QWidget* owner) {
  return Show(ownerFor(owner), QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
              QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace zod
