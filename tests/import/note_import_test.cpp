// The write of an import, all or nothing, over a sink that can refuse; and
// where an imported note's window goes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <vector>

#include "import/import_ledger.h"
#include "import/note_import.h"
#include "support/temp_dir.h"

namespace pw::test {
namespace {

class RefusingSink : public ImportedNoteSink {
 public:
  explicit RefusingSink(std::size_t refuseAt) : refuseAt_(refuseAt) {}
  std::int32_t AddImportedNote(const ImportedNote& note) override {
    if (added_.size() == refuseAt_) return 0;
    added_.push_back(note.sourceId);
    return static_cast<std::int32_t>(added_.size());
  }
  void RemoveImportedNote(std::int32_t record) override { removed_.push_back(record); }
  std::vector<QString> added_;
  std::vector<std::int32_t> removed_;

 private:
  std::size_t refuseAt_;
};

ImportedNote NoteWithId(const char* id) {
  ImportedNote note;
  note.sourceId = id;
  return note;
}

ImportBatch ThreeNotes() {
  ImportBatch batch;
  batch.sourceKind = "test";
  for (const char* id : {"a", "b", "c"}) batch.notes.push_back(NoteWithId(id));
  return batch;
}

TEST(ImportWrite, ARefusedNoteTakesBackTheNotesBeforeItAndRecordsNothing) {
  TempDir dir;
  ImportLedger ledger(QString::fromStdString(dir.path()));
  RefusingSink sink(2);
  const ImportOutcome outcome = WriteImport(ThreeNotes(), ledger, sink);
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(sink.removed_, (std::vector<std::int32_t>{2, 1}));
  EXPECT_FALSE(ledger.Contains("test", "a"));
  EXPECT_FALSE(QFile::exists(ledger.Path()));
}

TEST(ImportWrite, AnUnwritableLedgerTakesBackEveryNote) {
  TempDir dir;
  ImportLedger ledger(QString::fromStdString(dir.file("no/such/folder")));
  RefusingSink sink(99);
  const ImportOutcome outcome = WriteImport(ThreeNotes(), ledger, sink);
  EXPECT_FALSE(outcome.ok);
  EXPECT_TRUE(outcome.error.contains("cannot be written"));
  EXPECT_EQ(sink.removed_, (std::vector<std::int32_t>{3, 2, 1}));
}

TEST(ImportWrite, TheLedgerSurvivesAReloadAndKeepsNotesFromComingTwice) {
  TempDir dir;
  const QString folder = QString::fromStdString(dir.path());
  ImportLedger ledger(folder);
  RefusingSink sink(99);
  ImportBatch batch = ThreeNotes();
  batch.notes[2].sourceId = "tab\there";
  ASSERT_TRUE(WriteImport(batch, ledger, sink).ok);
  ImportLedger reloaded(folder);
  QString error;
  ASSERT_TRUE(reloaded.Load(&error)) << error.toStdString();
  EXPECT_TRUE(reloaded.Contains("test", "tab\there"));
  EXPECT_FALSE(reloaded.Contains("other", "a"));
  batch.notes.push_back(NoteWithId("d"));
  batch.notes.push_back(NoteWithId("d"));
  EXPECT_EQ(NewNotesOf(batch, reloaded).size(), 1u);
}

TEST(ImportWrite, WindowsStayInsideTheAvailableArea) {
  const QRect area(0, 30, 1024, 738);
  const QSize fallback(121, 120);
  ImportedNote note;
  EXPECT_EQ(PlaceImportedNote(note, fallback, area).center(), area.center());
  note.place = QPoint(-50, 0);
  note.size = QSize(200, 100);
  EXPECT_EQ(PlaceImportedNote(note, fallback, area), QRect(0, 30, 200, 100));
  note.size = QSize(5000, 5000);
  EXPECT_EQ(PlaceImportedNote(note, fallback, area), area);
}

}  // namespace
}  // namespace pw::test
