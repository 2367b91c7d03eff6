// A note window test on a running controller: notes shown from records of
// its notes table, and those records read back.
#pragma once

#include <QRect>
#include <QTest>
#include <memory>

#include "app/controller_fixture.h"

namespace pw::test {

class NoteWindowFixture : public ControllerFixture {
 protected:
  void SetUp() override {
    ControllerFixture::SetUp();
    controller_ = Start();
  }
  void TearDown() override {
    controller_.reset();
    ControllerFixture::TearDown();
  }

  DbfTable& Notes() { return controller_->NotesTable(); }

  // A window made and shown from a new record holding `note`.
  NoteWindow* ShowNote(const TestNote& note) {
    if (AppendNote(Notes(), note) == 0) return nullptr;
    auto* window = new NoteWindow(*controller_);
    window->ShowFromRecord();
    return window;
  }

  // The record `recordNumber` made current, for reading its fields.
  DbfTable& Record(std::int32_t recordNumber) {
    Notes().Go(recordNumber);
    return Notes();
  }

  QRect RecordBounds(std::int32_t recordNumber) {
    DbfTable& notes = Record(recordNumber);
    return QRect(notes.GetFieldInt("LEFT"), notes.GetFieldInt("TOP"), notes.GetFieldInt("WIDTH"),
                 notes.GetFieldInt("HEIGHT"));
  }

  static void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

  std::unique_ptr<NotesController> controller_;
};

}  // namespace pw::test
