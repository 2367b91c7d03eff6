// The note record layout, its tables on disk and the copy between tables.
#include <gtest/gtest.h>

#include <QFile>
#include <memory>

#include "app/record/note_record.h"
#include "common/error_state.h"
#include "dataset/dbf_table.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

int ReadWord(const std::string& path, int offset) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray bytes = file.read(offset + 2);
  if (bytes.size() < offset + 2) return -1;
  return static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1])
                                                         << 8;
}

class NoteTables : public ::testing::Test {
 protected:
  void SetUp() override { savedDispatch_ = SetAutoDispatch(false); }
  void TearDown() override { SetAutoDispatch(savedDispatch_); }

  std::unique_ptr<DbfTable> Table(const std::string& file, const QStringList& lines) {
    auto table = std::make_unique<DbfTable>();
    table->setObjectName(QString::fromStdString(file));
    ConfigureNoteTable(*table, lines);
    table->SetDbfFileName(QString::fromStdString(dir_.file(file)));
    table->Open();
    table->SetIndexTo(QString());
    return table;
  }

  test::TempDir dir_;
  bool savedDispatch_ = false;
};

TEST_F(NoteTables, FieldLinesDifferOnlyInSeparatorsAndTemplateDateWidths) {
  const QStringList notes = NoteTableFieldLines();
  const QStringList templates = TemplateTableFieldLines();
  ASSERT_EQ(notes.size(), 37);
  ASSERT_EQ(templates.size(), 37);
  EXPECT_EQ(notes[0], "desc, C, 50, 0");
  EXPECT_EQ(templates[0], "desc,C,50,0");
  EXPECT_EQ(notes[32], "capfontsiz, N, 5, 2");
  EXPECT_EQ(notes[34], "datealmact, D, 10, 0");
  EXPECT_EQ(templates[34], "datealmact,D,8,0");
  EXPECT_EQ(templates[35], "date1,D,8,0");
  EXPECT_EQ(templates[27], "expiredate,D,10,0");
  EXPECT_EQ(NoteIndexLines().size(), 10);
  EXPECT_EQ(NoteIndexLines()[4], "SHOWING,F,F,showing");
}

TEST_F(NoteTables, NotesAndTemplatesTablesShareTheRecordLayout) {
  { auto notes = Table("notes.dbf", NoteTableFieldLines()); }
  { auto templates = Table("defaults.dbf", TemplateTableFieldLines()); }
  EXPECT_EQ(ReadWord(dir_.file("notes.dbf"), 8), 1217);
  EXPECT_EQ(ReadWord(dir_.file("notes.dbf"), 10), 481);
  EXPECT_EQ(ReadWord(dir_.file("defaults.dbf"), 8), 1217);
  EXPECT_EQ(ReadWord(dir_.file("defaults.dbf"), 10), 481);
}

// Checked while the new table is still open: a program killed during its
// first start must not leave an index file that the table disowns.
TEST_F(NoteTables, NewTableRecordsItsIndexAndCodePageBeforeItIsClosed) {
  auto notes = Table("notes.dbf", NoteTableFieldLines());
  ASSERT_TRUE(QFile::exists(QString::fromStdString(dir_.file("notes.mdx"))));
  QFile file(QString::fromStdString(dir_.file("notes.dbf")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray prolog = file.read(32);
  ASSERT_EQ(prolog.size(), 32);
  EXPECT_EQ(prolog[28], 1) << "production index flag";
  EXPECT_EQ(prolog[29], 0x02) << "language driver: code page 850";
}

TEST_F(NoteTables, CopyCarriesSpareFieldsMemoAndLastFiring) {
  auto source = Table("notes.dbf", NoteTableFieldLines());
  auto target = Table("Trash.dbf", NoteTableFieldLines());
  source->ClearRecord();
  source->SetFieldStr("DESC", "Call home");
  source->SetFieldStr("CHAR3", "spare");
  source->SetFieldFloat("NUM4", 12.5);
  source->SetFieldInt("COLOR", 10092543);
  source->SetFieldDate("DATEALMACT", "03/14/2024");
  source->SetFieldStr("TIMEALMACT", "7:3");
  {
    auto memo = source->CreateBlobStreamByName("MEMO", MemoStream::kWrite);
    ASSERT_TRUE(memo && memo->isOpen());
    memo->write("note text");
    ASSERT_TRUE(memo->Finish());
  }
  ASSERT_TRUE(source->ALock());
  source->AppendRec();
  source->UnLock();

  CopyNoteRecord(*source, *target);
  ASSERT_TRUE(target->ALock());
  target->AppendRec();
  target->UnLock();

  target->GoTop();
  ASSERT_FALSE(target->Eof());
  EXPECT_EQ(target->GetFieldStr("DESC").trimmed(), "Call home");
  EXPECT_EQ(target->GetFieldStr("CHAR3").trimmed(), "spare");
  EXPECT_DOUBLE_EQ(target->GetFieldFloat("NUM4"), 12.5);
  EXPECT_EQ(target->GetFieldInt("COLOR"), 10092543);
  EXPECT_EQ(target->GetFieldDate("DATEALMACT"), source->GetFieldDate("DATEALMACT"));
  EXPECT_EQ(target->GetFieldStr("TIMEALMACT").trimmed(), "7:3");
  auto memo = target->CreateBlobStreamByName("MEMO", MemoStream::kRead);
  ASSERT_TRUE(memo && memo->isOpen());
  EXPECT_EQ(memo->readAll(), "note text");
  memo->Finish();
  EXPECT_EQ(source->RecordCount(), 1);
}

}  // namespace
}  // namespace pw
