// The short warning sound some refusals give, behind an interface so that
// tests can count the beeps and see where they fall between the messages.
#pragma once

#include <QStringList>

namespace zod {

class Beeper {
 public:
  virtual ~Beeper() = default;
  virtual void beep() = 0;
};

// The desktop's bell (QApplication::beep).
class SystemBeeper : public Beeper {
 public:
  void beep() override;
};

// The program's one SystemBeeper.
Beeper& SystemBell();

// Counts the beeps; with a log, also writes "<beep>" into it, so a test that
// shares the log with a RecordingMessenger sees the order of beeps and
// messages.
class RecordingBeeper : public Beeper {
 public:
  explicit RecordingBeeper(QStringList* log = nullptr) : m_log(log) {}
  int count = 0;
  void beep() override {
    ++count;
    if (m_log) *m_log << QStringLiteral("<beep>");
  }

 private:
  QStringList* m_log;
};

}  // namespace zod
