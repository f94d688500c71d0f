// The menu bar: its tree and captions, the Profiles menu per cylinder type,
// and which items act before their handlers are connected.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include "mainwindow/menus.h"

using namespace zod;

namespace {

// "name=caption" for each item of a menu, separators as "name=-".
QStringList Tree(const QList<QAction*>& actions) {
  QStringList out;
  for (QAction* a : actions) out << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? "-" : a->text());
  return out;
}

}  // namespace

class TestMenus : public QObject {
  Q_OBJECT

 private slots:
  void menuTree() {
    QMainWindow w;
    MainMenus m = BuildMenus(w);
    QCOMPARE(Tree(w.menuBar()->actions()),
             (QStringList{"mnufile=&File", "mnuprofiles=&Profiles", "mnuDb=&Database", "mnuprint=Print",
                          "mnuhelp=&Help"}));
    QCOMPARE(Tree(m.mnufile->actions()),
             (QStringList{"mnunew=&New", "mnuopen=&Open", "mnusave=&Save", "mnusaveas=Save &As",
                          "mnurecentfile=-", "mnurecentfile=", "mnurecentfile=", "mnurecentfile=",
                          "mnurecentfile=", "spacer=-", "mnuexit=&Exit"}));
    QCOMPARE(Tree(m.mnuprofiles->actions()),
             (QStringList{"mnustiff=&Longitudinal stiffener", "mnuring=&Ringframe Profile"}));
    const QStringList captions{"&L-table",       "L built-up",       "&T-table",  "T built-up",
                               "Flatbar table",  "Flatbar built-up", "Bulb Flat", "RHS",
                               "Trapez-profile", "I built-up"};
    const QStringList stiff{"mnustiffl",   "mnustifflb", "mnustifft",   "mnustifftb", "mnustifff",
                            "mnustiffflb", "mnustiffhp", "mnustiffrhs", "mnustiffu",  "mnustiffib"};
    const QStringList gird{"mnugirdl",  "mnugirdlb", "mnugirdt",   "mnugirdtb", "mnugirdf",
                           "mnugirdfb", "mnugirdhp", "mnugirdrhs", "mnugirdu",  "mnugirdib"};
    QStringList stiffTree, girdTree;
    for (int k = 0; k < kProfileKinds; ++k) {
      stiffTree << stiff[k] + "=" + captions[k];
      girdTree << gird[k] + "=" + captions[k];
      QCOMPARE(m.stiffItems[k]->data().toInt(), k);
      QCOMPARE(m.girdItems[k]->data().toInt(), k);
    }
    QCOMPARE(Tree(m.mnustiff->actions()), stiffTree);
    QCOMPARE(Tree(m.mnuring->actions()), girdTree);
    QCOMPARE(
        Tree(m.mnuhelp->actions()),
        (QStringList{"mnuhelpcont=&Contents", "mnuindex=&Index", "mnuhelpsearch=&Search for Help On . . . ",
                     "mnuUpdate=Update Information", "mnuTheory=Theory Manual", "mnuDatabase=Database File",
                     "line=-", "mnuabout=&About Zidavoru"}));
    // Database and Print act on a click: no sub-menu.
    QVERIFY(!m.mnuDb->menu());
    QVERIFY(!m.mnuprint->menu());
  }

  void recentItemsStartHidden() {
    QMainWindow w;
    MainMenus m = BuildMenus(w);
    for (int i = 0; i <= 4; ++i) {
      QVERIFY(!m.mnurecentfile[i]->isVisible());
      QCOMPARE(m.mnurecentfile[i]->property("index").toInt(), i);
    }
    QVERIFY(m.mnurecentfile[0]->isSeparator());
  }

  // Nothing looks usable before it does something; Exit works at once.
  void itemsWaitForTheirHandlers() {
    QMainWindow w;
    MainMenus m = BuildMenus(w);
    for (QAction* a :
         {m.mnunew, m.mnuopen, m.mnusave, m.mnusaveas, m.mnuDb, m.mnuprint, m.mnuhelpcont, m.mnuabout})
      QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    for (QAction* a : m.stiffItems) QVERIFY(!a->isEnabled());
    QVERIFY(m.mnuexit->isEnabled());

    int calls = 0;
    HookMenuItem(m.mnuDb, &w, [&calls] { ++calls; });
    QVERIFY(m.mnuDb->isEnabled());
    m.mnuDb->trigger();
    QCOMPARE(calls, 1);
  }

  void exitClosesTheWindow() {
    QMainWindow w;
    MainMenus m = BuildMenus(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    m.mnuexit->trigger();
    QVERIFY(!w.isVisible());
  }

  void profileItemsPassTheirKind() {
    QMainWindow w;
    MainMenus m = BuildMenus(w);
    QList<int> stiff, gird;
    ConnectProfileItems(
        m, &w, [&stiff](int k) { stiff << k; }, [&gird](int k) { gird << k; });
    m.stiffItems[0]->trigger();
    m.stiffItems[8]->trigger();
    m.girdItems[9]->trigger();
    QCOMPARE(stiff, (QList<int>{0, 8}));
    QCOMPARE(gird, (QList<int>{9}));
    for (int k = 0; k < kProfileKinds; ++k)
      QVERIFY(m.stiffItems[k]->isEnabled() && m.girdItems[k]->isEnabled());
  }

  void profilesMenuByCylinderType_data() {
    QTest::addColumn<int>("cylinder");
    QTest::addColumn<bool>("profiles");
    QTest::addColumn<bool>("stiff");
    QTest::addColumn<bool>("ring");
    // For the types without a menu the sub-menus keep what the type before left.
    QTest::newRow("unstiffened") << 0 << false << false << true;
    QTest::newRow("ring stiffened") << 1 << true << false << true;
    QTest::newRow("stringer stiffened") << 2 << true << true << true;
    QTest::newRow("column") << 3 << false << false << true;
  }
  void profilesMenuByCylinderType() {
    QFETCH(int, cylinder);
    QFETCH(bool, profiles);
    QFETCH(bool, stiff);
    QFETCH(bool, ring);
    QMainWindow w;
    MainMenus m = BuildMenus(w);
    ShowProfilesMenus(m, 1);  // the state a ring-stiffened case leaves
    ShowProfilesMenus(m, cylinder);
    QCOMPARE(m.mnuprofiles->menuAction()->isVisible(), profiles);
    QCOMPARE(m.mnustiff->menuAction()->isVisible(), stiff);
    QCOMPARE(m.mnuring->menuAction()->isVisible(), ring);
  }

  // The right-click menu pops up also while the bar hides it.
  void popupWhileHiddenInTheBar() {
    QMainWindow w;
    MainMenus m = BuildMenus(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ShowProfilesMenus(m, 2);
    ShowProfilesMenus(m, 3);
    PopupProfilesMenu(m, w.mapToGlobal(QPoint(20, 20)));
    QTRY_VERIFY(m.mnuprofiles->isVisible());
    QVERIFY(m.mnustiff->menuAction()->isVisible());
    m.mnuprofiles->close();
  }
};

QTEST_MAIN(TestMenus)
#include "test_menus.moc"
