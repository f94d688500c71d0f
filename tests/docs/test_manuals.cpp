// The manuals as the build sets them, in the Documentation folder of the
// program folder, read back through their text layer as a viewer copies and
// searches them: a space between two words is a space, so that a search for
// both finds them.
#include <QCoreApplication>
#include <QtTest>

#include "tests/report/pdftext.h"

using namespace zod::test;

class TestManuals : public QObject {
  Q_OBJECT

 private slots:
  void spacesReadAsSpaces_data() {
    QTest::addColumn<QString>("manual");
    QTest::addColumn<QString>("title");
    QTest::newRow("update") << "Zidavoru ZOD Update.pdf"
                            << "Update Information";
    QTest::newRow("theory") << "Zidavoru ZOD Theory Manual.pdf"
                            << "Theory Manual";
    QTest::newRow("database") << "Zidavoru ZOD Database.pdf"
                              << "Database File";
  }

  void spacesReadAsSpaces() {
    QFETCH(QString, manual);
    QFETCH(QString, title);
    const QString pdf = QCoreApplication::applicationDirPath() + "/Documentation/" + manual;
    QVERIFY2(QFile::exists(pdf), qPrintable(pdf + " is not built"));
    const QStringList layer = TextLayer(pdf);
    const QString all = layer.join('\n');
    QVERIFY2(layer.contains(title), qPrintable(all));
    QVERIFY2(layer.contains(QString::fromUtf8("Zidavoru ZOD \u2013 Version 1.8.5")), qPrintable(all));
    // the footer of every page
    QVERIFY2(layer.filter(QString::fromUtf8("Zidavoru ZOD \u2013 ") + title).size() > 1, qPrintable(all));
    QVERIFY2(!all.contains('\t'), qPrintable(layer.filter("\t").join('\n')));
  }
};

QTEST_GUILESS_MAIN(TestManuals)
#include "test_manuals.moc"
