// A note's caption, exactly as typed. DESC holds what the table's code page
// can spell of it, cut to the field's width, so that other dBASE programs
// read a caption there; the exact text travels in the note's rich text as
// the document's title (the RTF \info group's \title), and so moves with
// the memo through trash, restore and copies. The same holds for a
// template's name.
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace pw {

class DbfTable;

// What a note's rich text keeps as its document title for `caption`: the
// caption when DESC cannot hold it exactly, else nothing.
QString TitleToKeep(const QString& caption);

// `rtf` with the document title that keeps `caption` exactly; a text that
// needs no change is kept byte for byte.
QByteArray RichTextKeepingCaption(const QByteArray& rtf, const QString& caption);

// The caption of the current record, whose rich text `document` holds as
// read from its memo: the document's title while DESC still holds that
// title's approximation, else DESC (another program renamed the note).
QString CaptionOfRecord(DbfTable& table, const QTextDocument& document);
// The same, reading the record's memo itself.
QString CaptionOfRecord(DbfTable& table);

// Reads the current record's memo into `document` (left empty when the
// memo cannot be read).
void ReadNoteMemo(DbfTable& table, QTextDocument* document);

// What names a note where it is listed: its caption, or the first line of
// its plain text when it has none.
QString ShownCaption(const QString& caption, const QString& plainText);

}  // namespace pw
