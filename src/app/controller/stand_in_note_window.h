// A plain note window: a small frameless coloured window showing the note's
// text, linked to its record in the notes table by record number. It loads
// itself from the record and writes its place, size, text and SHOWING flag
// back when it is hidden or closed by a request.
#pragma once

#include <QWidget>
#include <cstdint>

#include "app/controller/note_window_registry.h"

namespace pw {

class NoteEditor;
class TTzDbf;

// A Windows colour value (0x00BBGGRR) as a QColor.
QColor ColorOfWindowsValue(std::int32_t value);

class StandInNoteWindow : public QWidget, public NoteRequestTarget {
  Q_OBJECT

 public:
  explicit StandInNoteWindow(TTzDbf& notes, QWidget* parent = nullptr);
  ~StandInNoteWindow() override;

  int Handle() const { return handle_; }
  NoteEditor* Editor() const { return editor_; }
  std::int32_t RecordLink() const { return recordLink_; }
  void SetRecordLink(std::int32_t recordNumber) { recordLink_ = recordNumber; }

  // From the notes table's current record: geometry, colour, stay-on-top.
  void ApplyRecordLook();
  // The MEMO of the notes table's current record into the editor.
  void LoadText();

  void NoteRequest(int message, int firstParameter, int secondParameter) override;

 private:
  // Writes geometry, text and SHOWING to the linked record under a lock.
  void SaveRecord(bool showing);

  TTzDbf& notes_;
  NoteEditor* editor_;
  int handle_;
  std::int32_t recordLink_ = 0;
};

}  // namespace pw
