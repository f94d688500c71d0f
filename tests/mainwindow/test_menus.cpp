// The menu bar and the small windows it reaches: which items act before
// their handlers are connected, what the Help menu opens, the shipped help
// pages and manuals; the about box and the two information windows with
// their pictures, one instance each, the clicks that close them and the
// about box's links.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScreen>

#include "mainwindow/about.h"
#include "mainwindow/infowindows.h"
#include "mainwindow/menus.h"
#include "tests/mainwindow/testsupport.h"

using namespace zod;
using namespace zod::test;

namespace {

const QString kFolder = QStringLiteral("/opt/zidavoru");
const QColor kLink(0, 85, 152);

enum Kind { AboutBox, Length, UsageFactors };

void MoveOver(QWidget* w) {
  QMouseEvent e(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

}  // namespace

class TestMenus : public QObject {
  Q_OBJECT

  QMainWindow* m_owner = nullptr;
  RecordingOpener m_opener;
  RecordingMessenger m_messages;

  QWidget* show(int kind) {
    if (kind == AboutBox) return ShowAbout(m_owner, m_opener, kLink, &m_messages);
    return ShowInfoWindow(m_owner, kind == Length ? InfoKind::Veltrane : InfoKind::UsageFactor);
  }

 private slots:
  void init() {
    m_owner = new QMainWindow;
    m_owner->show();
    m_opener = RecordingOpener();
    m_messages.clear();
  }
  void cleanup() {
    delete m_owner;
    Destroy();
  }

  void linksAndPictures() {
    QWidget* about = show(AboutBox);
    QWidget* uf = show(UsageFactors);
    for (const char* name : {"ab1", "ab5", "ab6"})
      QCOMPARE(Child<QLabel>(about, name)->palette().color(QPalette::WindowText), kLink);
    QVERIFY(!Child<QLabel>(about, "Picture1")->pixmap().isNull() &&
            !Child<QLabel>(about, "Picture5")->pixmap().isNull());
    // the loading conditions stand above the usage factors, which are drawn
    auto* table = Child<InfoPicture>(uf, "Picture1");
    QVERIFY(Child<InfoPicture>(uf, "Picture2")->y() < table->y());
    const QImage img = table->grab().toImage();
    int dark = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) dark += qGray(img.pixel(x, y)) < 100;
    QVERIFY(dark > 500);
  }

  // Modeless, owned by the main window. Shown again while open: the same
  // window, left where it is. Shown right after closing, before the old one
  // is gone: a new one, the about box centred again.
  void oneInstance_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("about") << int(AboutBox) << "about";
    QTest::newRow("length") << int(Length) << "InfoVELTRANE";
    QTest::newRow("usage factors") << int(UsageFactors) << "InfoUF";
  }
  void oneInstance() {
    QFETCH(int, kind);
    QFETCH(QString, name);
    QWidget* w = show(kind);
    QCOMPARE(w->objectName(), name);
    QVERIFY(w->parentWidget() == m_owner && w->isWindow() && !w->isModal());
    QVERIFY(QTest::qWaitForWindowExposed(w));
    auto* about = qobject_cast<About*>(w);
    if (about)  // centred on the screen
      QVERIFY((w->frameGeometry().center() - w->screen()->geometry().center()).manhattanLength() <= 2);
    w->move(w->pos() + QPoint(40, 30));
    const QPoint moved = w->pos();
    QCOMPARE(show(kind), w);
    QCOMPARE(w->pos(), moved);
    w->close();
    QWidget* again = show(kind);
    QVERIFY(again != w && again->isVisible());
    Destroy();
    QCOMPARE(m_owner->findChildren<QWidget*>(again->objectName(), Qt::FindDirectChildrenOnly).size(), 1);
    if (about) QCOMPARE(again->pos(), qobject_cast<About*>(again)->centredPosition());
  }

  void clicksThatClose_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("closes");
    const int left = Qt::LeftButton;
    QTest::newRow("about title") << int(AboutBox) << "ab1" << left << true;
    QTest::newRow("about purpose") << int(AboutBox) << "ab2" << left << true;
    QTest::newRow("about version") << int(AboutBox) << "ab3" << left << true;
    QTest::newRow("about icon") << int(AboutBox) << "Picture5" << left << true;
    QTest::newRow("about rights") << int(AboutBox) << "ab4" << left << false;
    QTest::newRow("about logo") << int(AboutBox) << "Picture1" << left << false;
    QTest::newRow("L figure") << int(Length) << "Picture1" << left << true;
    QTest::newRow("L figure, right button") << int(Length) << "Picture1" << int(Qt::RightButton) << false;
    QTest::newRow("usage factors") << int(UsageFactors) << "Picture1" << left << true;
    QTest::newRow("loading conditions") << int(UsageFactors) << "Picture2" << left << false;
  }
  void clicksThatClose() {
    QFETCH(int, kind);
    QFETCH(QString, control);
    QFETCH(int, button);
    QFETCH(bool, closes);
    QWidget* w = show(kind);
    const QString name = w->objectName();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTest::mouseClick(Child(w, control), Qt::MouseButton(button));
    QCOMPARE(w->isVisible(), !closes);
    QVERIFY(m_opener.urls.isEmpty());
    Destroy();  // closed is unloaded: the next showing makes a new one
    QCOMPARE(m_owner->findChildren<QWidget*>(name, Qt::FindDirectChildrenOnly).size(), closes ? 0 : 1);
  }

  // The web and mail labels: moving over one underlines it until the pointer
  // reaches the background; a click opens the browser or the mail program, a
  // refusal is told with the address, an error on the way as the browser's.
  void links() {
    QWidget* box = show(AboutBox);
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QLabel* ab5 = Child<QLabel>(box, "ab5");
    QLabel* ab6 = Child<QLabel>(box, "ab6");
    QVERIFY(!ab5->font().underline() && !ab6->font().underline());
    MoveOver(ab5);
    QVERIFY(ab5->font().underline());
    MoveOver(Child<QLabel>(box, "ab2"));  // another label or a picture: no change
    MoveOver(Child<QLabel>(box, "Picture1"));
    MoveOver(ab6);
    QVERIFY(ab5->font().underline() && ab6->font().underline());
    MoveOver(box);  // the background
    QVERIFY(!ab5->font().underline() && !ab6->font().underline());
    m_opener.answer = false;
    QTest::mouseClick(ab5, Qt::LeftButton);
    QTest::mouseClick(ab6, Qt::LeftButton);
    QCOMPARE(m_opener.urls, (QList<QUrl>{QUrl(kMakerWeb), QUrl("mailto:" + kMakerMail)}));
    const QString why = ": the desktop has no program to open it";
    QCOMPARE(m_messages.texts,
             (QStringList{"can't open - " + kMakerWeb + why, "can't open - mailto:" + kMakerMail + why}));
    QCOMPARE(m_messages.owners, (QStringList{"about", "about"}));
    QVERIFY(box->isVisible());
    m_messages.clear();
    m_opener.fail = true;
    QTest::mouseClick(ab6, Qt::LeftButton);
    QCOMPARE(m_messages.texts, QStringList{" There was an error when trying to open a default browser "});
  }

  // Nothing looks usable before it does something; Exit works at once.
  void itemsWaitForTheirHandlers() {
    MainMenus m = BuildMenus(*m_owner);
    for (QAction* a : {m.mnunew, m.mnuopen, m.mnusave, m.mnusaveas, m.mnuDb, m.mnuprint, m.mnuhelpcont,
                       m.mnuabout, m.stiffItems[0], m.girdItems[9]})
      QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(m.mnuexit->isEnabled());
    QVERIFY(!m.mnuDb->menu() && !m.mnuprint->menu());  // Database and Print act on a click
    QList<int> kinds;
    ConnectProfileItems(
        m, m_owner, [&kinds](int k) { kinds << k; }, [&kinds](int k) { kinds << 100 + k; });
    for (int k = 0; k < kProfileKinds; ++k) {
      m.stiffItems[k]->trigger();
      m.girdItems[k]->trigger();
    }
    QCOMPARE(kinds,
             (QList<int>{0, 100, 1, 101, 2, 102, 3, 103, 4, 104, 5, 105, 6, 106, 7, 107, 8, 108, 9, 109}));
  }

  // Each opens its file in the program folder, whatever the current folder
  // (a file dialog moves it); a refusal is told, naming the file, and not
  // retried. About opens one box.
  void helpItems_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("path");
    QTest::newRow("contents") << "mnuhelpcont" << kFolder + "/help/index.html";
    QTest::newRow("index") << "mnuindex" << kFolder + "/help/keywords.html";
    QTest::newRow("search") << "mnuhelpsearch" << kFolder + "/help/search.html";
    QTest::newRow("update") << "mnuUpdate" << kFolder + "/Documentation/Zidavoru ZOD Update.pdf";
    QTest::newRow("theory") << "mnuTheory" << kFolder + "/Documentation/Zidavoru ZOD Theory Manual.pdf";
    QTest::newRow("database") << "mnuDatabase" << kFolder + "/Documentation/Zidavoru ZOD Database.pdf";
    QTest::newRow("about") << "mnuabout" << QString();
  }
  void helpItems() {
    QFETCH(QString, item);
    QFETCH(QString, path);
    MainMenus m = BuildMenus(*m_owner);
    m_opener.answer = false;
    m_owner->setObjectName("veltrane");
    ConnectHelpMenu(m, m_owner, m_opener, kFolder, kLink, &m_messages);
    QAction* a = m_owner->findChild<QAction*>(item);
    QVERIFY(a && a->isEnabled());
    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    a->trigger();
    a->trigger();
    QDir::setCurrent(before);
    QCOMPARE(m_opener.urls, path.isEmpty() ? QList<QUrl>{} : QList<QUrl>(2, QUrl::fromLocalFile(path)));
    const QString told = "can't open - " + path + ": the desktop has no program to open it";
    QCOMPARE(m_messages.texts, path.isEmpty() ? QStringList() : QStringList(2, told));
    QCOMPARE(m_messages.owners, path.isEmpty() ? QStringList() : QStringList(2, "veltrane"));
    QCOMPARE(m_owner->findChildren<About*>().size(), int(path.isEmpty()));
    for (QWidget* tl : QApplication::topLevelWidgets())
      QVERIFY(tl == m_owner || !tl->isVisible() || (path.isEmpty() && qobject_cast<About*>(tl)));
  }

  // The desktop's own opener, xdg-open, run with the file or address: a
  // failure it reports is told with its reason, a missing opener at once; an
  // opener still running when the watch ends (without a desktop environment
  // it runs the viewer in the foreground) tells nothing when it ends later.
  void systemOpener_data() {
    QTest::addColumn<QString>("script");  // what the xdg-open on the path does; empty: there is none
    QTest::addColumn<int>("watchMs");
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<QString>("why");  // empty: opened
    const QUrl manual = QUrl::fromLocalFile(kFolder + "/Documentation/Zidavoru ZOD Theory Manual.pdf");
    const int watch = 10000;
    QTest::newRow("opened") << "exit 0" << watch << manual << QString();
    QTest::newRow("web page opened") << "exit 0" << watch << QUrl(kMakerWeb) << QString();
    QTest::newRow("no such file") << "exit 2" << watch << manual << "the file does not exist";
    QTest::newRow("no program") << "exit 3" << watch << manual << "the desktop has no program to open it";
    QTest::newRow("program failed") << "exit 4" << watch << QUrl("mailto:" + kMakerMail)
                                    << "the desktop's program could not open it";
    QTest::newRow("other status") << "exit 9" << watch << manual
                                  << "the desktop's opener xdg-open ended with status 9";
    QTest::newRow("killed") << "kill -9 $$" << watch << manual << "the desktop's opener xdg-open stopped";
    QTest::newRow("missing") << QString() << watch << manual
                             << "the desktop's opener xdg-open could not be started (package xdg-utils)";
    QTest::newRow("viewer closed after the watch") << "sleep 1; exit 4" << 200 << manual << QString();
  }
  void systemOpener() {
    QFETCH(QString, script);
    QFETCH(int, watchMs);
    QFETCH(QUrl, url);
    QFETCH(QString, why);
    QTemporaryDir bin;
    const QString asked = bin.filePath("asked"), ended = bin.filePath("ended");
    if (!script.isEmpty()) {
      WriteBytes(bin.filePath("xdg-open"),
                 "#!/bin/sh\nd=$(dirname \"$0\")\nprintf '%s' \"$1\" > \"$d/asked\"\n"
                 "trap 'touch \"$d/ended\"' EXIT\n" +
                     script.toUtf8() + "\n");
      QVERIFY(QFile::setPermissions(bin.filePath("xdg-open"), QFile::ReadOwner | QFile::ExeOwner));
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit() + (script.isEmpty() ? "" : ":/usr/bin:/bin"));
    QStringList told;
    SystemOpener(watchMs).open(url, [&told](const QString& reason) { told << reason; });
    qputenv("PATH", path);
    if (why.isEmpty()) {
      QTRY_VERIFY(QFile::exists(ended));
      QTest::qWait(200);  // for the end to reach the opener
      QCOMPARE(told, QStringList());
    } else {
      QTRY_COMPARE(told, QStringList{why});
    }
    if (!script.isEmpty())
      QCOMPARE(QString::fromUtf8(ReadBytes(asked)), url.isLocalFile() ? url.toLocalFile() : url.toString());
  }

  // Every link of the shipped help pages leads to a page and anchor that exist.
  void helpPagesLinkToExistingTargets() {
    const QDir help(QStringLiteral(ZOD_DATA_DIR "/help"));
    for (const char* page : {"index.html", "keywords.html", "search.html", "search.js"})
      QVERIFY2(help.exists(QString::fromLatin1(page)), page);
    const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)(?:#([^\"]*))?\""));
    auto read = [&](const QString& page) {
      QFile f(help.filePath(page));
      return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    const QStringList pages = help.entryList({"*.html"});
    QVERIFY(pages.size() > 10);
    int links = 0;
    for (const QString& page : pages) {
      for (auto it = href.globalMatch(read(page)); it.hasNext(); ++links) {
        const auto match = it.next();
        const QString target = match.captured(1).isEmpty() ? page : match.captured(1);
        if (target.contains(':')) continue;  // not a help page
        QVERIFY2(help.exists(target), qPrintable(page + " -> " + target));
        const QString anchor = match.captured(2);
        QVERIFY2(anchor.isEmpty() || read(target).contains("id=\"" + anchor + "\""),
                 qPrintable(page + " -> " + target + "#" + anchor));
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
      QVERIFY(pdf.read(5) == "%PDF-" && pdf.size() > 5000);
    }
  }
};

QTEST_MAIN(TestMenus)
#include "test_menus.moc"
