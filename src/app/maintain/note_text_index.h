// What the search field of the Notes & Reminders window searches and its
// grids show as captions: the exact caption and the plain text of every
// note of a table, read once through a
// view of its own (so the window's views keep their place) and kept by
// record number until it is read again.
#pragma once

#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>

namespace pw {

class NoteTextIndex {
 public:
  // Reads every visible record of the note table at `path`. False (and the
  // index left empty) when the table cannot be opened.
  bool Read(const QString& path);
  bool IsRead() const { return read_; }
  void Forget();
  // Whether the caption or the text of the note holds `needle`, in any case.
  // A record the index does not know does not match.
  bool Matches(std::int32_t recordNumber, const QString& needle) const;
  // The exact caption of the note, or the first line of its text when it
  // has none; nullopt for a record the index does not know.
  std::optional<QString> ShownCaption(std::int32_t recordNumber) const;

 private:
  struct NoteText {
    QString caption;
    QString text;
  };
  QHash<std::int32_t, NoteText> notes_;
  bool read_ = false;
};

// The plain text of a note's stored rich text.
QString PlainTextOfNote(const QByteArray& storedText);

}  // namespace pw
