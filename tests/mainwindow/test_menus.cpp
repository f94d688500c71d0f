// What the Help menu opens, the about box and the two information windows.

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
  void oneInstance() {
    for (int kind : {AboutBox, Length, UsageFactors}) {
      QWidget* w = show(kind);
      QVERIFY(w->parentWidget() == m_owner && w->isWindow() && !w->isModal());
      QVERIFY(QTest::qWaitForWindowExposed(w));
      auto* about = qobject_cast<About*>(w);
      w->move(w->pos() + QPoint(40, 30));
      const QPoint moved = w->pos();
      QVERIFY(show(kind) == w && w->pos() == moved);
      w->close();
      QWidget* again = show(kind);
      QVERIFY(again != w && again->isVisible());
      Destroy();
      QCOMPARE(m_owner->findChildren<QWidget*>(again->objectName(), Qt::FindDirectChildrenOnly).size(), 1);
      if (about) QCOMPARE(again->pos(), qobject_cast<About*>(again)->centredPosition());
    }
  }

  // A click on the web or mail label opens it; a refusal shows nothing, a failure is told.
  void links() {
    QWidget* box = show(AboutBox);
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QLabel* ab5 = Child<QLabel>(box, "ab5");
    QLabel* ab6 = Child<QLabel>(box, "ab6");
    m_opener.answer = false;
    QTest::mouseClick(ab5, Qt::LeftButton);
    QTest::mouseClick(ab6, Qt::LeftButton);
    QCOMPARE(m_opener.urls, (QList<QUrl>{QUrl(kMakerWeb), QUrl("mailto:" + kMakerMail)}));
    QVERIFY(m_messages.texts.isEmpty() && box->isVisible());
    m_opener.fail = true;
    QTest::mouseClick(ab6, Qt::LeftButton);
    QCOMPARE(m_messages.texts, QStringList{" There was an error when trying to open a default browser "});
  }

  // Each opens its file in the program folder; a refusal shows nothing and
  // is not retried. About opens one box.
  void helpItems() {
    MainMenus m = BuildMenus(*m_owner);
    m_opener.answer = false;
    ConnectHelpMenu(m, m_owner, m_opener, kFolder, kLink);
    for (const auto& [item, path] : {std::pair<QString, QString>{"mnuhelpcont", kFolder + "/help/index.html"},
                                     {"mnuTheory", kFolder + "/Documentation/Zidavoru ZOD Theory Manual.pdf"},
                                     {"mnuabout", QString()}}) {
      m_opener.urls.clear();
      QAction* a = m_owner->findChild<QAction*>(item);
      QVERIFY(a && a->isEnabled());
      a->trigger();
      a->trigger();
      QCOMPARE(m_opener.urls, path.isEmpty() ? QList<QUrl>{} : QList<QUrl>(2, QUrl::fromLocalFile(path)));
    }
    QCOMPARE(m_owner->findChildren<About*>().size(), 1);
  }
};

QTEST_MAIN(TestMenus)
#include "test_menus.moc"
