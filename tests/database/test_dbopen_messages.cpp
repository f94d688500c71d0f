// "Open Database File" in the real database window with real message boxes:
// a file the reader refuses names its line and the reason in a box of
// reasonable size, a file that may not be read says so, and files saved by a
// spreadsheet program (quoted fields, UTF-8 with a byte-order mark) open.
#include <QFile>

#include "tests/database/dbtestsupport.h"
#include "tests/gui/core/noreadrights.h"

using namespace zod;
using namespace zod::test;

namespace {

// A data line of the file, with the given project name and identification
// as they stand in the file.
QByteArray DataLine(const QByteArray& proj, const QByteArray& ident) {
  return proj + ";" + ident +
         ";0;1;0;0;0;0;210000;355;1500;3000;20;600;3000;L 200x90x9.0x12.0;355;6000;600;"
         "L 200x90x9.0x12.0;355;0;0;-100;0;0;0;1;1;0;0;0;0;0; 0 ";
}

QByteArray FileOf(const QByteArray& line) { return "% Tanks;\r\n" + line + "\r\nEnd;\r\n"; }

}  // namespace

class TestDbOpenMessages : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  // Each file: its bytes and the box it gives ("%1" the file's path), with
  // or without the exclamation icon. The table, its file name and the case
  // stay as they were.
  void refusedFiles_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("says");
    QTest::addColumn<bool>("exclamation");
    const QString error = "Error in Database File\n%1, ";
    QTest::newRow("too few fields") << QByteArray("Project;Tank;0\r\nEnd;\r\n")
                                    << error + "line 1: a data line needs 35 fields, this one has 3" << false;
    QTest::newRow("cell broken over two lines") << FileOf(DataLine("Tank", "\"Riser\r\n24\""))
                                                << error +
                                                       "line 2: a data line needs 35 fields, this one has 2; "
                                                       "the identification (field 2) opens a quote "
                                                       "that is not closed on its line"
                                                << false;
    QTest::newRow("quoted identification with ;") << FileOf(DataLine("Tank", "\"Riser; 24\""))
                                                  << error +
                                                         "line 2: An identification with \";\" can't be "
                                                         "stored in the database: the \";\" would split its "
                                                         "line in the file."
                                                  << false;
    QTest::newRow("UTF-8 character that Windows-1252 lacks")
        << "\xEF\xBB\xBF" + FileOf(DataLine("Tank", "\xCE\xA9 1"))
        << error +
               "line 2: The database can't hold \"\u03A9\" (U+03A9): project and database files keep their "
               "texts "
               "in Windows-1252."
        << false;
    QTest::newRow("not UTF-8 after the mark")
        << "\xEF\xBB\xBF" + FileOf(DataLine("K\xFChler", "A1"))
        << error +
               "line 2: the line is not UTF-8 text, which the byte-order mark at the start of the file says "
               "the file is"
        << false;
    QTest::newRow("10 MB field")
        << FileOf(DataLine(QByteArray(10 << 20, 'a'), "A1"))
        << "Error in Database File\n%1: the file is larger than 8 MB, far larger than "
           "any case database"
        << false;
    QTest::newRow("line of 300 KB")
        << FileOf(DataLine("Tank", QByteArray(300 << 10, 'a')))
        << error + "line 2: the line is longer than 256 KB, far longer than any row of a case database"
        << false;
    QTest::newRow("200 KB cell broken over two lines")
        << FileOf(DataLine("Tank", "\"" + QByteArray(200 << 10, 'a') + "\r\n\""))
        << error +
               "line 2: a data line needs 35 fields, this one has 2; the identification (field 2) opens a "
               "quote "
               "that is not closed on its line"
        << false;
    QTest::newRow("missing") << QByteArray() << "can't find file - %1" << true;
  }
  void refusedFiles() {
    QFETCH(QByteArray, content);
    QFETCH(QString, says);
    QFETCH(bool, exclamation);
    DbHarness d(true);
    d.open();
    d.table({"% Comment", "A"});
    d.z().ident = "mine";
    const QString path = d.file("bad_in.csv");
    if (!content.isNull()) WriteBytes(path, content);
    const auto before = d.z().dbtab;
    BoxAnswerer user;
    QList<QMessageBox::Icon> icons;
    user.whileOpen = [&icons](QMessageBox* box) { icons << box->icon(); };
    d.h.dialog.answers << path;
    d.click("cmdOpenDatabase");
    QCOMPARE(user.texts, QStringList{says.arg(path)});
    QCOMPARE(icons, QList<QMessageBox::Icon>{exclamation ? QMessageBox::Warning : QMessageBox::NoIcon});
    QCOMPARE(user.owners, QStringList{"frmDatabase"});
    QVERIFY(d.z().dbtab == before);
    QCOMPARE(d.z().dbfile, std::string("New Database_in.csv"));
    QCOMPARE(d.z().ident, std::string("mine"));
    QCOMPARE(d.lines(), (QStringList{"% Comment", "A", "End"}));
  }

  // A file that is there but may not be read is not called missing.
  void unreadableFile() {
    DbHarness d(true);
    d.open();
    d.table({"% Comment", "A"});
    const QString path = d.file("locked_in.csv");
    WriteBytes(path, FileOf(DataLine("Tank", "B")));
    BoxAnswerer user;
    QList<QMessageBox::Icon> icons;
    user.whileOpen = [&icons](QMessageBox* box) { icons << box->icon(); };
    {
      NoReadRights guard(fromQ(path));
      if (!guard.denied()) QSKIP("read rights cannot be taken away here");
      d.h.dialog.answers << path;
      d.click("cmdOpenDatabase");
    }
    QCOMPARE(user.texts, QStringList{"can't read file - " + path + ": Permission denied"});
    QCOMPARE(icons, QList<QMessageBox::Icon>{QMessageBox::Warning});
    QCOMPARE(d.lines(), (QStringList{"% Comment", "A", "End"}));
    QCOMPARE(d.z().dbfile, std::string("New Database_in.csv"));
  }

  // Files as a spreadsheet program saves them open without a box: the list
  // and the main window show the texts the quoted fields stand for.
  void spreadsheetFilesOpen_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("proj");
    QTest::newRow("quoted fields") << "\"% 24\"\" riser cases\"\r\n" +
                                          DataLine("\"Tank \"\"B\"\"\"", "\"Riser 24\"\"\"") +
                                          "\r\n\"% Wall A; north side\";\r\nEnd;\r\n"
                                   << QStringList{"% 24\" riser cases", "Riser 24\"", "% Wall A", "End"}
                                   << "Tank \"B\"";
    QTest::newRow("UTF-8 with byte-order mark")
        << "\xEF\xBB\xBF% K\xC3\xBChler \xE2\x82\xAC;\r\n" + DataLine("Tank \xC3\xA9", "\"Riser 24\"\"\"") +
               "\r\nEnd;\r\n"
        << QStringList{"% K\u00FChler \u20AC", "Riser 24\"", "End"} << "Tank \u00E9";
  }
  void spreadsheetFilesOpen() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, lines);
    QFETCH(QString, proj);
    DbHarness d(true);
    FrmDatabase* f = d.open();
    d.table({"% Comment", "A"});
    const QString path = d.file("Tanks_in.csv");
    WriteBytes(path, content);
    BoxAnswerer user;
    d.h.dialog.answers << path;
    d.click("cmdOpenDatabase");
    QCOMPARE(user.texts, QStringList());
    QCOMPARE(d.lines(), lines);
    QCOMPARE(d.h.box("iident")->text(), QString("Riser 24\""));
    QCOMPARE(d.h.box("iproj")->text(), proj);
    QCOMPARE(f->windowTitle(), "Database Filename: " + path);
  }
};

QTEST_MAIN(TestDbOpenMessages)
#include "test_dbopen_messages.moc"
