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
    const QString taken = WithoutFinalLineBreak();
    const std::u32string brought = FileTextBrought(fromQ(m_held.text), fromQ(taken));
    if (brought.empty()) {
      if (taken != m_box->text()) {
        const int cursor = m_box->cursorPosition() - static_cast<int>(m_box->text().size() - taken.size());
        m_box->setText(taken);
        m_box->setModified(true);
        m_box->setCursorPosition(cursor);
      }
      return;
    }
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

  // A spreadsheet cell or a line of text is copied with the line break that
  // ends it: pasted, that one break at the end of what came in is dropped.
  QString WithoutFinalLineBreak() const {
    const QString before = m_held.text, after = m_box->text();
    // What came in: the edited text less what it shares with the text before
    // at its start and at its end. An insertion leaves the cursor right after
    // what it brought, which settles where the texts allow two readings ("B"
    // and a line break pasted before a "B" would otherwise read as a line
    // break and a "B"); an edit that leaves the cursor elsewhere is read by
    // the longest shared start.
    qsizetype head = 0, tail = after.size() - m_box->cursorPosition();
    if (tail <= before.size() && before.endsWith(QStringView(after).right(tail))) {
      while (head < before.size() - tail && head < after.size() - tail && before[head] == after[head]) ++head;
    } else {
      while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
      tail = 0;
      while (tail < before.size() - head && tail < after.size() - head &&
             before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    }
    QString in = after.mid(head, after.size() - head - tail);
    if (in.endsWith(QLatin1String("\r\n")))
      in.chop(2);
    else if (in.endsWith('\n') || in.endsWith('\r'))
      in.chop(1);
    else
      return after;
    return after.left(head) + in + after.right(tail);
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
