// The Help menu's commands, the shipped help pages and the built manuals.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "mainwindow/about.h"
#include "mainwindow/help.h"
#include "mainwindow/menus.h"

using namespace zod;

namespace {

class RecordingOpener : public DesktopOpener {
 public:
  QList<QUrl> urls;
  bool answer = true;
  bool open(const QUrl& url) override {
    urls << url;
    return answer;
  }
};

const QString kFolder = QStringLiteral("/opt/zidavoru");

}  // namespace

class TestHelp : public QObject {
  Q_OBJECT

 private slots:
  void menuItemsOpenTheirFiles_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("path");
    QTest::newRow("contents") << "mnuhelpcont" << kFolder + "/help/index.html";
    QTest::newRow("index") << "mnuindex" << kFolder + "/help/keywords.html";
    QTest::newRow("search") << "mnuhelpsearch" << kFolder + "/help/search.html";
    QTest::newRow("update") << "mnuUpdate" << kFolder + "/Documentation/Zidavoru ZOD Update.pdf";
    QTest::newRow("theory") << "mnuTheory" << kFolder + "/Documentation/Zidavoru ZOD Theory Manual.pdf";
    QTest::newRow("database") << "mnuDatabase" << kFolder + "/Documentation/Zidavoru ZOD Database.pdf";
  }
  void menuItemsOpenTheirFiles() {
    QFETCH(QString, item);
    QFETCH(QString, path);
    QMainWindow w;
    MainMenus m = BuildMenus(w);
    RecordingOpener opener;
    opener.answer = false;  // nothing there to open: still no message and no retry
    ConnectHelpMenu(m, &w, opener, kFolder, QColor(0, 85, 152));
    QAction* a = w.findChild<QAction*>(item);
    QVERIFY(a && a->isEnabled());
    a->trigger();
    QCOMPARE(opener.urls, (QList<QUrl>{QUrl::fromLocalFile(path)}));
    for (QWidget* tl : QApplication::topLevelWidgets()) QVERIFY(tl == &w || !tl->isVisible());
  }

  // The search page is found in the program folder whatever the process's
  // current folder is.
  void searchIgnoresTheCurrentFolder() {
    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    RecordingOpener opener;
    Help help(opener, kFolder);
    help.HelpSearch();
    help.HelpContents();
    QDir::setCurrent(before);
    QCOMPARE(opener.urls, (QList<QUrl>{QUrl::fromLocalFile(kFolder + "/help/search.html"),
                                       QUrl::fromLocalFile(kFolder + "/help/index.html")}));
  }

  void aboutItemOpensOneAboutBox() {
    QMainWindow w;
    MainMenus m = BuildMenus(w);
    RecordingOpener opener;
    ConnectHelpMenu(m, &w, opener, kFolder, QColor(0, 85, 152));
    m.mnuabout->trigger();
    m.mnuabout->trigger();
    QCOMPARE(w.findChildren<About*>().size(), 1);
    QVERIFY(w.findChild<About*>()->isVisible());
  }

  // Every link of the shipped help pages leads to a page and anchor that exist.
  void helpPagesLinkToExistingTargets() {
    const QDir help(QStringLiteral(ZOD_DATA_DIR "/help"));
    for (const char* page : {"index.html", "keywords.html", "search.html", "search.js"})
      QVERIFY2(help.exists(QString::fromLatin1(page)), page);
    const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)(?:#([^\"]*))?\""));
    const QStringList pages = help.entryList({"*.html"});
    QVERIFY(pages.size() > 10);
    int links = 0;
    for (const QString& page : pages) {
      QFile f(help.filePath(page));
      QVERIFY(f.open(QIODevice::ReadOnly));
      const QString html = QString::fromUtf8(f.readAll());
      for (auto it = href.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        const QString target = match.captured(1).isEmpty() ? page : match.captured(1);
        if (target.contains(':')) continue;  // not a help page
        QVERIFY2(help.exists(target), qPrintable(page + " -> " + target));
        const QString anchor = match.captured(2);
        if (!anchor.isEmpty()) {
          QFile t(help.filePath(target));
          QVERIFY(t.open(QIODevice::ReadOnly));
          QVERIFY2(QString::fromUtf8(t.readAll()).contains("id=\"" + anchor + "\""),
                   qPrintable(page + " -> " + target + "#" + anchor));
        }
        ++links;
      }
    }
    QVERIFY(links > 50);
  }

  // The build puts the search text and the three manuals beside the program.
  void buildShipsSearchTextAndManuals() {
    const QString bin = QCoreApplication::applicationDirPath();
    QFile index(bin + "/help/searchdata.js");
    QVERIFY2(index.open(QIODevice::ReadOnly), qPrintable(index.fileName()));
    const QByteArray js = index.readAll();
    QVERIFY(js.contains("ringframe.html") && js.contains("Heavy Ringframe control"));
    for (Manual man : {Manual::Update, Manual::Theory, Manual::Database}) {
      QFile pdf(ManualPath(bin, man));
      QVERIFY2(pdf.open(QIODevice::ReadOnly), qPrintable(pdf.fileName()));
      QVERIFY(pdf.read(5) == "%PDF-");
      QVERIFY(pdf.size() > 5000);
    }
  }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
