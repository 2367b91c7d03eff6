#include "common/path_names.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(PathPieces, SplitsFolderNameAndExtension) {
  const PathPieces p = SplitPath("/home/ann/notes.dbf");
  EXPECT_EQ(p.folder, "/home/ann/");
  EXPECT_EQ(p.name, "notes");
  EXPECT_EQ(p.extension, ".dbf");
  const PathPieces bare = SplitPath("notes");
  EXPECT_EQ(bare.folder, "");
  EXPECT_EQ(bare.name, "notes");
  EXPECT_EQ(bare.extension, "");
}

TEST(PathPieces, DotInFolderIsNoExtension) {
  const PathPieces p = SplitPath("/data.d/notes");
  EXPECT_EQ(p.folder, "/data.d/");
  EXPECT_EQ(p.name, "notes");
  EXPECT_EQ(p.extension, "");
  EXPECT_EQ(RemoveExt("/data.d/notes"), "/data.d/notes");
  EXPECT_EQ(DefaultExt("/data.d/notes", "dbf"), "/data.d/notes.dbf");
}

TEST(PathPieces, FileNameAndExtensionTestLookAtTheLastComponentOnly) {
  EXPECT_EQ(FileNameOf("/data/v1.2/notes.dbf"), "notes.dbf");
  EXPECT_EQ(FileNameOf("notes"), "notes");
  EXPECT_TRUE(HasExtension("/data/notes.DBF"));
  EXPECT_FALSE(HasExtension("/data/v1.2/notes"));
}

TEST(PathPieces, NameAndExtensionAreCappedAt64) {
  const std::string longName(80, 'n');
  const std::string longExt(80, 'e');
  const PathPieces p = SplitPath("/x/" + longName + "." + longExt);
  EXPECT_EQ(p.name, std::string(64, 'n'));
  EXPECT_EQ(p.extension, "." + std::string(63, 'e'));
}

TEST(PathPieces, ExtensionEditing) {
  EXPECT_EQ(RemoveExt("a/notes.dbf"), "a/notes");
  EXPECT_EQ(RemoveExt("a/notes.tar.gz"), "a/notes.tar");
  EXPECT_EQ(ForceExt("a/notes.dbf", "mdx"), "a/notes.mdx");
  EXPECT_EQ(ForceExt("a/notes", "mdx"), "a/notes.mdx");
  EXPECT_EQ(DefaultExt("a/notes", "dbf"), "a/notes.dbf");
  EXPECT_EQ(DefaultExt("a/notes.txt", "dbf"), "a/notes.txt");
}

TEST(PathPieces, UpperPathChangesOnlyAsciiLetters) {
  EXPECT_EQ(UpperPath("/home/ab/Notes.dbf"), "/HOME/AB/NOTES.DBF");
  // UTF-8 bytes that Windows-1252 upper-cases (0xE6 -> 0xC6, 0x9C -> 0x8C,
  // 0x9A -> 0x8A, 0xFF -> 0x9F) stay as they are: "日本", "Κω", "Jösé".
  EXPECT_EQ(UpperPath("/\xE6\x97\xA5\xE6\x9C\xAC/a b"), "/\xE6\x97\xA5\xE6\x9C\xAC/A B");
  EXPECT_EQ(UpperPath("/\xCE\x9A\xCF\x89mega"), "/\xCE\x9A\xCF\x89MEGA");
  EXPECT_EQ(UpperPath("/J\xC3\xB6s\xC3\xA9\xFF.dbf"), "/J\xC3\xB6S\xC3\xA9\xFF.DBF");
}

}  // namespace
}  // namespace pw
