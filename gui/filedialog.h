// The file dialog of the File menu, behind a small interface so that tests
// answer it instead of a user.
#pragma once

#include <QString>

class QWidget;

namespace zod {

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // The chosen path, or an empty string when the user cancelled. `folder` is
  // where the dialog starts; an empty one keeps the folder it was last given.
  // `defaultSuffix` is added to a name typed without an extension.
  virtual QString getOpenFileName(QWidget* parent, const QString& folder, const QString& filter,
                                  const QString& defaultSuffix) = 0;
  // `proposed` is the name shown in the name field; empty shows none.
  virtual QString getSaveFileName(QWidget* parent, const QString& folder, const QString& proposed,
                                  const QString& filter, const QString& defaultSuffix) = 0;

  // Stricter forms for windows whose files must not be mistaken: the open
  // dialog lets the user choose only a file that exists, the save dialog asks
  // before an existing file is replaced (a "no" keeps the dialog open, a
  // cancel gives an empty string). By default they are the dialogs above, so
  // a dialog that answers those answers these too.
  virtual QString getExistingFileName(QWidget* parent, const QString& folder, const QString& filter,
                                      const QString& defaultSuffix) {
    return getOpenFileName(parent, folder, filter, defaultSuffix);
  }
  virtual QString getSaveFileNameAskingReplace(QWidget* parent, const QString& folder,
                                               const QString& proposed, const QString& filter,
                                               const QString& defaultSuffix) {
    return getSaveFileName(parent, folder, proposed, filter, defaultSuffix);
  }
};

// QFileDialog, modal over its parent. In the plain forms the save dialog does
// not ask about an existing file (the commands ask, through the messenger) and
// the open dialog also returns a name that does not exist: the commands
// report what they cannot read.
class SystemFileDialog : public FileDialog {
 public:
  QString getOpenFileName(QWidget* parent, const QString& folder, const QString& filter,
                          const QString& defaultSuffix) override;
  QString getSaveFileName(QWidget* parent, const QString& folder, const QString& proposed,
                          const QString& filter, const QString& defaultSuffix) override;
  QString getExistingFileName(QWidget* parent, const QString& folder, const QString& filter,
                              const QString& defaultSuffix) override;
  QString getSaveFileNameAskingReplace(QWidget* parent, const QString& folder, const QString& proposed,
                                       const QString& filter, const QString& defaultSuffix) override;

 private:
  QString run(QWidget* parent, bool save, bool strict, const QString& folder, const QString& proposed,
              const QString& filter, const QString& defaultSuffix);

  QString m_folder;  // the folder the dialog was last given
};

}  // namespace zod
