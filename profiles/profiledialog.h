// One profile dialog: the table dialogs and the built-up dialogs of both
// members are this one class, set up by kind and member from the tables of
// profilekinds.h.
#pragma once

#include <QColor>
#include <QLineEdit>
#include <QMap>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "engine/state.h"
#include "gui/activation.h"
#include "profiles/profilekinds.h"

class QComboBox;
class QLabel;
class QGroupBox;

namespace zod {

class ProfileHost;

// An input box of a built-up dialog. Reports getting and losing the focus
// with the reason, and Enter instead of taking it as typing.
class DimBox : public QLineEdit {
  Q_OBJECT
 public:
  using QLineEdit::QLineEdit;

 signals:
  void entered(Qt::FocusReason reason);
  void left(Qt::FocusReason reason);
  void enterKey();

 protected:
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
};

class ProfileDialog : public QWidget {
  Q_OBJECT
 public:
  // Builds the dialog, places it and sets its sketch; it is not shown.
  ProfileDialog(ProfileHost& host, Member m, int kind);
  ~ProfileDialog() override;

  Member member() const { return m_member; }
  int kind() const { return m_kind; }
  bool isTable() const { return profiles::IsTableKind(m_kind); }
  // The sketch of pic1, as the printed report reads it.
  QPixmap sketch() const { return m_sketch; }

  // The display procedure: the member's section into the labels and boxes,
  // but for a box the user is typing in.
  void showValues();
  // The case has been replaced: what the user typed into the box he is in
  // belongs to no case any more, and the next display writes over it.
  void dropTyping();
  // A command is about to use the case: text typed into the box the user is
  // in is committed as leaving the box would commit it. False when it is no
  // number: nothing was stored and the box has the focus back.
  bool commitTyping();
  // Table dialogs: every row of the table into cbo, the stored row chosen.
  void fillRows();

  // A closing the program starts (after a project file has been read): the
  // boxes then show stale values and are not read.
  void closeByProgram();
  // Closed and waiting to be deleted: a new opening needs a new dialog.
  bool isClosed() const { return m_closed; }

  static constexpr QColor kFocusColor{255, 255, 192};

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  struct Box {
    DimBox* edit;
    profiles::Dim dim;
  };

  void build();
  void fixSize();
  void place();
  void activate();
  void rowChosen(int index);
  void okClicked();

  void boxEntered(DimBox* edit, Qt::FocusReason reason);
  void boxLeft(DimBox* edit, Qt::FocusReason reason);
  void enterPressed(DimBox* edit);
  void enter(DimBox* edit);
  bool commit(DimBox* edit);
  bool leaveBox(const Box& box);
  bool okReads();
  void closingReads();
  const Box* boxOf(const QWidget* w) const;

  void message(const QString& text);
  static void setBackground(QLineEdit* edit, const QColor& c);

  ProfileHost& m_host;
  const Member m_member;
  const int m_kind;
  QPixmap m_sketch;
  QGroupBox* m_fr21 = nullptr;
  QComboBox* m_cbo = nullptr;
  std::vector<Box> m_boxes;
  QMap<QString, QWidget*> m_targets;  // labels and boxes of the display

  DimBox* m_current = nullptr;  // the box the user is in
  bool m_busy = false;          // a box is being committed
  bool m_activating = false;
  ActivationGuard m_activation{this};
  bool m_placedShown = false;
  bool m_filled = false;  // the display procedure has written the boxes
  bool m_closing = false;
  bool m_closed = false;
  bool m_programClose = false;
};

}  // namespace zod
