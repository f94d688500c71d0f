#include "mainwindow/menus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "mainwindow/about.h"
#include "mainwindow/help.h"

namespace zod {

namespace {

struct ProfileItem {
  const char* caption;
  const char* stiffName;
  const char* girdName;
};

// Captions are the same in both sub-menus; the names follow the dialogs.
constexpr std::array<ProfileItem, kProfileKinds> kProfileItems{{
    {"&L-table", "mnustiffl", "mnugirdl"},
    {"L built-up", "mnustifflb", "mnugirdlb"},
    {"&T-table", "mnustifft", "mnugirdt"},
    {"T built-up", "mnustifftb", "mnugirdtb"},
    {"Flatbar table", "mnustifff", "mnugirdf"},
    {"Flatbar built-up", "mnustiffflb", "mnugirdfb"},
    {"Bulb Flat", "mnustiffhp", "mnugirdhp"},
    {"RHS", "mnustiffrhs", "mnugirdrhs"},
    {"Trapez-profile", "mnustiffu", "mnugirdu"},
    {"I built-up", "mnustiffib", "mnugirdib"},
}};

QAction* Item(QMenu* menu, const char* name, const char* caption, bool enabled = false) {
  QAction* a = menu->addAction(QString::fromLatin1(caption));
  a->setObjectName(QString::fromLatin1(name));
  a->setEnabled(enabled);
  return a;
}

QAction* Separator(QMenu* menu, const char* name) {
  QAction* a = menu->addSeparator();
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

QMenu* SubMenu(QWidget* parent, const char* name, const char* caption) {
  auto* m = new QMenu(QString::fromLatin1(caption), parent);
  m->setObjectName(QString::fromLatin1(name));
  m->menuAction()->setObjectName(QString::fromLatin1(name));
  return m;
}

}  // namespace

MainMenus BuildMenus(QMainWindow& window) {
  MainMenus m;
  QMenuBar* bar = window.menuBar();
  bar->clear();

  m.mnufile = SubMenu(bar, "mnufile", "&File");
  bar->addMenu(m.mnufile);
  m.mnunew = Item(m.mnufile, "mnunew", "&New");
  m.mnuopen = Item(m.mnufile, "mnuopen", "&Open");
  m.mnusave = Item(m.mnufile, "mnusave", "&Save");
  m.mnusaveas = Item(m.mnufile, "mnusaveas", "Save &As");
  // One control array: every item is "mnurecentfile", told apart by "index".
  m.mnurecentfile[0] = Separator(m.mnufile, "mnurecentfile");
  for (int i = 1; i <= 4; ++i) m.mnurecentfile[i] = Item(m.mnufile, "mnurecentfile", "");
  for (int i = 0; i <= 4; ++i) {
    m.mnurecentfile[i]->setProperty("index", i);
    m.mnurecentfile[i]->setVisible(false);
  }
  m.spacer = Separator(m.mnufile, "spacer");
  m.mnuexit = Item(m.mnufile, "mnuexit", "&Exit", true);
  QObject::connect(m.mnuexit, &QAction::triggered, &window, &QWidget::close);

  m.mnuprofiles = SubMenu(bar, "mnuprofiles", "&Profiles");
  bar->addMenu(m.mnuprofiles);
  m.mnustiff = SubMenu(m.mnuprofiles, "mnustiff", "&Longitudinal stiffener");
  m.mnuprofiles->addMenu(m.mnustiff);
  m.mnuring = SubMenu(m.mnuprofiles, "mnuring", "&Ringframe Profile");
  m.mnuprofiles->addMenu(m.mnuring);
  for (int k = 0; k < kProfileKinds; ++k) {
    m.stiffItems[k] = Item(m.mnustiff, kProfileItems[k].stiffName, kProfileItems[k].caption);
    m.girdItems[k] = Item(m.mnuring, kProfileItems[k].girdName, kProfileItems[k].caption);
    m.stiffItems[k]->setData(k);
    m.girdItems[k]->setData(k);
  }

  // Database and Print act when clicked: items of the bar itself.
  m.mnuDb = bar->addAction(QStringLiteral("&Database"));
  m.mnuDb->setObjectName(QStringLiteral("mnuDb"));
  m.mnuDb->setEnabled(false);
  m.mnuprint = bar->addAction(QStringLiteral("Print"));
  m.mnuprint->setObjectName(QStringLiteral("mnuprint"));
  m.mnuprint->setEnabled(false);

  m.mnuhelp = SubMenu(bar, "mnuhelp", "&Help");
  bar->addMenu(m.mnuhelp);
  m.mnuhelpcont = Item(m.mnuhelp, "mnuhelpcont", "&Contents");
  m.mnuindex = Item(m.mnuhelp, "mnuindex", "&Index");
  m.mnuhelpsearch = Item(m.mnuhelp, "mnuhelpsearch", "&Search for Help On . . . ");
  m.mnuUpdate = Item(m.mnuhelp, "mnuUpdate", "Update Information");
  m.mnuTheory = Item(m.mnuhelp, "mnuTheory", "Theory Manual");
  m.mnuDatabase = Item(m.mnuhelp, "mnuDatabase", "Database File");
  m.line = Separator(m.mnuhelp, "line");
  m.mnuabout = Item(m.mnuhelp, "mnuabout", "&About Zidavoru");
  return m;
}

void HookMenuItem(QAction* item, QObject* context, std::function<void()> handler) {
  QObject::connect(item, &QAction::triggered, context ? context : item, [h = std::move(handler)] { h(); });
  item->setEnabled(true);
}

void ConnectProfileItems(const MainMenus& menus, QObject* context, std::function<void(int kind)> stiff,
                         std::function<void(int kind)> gird) {
  for (int k = 0; k < kProfileKinds; ++k) {
    HookMenuItem(menus.stiffItems[k], context, [stiff, k] { stiff(k); });
    HookMenuItem(menus.girdItems[k], context, [gird, k] { gird(k); });
  }
}

void ConnectHelpMenu(const MainMenus& menus, QWidget* owner, DesktopOpener& opener,
                     const QString& programFolder, const QColor& linkColor, Messenger* messenger) {
  Help help(opener, programFolder, messenger, owner);
  HookMenuItem(menus.mnuhelpcont, owner, [help]() mutable { help.HelpContents(); });
  HookMenuItem(menus.mnuindex, owner, [help]() mutable { help.HelpIndex(); });
  HookMenuItem(menus.mnuhelpsearch, owner, [help]() mutable { help.HelpSearch(); });
  HookMenuItem(menus.mnuUpdate, owner, [help]() mutable { help.OpenManual(Manual::Update); });
  HookMenuItem(menus.mnuTheory, owner, [help]() mutable { help.OpenManual(Manual::Theory); });
  HookMenuItem(menus.mnuDatabase, owner, [help]() mutable { help.OpenManual(Manual::Database); });
  HookMenuItem(menus.mnuabout, owner,
               [owner, &opener, linkColor, messenger] { ShowAbout(owner, opener, linkColor, messenger); });
}

}  // namespace zod
