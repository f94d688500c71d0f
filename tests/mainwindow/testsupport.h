// What the window tests share: the main window with a counted calculation
// (whose messages can be kept apart), the file dialog and desktop answered by
// the test, settings kept in a temporary folder, and a user's ways of typing
// and moving the focus.
#pragma once

#include <QtTest>
#include <QtWidgets>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>

#include "gui/filedialog.h"
#include "gui/messenger.h"
#include "mainwindow/help.h"
#include "mainwindow/inputboxes.h"
#include "mainwindow/veltrane.h"

namespace zod::test {

inline void Destroy() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

template <class T = QWidget>
T* Child(const QObject* parent, const QString& name) {
  T* c = parent->findChild<T*>(name);
  if (!c) qFatal("no control %s in %s", qPrintable(name), qPrintable(parent->objectName()));
  return c;
}

template <class W>
W* WaitActive(W* w) {
  if (!w || !QTest::qWaitFor([w] { return QApplication::activeWindow() == w; })) qFatal("window not active");
  return w;
}

inline QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
    qFatal("cannot write %s", qPrintable(path));
}

// Into the box, which selects its text, and over it; empty text deletes.
inline void TypeOver(QLineEdit* e, const QString& text) {
  e->setFocus(Qt::TabFocusReason);
  text.isEmpty() ? QTest::keyClick(e, Qt::Key_Delete) : QTest::keyClicks(e, text);
}

// What a save that failed with the system's error `err` tells the user.
inline QString CantSave(const QString& path, int err) {
  return "can't save file - " + path + ": " + QString::fromLocal8Bit(std::strerror(err));
}

// The colour of the box under edit.
inline bool Yellow(const QWidget* w) { return w->palette().color(QPalette::Base) == QColor(255, 255, 192); }

inline int IdOf(const QString& name) {
  for (int i = 0; i < box::kCount; ++i)
    if (name == BoxDef(i).name) return i;
  qFatal("no box %s", qPrintable(name));
}

// The recent-file list never reaches the user's own settings.
inline void KeepSettingsAside() {
  static QTemporaryDir dir;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
}

// Tells of every message box that is shown.
struct BoxShown : QObject {
  std::function<void()> shown;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Show && qobject_cast<QMessageBox*>(o) && shown) shown();
    return false;
  }
};

// Answers the real modal message boxes as a user does, a moment after each
// appears, and keeps what it saw of them: text, owner's name and width.
// `whileOpen` runs while a box is up, before it is answered. `atOnce`: each
// box is answered before the window system has delivered its activation, as
// an overdue timer does on a loaded machine.
struct BoxAnswerer {
  QStringList texts, owners;
  QList<int> widths;
  std::function<void(QMessageBox*)> whileOpen;
  bool atOnce = false;
  QTimer timer;
  BoxShown watch;
  BoxAnswerer() {
    QObject::connect(&timer, &QTimer::timeout, [this] { answer(); });
    timer.start(10);
    // A posted call runs in the box's event loop ahead of the window
    // system's events.
    watch.shown = [this] {
      if (atOnce)
        QMetaObject::invokeMethod(
            &timer, [this] { answer(); }, Qt::QueuedConnection);
    };
    qApp->installEventFilter(&watch);
  }
  void answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    texts << box->text();
    owners << (box->parentWidget() ? box->parentWidget()->objectName() : QString());
    widths << box->width();
    if (whileOpen) whileOpen(box);
    if (box->isVisible()) box->accept();
  }
};

// `answer` false: the desktop says it could not open the address, with
// `why`; `fail`: an error is raised on the way.
struct RecordingOpener : DesktopOpener {
  QList<QUrl> urls;
  bool answer = true;
  bool fail = false;
  QString why = QStringLiteral("the desktop has no program to open it");
  void open(const QUrl& url, Failed failed) override {
    urls << url;
    if (fail) throw std::runtime_error("no desktop");
    if (!answer) failed(why);
  }
};

// Answers the file dialogs from a queue, an empty answer a cancel; keeps each
// call as "open|folder|filter|suffix" or "save|folder|proposed|filter|suffix".
struct AnsweringDialog : FileDialog {
  QStringList answers, calls;
  QString getOpenFileName(QWidget*, const QString& folder, const QString& filter,
                          const QString& suffix) override {
    calls << QStringList{"open", folder, filter, suffix}.join('|');
    return answers.isEmpty() ? QString() : answers.takeFirst();
  }
  QString getSaveFileName(QWidget*, const QString& folder, const QString& proposed, const QString& filter,
                          const QString& suffix) override {
    calls << QStringList{"save", folder, proposed, filter, suffix}.join('|');
    return answers.isEmpty() ? QString() : answers.takeFirst();
  }
};

class CountingWindow : public Veltrane {
 public:
  using Veltrane::Veltrane;
  int calcs = 0;
  QStringList* engineMessages = nullptr;  // set: the calculation's messages go here, not to the user
  void calculate(QWidget* owner = nullptr) override {
    ++calcs;
    Veltrane::calculate(owner);
  }
  void Message(const std::string& text) override {
    if (engineMessages)
      *engineMessages << QString::fromStdString(text);
    else
      Veltrane::Message(text);
  }
};

// Asks a Harness for real message boxes, answered by its `user`.
struct RealBoxes {};

struct Harness {
  State z;
  RecordingMessenger msg;
  AnsweringDialog dialog;
  RecordingOpener opener;
  std::unique_ptr<BoxMessenger> boxes;  // set: the window shows real boxes
  std::unique_ptr<CountingWindow> w;
  std::unique_ptr<BoxAnswerer> user;  // answers the real boxes and keeps what they said
  bool loaded = false;

  explicit Harness(RealBoxes, bool comma = false, PrintDialog* printDialog = nullptr)
      : boxes(std::make_unique<BoxMessenger>()) {
    start(comma, 96, boxes.get(), ZOD_DATA_DIR, printDialog);
    user = std::make_unique<BoxAnswerer>();
  }
  explicit Harness(bool comma = false, double dpi = 96, Messenger* messenger = nullptr,
                   const QString& data = ZOD_DATA_DIR, PrintDialog* printDialog = nullptr) {
    start(comma, dpi, messenger, data, printDialog);
  }
  void start(bool comma, double dpi, Messenger* messenger, const QString& data, PrintDialog* printDialog) {
    KeepSettingsAside();
    Veltrane::Options opt;
    opt.locale = comma ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c();
    opt.dpi = dpi;
    opt.fileDialog = &dialog;
    opt.opener = &opener;
    opt.printDialog = printDialog;
    w = std::make_unique<CountingWindow>(z, messenger ? *messenger : msg, opt);
    loaded = w->FormLoad(data);
    if (!loaded) return;
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("window not active");
  }
  template <class T = QWidget>
  T* get(const QString& name) const {
    return Child<T>(w.get(), name);
  }
  QLineEdit* box(const QString& name) const { return get<QLineEdit>(name); }
  bool shown(const QString& name) const { return get(name)->isVisibleTo(w.get()); }
  bool yellow(const QString& name) const { return Yellow(box(name)); }
  // The boxes in the focus colour: only the one the user is in.
  QStringList yellowBoxes() const {
    QStringList out;
    for (int i = 0; i < box::kCount; ++i)
      if (yellow(BoxDef(i).name)) out << BoxDef(i).name;
    return out;
  }
  // What the window said: the real boxes' texts, or the recorded messages.
  const QStringList& said() const { return user ? user->texts : msg.texts; }
  void clearSaid() { user ? user->texts.clear() : msg.clear(); }
  void refresh(int cylinder) {
    z.cylinder = static_cast<int16>(cylinder);
    w->RefreshForm();
  }
  void typeInto(const QString& name, const QString& text) { TypeOver(box(name), text); }
  // Type, then Tab on.
  void type(const QString& name, const QString& text) {
    typeInto(name, text);
    QTest::keyClick(box(name), Qt::Key_Tab);
  }
  QString focusName() const {
    QWidget* f = QApplication::focusWidget();
    while (f && (f->objectName().isEmpty() || f->objectName().startsWith("qt_"))) f = f->parentWidget();
    return f ? f->objectName() : QString();
  }
  const MainMenus& menus() const { return w->menus(); }
  QStringList recentCaptions() const {
    QStringList out;
    for (int i = 1; i <= 4; ++i)
      if (menus().mnurecentfile[i]->isVisible()) out << menus().mnurecentfile[i]->text();
    return out;
  }
  void saveAs(const QString& path) {
    dialog.answers << path;
    menus().mnusaveas->trigger();
  }
  void open(const QString& path) {
    dialog.answers << path;
    menus().mnuopen->trigger();
  }
};

}  // namespace zod::test
