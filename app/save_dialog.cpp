// SPDX-License-Identifier: GPL-2.0-or-later
// The save dialog: the filter turned into Qt's form, and the dialog itself.
#include "app/save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace caelora {

QString qtNameFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString& pattern = parts[i + 1];
    if (description.isEmpty() && pattern.isEmpty()) continue;
    // Qt reads the patterns from the parentheses of the description.
    filters << (description.contains(QLatin1Char('(') + pattern + QLatin1Char(')'))
                    ? description
                    : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
  }
  return filters.join(QStringLiteral(";;"));
}

void prepareSaveDialog(QFileDialog& dialog, const QString& filter, const QString& title) {
  dialog.setWindowTitle(title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(qtNameFilter(filter));
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
}

QString showSaveDialog(QWidget* owner, const QString& filter, const QString& title,
                       const QString& initialFolder, const QString& defaultName) {
  QFileDialog dialog(owner);
  prepareSaveDialog(dialog, filter, title);
  if (!initialFolder.isEmpty()) dialog.setDirectory(initialFolder);
  if (!defaultName.isEmpty()) dialog.selectFile(defaultName);
  if (dialog.exec() != QDialog::Accepted) return QString();
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : QDir::toNativeSeparators(files.first());
}

}  // namespace caelora
