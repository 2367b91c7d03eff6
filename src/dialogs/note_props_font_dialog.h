// The font dialog of the note properties: a face, a size from 6 to 12
// points and a colour for the note's caption. It shows no style, so none is
// chosen: only the face, the size and the colour are taken over.
#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QComboBox;
class QFontComboBox;
class QLabel;
class QPushButton;

namespace pw {

class CaptionFontDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kSmallestSize = 6;
  static constexpr int kLargestSize = 12;

  // Starts with the face and size of `font` (a size outside 6 to 12 shows
  // the nearest one) and with `color`.
  CaptionFontDialog(const QFont& font, const QColor& color, QWidget* parent = nullptr);

  // A plain font of the chosen face and size.
  QFont SelectedFont() const;
  QColor SelectedColor() const;

  QFontComboBox* FontNameCombo() const { return fontNameCombo_; }
  QComboBox* FontSizeCombo() const { return fontSizeCombo_; }
  QComboBox* FontColorCombo() const { return fontColorCombo_; }
  QLabel* SampleLabel() const { return sampleLabel_; }
  QPushButton* OKButton() const { return okButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }

 private:
  void FillColors(const QColor& current);
  void ShowSample();

  QFontComboBox* fontNameCombo_;
  QComboBox* fontSizeCombo_;
  QComboBox* fontColorCombo_;
  QLabel* sampleLabel_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
};

}  // namespace pw
