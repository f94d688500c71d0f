// The one way every window of the program shows a message box. The program
// uses BoxMessenger; tests put a RecordingMessenger in its place so that no
// modal box blocks them.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace zod {

class Messenger {
 public:
  virtual ~Messenger() = default;
  // Modal box with the exclamation icon, the program title and OK.
  virtual void exclamation(const QString& text) = 0;
  // Modal box without an icon, the program title and OK.
  virtual void plain(const QString& text) = 0;
};

class BoxMessenger : public Messenger {
 public:
  explicit BoxMessenger(QWidget* owner = nullptr) : m_owner(owner) {}
  void setOwner(QWidget* owner) { m_owner = owner; }
  void exclamation(const QString& text) override;
  void plain(const QString& text) override;

 private:
  QPointer<QWidget> m_owner;
};

// Keeps the texts instead of showing them.
class RecordingMessenger : public Messenger {
 public:
  QStringList texts;  // every message in order; plain ones are not marked
  QStringList plainTexts;
  void exclamation(const QString& text) override { texts << text; }
  void plain(const QString& text) override {
    texts << text;
    plainTexts << text;
  }
  QString last() const { return texts.isEmpty() ? QString() : texts.last(); }
  void clear() {
    texts.clear();
    plainTexts.clear();
  }
};

}  // namespace zod
