// The one way every window of the program shows a message box. The program
// uses BoxMessenger; tests put a RecordingMessenger in its place so that no
// modal box blocks them.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace zod {

// A message box belongs to the window that raised it: `owner` is that
// window, and when the box closes that window is active again, with the
// focus where the handler put it. A null owner means the window the user is
// working in (the program's active window).
class Messenger {
 public:
  virtual ~Messenger() = default;
  // Modal box with the exclamation icon, the program title and OK.
  virtual void exclamation(const QString& text, QWidget* owner = nullptr) = 0;
  // Modal box without an icon, the program title and OK.
  virtual void plain(const QString& text, QWidget* owner = nullptr) = 0;
  // Modal box with the question icon, the program title, Yes and No (the
  // default); true for Yes.
  virtual bool question(const QString& text, QWidget* owner = nullptr) = 0;
};

class BoxMessenger : public Messenger {
 public:
  // `fallback` owns the boxes raised while no window of the program is active.
  explicit BoxMessenger(QWidget* fallback = nullptr) : m_owner(fallback) {}
  void setOwner(QWidget* fallback) { m_owner = fallback; }
  void exclamation(const QString& text, QWidget* owner = nullptr) override;
  void plain(const QString& text, QWidget* owner = nullptr) override;
  bool question(const QString& text, QWidget* owner = nullptr) override;

 private:
  QWidget* ownerFor(QWidget* owner) const;

  QPointer<QWidget> m_owner;
};

// Keeps the texts instead of showing them, and the object name of each
// box's owner ("" when the caller left it to the active window). Questions
// are kept apart and answered with `answer`.
class RecordingMessenger : public Messenger {
 public:
  QStringList texts;  // every message in order; plain ones are not marked
  QStringList plainTexts;
  QStringList owners;
  QStringList questions;
  bool answer = true;
  void exclamation(const QString& text, QWidget* owner = nullptr) override {
    texts << text;
    owners << (owner ? owner->objectName() : QString());
  }
  void plain(const QString& text, QWidget* owner = nullptr) override {
    exclamation(text, owner);
    plainTexts << text;
  }
  bool question(const QString& text, QWidget* = nullptr) override {
    questions << text;
    return answer;
  }
  QString last() const { return texts.isEmpty() ? QString() : texts.last(); }
  void clear() {
    texts.clear();
    plainTexts.clear();
    owners.clear();
    questions.clear();
  }
};

}  // namespace zod
