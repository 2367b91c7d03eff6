// NoteHost: what a note window needs from the program that owns it. The
// main controller implements it; the note window, and later the reminder
// window and the properties dialog, know their owner only through it, so
// that the controller depends on the windows and not the other way round.
#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include "settings/controller_settings.h"

class QMenu;
class QWidget;

namespace pw {

class NoteWindow;
class DbfTable;

class NoteHost {
 public:
  virtual ~NoteHost() = default;

  // The widget note windows belong to; they are deleted with it.
  virtual QWidget* NoteWindowParent() = 0;
  // The settings read by note windows (sounds, links, smallest width).
  virtual const ControllerSettings& Settings() const = 0;
  // The screens note windows are kept on.
  virtual QList<QRect> ScreenRects() const = 0;
  // False where the compositor, not the program, places the windows.
  virtual bool PlacesWindows() const = 0;
  // Plays the WAV file `fileName` of the data folder to its end.
  virtual void PlayDataSound(const QString& fileName) = 0;

  // The notes table, which holds every note window's record.
  virtual DbfTable& NotesTable() = 0;
  // Appends a copy of the notes table's current record to the trash; false
  // when the trash could not take it.
  virtual bool CopyNoteToTrash() = 0;

  // The "New Note..." submenu every note window's menu shares: one set of
  // template items for all the notes, named when it opens.
  virtual QMenu* NoteTemplateMenu() = 0;
  virtual void onHelp() = 0;
  virtual void onAbout() = 0;
  // Opens the configuration dialog.
  virtual void onConfigure() = 0;
  // Opens the Notes & Reminders window.
  virtual void onNotesAndReminders() = 0;

 protected:
  NoteHost() = default;
  NoteHost(const NoteHost&) = default;
  NoteHost& operator=(const NoteHost&) = default;
};

}  // namespace pw
