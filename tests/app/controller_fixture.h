// A main controller on a data folder of its own, started as the program
// starts it (without waiting for the start-up timer), on a 1024 x 768
// screen and with a sound player that only records what it was asked to
// play; and note records appended to its tables.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "app/controller/notes_main.h"
#include "app/note/note_window.h"
#include "common/error_state.h"
#include "dataset/dbf_table.h"
#include "desktop/sound_player.h"
#include "settings/config_keys.h"
#include "support/recording_sound_player.h"
#include "support/temp_dir.h"

namespace pw::test {

// The fields of a note record the tests set; the others stay blank.
struct TestNote {
  const char* showing = "Y";
  int left = 30;
  int top = 40;
  int width = 121;
  int height = 120;
  QByteArray text = QByteArray();
  const char* minimized = "N";
  const char* stayOnTop = "N";
  const char* desc = "";
  const char* noteBoard = "";
  const char* alarmAct = "N";
};

class ControllerFixture : public ::testing::Test {
 protected:
  void SetUp() override { savedDispatch_ = SetAutoDispatch(false); }
  void TearDown() override { SetAutoDispatch(savedDispatch_); }

  QString File(const char* name) const { return QString::fromStdString(dir_.file(name)); }
  IniFile Config() const { return IniFile(File("Config.cfg")); }

  std::unique_ptr<NotesController> Start() {
    auto controller = StartWithoutTimer();
    controller->onStartupTimeout();
    return controller;
  }

  std::unique_ptr<NotesController> StartWithoutTimer() {
    auto controller = std::make_unique<NotesController>(QString::fromStdString(dir_.path()));
    controller->SetScreenSize({1024, 768});
    controller->SetSoundPlayer(std::make_unique<RecordingSoundPlayer>(&played_));
    controller->FormCreate();
    return controller;
  }

 public:
  // Appends `note` under a lock; returns its record number.
  static std::int32_t AppendNote(DbfTable& table, const TestNote& note) {
    table.ClearRecord();
    table.SetFieldStr("SHOWING", note.showing);
    table.SetFieldInt("LEFT", note.left);
    table.SetFieldInt("TOP", note.top);
    table.SetFieldInt("WIDTH", note.width);
    table.SetFieldInt("HEIGHT", note.height);
    table.SetFieldInt("COLOR", 10092543);
    table.SetFieldStr("MINIMIZED", note.minimized);
    table.SetFieldStr("STAYONTOP", note.stayOnTop);
    table.SetFieldStr("DESC", note.desc);
    table.SetFieldStr("NOTEBOARD", note.noteBoard);
    table.SetFieldStr("ALARMACT", note.alarmAct);
    auto memo = table.CreateBlobStreamByName("MEMO", MemoStream::kWrite);
    EXPECT_TRUE(memo && memo->isOpen());
    if (!memo || !memo->isOpen()) return 0;
    memo->write(note.text);
    EXPECT_TRUE(memo->Finish());
    EXPECT_TRUE(table.ALock());
    table.AppendRec();
    table.UnLock();
    return table.RecNo();
  }

 protected:
  static QList<NoteWindow*> OpenWindows(NotesController& controller) {
    QList<NoteWindow*> open;
    for (NoteWindow* window : controller.findChildren<NoteWindow*>()) {
      if (window->isVisible()) open << window;
    }
    return open;
  }

  TempDir dir_;
  QStringList played_;
  bool savedDispatch_ = false;
};

}  // namespace pw::test
