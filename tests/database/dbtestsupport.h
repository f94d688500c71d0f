// What the database window tests share: the real main window with its
// database windows opened from the "&Database" menu, their messages and
// beeps kept in one log, and quick ways to lay out a table.
#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "database/dbwindows.h"
#include "database/frmdatabase.h"
#include "gui/beeper.h"
#include "gui/qtext.h"
#include "tests/database/core/dbtest.h"
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
  QLineEdit* comment() const { return Child<QLineEdit>(f(), "txtComment"); }
  QStringList lines() const {
    QStringList out;
    for (int i = 0; i < list()->count(); ++i) out << list()->item(i)->text();
    return out;
  }
  void click(const char* button) { Child<QPushButton>(f(), button)->click(); }
  void select(int line) { line < 0 ? list()->clearSelection() : list()->setCurrentRow(line); }
  QString file(const QString& name) const { return files.filePath(name); }

  // A table of the given rows, "%..." a comment, anything else a data row of
  // the current case with that identification; the closing row follows.
  void table(const QStringList& rows) {
    NewDbTable(z());
    z().dbtab[0] = dbtest::Comment("End");
    z().dbrows = 0;
    for (const QString& row : rows) {
      z().ident = fromQ(row);
      AddToDatabase(z());
      if (row.startsWith('%')) z().dbtab[*z().dbrows - 1] = dbtest::Comment(fromQ(row));
    }
    z().dbfile = "New Database_in.csv";
    if (f()) f()->Form_Activate();
  }
};

}  // namespace zod::test
