// WindowPlacement remembers where a window was. Its owner calls Save() when it is
// destroyed and Restore() when it is shown; the placement (normal rectangle
// and normal or maximized state) lives in section "Screens" of an INI file
// under the key Entry, as the text of placement_text.h.
//
// The normal rectangle is the owner's geometry without the window frame
// (QWidget::normalGeometry), written and applied alike, so that a window
// reopens exactly where it was.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace pw {

class WindowPlacement : public QObject {
  Q_OBJECT

 public:
  // IniFileName starts as "DIMWIN.INI" and Entry as the owner's object
  // name (its class name when it has none).
  explicit WindowPlacement(QWidget* owner);

  const QString& IniFileName() const { return iniFileName_; }
  // An empty name switches the store off.
  void SetIniFileName(const QString& fileName) { iniFileName_ = fileName; }
  const QString& Entry() const { return entry_; }
  void SetEntry(const QString& entry) { entry_ = entry; }

  // Writes the owner's placement. False with `*error` set when the file
  // cannot be written; true when switched off.
  bool Save(QString* error) const;
  // Applies the stored placement when there is one whose left is less than
  // its right and some screen shows part of it; otherwise the owner stays
  // where it is (its design position).
  void Restore() const;

 private:
  QPointer<QWidget> owner_;
  QString iniFileName_;
  QString entry_;
};

}  // namespace pw
