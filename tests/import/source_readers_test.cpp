// Each reader over a sample built to its program's documented format, field
// by field.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextList>
#include <algorithm>

#include "import/import_source.h"
#include "import/import_test_support.h"
#include "import/imported_note.h"
#include "import/note_palette.h"
#include "import/source_readers.h"
#include "settings/windows_color.h"
#include "support/temp_dir.h"

namespace pw::test {
namespace {

const ImportedNote& NoteCaptioned(const ImportBatch& batch, const QString& caption) {
  const auto found =
      std::find_if(batch.notes.begin(), batch.notes.end(),
                   [&](const ImportedNote& note) { return note.caption == caption; });
  if (found == batch.notes.end()) throw std::runtime_error("no note " + caption.toStdString());
  return *found;
}

TEST(ImportReaders, PlainFilesBecomeOneNoteEachWithTheFileNameAsCaption) {
  const ImportRead read = ReadPlainFiles(ImportSample("plain"));
  ASSERT_TRUE(read.ok) << read.error.toStdString();
  ASSERT_EQ(read.batch.notes.size(), 3u);
  EXPECT_EQ(PlainTextOfRtf(NoteCaptioned(read.batch, "Shopping").rtf), "Milk\nBread\n");
  const ImportedNote& plan = NoteCaptioned(read.batch, "Plan");
  const auto document = DocumentOfRtf(plan.rtf);
  EXPECT_TRUE(document->toPlainText().contains("Do this first, then that."));
  const int bold = document->toPlainText().indexOf("this");
  EXPECT_EQ(FormatAt(plan.rtf, bold).fontWeight(), QFont::Bold);
  EXPECT_TRUE(FormatAt(plan.rtf, document->toPlainText().indexOf("that")).fontItalic());
  EXPECT_TRUE(FormatAt(plan.rtf, document->toPlainText().indexOf("the site")).isAnchor());
  const QTextBlock item = document->findBlock(document->toPlainText().indexOf("one"));
  EXPECT_NE(item.textList(), nullptr);
  const ImportedNote& letter = NoteCaptioned(read.batch, "Letter");
  EXPECT_EQ(PlainTextOfRtf(letter.rtf).trimmed(), "Dear Sir");
  EXPECT_EQ(FormatAt(letter.rtf, 5).fontWeight(), QFont::Bold);
  EXPECT_FALSE(letter.place.has_value());
  EXPECT_EQ(letter.color, NearestNoteColor({}));
}

TEST(ImportReaders, XpadInfoFileGivesPlaceSizeColourAndFlags) {
  const ImportRead read = ReadXpadFolder(ImportSample("xpad"));
  ASSERT_TRUE(read.ok) << read.error.toStdString();
  ASSERT_EQ(read.batch.notes.size(), 1u);
  const ImportedNote& pad = read.batch.notes.front();
  EXPECT_EQ(pad.sourceId, "info-ABC123");
  EXPECT_EQ(pad.caption, "Buy stamps");
  EXPECT_EQ(PlainTextOfRtf(pad.rtf), "Buy stamps\nand envelopes");
  EXPECT_EQ(pad.place, QPoint(1500, 40));
  EXPECT_EQ(pad.size, QSize(240, 180));
  EXPECT_EQ(pad.color, WindowsValueOfColor(QColor(0xCCFFCC)));  // rgb(204,255,153): green
  EXPECT_TRUE(pad.stayOnTop);
  EXPECT_FALSE(pad.showing);
  EXPECT_TRUE(read.batch.notCarried.join(' ').contains("fonts"));
}

TEST(ImportReaders, KNotesCalendarGivesOneNotePerJournalWithHtmlAsFormatting) {
  const ImportRead read = ReadKNotesCalendar(ImportSample("knotes/notes.ics"));
  ASSERT_TRUE(read.ok) << read.error.toStdString();
  ASSERT_EQ(read.batch.notes.size(), 2u);
  const ImportedNote& phones = read.batch.notes[0];
  EXPECT_EQ(phones.sourceId, "libkcal-1234567.890");
  EXPECT_EQ(phones.caption, "Phone numbers");
  EXPECT_EQ(PlainTextOfRtf(phones.rtf), "Anna 555-0101\nBen 555-0102");
  EXPECT_EQ(phones.created, QDate(2024, 3, 1));
  const ImportedNote& formatted = read.batch.notes[1];
  EXPECT_EQ(PlainTextOfRtf(formatted.rtf), "Bold and italic");
  EXPECT_EQ(FormatAt(formatted.rtf, 0).fontWeight(), QFont::Bold);
  EXPECT_TRUE(FormatAt(formatted.rtf, 9).fontItalic());
  EXPECT_TRUE(read.batch.notCarried.join(' ').contains("alarms"));
}

TEST(ImportReaders, KNotesMaildirDecodesSubjectsAndBodies) {
  const ImportRead read = ReadKNotesMaildir(ImportSample("knotes-maildir"));
  ASSERT_TRUE(read.ok) << read.error.toStdString();
  ASSERT_EQ(read.batch.notes.size(), 2u);
  const ImportedNote& cafe = NoteCaptioned(read.batch, QString::fromUtf8("Café list"));
  EXPECT_EQ(cafe.sourceId, "1709288100.R42.host");
  EXPECT_EQ(PlainTextOfRtf(cafe.rtf), QString::fromUtf8("Café au lait"));
  const ImportedNote& rich = NoteCaptioned(read.batch, "Rich");
  EXPECT_EQ(PlainTextOfRtf(rich.rtf), "Strong words");
  EXPECT_EQ(FormatAt(rich.rtf, 0).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatAt(rich.rtf, 8).fontWeight(), QFont::Bold);
}

TEST(ImportReaders, MintStickyGroupsBecomeBoardsAndMarkupBecomesFormatting) {
  const ImportRead read = ReadMintSticky(ImportSample("mint/notes.json"));
  ASSERT_TRUE(read.ok) << read.error.toStdString();
  ASSERT_EQ(read.batch.notes.size(), 2u);
  const ImportedNote& errands = NoteCaptioned(read.batch, "Errands");
  EXPECT_EQ(errands.board, "Group 1");
  EXPECT_EQ(errands.place, QPoint(100, 120));
  EXPECT_EQ(errands.size, QSize(250, 200));
  EXPECT_EQ(errands.color, WindowsValueOfColor(QColor(0xCCFFCC)));
  const QString text = PlainTextOfRtf(errands.rtf);
  EXPECT_EQ(text, QString::fromUtf8("Post office # 2\n☑ Stamps\n• Parcel now"));
  EXPECT_EQ(FormatAt(errands.rtf, 0).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatAt(errands.rtf, 5).fontWeight(), QFont::Bold);
  EXPECT_EQ(NoteCaptioned(read.batch, "Call").board, "Work");
  EXPECT_TRUE(read.batch.notCarried.join(' ').contains("highlight"));
  // No ids in the file: the same note gets the same digest on every read.
  EXPECT_EQ(ReadMintSticky(ImportSample("mint/notes.json")).batch.notes[0].sourceId,
            read.batch.notes[0].sourceId);
}

TEST(ImportReaders, GnomeStickyTagsFormatTheirCharacters) {
  const ImportRead read = ReadGnomeSticky(ImportSample("gnome/notes.json"));
  ASSERT_TRUE(read.ok) << read.error.toStdString();
  ASSERT_EQ(read.batch.notes.size(), 1u);
  const ImportedNote& note = read.batch.notes.front();
  EXPECT_EQ(note.sourceId, "5f0c6f3e-2a0d-4b6e-9a57-0b5a4c1d2e3f");
  EXPECT_EQ(note.caption, "Hello world");
  EXPECT_EQ(PlainTextOfRtf(note.rtf), "Hello world\nsecond line");
  EXPECT_EQ(FormatAt(note.rtf, 4).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatAt(note.rtf, 6).fontWeight(), QFont::Bold);
  EXPECT_TRUE(FormatAt(note.rtf, 6).fontItalic());
  EXPECT_EQ(note.size, QSize(300, 280));
  EXPECT_FALSE(note.place.has_value());
  EXPECT_FALSE(note.showing);
  EXPECT_EQ(note.color, WindowsValueOfColor(QColor(0xFFCCE5)));  // style 2, pink
  EXPECT_EQ(note.created, QDate(2024, 5, 6));
  EXPECT_TRUE(read.batch.notCarried.join(' ').contains("mono"));
}

// A plum.sqlite with the Note table's columns as Sticky Notes 3 and 4 make them.
void MakePlum(const QString& path, const char* rows) {
  sqlite3* database = nullptr;
  ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &database), SQLITE_OK);
  const std::string sql =
      std::string(
          "CREATE TABLE Note (Text TEXT, WindowPosition TEXT, IsOpen INTEGER, "
          "IsAlwaysOnTop INTEGER, CreationNoteIdAnchor TEXT, Theme TEXT, IsFutureNote "
          "INTEGER, RemoteId TEXT, ChangeKey TEXT, LastServerVersion TEXT, "
          "RemoteSchemaVersion INTEGER, IsRemoteDataInvalid INTEGER, PendingInsightsScan "
          "INTEGER, Type TEXT, Id TEXT PRIMARY KEY, ParentId TEXT, CreatedAt INTEGER, "
          "DeletedAt INTEGER, UpdatedAt INTEGER);") +
      rows;
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(database, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
      << (error ? error : "");
  sqlite3_free(error);
  sqlite3_close(database);
}

TEST(ImportReaders, WindowsStickyNotesRowsGiveTextPlaceThemeAndFlags) {
  TempDir dir;
  const QString plum = QString::fromStdString(dir.file("plum.sqlite"));
  // 637999632000000000 ticks: 2022-09-28 at noon UTC.
  MakePlum(plum,
           "INSERT INTO Note (Text, WindowPosition, IsOpen, IsAlwaysOnTop, Theme, Id, CreatedAt) "
           "VALUES ('\\id=a1b2 First line\r\n\\id=c3d4 Second line', "
           "'ManagedPosition=DeviceId:\\\\?\\DISPLAY;Position=200,150;Size=320,300', 1, 1, "
           "'Blue', 'note-1', 637999632000000000);"
           "INSERT INTO Note (Text, Theme, Id, DeletedAt) VALUES ('\\id=e5 Binned', 'Pink', "
           "'note-2', 638000000000000000);");
  const ImportRead read = ReadWindowsSticky(plum);
  ASSERT_TRUE(read.ok) << read.error.toStdString();
  ASSERT_EQ(read.batch.notes.size(), 1u);
  const ImportedNote& note = read.batch.notes.front();
  EXPECT_EQ(note.sourceId, "note-1");
  EXPECT_EQ(note.caption, "First line");
  EXPECT_EQ(PlainTextOfRtf(note.rtf), "First line\nSecond line");
  EXPECT_EQ(note.place, QPoint(200, 150));
  EXPECT_EQ(note.size, QSize(320, 300));
  EXPECT_TRUE(note.showing);
  EXPECT_TRUE(note.stayOnTop);
  EXPECT_EQ(note.color, WindowsValueOfColor(QColor(0xCCE5FF)));  // Blue, E2F1FF: light blue
  EXPECT_EQ(note.created, QDate(2022, 9, 28));
  EXPECT_TRUE(read.batch.notCarried.join(' ').contains("1 deleted notes"));
  // Read from a copy: no journal or lock file appears beside the source.
  EXPECT_EQ(QDir(QString::fromStdString(dir.path())).entryList(QDir::Files),
            QStringList{"plum.sqlite"});
}

TEST(ImportReaders, APathNamesItsSource) {
  EXPECT_EQ(DetectImportSource(ImportSample("plain")).kind, ImportSource::kPlainFiles);
  EXPECT_EQ(DetectImportSource(ImportSample("plain/Plan.md")).kind, ImportSource::kPlainFiles);
  const DetectedSource pad = DetectImportSource(ImportSample("xpad/content-ABC123"));
  EXPECT_EQ(pad.kind, ImportSource::kXpad);
  EXPECT_EQ(pad.path, QDir(ImportSample("xpad")).absolutePath());
  EXPECT_EQ(DetectImportSource(ImportSample("knotes/notes.ics")).kind,
            ImportSource::kKNotesCalendar);
  const DetectedSource maildir =
      DetectImportSource(ImportSample("knotes-maildir/new/1709288200.R43.host"));
  EXPECT_EQ(maildir.kind, ImportSource::kKNotesMaildir);
  EXPECT_EQ(maildir.path, QDir(ImportSample("knotes-maildir")).absolutePath());
  EXPECT_EQ(DetectImportSource(ImportSample("mint/notes.json")).kind, ImportSource::kMintSticky);
  EXPECT_EQ(DetectImportSource(ImportSample("gnome/notes.json")).kind, ImportSource::kGnomeSticky);
  EXPECT_EQ(DetectImportSource(ImportSample("nothing-here")).kind, ImportSource::kUnknown);
}

}  // namespace
}  // namespace pw::test
