#include "settings/data_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"

namespace pw {
namespace {

QString Q(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

// Points $XDG_DATA_HOME at a folder for the life of the object.
class DataHome {
 public:
  explicit DataHome(const std::string& path) : saved_(qgetenv("XDG_DATA_HOME")) {
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(path));
  }
  ~DataHome() { qputenv("XDG_DATA_HOME", saved_); }

 private:
  QByteArray saved_;
};

TEST(DataFolderTest, IsThePaperwispFolderOfTheUsersDataHome) {
  test::TempDir home;
  test::TempDir program;
  DataHome data(home.path());
  EXPECT_EQ(DataFolderFor(Q(program.path())), Q(home.file("Paperwisp")));
}

TEST(DataFolderTest, ProgramFolderHoldingTheSettingsInAnyCaseIsPortable) {
  for (const char* name : {"Config.cfg", "CONFIG.CFG", "notes.dbf", "Notes.DBF"}) {
    test::TempDir home;
    test::TempDir program;
    DataHome data(home.path());
    std::ofstream(program.file(name)) << "";
    EXPECT_EQ(DataFolderFor(Q(program.path())), Q(program.path())) << name;
  }
}

TEST(DataFolderTest, OtherFilesInTheProgramFolderDoNotMakeItPortable) {
  test::TempDir home;
  test::TempDir program;
  DataHome data(home.path());
  std::ofstream(program.file("Trash.dbf")) << "";
  std::filesystem::create_directory(program.file("config.cfg.d"));
  std::filesystem::create_directory(program.file("notes.dbf"));
  EXPECT_EQ(DataFolderFor(Q(program.path())), Q(home.file("Paperwisp")));
}

TEST(DataFolderTest, IsCreatedWithItsParents) {
  test::TempDir home;
  const QString folder = Q(home.file("a/b/Paperwisp"));
  QString error;
  ASSERT_TRUE(EnsureDataFolder(folder, &error)) << error.toStdString();
  EXPECT_TRUE(QDir(folder).exists());
  EXPECT_TRUE(EnsureDataFolder(folder, &error));
}

TEST(DataFolderTest, AFileInItsPlaceIsReported) {
  test::TempDir home;
  std::ofstream(home.file("Paperwisp")) << "x";
  QString error;
  EXPECT_FALSE(EnsureDataFolder(Q(home.file("Paperwisp")), &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(DataFolderTest, DataFilesAreFoundInAnyCase) {
  test::TempDir folder;
  std::ofstream(folder.file("Notes.dbf")) << "";
  EXPECT_EQ(DataFilePath(Q(folder.path()), QStringLiteral("notes.dbf")),
            Q(folder.file("Notes.dbf")));
  EXPECT_EQ(DataFilePath(Q(folder.path()), QStringLiteral("Trash.dbf")),
            Q(folder.file("Trash.dbf")));
}

}  // namespace
}  // namespace pw
