// TemplateDialog ("Template Properties"): the modal dialog that edits one
// template: its name, where and how large its notes open, their colour and
// caption font, and their starting text. It is resizable, the text area
// growing with it, and its place is kept in section "Screens" of the
// settings file under "FrmTemplate".
#pragma once

#include <QDialog>

#include "dialogs/template_values.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace pw {

class NoteEditor;
class WindowPlacement;

class TemplateDialog : public QDialog {
  Q_OBJECT

 public:
  // `configFile`: the settings file holding the dialog's place (empty: the
  // place is not kept).
  TemplateDialog(const TemplateValues& values, const QString& configFile,
                 QWidget* parent = nullptr);
  // Saves the dialog's place.
  ~TemplateDialog() override;

  // The edited template; the caller takes it when the dialog ends with OK.
  TemplateValues Values() const;

  QLineEdit* NameEdit() const { return nameEdit_; }
  QComboBox* NotePositionCombo() const { return notePositionCombo_; }
  QSpinBox* HeightSpin() const { return heightSpin_; }
  QSpinBox* WidthSpin() const { return widthSpin_; }
  QFrame* NoteColorEdit() const { return noteColorEdit_; }
  QColor NoteColor() const { return noteColor_; }
  QLabel* SampleCaptionLabel() const { return sampleCaptionLabel_; }
  QColor CaptionColor() const { return captionColor_; }
  NoteEditor* RichEditProp() const { return richEditProp_; }
  QPushButton* OkButton() const { return okButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }

  // The "Select..." buttons of the colour and the caption font.
  void onSelectColorClicked();
  void onSelectCaptionFontClicked();
  void SetNoteColor(const QColor& color);
  void SetCaptionFont(const QFont& font, const QColor& color);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QSpinBox* NewSizeBox(const char* name, const char* editName);

  QLineEdit* nameEdit_;
  QComboBox* notePositionCombo_;
  QSpinBox* heightSpin_;
  QSpinBox* widthSpin_;
  QFrame* noteColorEdit_;
  QLabel* sampleCaptionLabel_;
  NoteEditor* richEditProp_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
  WindowPlacement* place_;
  QColor noteColor_;
  QColor captionColor_;
  bool placeRestored_ = false;
};

// The position list of the template editor, index i standing for
// TemplatePlace i.
QStringList TemplatePlaceNames();

}  // namespace pw
