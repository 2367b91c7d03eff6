// The note record: the one field layout shared by the notes, trash and
// templates tables, their five index tags, and the copy of a note from one
// table to another.
#pragma once

#include <QStringList>

namespace pw {

class DbfTable;

// DbfFields of the notes and trash tables ("desc, C, 50, 0").
QStringList NoteTableFieldLines();
// DbfFields of the templates table ("desc,C,50,0"; its two last dates are
// declared 8 wide, which stores the same 8 bytes).
QStringList TemplateTableFieldLines();
// IndexList of all three tables: five ascending, not unique tags without
// FOR conditions.
QStringList NoteIndexLines();

// Sets the component properties every note table shares and its field lines.
void ConfigureNoteTable(DbfTable& table, const QStringList& fieldLines);

// Copies the current record of `source` into a blank record buffer of
// `target`, memo included. Neither table is moved, locked or appended to.
void CopyNoteRecord(DbfTable& source, DbfTable& target);

// Appends the record buffer of `table` under its append lock and releases
// the lock; a refused lock or a failed append leaves the buffer cancelled
// and returns false.
bool AppendUnderLock(DbfTable& table);

}  // namespace pw
