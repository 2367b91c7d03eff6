// The "Find" dialog: a modeless window that asks its note editor to find the
// next occurrence of a text, with case and whole-word options.
#pragma once

#include <QDialog>
#include <QList>
#include <QTextDocument>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace pw {

class FindDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FindDialog(QWidget* parent = nullptr);

  QString FindText() const;
  void SetFindText(const QString& text);
  QTextDocument::FindFlags Flags() const;
  // Tells the user what the last search did; cleared by the next.
  void ShowMessage(const QString& message);
  void ShowNotFound();

 signals:
  void findNextRequested();

 protected:
  FindDialog(const QString& title, QWidget* parent);
  // A labelled field below "Find what:".
  void AddField(const QString& label, QWidget* field);
  // A button above "Cancel" that works on the find text: enabled only while
  // there is one.
  QPushButton* AddSearchButton(const QString& text);

 private:
  void UpdateButtons();

  QLineEdit* findText_;
  QCheckBox* matchCase_;
  QCheckBox* wholeWord_;
  QLabel* message_;
  QGridLayout* fields_;
  QVBoxLayout* buttons_;
  QList<QPushButton*> searchButtons_;
};

}  // namespace pw
