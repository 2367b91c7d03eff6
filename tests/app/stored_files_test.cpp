// What a first run of the program leaves in its data folder, byte for byte
// as an earlier build wrote it (tests/data/stored): the three tables with
// their memo files and indexes, and Config.cfg with its keys and the place
// of the Notes & Reminders window. Renaming a class or a member must change
// none of it. The header dates are the day of the run, so they are blanked
// on both sides: bytes 1-3 of a .dbf, bytes 1-3 and 44-46 of a .mdx.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

#include "app/program_fixture.h"

namespace pw {
namespace {

using test::Program;

QByteArray WithoutDates(QByteArray bytes, const QString& name) {
  const auto blank = [&bytes](int offset) {
    if (bytes.size() >= offset + 3) bytes.replace(offset, 3, QByteArray(3, '\0'));
  };
  if (name.endsWith(QStringLiteral(".dbf")) || name.endsWith(QStringLiteral(".mdx"))) blank(1);
  if (name.endsWith(QStringLiteral(".mdx"))) blank(44);
  return bytes;
}

class StoredFilesTest : public test::ProgramFixture {};

TEST_F(StoredFilesTest, AFirstRunWritesTheTablesAndSettingsAnEarlierBuildWrote) {
  Program first(Home());
  ASSERT_TRUE(WaitUntilIdle(first));
  EXPECT_EQ(Program(Home(), {"--notes"}).ExitCode(), 0);
  EXPECT_EQ(Program(Home(), {"--quit"}).ExitCode(), 0);
  ASSERT_EQ(first.ExitCode(), 0);

  for (const char* name :
       {"Config.cfg", "notes.dbf", "notes.dbt", "notes.mdx", "Trash.dbf", "Trash.dbt", "Trash.mdx",
        "defaults.dbf", "defaults.dbt", "defaults.mdx"}) {
    const QString file = QString::fromLatin1(name);
    const QByteArray expected =
        WithoutDates(test::ReadAll(QStringLiteral(PAPERWISP_TEST_DATA "/stored/") + file), file);
    const QByteArray written = WithoutDates(test::ReadAll(DataFile(name)), file);
    ASSERT_FALSE(expected.isEmpty()) << name;
    EXPECT_EQ(written.size(), expected.size()) << name;
    EXPECT_TRUE(written == expected) << name << " differs; written:\n" << written.toHex(' ').data();
  }
}

}  // namespace
}  // namespace pw
