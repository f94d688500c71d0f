#include "gui/filedialog.h"

#include <QFileDialog>

namespace zod {

QString SystemFileDialog::getOpenFileName(QWidget* parent, const QString& folder, const QString& filter,
                                          const QString& defaultSuffix) {
  return run(parent, false, false, folder, QString(), filter, defaultSuffix);
}

QString SystemFileDialog::getSaveFileName(QWidget* parent, const QString& folder, const QString& proposed,
                                          const QString& filter, const QString& defaultSuffix) {
  return run(parent, true, false, folder, proposed, filter, defaultSuffix);
}

QString SystemFileDialog::getExistingFileName(QWidget* parent, const QString& folder, const QString& filter,
                                              const QString& defaultSuffix) {
  return run(parent, false, true, folder, QString(), filter, defaultSuffix);
}

QString SystemFileDialog::getSaveFileNameAskingReplace(QWidget* parent, const QString& folder,
                                                       const QString& proposed, const QString& filter,
                                                       const QString& defaultSuffix) {
  return run(parent, true, true, folder, proposed, filter, defaultSuffix);
}

QString SystemFileDialog::run(QWidget* parent, bool save, bool strict, const QString& folder,
                              const QString& proposed, const QString& filter, const QString& defaultSuffix) {
  if (!folder.isEmpty()) m_folder = folder;
  QFileDialog d(parent);
  d.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  d.setFileMode(strict && !save ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  d.setOption(QFileDialog::DontConfirmOverwrite, !strict);
  d.setNameFilter(filter);
  d.setDefaultSuffix(defaultSuffix);
  if (!m_folder.isEmpty()) d.setDirectory(m_folder);
  if (!proposed.isEmpty()) d.selectFile(proposed);
  if (d.exec() != QDialog::Accepted) return {};
  const QStringList files = d.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

}  // namespace zod
