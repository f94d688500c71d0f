// The menu bar of the main window: File, Profiles, Database, Print and Help.
// The items carry their design names as object names. Items whose handlers
// live in other windows start disabled and are enabled by HookMenuItem (or
// ConnectProfileItems, ConnectHelpMenu) when their handler is connected, so no
// item ever looks usable without doing anything.
#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <array>
#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QObject;
class QWidget;

namespace zod {

class DesktopOpener;
class Messenger;

// The twenty Profiles items, in ProfileType order (0 "L-table" ... 9 "I built-up").
inline constexpr int kProfileKinds = 10;

struct MainMenus {
  QMenu* mnufile = nullptr;
  QAction* mnunew = nullptr;
  QAction* mnuopen = nullptr;
  QAction* mnusave = nullptr;
  QAction* mnusaveas = nullptr;
  // Item 0 is the separator above the files, items 1 to 4 the recent files;
  // all five hidden until the recent-file list fills them.
  std::array<QAction*, 5> mnurecentfile{};
  QAction* spacer = nullptr;
  QAction* mnuexit = nullptr;

  QMenu* mnuprofiles = nullptr;
  QMenu* mnustiff = nullptr;
  std::array<QAction*, kProfileKinds> stiffItems{};  // mnustiffl ... mnustiffib
  QMenu* mnuring = nullptr;
  std::array<QAction*, kProfileKinds> girdItems{};  // mnugirdl ... mnugirdib

  QAction* mnuDb = nullptr;
  QAction* mnuprint = nullptr;

  QMenu* mnuhelp = nullptr;
  QAction* mnuhelpcont = nullptr;
  QAction* mnuindex = nullptr;
  QAction* mnuhelpsearch = nullptr;
  QAction* mnuUpdate = nullptr;
  QAction* mnuTheory = nullptr;
  QAction* mnuDatabase = nullptr;
  QAction* line = nullptr;
  QAction* mnuabout = nullptr;
};

// Builds the whole menu bar onto the window (replacing its items, if any).
// Exit closes the window; every other item starts disabled.
MainMenus BuildMenus(QMainWindow& window);

// Connects an item to its handler and enables it.
void HookMenuItem(QAction* item, QObject* context, std::function<void()> handler);

// Connects the twenty Profiles items: each calls its member's handler with
// the item's ProfileType code, and is enabled.
void ConnectProfileItems(const MainMenus& menus, QObject* context, std::function<void(int kind)> stiff,
                         std::function<void(int kind)> gird);

// Connects the Help menu: Contents, Index and Search open the help pages, the
// three manual items the PDF manuals of the program folder, About the about
// box (owned by `owner`, links in `linkColor`, opened with the same opener;
// `messenger` may be null, a message box is then shown directly).
void ConnectHelpMenu(const MainMenus& menus, QWidget* owner, DesktopOpener& opener,
                     const QString& programFolder, const QColor& linkColor, Messenger* messenger = nullptr);

}  // namespace zod
