// SPDX-License-Identifier: GPL-2.0-or-later
// Finding the folder of the data files.
#include "chart/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace caelora {

namespace {
bool holdsCatalogue(const QString& folder) {
  return QFileInfo::exists(QDir(folder).filePath(QStringLiteral("yale.dat")));
}
}  // namespace

std::string findProgramFolder(const std::string& executableFolder) {
  const QString beside = QDir::cleanPath(QString::fromStdString(executableFolder));
  if (holdsCatalogue(beside)) return beside.toStdString();
  const QString relative =
      QDir::cleanPath(beside + QStringLiteral("/" CAELORA_INSTALL_DATA_FROM_BIN));
  if (holdsCatalogue(relative)) return relative.toStdString();
  const QString installed = QDir::cleanPath(QStringLiteral(CAELORA_INSTALL_DATA_DIR));
  if (holdsCatalogue(installed)) return installed.toStdString();
  return beside.toStdString();
}

std::string findProgramFolder() {
  return findProgramFolder(QCoreApplication::applicationDirPath().toStdString());
}

}  // namespace caelora
