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

  QLineEdit* EdName() const { return edName_; }
  QComboBox* CmbxNotePosition() const { return cmbxNotePosition_; }
  QSpinBox* UpDownHeight() const { return upDownHeight_; }
  QSpinBox* UpDownWidth() const { return upDownWidth_; }
  QFrame* EdNoteColor() const { return edNoteColor_; }
  QColor NoteColor() const { return noteColor_; }
  QLabel* LblSampleCaption() const { return lblSampleCaption_; }
  QColor CaptionColor() const { return captionColor_; }
  NoteEditor* RichEditProp() const { return richEditProp_; }
  QPushButton* BtnOk() const { return btnOk_; }
  QPushButton* BtnCancel() const { return btnCancel_; }

  // The "Select..." buttons of the colour and the caption font.
  void Button5Click();
  void Button1Click();
  void SetNoteColor(const QColor& color);
  void SetCaptionFont(const QFont& font, const QColor& color);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QSpinBox* NewSizeBox(const char* name, const char* editName);

  QLineEdit* edName_;
  QComboBox* cmbxNotePosition_;
  QSpinBox* upDownHeight_;
  QSpinBox* upDownWidth_;
  QFrame* edNoteColor_;
  QLabel* lblSampleCaption_;
  NoteEditor* richEditProp_;
  QPushButton* btnOk_;
  QPushButton* btnCancel_;
  WindowPlacement* place_;
  QColor noteColor_;
  QColor captionColor_;
  bool placeRestored_ = false;
};

// The position list of the template editor, index i standing for
// TemplatePlace i.
QStringList TemplatePlaceNames();

}  // namespace pw
