// The menu items reaching their handlers, what the Help menu opens, the about
// box and the two information windows.
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
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

  // Modeless, owned by the main window. Shown again while open: the same
  // window, where it is. Right after closing: a new one, the about box centred.
  void oneInstance_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("about") << int(AboutBox);
    QTest::newRow("length") << int(Length);
    QTest::newRow("usage factors") << int(UsageFactors);
  }
  void oneInstance() {
    QFETCH(int, kind);
    QWidget* w = show(kind);
    QVERIFY(w->parentWidget() == m_owner && w->isWindow() && !w->isModal());
    QVERIFY(QTest::qWaitForWindowExposed(w));
    auto* about = qobject_cast<About*>(w);
    if (about)
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
    QTest::newRow("about version") << int(AboutBox) << "ab3" << left << true;
    QTest::newRow("about rights") << int(AboutBox) << "ab4" << left << false;
    QTest::newRow("L figure") << int(Length) << "Picture1" << left << true;
    QTest::newRow("L figure, right button") << int(Length) << "Picture1" << int(Qt::RightButton) << false;
    QTest::newRow("loading conditions") << int(UsageFactors) << "Picture2" << left << false;
  }
  void clicksThatClose() {
    QFETCH(int, kind);
    QFETCH(QString, control);
    QFETCH(int, button);
    QFETCH(bool, closes);
    QWidget* w = show(kind);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTest::mouseClick(Child(w, control), Qt::MouseButton(button));
    QCOMPARE(w->isVisible(), !closes);
    QVERIFY(m_opener.urls.isEmpty());
  }

  // The web and mail labels underline under the pointer until it reaches the
  // background; a click opens them, a refusal shows nothing, a failure is told.
  void links() {
    QWidget* box = show(AboutBox);
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QLabel* ab5 = Child<QLabel>(box, "ab5");
    QLabel* ab6 = Child<QLabel>(box, "ab6");
    MoveOver(ab5);
    MoveOver(ab6);
    QVERIFY(ab5->font().underline() && ab6->font().underline());
    MoveOver(box);
    QVERIFY(!ab5->font().underline() && !ab6->font().underline());
    m_opener.answer = false;
    QTest::mouseClick(ab5, Qt::LeftButton);
    QTest::mouseClick(ab6, Qt::LeftButton);
    QCOMPARE(m_opener.urls, (QList<QUrl>{QUrl(kMakerWeb), QUrl("mailto:" + kMakerMail)}));
    QVERIFY(m_messages.texts.isEmpty() && box->isVisible());
    m_opener.fail = true;
    QTest::mouseClick(ab6, Qt::LeftButton);
    QCOMPARE(m_messages.texts, QStringList{" There was an error when trying to open a default browser "});
  }

  // Nothing looks usable before it does something; each profile item opens
  // its own kind of its own member.
  void itemsWaitForTheirHandlers() {
    MainMenus m = BuildMenus(*m_owner);
    for (QAction* a : {m.mnunew, m.mnusave, m.mnuDb, m.mnuprint, m.mnuhelpcont, m.stiffItems[0]})
      QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(m.mnuexit->isEnabled());
    QList<int> kinds, want;
    ConnectProfileItems(
        m, m_owner, [&kinds](int k) { kinds << k; }, [&kinds](int k) { kinds << 100 + k; });
    for (int k = 0; k < kProfileKinds; ++k) {
      m.stiffItems[k]->trigger();
      m.girdItems[k]->trigger();
      want << k << 100 + k;
    }
    QCOMPARE(kinds, want);
  }

  // Each opens its file in the program folder; a refusal shows nothing and
  // is not retried. About opens one box.
  void helpItems_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("path");
    QTest::newRow("contents") << "mnuhelpcont" << kFolder + "/help/index.html";
    QTest::newRow("theory") << "mnuTheory" << kFolder + "/Documentation/Zidavoru ZOD Theory Manual.pdf";
    QTest::newRow("about") << "mnuabout" << QString();
  }
  void helpItems() {
    QFETCH(QString, item);
    QFETCH(QString, path);
    MainMenus m = BuildMenus(*m_owner);
    m_opener.answer = false;
    ConnectHelpMenu(m, m_owner, m_opener, kFolder, kLink);
    QAction* a = m_owner->findChild<QAction*>(item);
    QVERIFY(a && a->isEnabled());
    a->trigger();
    a->trigger();
    QCOMPARE(m_opener.urls, path.isEmpty() ? QList<QUrl>{} : QList<QUrl>(2, QUrl::fromLocalFile(path)));
    QCOMPARE(m_owner->findChildren<About*>().size(), int(path.isEmpty()));
  }
};

QTEST_MAIN(TestMenus)
#include "test_menus.moc"
