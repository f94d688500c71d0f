// What the profile dialogs need of the main window, which implements it.
#pragma once

#include "engine/state.h"
#include "gui/messenger.h"

class QWidget;

namespace zod {

class ProfileHost {
 public:
  virtual ~ProfileHost();
  // The one program state.
  virtual State& state() = 0;
  // Message boxes with the exclamation icon.
  virtual Messenger& messenger() = 0;
  // The main window: owner of every dialog, and what they are placed by.
  virtual QWidget* ownerWindow() = 0;
  // Shows entry `kind` of cbostiff or cboring as the combo box's text; this
  // opens no dialog and starts nothing else.
  virtual void setKindComboText(Member m, int kind) = 0;
  // Calculate with the window's view, so the result pictures are redrawn.
  // `owner` is the window that set the calculation off: the messages of the
  // calculation belong to it (null: the main window).
  virtual void calculate(QWidget* owner = nullptr) = 0;
  // Writes the whole design case into the main window's controls.
  virtual void refresh() = 0;
};

}  // namespace zod
