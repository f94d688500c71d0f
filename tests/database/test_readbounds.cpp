// What the windows say when a reader refuses a file for its size, a line's
// length or for being no regular file: the database window names the file,
// the line and the bound, and keeps its table, list and file name; File >
// Open names the file and the bound, and keeps the case and its name.
#include <sys/stat.h>

#include <QFile>
#include <sstream>

#include "mainwindow/core/projectfile.h"
#include "tests/database/dbtestsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

void Put(const QString& path, const QByteArray& content) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
    qFatal("cannot write %s", qPrintable(path));
}

}  // namespace

class TestReadBounds : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { Destroy(); }

  void databaseFileRefused_data() {
    QTest::addColumn<QByteArray>("content");  // empty: a named pipe
    QTest::addColumn<QString>("detail");      // %1: the path
    QTest::newRow("8 MB and a byte of ;")
        << QByteArray(8 * 1024 * 1024 + 1, ';')
        << "%1: the file is larger than 8 MB, far larger than any case database";
    QTest::newRow("comment line of a million ;")
        << "% Wall A;\r\n%" + QByteArray(1000000, ';') + "\r\nEnd;\r\n"
        << "%1, line 2: the line is longer than 256 KB, far longer than any row of a case database";
    QTest::newRow("damaged") << QByteArray("Project;Tank;0\r\nEnd;\r\n")
                             << "%1, line 1: a data line needs 35 fields, this one has 3";
    QTest::newRow("named pipe") << QByteArray() << "%1: it is not a regular file";
  }
  void databaseFileRefused() {
    QFETCH(QByteArray, content);
    QFETCH(QString, detail);
    DbHarness d;
    d.open();
    d.table({"% Comment", "A"});
    const QString path = d.file("bad_in.csv");
    if (content.isEmpty())
      QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
      Put(path, content);
    const auto before = d.z().dbtab;
    d.h.dialog.answers << path;
    d.msg.clear();
    d.click("cmdOpenDatabase");
    QCOMPARE(d.msg.texts, QStringList{"Error in Database File\n" + detail.arg(path)});
    QCOMPARE(d.msg.plainTexts, d.msg.texts);
    QVERIFY(d.z().dbtab == before);
    QCOMPARE(*d.z().dbrows, 2);
    QCOMPARE(d.z().dbfile, std::string("New Database_in.csv"));
    QCOMPARE(d.lines(), (QStringList{"% Comment", "A", "End"}));
  }

  // One byte over the limit: the message says why, nothing of the case or
  // its name changes, and the file does not enter the recent files.
  void projectFileRefused_data() {
    QTest::addColumn<bool>("pipe");
    QTest::addColumn<QString>("message");  // %1: the path
    QTest::newRow("1 MB and a byte")
        << false << "The file %1 is larger than 1 MB, far larger than any project file, and was not opened.";
    QTest::newRow("named pipe") << true << "The file %1 is not a regular file and was not opened.";
  }
  void projectFileRefused() {
    QFETCH(bool, pipe);
    QFETCH(QString, message);
    Harness h;
    const QString path =
        QDir(QDir::tempPath()).filePath(QString("zod_bounds_%1.vtr").arg(QCoreApplication::applicationPid()));
    QFile::remove(path);
    if (pipe) {
      QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
      std::ostringstream out;
      WriteProject(out, h.z);
      QByteArray text = QByteArray::fromStdString(out.str());
      text.insert(text.indexOf("\r\n") + 2, QByteArray(1024 * 1024 + 1 - text.size(), 'p'));
      Put(path, text);
    }
    const DesignCase before = h.z;
    const std::string filename = h.z.filename;
    const QStringList recent = h.recentCaptions();
    h.msg.clear();
    h.open(path);
    QFile::remove(path);
    QCOMPARE(h.msg.texts, QStringList{message.arg(path)});
    QVERIFY(h.z.designCase() == before);
    QCOMPARE(h.z.filename, filename);
    QCOMPARE(h.recentCaptions(), recent);
  }
};

QTEST_MAIN(TestReadBounds)
#include "test_readbounds.moc"
