// The twenty profile dialogs of one main window: each exists at most once,
// is created on first use and anew after it has been closed.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <array>

#include "engine/state.h"
#include "profiles/profiledialog.h"

namespace zod {

class ProfileHost;

class ProfileDialogs {
 public:
  explicit ProfileDialogs(ProfileHost& host);
  ~ProfileDialogs();
  ProfileDialogs(const ProfileDialogs&) = delete;
  ProfileDialogs& operator=(const ProfileDialogs&) = delete;

  // Shows the dialog of (m, kind) modeless, creating it first if needed; an
  // open dialog is brought forward and activated. A kind outside 0..9 shows
  // nothing and gives null.
  ProfileDialog* show(Member m, int kind);
  // The picture buttons: the dialog of the member's current kind
  // (stifftype, girdtype), or nothing for a kind outside 0..9.
  void showCurrent(Member m);
  // The Profiles menu items and the kind combo boxes: the member's kind
  // becomes `kind` before the dialog is shown, so it is current even when
  // the dialog was already open. A kind outside 0..9 changes nothing.
  void openKind(Member m, int kind);
  // The dialog, created without being shown when it is not open (its load
  // step runs, its activation does not). Null for a kind outside 0..9.
  ProfileDialog* dialog(Member m, int kind);
  // The open (loaded) dialog, or null.
  ProfileDialog* find(Member m, int kind) const;
  // The sketch of a kind, as the printed report takes it from the dialog.
  QPixmap sketch(Member m, int kind);
  // Closes every open dialog, in the fixed order of opening a project file.
  // This closing is the program's own: no dialog reads its boxes into the
  // case that has just been read.
  void closeAll();
  // The case has been replaced while dialogs stay open: text typed into them
  // and not yet committed is not kept for the new case.
  void dropTyping();
  // A command is about to use the case: every open dialog commits the text
  // typed into its box under edit, as leaving the box would. False as soon
  // as one holds no number; that dialog's box has the focus back.
  bool commitTyping();

 private:
  static int slot(Member m, int kind) { return (m == Member::Stiffener ? 0 : 10) + kind; }

  ProfileHost& m_host;
  std::array<QPointer<ProfileDialog>, 20> m_dialogs;
};

}  // namespace zod
