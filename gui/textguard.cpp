#include "gui/textguard.h"

#include <QLineEdit>

#include "engine/cp1252.h"
#include "gui/qtext.h"

namespace zod {
namespace {

// Lives with its box: the last state of the box that the files can hold.
class FileTextGuard : public QObject {
 public:
  FileTextGuard(QLineEdit* box, std::string what, std::function<void(const QString&)> refuse)
      : QObject(box), m_box(box), m_what(std::move(what)), m_refuse(std::move(refuse)) {
    Keep();
    connect(box, &QLineEdit::textChanged, this, [this] { Keep(); });
    connect(box, &QLineEdit::cursorPositionChanged, this, [this] { Keep(); });
    connect(box, &QLineEdit::selectionChanged, this, [this] { Keep(); });
    connect(box, &QLineEdit::textEdited, this, [this] { Edited(); });
  }

 private:
  struct Held {
    QString text;
    int cursor = 0, selStart = -1, selLength = 0;
  };

  // A text the program put there (setText leaves the box unmodified) is
  // kept as it is, even one read from a file with a line break in it; an
  // edit is kept once it has brought in nothing the files cannot carry.
  void Keep() {
    const QString text = m_box->text();
    if (m_box->isModified() && !FileTextBrought(fromQ(m_held.text), fromQ(text)).empty()) return;
    m_held = {text, m_box->cursorPosition(), m_box->selectionStart(),
              static_cast<int>(m_box->selectedText().size())};
  }

  void Edited() {
    const std::u32string brought = FileTextBrought(fromQ(m_held.text), fromQ(m_box->text()));
    if (brought.empty()) return;
    const Held h = m_held;  // a copy: each step of the restoring keeps the box anew
    m_box->setText(h.text);
    if (h.selLength > 0 && h.cursor == h.selStart)
      m_box->setSelection(h.selStart + h.selLength, -h.selLength);
    else if (h.selLength > 0)
      m_box->setSelection(h.selStart, h.selLength);
    else
      m_box->setCursorPosition(h.cursor);
    m_refuse(toQ(FileTextRefusalMessage(m_what, brought)));
  }

  QLineEdit* m_box;
  std::string m_what;
  std::function<void(const QString&)> m_refuse;
  Held m_held;
};

}  // namespace

void GuardFileText(QLineEdit* box, std::string what, std::function<void(const QString&)> refuse) {
  new FileTextGuard(box, std::move(what), std::move(refuse));
}

}  // namespace zod
