// Shared pieces of the data set tests: a user interface that records what
// the layer shows, a fixture with a temporary folder and the engine's
// auto-dispatch off (as the program runs it), and the note table's lines.
#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <string>

#include "dataset/dataset_ui.h"
#include "dataset/dbf_table.h"
#include "support/temp_dir.h"

namespace pw::test {

class RecordingUi : public DatasetUi {
 public:
  void Warning(const QString& text) override { warnings.append(text); }
  void ProgressStart(const QString& caption) override { progressCaptions.append(caption); }
  void ProgressTick() override { ++ticks; }
  void ProgressFinish() override { ++finishes; }
  void RequestProgramEnd() override { ++endRequests; }

  QStringList warnings;
  QStringList progressCaptions;
  int ticks = 0;
  int finishes = 0;
  int endRequests = 0;
};

// The DbfFields and IndexList lines of the application's note tables.
QStringList NoteTableFields();
QStringList NoteTableIndexList();

class DatasetTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A component on `file` in the temporary folder with the note table's
  // layout (created when missing), not yet open.
  std::unique_ptr<DbfTable> NoteTable(const std::string& file = "notes.dbf",
                                      const QString& name = QStringLiteral("TzNotes"));
  // A small table: NAME C 10, QTY N 5, PRICE N 8 2, DAY D 8, OK L 1, TEXT M 10.
  std::unique_ptr<DbfTable> SmallTable(const QString& name = QStringLiteral("TzSmall"));
  // Appends a record to an open component through the direct operations.
  void AddRecord(DbfTable& dbf, const QString& name, int qty);

  TempDir dir_;
  RecordingUi ui_;

 private:
  bool savedDispatch_ = true;
  DatasetUi* savedUi_ = nullptr;
};

}  // namespace pw::test
