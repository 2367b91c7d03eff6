// The "Paragraph" dialog: alignment and the left, right and first-line
// indents of the selected paragraphs, in pixels of the note text.
#pragma once

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;

namespace pw {

struct ParagraphSettings {
  Qt::Alignment alignment = Qt::AlignLeft;
  qreal leftIndent = 0;
  qreal rightIndent = 0;
  qreal firstLineIndent = 0;  // relative to the left indent; negative hangs
};

class ParagraphDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ParagraphDialog(QWidget* parent = nullptr);

  void SetSettings(const ParagraphSettings& settings);
  ParagraphSettings Settings() const;

 private:
  QComboBox* alignment_;
  QDoubleSpinBox* leftIndent_;
  QDoubleSpinBox* rightIndent_;
  QDoubleSpinBox* firstLineIndent_;
};

}  // namespace pw
