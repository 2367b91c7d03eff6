#include "dialogs/template_dialog.h"

#include <QBuffer>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "desktop/window_placement.h"
#include "dialogs/named_widget.h"
#include "dialogs/note_props_font_dialog.h"
#include "dialogs/ok_cancel_row.h"
#include "richtext/note_editor.h"
#include "settings/config_keys.h"

namespace pw {
namespace {

constexpr QSize kClientSize(484, 281);
// The smallest outer size is 428 x 308; the frame is the window system's.
constexpr QSize kSmallestClientSize(420, 281);
constexpr int kNameLength = 50;
constexpr int kSizeDigits = 4;
constexpr int kLargestSize = 9999;

}  // namespace

QStringList TemplatePlaceNames() {
  return {QStringLiteral("Center of Screen "), QStringLiteral("Top Left Corner"),
          QStringLiteral("Top Right Corner"), QStringLiteral("Bottom Left Corner"),
          QStringLiteral("Bottom Right Corner")};
}

TemplateDialog::TemplateDialog(const TemplateValues& values, const QString& configFile,
                               QWidget* parent)
    : QDialog(parent),
      nameEdit_(new QLineEdit(this)),
      notePositionCombo_(new QComboBox(this)),
      heightSpin_(NewSizeBox("UpDownHeight", "EdHeight")),
      widthSpin_(NewSizeBox("UpDownWidth", "EdWidth")),
      noteColorEdit_(new QFrame(this)),
      sampleCaptionLabel_(
          Named("LblSampleCaption", new QLabel(QStringLiteral("Example Note Caption"), this))),
      richEditProp_(new NoteEditor(this)),
      okButton_(Named("BtnOk", new QPushButton(QStringLiteral("OK"), this))),
      cancelButton_(Named("BtnCancel", new QPushButton(QStringLiteral("Cancel"), this))),
      place_(new WindowPlacement(this)) {
  // The object name is the window's key in section "Screens", whatever the
  // class is called.
  setObjectName(QString::fromLatin1(config::kTemplateEntry));
  setWindowTitle(QStringLiteral("Template Properties"));
  resize(kClientSize);
  setMinimumSize(kSmallestClientSize);
  place_->SetIniFileName(configFile);
  place_->SetEntry(objectName());

  nameEdit_->setObjectName(QStringLiteral("EdName"));
  nameEdit_->setMaxLength(kNameLength);
  notePositionCombo_->setObjectName(QStringLiteral("CmbxNotePosition"));
  notePositionCombo_->addItems(TemplatePlaceNames());
  noteColorEdit_->setObjectName(QStringLiteral("EdNoteColor"));
  noteColorEdit_->setFrameShape(QFrame::Panel);
  noteColorEdit_->setFrameShadow(QFrame::Sunken);
  noteColorEdit_->setAutoFillBackground(true);
  noteColorEdit_->setMinimumSize(60, 22);
  richEditProp_->setObjectName(QStringLiteral("RichEditProp"));
  richEditProp_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richEditProp_->SetUrlDetection(true);

  auto* grid = new QGridLayout;
  grid->addWidget(Named("Label1", new QLabel(QStringLiteral("Template Name"), this)), 0, 0);
  grid->addWidget(nameEdit_, 0, 1, 1, 3);
  grid->addWidget(Named("Label10", new QLabel(QStringLiteral("Default Position"), this)), 1, 0);
  grid->addWidget(notePositionCombo_, 1, 1, 1, 3);
  grid->addWidget(Named("Label31", new QLabel(QStringLiteral("Default Height"), this)), 2, 0);
  grid->addWidget(heightSpin_, 2, 1);
  grid->addWidget(Named("Label32", new QLabel(QStringLiteral("Default Width"), this)), 2, 2);
  grid->addWidget(widthSpin_, 2, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);

  auto* colorBox = new QGroupBox(QStringLiteral("Note Color"), this);
  colorBox->setObjectName(QStringLiteral("GroupBox5"));
  auto* colorRow = new QHBoxLayout(colorBox);
  auto* selectColorButton =
      Named("Button5", new QPushButton(QStringLiteral("Select..."), colorBox));
  colorRow->addWidget(noteColorEdit_, 1);
  colorRow->addWidget(selectColorButton);
  auto* fontBox = new QGroupBox(QStringLiteral("Note Caption Font"), this);
  fontBox->setObjectName(QStringLiteral("GroupBox3"));
  auto* fontRow = new QHBoxLayout(fontBox);
  auto* selectCaptionFontButton =
      Named("Button1", new QPushButton(QStringLiteral("Select..."), fontBox));
  fontRow->addWidget(sampleCaptionLabel_, 1);
  fontRow->addWidget(selectCaptionFontButton);
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(colorBox, 1);
  boxes->addWidget(fontBox, 2);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(boxes);
  layout->addWidget(Named("Label2", new QLabel(QStringLiteral("Template Note Contents:"), this)));
  layout->addWidget(richEditProp_, 1);
  layout->addLayout(OkCancelRow(okButton_, cancelButton_));

  connect(selectColorButton, &QPushButton::clicked, this, &TemplateDialog::onSelectColorClicked);
  connect(selectCaptionFontButton, &QPushButton::clicked, this,
          &TemplateDialog::onSelectCaptionFontClicked);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  nameEdit_->setText(values.name.trimmed());
  SetNoteColor(values.color);
  QFont captionFont = sampleCaptionLabel_->font();
  captionFont.setFamily(values.captionFontName.trimmed());
  if (values.captionFontSize > 0) captionFont.setPointSize(values.captionFontSize);
  SetCaptionFont(captionFont, values.captionFontColor);
  heightSpin_->setValue(values.height);
  widthSpin_->setValue(values.width);
  const bool listed = values.place >= 0 && values.place < notePositionCombo_->count();
  notePositionCombo_->setCurrentIndex(listed ? values.place : 0);
  if (!values.text.isEmpty()) {
    QByteArray text = values.text;
    QBuffer stream(&text);
    stream.open(QIODevice::ReadOnly);
    richEditProp_->LoadFromStream(&stream);
  }
  nameEdit_->setFocus();
}

TemplateDialog::~TemplateDialog() {
  QString error;
  if (!place_->Save(&error)) qWarning("%s", qPrintable(error));
}

QSpinBox* TemplateDialog::NewSizeBox(const char* name, const char* editName) {
  auto* box = new QSpinBox(this);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(0, kLargestSize);
  if (auto* edit = box->findChild<QLineEdit*>()) {
    edit->setObjectName(QString::fromLatin1(editName));
    edit->setMaxLength(kSizeDigits);
  }
  return box;
}

TemplateValues TemplateDialog::Values() const {
  TemplateValues values;
  values.name = nameEdit_->text();
  values.color = noteColor_;
  const QFont font = sampleCaptionLabel_->font();
  values.captionFontName = font.family();
  values.captionFontSize = font.pointSize();
  values.captionFontColor = captionColor_;
  values.height = heightSpin_->value();
  values.width = widthSpin_->value();
  values.place = notePositionCombo_->currentIndex();
  QBuffer stream(&values.text);
  stream.open(QIODevice::WriteOnly);
  richEditProp_->SaveToStream(&stream);
  return values;
}

void TemplateDialog::SetNoteColor(const QColor& color) {
  noteColor_ = color;
  QPalette palette = noteColorEdit_->palette();
  palette.setColor(QPalette::Window, color);
  noteColorEdit_->setPalette(palette);
  richEditProp_->SetBackgroundColor(color);
}

void TemplateDialog::SetCaptionFont(const QFont& font, const QColor& color) {
  captionColor_ = color;
  sampleCaptionLabel_->setFont(font);
  QPalette palette = sampleCaptionLabel_->palette();
  palette.setColor(QPalette::WindowText, color);
  sampleCaptionLabel_->setPalette(palette);
}

void TemplateDialog::onSelectColorClicked() {
  const QColor chosen = QColorDialog::getColor(noteColor_, this, QStringLiteral("Color"),
                                               QColorDialog::DontUseNativeDialog);
  if (chosen.isValid()) SetNoteColor(chosen);
}

void TemplateDialog::onSelectCaptionFontClicked() {
  CaptionFontDialog dialog(sampleCaptionLabel_->font(), captionColor_, this);
  dialog.setObjectName(QStringLiteral("FontDialog1"));
  if (dialog.exec() == QDialog::Accepted)
    SetCaptionFont(dialog.SelectedFont(), dialog.SelectedColor());
}

void TemplateDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (placeRestored_) return;
  placeRestored_ = true;
  place_->Restore();
}

}  // namespace pw
