// MaintainNotesHost: what the Notes & Reminders window needs from the main
// controller: the data folder, the templates table (for the template
// boards), the copy of a note into the controller's trash table, and the
// opening of a note's window on the desktop, and the import of notes.
#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace pw {

class DbfTable;

class MaintainNotesHost {
 public:
  virtual ~MaintainNotesHost() = default;

  virtual const QString& DataFolder() const = 0;
  virtual DbfTable& TemplatesTable() = 0;
  // Appends a copy of the current record of `source` to the trash table;
  // false when the trash could not take it.
  virtual bool CopyNoteToTrashFrom(DbfTable& source) = 0;
  // Opens the window of notes record `recordNumber` on the desktop.
  virtual void ShowNoteOfRecord(std::int32_t recordNumber) = 0;
  // "Import Notes...": chooses the sources, shows what they hold, imports.
  virtual void onImportNotes(QWidget* owner) = 0;

 protected:
  MaintainNotesHost() = default;
  MaintainNotesHost(const MaintainNotesHost&) = default;
  MaintainNotesHost& operator=(const MaintainNotesHost&) = default;
};

}  // namespace pw
