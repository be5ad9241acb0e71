// SPDX-License-Identifier: GPL-2.0-or-later
// Which folder the programs take their data from: the build tree keeps the
// data beside the executables, an installed program under ../share/caelora.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "chart/program_folder.h"

using namespace caelora;

namespace {

void putCatalogue(const QString& folder) {
  ASSERT_TRUE(QDir().mkpath(folder));
  QFile file(folder + "/yale.dat");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

std::string clean(const QString& path) { return QDir::cleanPath(path).toStdString(); }

}  // namespace

TEST(ProgramFolder, DataBesideTheExecutableWinsOverAnInstalledFolder) {
  QTemporaryDir root;
  putCatalogue(root.path() + "/bin");
  putCatalogue(root.path() + "/share/caelora");
  EXPECT_EQ(findProgramFolder(clean(root.path() + "/bin")), clean(root.path() + "/bin"));
  // A trailing separator changes nothing.
  EXPECT_EQ(findProgramFolder(clean(root.path() + "/bin") + "/"), clean(root.path() + "/bin"));
}

TEST(ProgramFolder, InstalledProgramFindsShareCaeloraUnderAnyPrefix) {
  QTemporaryDir root;  // as a DESTDIR staging or an unpacked package would be
  putCatalogue(root.path() + "/usr/share/caelora");
  ASSERT_TRUE(QDir().mkpath(root.path() + "/usr/bin"));
  EXPECT_EQ(findProgramFolder(clean(root.path() + "/usr/bin")),
            clean(root.path() + "/usr/share/caelora"));
}

TEST(ProgramFolder, NoDataAnywhereNamesTheExecutableFolder) {
  QTemporaryDir root;
  ASSERT_TRUE(QDir().mkpath(root.path() + "/bin"));
  // Unless the build's own prefix holds an installed copy, the folder beside
  // the executable is where the loaders will report missing files.
  const std::string found = findProgramFolder(clean(root.path() + "/bin"));
  if (!QFile::exists(QStringLiteral(CAELORA_TEST_INSTALLED_DATA_DIR "/yale.dat")))
    EXPECT_EQ(found, clean(root.path() + "/bin"));
  else
    EXPECT_EQ(found, std::string(CAELORA_TEST_INSTALLED_DATA_DIR));
}
