// What the database window tests share: the real main window with its
// database windows opened from the "&Database" menu, their messages and
// beeps kept in one log, and quick ways to lay out a table.
#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "database/core/database.h"
#include "database/dbwindows.h"
#include "database/frmdatabase.h"
#include "gui/beeper.h"
#include "gui/qtext.h"
#include "tests/mainwindow/testsupport.h"

namespace zod::test {

struct DbHarness {
  Harness h;
  RecordingMessenger msg;  // the database windows' messages, with "<beep>" where a beep fell
  RecordingBeeper bell{&msg.texts};
  DatabaseWindows* db = nullptr;
  QTemporaryDir files;

  // `boxes`: the windows show real message boxes instead of recording them.
  // `mainMessages`: where the main window's messages go.
  explicit DbHarness(bool boxes = false, Messenger* mainMessages = nullptr) : h(false, 96, mainMessages) {
    db = Child<DatabaseWindows>(h.w.get(), "databaseWindows");
    if (!boxes) db->setMessenger(&msg);
    db->setBeeper(&bell);
    db->setExportFolder(files.path());
  }
  State& z() { return h.z; }
  FrmDatabase* open() {
    h.menus().mnuDb->trigger();
    return WaitActive(db->database());
  }
  FrmDatabase* f() const { return db->database(); }
  QListWidget* list() const { return Child<QListWidget>(f(), "lstDatabase"); }
  QStringList lines() const {
    QStringList out;
    for (int i = 0; i < list()->count(); ++i) out << list()->item(i)->text();
    return out;
  }
  void click(const char* button) { Child<QPushButton>(f(), button)->click(); }
  void select(int line) { line < 0 ? list()->clearSelection() : list()->setCurrentRow(line); }
  QString file(const QString& name) const { return files.filePath(name); }

  static DbRow Closing() {
    DbRow r;
    r.iscomment = -1;
    r.rowtext = "End";
    return r;
  }

  // A table of the given rows: "%..." a comment, anything else a data row of
  // that identification and cylinder type; the closing row follows.
  void table(const QStringList& rows, int cylinder = 0) {
    NewDbTable(z());
    z().dbtab[0] = Closing();
    z().dbrows = 0;
    std::int16_t n = 0;
    for (const QString& r : rows) {
      if (r.startsWith('%')) {
        z().dbtab[n].iscomment = -1;
        z().dbtab[n].rowtext = fromQ(r);
        z().dbtab[n + 1] = Closing();
        z().dbrows = static_cast<std::int16_t>(n + 1);
      } else {
        z().ident = fromQ(r);
        z().cylinder = static_cast<int16>(cylinder);
        StoreDbRow(z(), n);
      }
      ++n;
    }
    z().dbfile = "New Database_in.csv";
    if (f()) f()->Form_Activate();
  }
};

}  // namespace zod::test
