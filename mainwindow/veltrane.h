// The main window "veltrane": one design case edited box by box and choice
// by choice, recalculated after every change, with the three result pictures.
// It holds no copy of the case: every control reads and writes the State it
// was given. It is also the engine's View and the host of the profile
// dialogs, and it carries the menu bar with the File menu's commands.
#pragma once

#include <QHash>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QSet>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "engine/state.h"
#include "engine/view.h"
#include "mainwindow/core/recentfiles.h"
#include "mainwindow/inputboxes.h"
#include "mainwindow/menus.h"
#include "mainwindow/sketches.h"
#include "profiles/profilehost.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace zod {

class DatabaseWindows;
class DesktopOpener;
class FileDialog;
class Messenger;
class PrintDialog;
class ProfileDialogs;
class ResultPicture;

class Veltrane : public QMainWindow, public View, public ProfileHost {
  Q_OBJECT

 public:
  struct Options {
    // The regional number formatting that start-up probes for the decimal
    // separator (commadec, decsep); tests pass a fixed one.
    QLocale locale = QLocale();
    // Dots per inch that size the window and the result pictures; 0 takes
    // the screen's logical dots per inch.
    double dpi = 0;
    // The file dialog of the File menu; null takes the system's.
    FileDialog* fileDialog = nullptr;
    // The store of the recent-file list; null takes the user's settings.
    RecentStore* recentStore = nullptr;
    // Opens help pages, manuals and the about box's links; null takes the
    // desktop's.
    DesktopOpener* opener = nullptr;
    // The print dialog of the Print command; null takes the system's.
    PrintDialog* printDialog = nullptr;
  };

  // Windows that other parts of the program provide. Until one is installed
  // the controls that open it stay disabled.
  enum class Opener {
    StiffForm,      // the stiffener dialog of stifftype: cbostiff, cmdpic_stiff
    GirdForm,       // the ring-frame dialog of girdtype: cboring, cmdpic_gird
    InfoUF,         // the basic usage factors: cmd_wsd
    InfoVeltrane,   // the definition of the cylinder length: Picture
    AddToDatabase,  // stores the case as a new database row: cmdDatabase
  };

  Veltrane(State& z, Messenger& messenger, QWidget* parent = nullptr);
  Veltrane(State& z, Messenger& messenger, const Options& options, QWidget* parent = nullptr);
  ~Veltrane() override;

  // Start-up: program folder, decimal separator, size and layout, default
  // case, tables, caption, refresh and the first calculation. False when a
  // data table could not be read; the message has been shown then and the
  // program must end.
  bool FormLoad(const QString& apppath);

  // Writes the whole design case into the window (see the refresh source).
  void RefreshForm();
  // The same for a case just put in place (started, new, opened, loaded from
  // the database), whose one calculation the caller runs after it: the
  // handlers that the refresh sets off calculate nothing, so each message of
  // that case's calculation is shown once and no run sees the case half in
  // place, and what they store is undone, so the case keeps every value it
  // came with. The box under edit is let go without a commit: it belonged
  // to the case that was left. Once the caller's handler has finished, one
  // input box is entered for the user.
  void RefreshPlaced();
  // The caption "Zidavoru ZOD: " followed by the current file name.
  void WriteCaption();

  // ProfileHost
  State& state() override { return m_z; }
  Messenger& messenger() override { return m_messenger; }
  QWidget* ownerWindow() override { return this; }
  void setKindComboText(Member m, int kind) override;
  void refresh() override { RefreshForm(); }

  // An exclamation message box through the injected messenger, owned by
  // `owner` (null: this window).
  void message(const QString& text, QWidget* owner = nullptr);

  void setOpener(Opener which, std::function<void()> open);
  bool hasOpener(Opener which) const;
  // The Profiles menu (objectName "mnuprofiles", with sub-menus "mnustiff"
  // and "mnuring"): the refresh shows or hides it by cylinder type and a
  // right-click on the window pops it up.
  void setProfilesMenu(QMenu* menu);
  QMenu* profilesMenu() const { return m_profilesMenu; }

  // The twenty profile dialogs of this window.
  ProfileDialogs& profileDialogs() { return *m_profiles; }
  // The menu bar.
  const MainMenus& menus() const { return m_menus; }

  // The File menu.
  void mnunew_Click();
  void mnuopen_Click();
  void mnusave_Click();
  void mnusaveas_Click();
  void mnurecentfile_Click(int k);
  // The Print item: the print dialog, then the report once per copy.
  void mnuprint_Click();
  // Rebuilds the recent-file items from the store.
  void GetRecentFiles();
  const RecentItems& recentItems() const { return m_recentItems; }

  // The sketch shown in pic20 and its store name ("pic20" ... "pic31").
  QString currentSketchName() const;
  CylinderSketch currentSketch() const { return m_sketch; }

  // View
  void SetText(std::string_view control, const std::string& text) override;
  void SetCaption(std::string_view control, const std::string& text) override;
  void SetPicture(std::string_view control, const std::string& icon) override;
  void SetFocus(std::string_view control) override;
  void SetVisible(std::string_view control, bool visible) override;
  PanelSurface* Surface(std::string_view control) override;
  void Message(const std::string& text) override;
  void ResultsFinished(bool finished) override;

 public slots:
  void showStiffForm();
  void showGirdForm();
  void showInfoUF();
  void showInfoVeltrane();
  void addToDatabase();

 signals:
  // The window was closed: the program ends.
  void unloaded();

 public:
  // The one recalculation of the case after a change; its messages belong
  // to `owner` (null: this window).
  void calculate(QWidget* owner = nullptr) override;

  // A command that uses the case (Save, Save As, Print, Add to Database)
  // first commits the box being edited, as leaving it would: its checks,
  // messages and recalculation; then each open profile dialog commits what
  // is typed into its box the same way. A value outside its limits stays
  // stored, and the command goes on with it after the message. False when
  // a box held text that is not a number: nothing was stored, the user is
  // back in the box, and the command must not run.
  bool CommitEdit();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  class Busy;
  friend class Busy;

  // the other windows, the menu bar and its handlers
  void InstallWindows();
  void ConnectHelp();
  bool ReadFile(const QString& path);
  bool SaveFile(const QString& path);
  QString DialogFolder() const;
  bool MayReplace(const QString& path);
  void ReDerive();
  // The designation and picture of both members, worked out from the case.
  void ShowProfiles();

  // design
  void BuildControls();
  void LayoutFrames();
  void SizeWindow();
  QWidget* named(const QString& name) const { return m_controls.value(name); }
  template <class T>
  T* add(T* w, const char* name, bool rightClick);
  QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, bool rightClick = true);
  QLabel* label(QWidget* parent, const char* name, const QString& text, double x, double y, double w,
                bool rightClick, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
  QLineEdit* input(QWidget* parent, int id, double x, double y, double w);
  void place(QWidget* w, double x, double y, double width, double height);
  int px(double v) const;

  // input boxes
  void GotFocus(int id);
  // False when the text could not be read as a number: nothing was stored
  // and the user is back in the box.
  bool LostFocus(int id);
  void LeaveBox(int id);
  bool Arrive(QObject* watched);
  bool Untouched(QLineEdit* e) const;
  bool CommitOwnEdit();
  void KeyEnter(int id);
  void ComboEnter(QComboBox* combo);
  bool ReadBox(int id, bool& mismatch);
  void CorrectGilt();
  QWidget* NextInChain(const QString& from) const;
  void setBoxColour(QLineEdit* w, bool focus);
  void focusBack(QWidget* w);
  void BeginHandler();
  void applyPendingFocus();
  QLineEdit* PlacedBox() const;
  bool shown(QWidget* w) const;

  // choices and buttons
  void ConnectChoices();
  void cboMaterial_Click(int member, int index);
  void cbostiff_Click(int index);
  void cboring_Click(int index);
  void cylinder_Click(int type);
  void ring_ch_Click(bool ticked);
  void hring_ch_Click(bool ticked);
  void Outside_ch_Click(bool ticked);
  void check_ih_Click(bool ticked);
  void opt_lrfd_Click();
  void opt_wsd_Click();
  void odmom_Click(int k);
  void ringfab_Click(int k);
  void Command3_Click();
  void cmd_lrfd_Click();
  bool RightMouseUp(QObject* watched, const QPoint& globalPos);
  bool popupApplies() const;
  void ApplyProfilesMenu(int type);

  // refresh
  void ShowSketch(CylinderSketch which);
  void setChecked(QRadioButton* b);
  void setTicked(QCheckBox* b, bool ticked);

  QString display(double v, const char* pattern) const;

  State& m_z;
  Messenger& m_messenger;
  Options m_options;
  double m_scale = 1;  // dots per inch / 96

  QHash<QString, QWidget*> m_controls;  // every design control by its name
  QSet<QObject*> m_rightClick;          // the controls whose right-click pops up the Profiles menu
  QHash<QObject*, int> m_boxOf;
  QHash<QObject*, QComboBox*> m_comboOf;  // a combo box and its line edit

  std::array<QLineEdit*, box::kCount> m_box{};
  QComboBox *m_cbofyp = nullptr, *m_cbofys = nullptr, *m_cbofyg = nullptr;
  QComboBox *m_cbostiff = nullptr, *m_cboring = nullptr;
  std::array<QRadioButton*, 4> m_cylinder{};
  QRadioButton *m_optLrfd = nullptr, *m_optWsd = nullptr, *m_odmom1 = nullptr, *m_odmom2 = nullptr;
  QRadioButton *m_ringfab0 = nullptr, *m_ringfab1 = nullptr;
  QCheckBox *m_ringCh = nullptr, *m_hringCh = nullptr, *m_outsideCh = nullptr, *m_checkIh = nullptr;
  QPushButton *m_cmdLrfd = nullptr, *m_cmdWsd = nullptr, *m_picture = nullptr, *m_command3 = nullptr;
  QPushButton *m_cmdDatabase = nullptr, *m_cmdpicStiff = nullptr, *m_cmdpicGird = nullptr;
  QGroupBox *m_fr10 = nullptr, *m_fr110 = nullptr, *m_fr111 = nullptr, *m_fr1111 = nullptr;
  QGroupBox *m_fr112 = nullptr, *m_fr120 = nullptr, *m_fr121 = nullptr, *m_fr123 = nullptr;
  QGroupBox *m_fr124 = nullptr, *m_fr12 = nullptr, *m_fr20 = nullptr;
  QGroupBox *m_fr30 = nullptr, *m_fr31 = nullptr, *m_fr32 = nullptr;
  QLabel *m_pic20 = nullptr, *m_textUfb = nullptr, *m_txt1 = nullptr;
  QLabel *m_stiffprof = nullptr, *m_ringprof = nullptr;
  ResultPicture *m_pic30 = nullptr, *m_pic31 = nullptr, *m_pic32 = nullptr;

  QPointer<QMenu> m_profilesMenu;
  std::array<std::function<void()>, 5> m_openers;

  std::unique_ptr<ProfileDialogs> m_profiles;
  DatabaseWindows* m_databaseWindows = nullptr;  // a child of this window
  MainMenus m_menus;
  std::unique_ptr<FileDialog> m_ownFileDialog;
  FileDialog* m_fileDialog = nullptr;
  std::unique_ptr<RecentStore> m_ownRecentStore;
  RecentStore* m_recentStore = nullptr;
  RecentItems m_recentItems;
  DesktopOpener* m_opener = nullptr;
  std::unique_ptr<PrintDialog> m_ownPrintDialog;
  PrintDialog* m_printDialog = nullptr;

  // the sketch store: drawn on first use, kept for the program's life
  std::map<CylinderSketch, QPixmap> m_sketches;
  CylinderSketch m_sketch = CylinderSketch::StringersInside;
  bool m_sketchShown = false;

  // focus bookkeeping: the box under edit, the handlers running, and the
  // control a handler wants to have the focus once it has finished
  QPointer<QLineEdit> m_current;
  int m_handling = 0;
  QPointer<QWidget> m_pendingFocus;
  // the window that was active when the outermost handler began
  QPointer<QWidget> m_handlerWindow;
  // the window whose change the running calculation follows
  QPointer<QWidget> m_calcOwner;
  // a case is being put in place: its refresh calculates nothing
  int m_placing = 0;
  // A case was put in place by the running handler: once it has finished,
  // an input box is entered for the user, untouched.
  bool m_placed = false;
  // The box entered for the user after a case was put in place, or entered
  // anew after a command committed it. Until the user edits it (its
  // modified flag) or presses Enter in it, leaving it commits nothing, so
  // the case stays exactly as it was put in place (a value shown rounded is
  // not rounded behind the user's back) and a value committed is not
  // committed again.
  QPointer<QLineEdit> m_untouched;
};

// Marks one of the window's handlers as running. Focus changes inside it
// commit no box, and a focus that the handler asked for is given once the
// outermost handler has finished.
class Veltrane::Busy {
 public:
  explicit Busy(Veltrane& w) : m_w(w) {
    if (m_w.m_handling++ == 0) m_w.BeginHandler();
  }
  ~Busy() {
    if (--m_w.m_handling == 0) m_w.applyPendingFocus();
  }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  Veltrane& m_w;
};

}  // namespace zod
