// Finding the folder of the data files.
#include "app/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace caelora {

namespace {
bool holdsCatalogue(const QString& folder) {
  return QFileInfo::exists(QDir(folder).filePath(QStringLiteral("yale.dat")));
}
}  // namespace

std::string findProgramFolder() {
  const QString beside = QDir::cleanPath(QCoreApplication::applicationDirPath());
  if (holdsCatalogue(beside)) return beside.toStdString();
  const QString installed = QStringLiteral(CAELORA_INSTALL_DATA_DIR);
  if (holdsCatalogue(installed)) return QDir::cleanPath(installed).toStdString();
  return beside.toStdString();
}

}  // namespace caelora
