// Zidavoru ZOD: buckling strength of cylindrical shells.
#include <QApplication>
#include <QDir>

#include "engine/state.h"
#include "gui/messenger.h"
#include "mainwindow/veltrane.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zidavoru ZOD"));

  zod::State z;
  zod::BoxMessenger messenger;
  zod::Veltrane mainform(z, messenger);
  messenger.setOwner(&mainform);
  QObject::connect(&mainform, &zod::Veltrane::unloaded, &app, &QApplication::quit);

  // The data files and help live in the program folder, which is also the
  // current folder from here on.
  const QString folder = QCoreApplication::applicationDirPath();
  QDir::setCurrent(folder);
  if (!mainform.FormLoad(folder)) return 1;
  mainform.show();
  // Without a window manager nothing else activates the window, and the
  // keys typed at once would be lost.
  mainform.activateWindow();
  return app.exec();
}
