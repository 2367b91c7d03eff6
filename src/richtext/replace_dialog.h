// The "Replace" dialog: the find dialog with a replacement text and the
// buttons that replace one occurrence or all of them.
#pragma once

#include "richtext/find_dialog.h"

namespace pw {

class ReplaceDialog : public FindDialog {
  Q_OBJECT

 public:
  explicit ReplaceDialog(QWidget* parent = nullptr);

  QString ReplaceText() const;
  void SetReplaceText(const QString& text);

 signals:
  void replaceRequested();
  void replaceAllRequested();

 private:
  QLineEdit* replaceText_;
};

}  // namespace pw
