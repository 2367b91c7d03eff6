// Damaged and hostile sources are refused whole, with a message naming the
// file, and never crash a reader.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>

#include "import/import_source.h"
#include "import/import_test_support.h"
#include "import/source_file.h"
#include "import/source_readers.h"
#include "support/temp_dir.h"

namespace pw::test {
namespace {

class ImportDamage : public ::testing::Test {
 protected:
  QString Write(const char* name, const QByteArray& bytes) {
    const QString path = QString::fromStdString(dir_.file(name));
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  static QByteArray Sample(const char* name) {
    QFile file(ImportSample(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }
  static void ExpectRefused(const ImportRead& read, const QString& path) {
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.batch.notes.empty());
    EXPECT_TRUE(read.error.contains(QFileInfo(path).fileName())) << read.error.toStdString();
  }
  TempDir dir_;
};

TEST_F(ImportDamage, TruncatedFilesAreRefused) {
  const QByteArray ics = Sample("knotes/notes.ics");
  const QString cutIcs = Write("notes.ics", ics.left(ics.size() / 2));
  ExpectRefused(ReadKNotesCalendar(cutIcs), cutIcs);
  const QByteArray mint = Sample("mint/notes.json");
  const QString cutMint = Write("mint.json", mint.left(mint.size() - 10));
  ExpectRefused(ReadMintSticky(cutMint), cutMint);
  const QByteArray gnome = Sample("gnome/notes.json");
  const QString cutGnome = Write("gnome.json", gnome.left(gnome.size() / 3));
  ExpectRefused(ReadGnomeSticky(cutGnome), cutGnome);

  const QString plum = QString::fromStdString(dir_.file("plum.sqlite"));
  sqlite3* database = nullptr;
  ASSERT_EQ(sqlite3_open(QFile::encodeName(plum).constData(), &database), SQLITE_OK);
  std::string sql = "CREATE TABLE Note (Text TEXT, Id TEXT PRIMARY KEY);";
  for (int i = 0; i < 200; ++i) {
    sql +=
        "INSERT INTO Note VALUES ('" + std::string(200, 'x') + "', 'id" + std::to_string(i) + "');";
  }
  ASSERT_EQ(sqlite3_exec(database, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(database);
  ASSERT_TRUE(QFile(plum).resize(QFileInfo(plum).size() / 2));
  ExpectRefused(ReadWindowsSticky(plum), plum);
}

TEST_F(ImportDamage, OversizedFilesAreRefusedBeforeTheyAreRead) {
  const QString big = Write("plain/Huge.txt", "x");
  ASSERT_TRUE(QFile(big).resize(kMaxSourceFileBytes + 1));
  const ImportRead read = ReadPlainFiles(QFileInfo(big).path());
  ExpectRefused(read, big);
  EXPECT_TRUE(read.error.contains("larger than"));
}

TEST_F(ImportDamage, MalformedContentIsRefused) {
  const QString groupNotList = Write("a.json", R"({"Group 1": {"text": "x"}})");
  ExpectRefused(ReadMintSticky(groupNotList), groupNotList);
  const QString noUuid = Write("b.json", R"({"v": 1, "notes": [{"content": "x"}]})");
  ExpectRefused(ReadGnomeSticky(noUuid), noUuid);
  const QString noUid = Write("c.ics",
                              "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VJOURNAL\r\nSUMMARY:x\r\n"
                              "END:VJOURNAL\r\nEND:VCALENDAR\r\n");
  ExpectRefused(ReadKNotesCalendar(noUid), noUid);
  const QString badBase64 =
      Write("mail/cur/1.R1.host:2,S", "Subject: x\nContent-Transfer-Encoding: base64\n\n!!!*\n");
  ExpectRefused(ReadKNotesMaildir(QString::fromStdString(dir_.file("mail"))), badBase64);
  const QString notRtf = Write("rtf/Fake.rtf", "plain words");
  ExpectRefused(ReadPlainFiles(QFileInfo(notRtf).path()), notRtf);
  const QString binary = Write("bin/Data.txt", QByteArray("ab\0cd", 5));
  ExpectRefused(ReadPlainFiles(QFileInfo(binary).path()), binary);
  const QString noTable = Write("notes.dbf", QByteArray(600, '\x7f'));
  ExpectRefused(ReadNotesTable(noTable), noTable);
  const QString noPlum = Write("plum.sqlite", "SQLite format 3 and then nothing");
  ExpectRefused(ReadWindowsSticky(noPlum), noPlum);
}

TEST_F(ImportDamage, HostileNamesAndOffsetsStayInside) {
  Write("pads/info-EVIL01", "content ../../secret\n");
  const QString info = QString::fromStdString(dir_.file("pads/info-EVIL01"));
  ExpectRefused(ReadXpadFolder(QString::fromStdString(dir_.file("pads"))), info);
  const QString wild = Write(
      "wild.json",
      R"({"v": 1, "notes": [{"uuid": "u", "content": "abc", "tags": [{"name": "bold", "start": -5, "end": 99999999999}]}]})");
  const ImportRead read = ReadGnomeSticky(wild);
  ASSERT_TRUE(read.ok) << read.error.toStdString();
  EXPECT_EQ(FormatAt(read.batch.notes.front().rtf, 2).fontWeight(), QFont::Bold);
  const QString unknown = Write("what.bin", "nothing of notes");
  ExpectRefused(ReadImportSource(DetectImportSource(unknown)), unknown);
  const QString missing = QString::fromStdString(dir_.file("gone.json"));
  const ImportRead gone = ReadImportSource(DetectImportSource(missing));
  ExpectRefused(gone, missing);
  EXPECT_TRUE(gone.error.contains("does not exist"));
}

}  // namespace
}  // namespace pw::test
