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
      edName_(new QLineEdit(this)),
      cmbxNotePosition_(new QComboBox(this)),
      upDownHeight_(NewSizeBox("UpDownHeight", "EdHeight")),
      upDownWidth_(NewSizeBox("UpDownWidth", "EdWidth")),
      edNoteColor_(new QFrame(this)),
      lblSampleCaption_(
          Named("LblSampleCaption", new QLabel(QStringLiteral("Example Note Caption"), this))),
      richEditProp_(new NoteEditor(this)),
      btnOk_(Named("BtnOk", new QPushButton(QStringLiteral("OK"), this))),
      btnCancel_(Named("BtnCancel", new QPushButton(QStringLiteral("Cancel"), this))),
      place_(new WindowPlacement(this)) {
  // The object name is the window's key in section "Screens", whatever the
  // class is called.
  setObjectName(QString::fromLatin1(config::kTemplateEntry));
  setWindowTitle(QStringLiteral("Template Properties"));
  resize(kClientSize);
  setMinimumSize(kSmallestClientSize);
  place_->SetIniFileName(configFile);
  place_->SetEntry(objectName());

  edName_->setObjectName(QStringLiteral("EdName"));
  edName_->setMaxLength(kNameLength);
  cmbxNotePosition_->setObjectName(QStringLiteral("CmbxNotePosition"));
  cmbxNotePosition_->addItems(TemplatePlaceNames());
  edNoteColor_->setObjectName(QStringLiteral("EdNoteColor"));
  edNoteColor_->setFrameShape(QFrame::Panel);
  edNoteColor_->setFrameShadow(QFrame::Sunken);
  edNoteColor_->setAutoFillBackground(true);
  edNoteColor_->setMinimumSize(60, 22);
  richEditProp_->setObjectName(QStringLiteral("RichEditProp"));
  richEditProp_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richEditProp_->SetUrlDetection(true);

  auto* grid = new QGridLayout;
  grid->addWidget(Named("Label1", new QLabel(QStringLiteral("Template Name"), this)), 0, 0);
  grid->addWidget(edName_, 0, 1, 1, 3);
  grid->addWidget(Named("Label10", new QLabel(QStringLiteral("Default Position"), this)), 1, 0);
  grid->addWidget(cmbxNotePosition_, 1, 1, 1, 3);
  grid->addWidget(Named("Label31", new QLabel(QStringLiteral("Default Height"), this)), 2, 0);
  grid->addWidget(upDownHeight_, 2, 1);
  grid->addWidget(Named("Label32", new QLabel(QStringLiteral("Default Width"), this)), 2, 2);
  grid->addWidget(upDownWidth_, 2, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);

  auto* colorBox = new QGroupBox(QStringLiteral("Note Color"), this);
  colorBox->setObjectName(QStringLiteral("GroupBox5"));
  auto* colorRow = new QHBoxLayout(colorBox);
  auto* button5 = Named("Button5", new QPushButton(QStringLiteral("Select..."), colorBox));
  colorRow->addWidget(edNoteColor_, 1);
  colorRow->addWidget(button5);
  auto* fontBox = new QGroupBox(QStringLiteral("Note Caption Font"), this);
  fontBox->setObjectName(QStringLiteral("GroupBox3"));
  auto* fontRow = new QHBoxLayout(fontBox);
  auto* button1 = Named("Button1", new QPushButton(QStringLiteral("Select..."), fontBox));
  fontRow->addWidget(lblSampleCaption_, 1);
  fontRow->addWidget(button1);
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(colorBox, 1);
  boxes->addWidget(fontBox, 2);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(boxes);
  layout->addWidget(Named("Label2", new QLabel(QStringLiteral("Template Note Contents:"), this)));
  layout->addWidget(richEditProp_, 1);
  layout->addLayout(OkCancelRow(btnOk_, btnCancel_));

  connect(button5, &QPushButton::clicked, this, &TemplateDialog::Button5Click);
  connect(button1, &QPushButton::clicked, this, &TemplateDialog::Button1Click);
  connect(btnOk_, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);

  edName_->setText(values.name.trimmed());
  SetNoteColor(values.color);
  QFont captionFont = lblSampleCaption_->font();
  captionFont.setFamily(values.captionFontName.trimmed());
  if (values.captionFontSize > 0) captionFont.setPointSize(values.captionFontSize);
  SetCaptionFont(captionFont, values.captionFontColor);
  upDownHeight_->setValue(values.height);
  upDownWidth_->setValue(values.width);
  const bool listed = values.place >= 0 && values.place < cmbxNotePosition_->count();
  cmbxNotePosition_->setCurrentIndex(listed ? values.place : 0);
  if (!values.text.isEmpty()) {
    QByteArray text = values.text;
    QBuffer stream(&text);
    stream.open(QIODevice::ReadOnly);
    richEditProp_->LoadFromStream(&stream);
  }
  edName_->setFocus();
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
  values.name = edName_->text();
  values.color = noteColor_;
  const QFont font = lblSampleCaption_->font();
  values.captionFontName = font.family();
  values.captionFontSize = font.pointSize();
  values.captionFontColor = captionColor_;
  values.height = upDownHeight_->value();
  values.width = upDownWidth_->value();
  values.place = cmbxNotePosition_->currentIndex();
  QBuffer stream(&values.text);
  stream.open(QIODevice::WriteOnly);
  richEditProp_->SaveToStream(&stream);
  return values;
}

void TemplateDialog::SetNoteColor(const QColor& color) {
  noteColor_ = color;
  QPalette palette = edNoteColor_->palette();
  palette.setColor(QPalette::Window, color);
  edNoteColor_->setPalette(palette);
  richEditProp_->SetBackgroundColor(color);
}

void TemplateDialog::SetCaptionFont(const QFont& font, const QColor& color) {
  captionColor_ = color;
  lblSampleCaption_->setFont(font);
  QPalette palette = lblSampleCaption_->palette();
  palette.setColor(QPalette::WindowText, color);
  lblSampleCaption_->setPalette(palette);
}

void TemplateDialog::Button5Click() {
  const QColor chosen = QColorDialog::getColor(noteColor_, this, QStringLiteral("Color"),
                                               QColorDialog::DontUseNativeDialog);
  if (chosen.isValid()) SetNoteColor(chosen);
}

void TemplateDialog::Button1Click() {
  CaptionFontDialog dialog(lblSampleCaption_->font(), captionColor_, this);
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
