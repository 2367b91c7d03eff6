// The import ledger: which notes of which sources were imported already, so
// that a second import of the same source adds nothing. It lives in the data
// folder as "Imported.txt", one line per imported note: the source kind, a
// tab and the note's id in that source, UTF-8. It is rewritten whole through
// a temporary file, so a failed write leaves the old ledger.
#pragma once

#include <QSet>
#include <QString>

namespace pw {

class ImportLedger {
 public:
  explicit ImportLedger(const QString& dataFolder);

  // False with `error` set when an existing ledger cannot be read.
  bool Load(QString* error);
  bool Contains(const QString& kind, const QString& id) const;
  void Add(const QString& kind, const QString& id);
  // False with `error` set when the ledger cannot be written.
  bool Save(QString* error) const;
  const QString& Path() const { return path_; }

 private:
  static QString Key(const QString& kind, const QString& id);

  QString path_;
  QSet<QString> keys_;
};

}  // namespace pw
