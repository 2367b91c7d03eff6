#include "dialogs/note_props_font_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace pw {

namespace {

struct NamedColor {
  const char* name;
  QRgb rgb;
};

// The sixteen colours a font's effects offer.
constexpr NamedColor kFontColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x800000},  {"Green", 0x008000}, {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080},  {"Teal", 0x008080},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},     {"Lime", 0x00FF00},  {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF},  {"White", 0xFFFFFF}};

QIcon Swatch(const QColor& color) {
  QPixmap pixmap(16, 12);
  pixmap.fill(color);
  return QIcon(pixmap);
}

}  // namespace

CaptionFontDialog::CaptionFontDialog(const QFont& font, const QColor& color, QWidget* parent)
    : QDialog(parent),
      cbFontName_(new QFontComboBox(this)),
      cbFontSize_(new QComboBox(this)),
      cbFontColor_(new QComboBox(this)),
      lblSample_(new QLabel(QStringLiteral("AaBbYyZz"), this)),
      okButton_(nullptr),
      cancelButton_(nullptr) {
  setWindowTitle(QStringLiteral("Font"));
  cbFontName_->setObjectName(QStringLiteral("CbFontName"));
  cbFontName_->setEditable(false);
  cbFontName_->setCurrentFont(font);
  cbFontSize_->setObjectName(QStringLiteral("CbFontSize"));
  for (int size = kSmallestSize; size <= kLargestSize; ++size) {
    cbFontSize_->addItem(QString::number(size), size);
  }
  const int shownSize = std::clamp(font.pointSize(), kSmallestSize, kLargestSize);
  cbFontSize_->setCurrentIndex(shownSize - kSmallestSize);
  cbFontColor_->setObjectName(QStringLiteral("CbFontColor"));
  FillColors(color);
  lblSample_->setObjectName(QStringLiteral("LblSample"));
  lblSample_->setAlignment(Qt::AlignCenter);
  lblSample_->setMinimumHeight(40);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  okButton_ = buttons->button(QDialogButtonBox::Ok);
  cancelButton_ = buttons->button(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(cbFontName_, &QFontComboBox::currentFontChanged, this, &CaptionFontDialog::ShowSample);
  connect(cbFontSize_, &QComboBox::currentIndexChanged, this, &CaptionFontDialog::ShowSample);
  connect(cbFontColor_, &QComboBox::currentIndexChanged, this, &CaptionFontDialog::ShowSample);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Font:"), cbFontName_);
  form->addRow(QStringLiteral("&Size:"), cbFontSize_);
  form->addRow(QStringLiteral("&Color:"), cbFontColor_);
  auto* sample = new QGroupBox(QStringLiteral("Sample"), this);
  (new QVBoxLayout(sample))->addWidget(lblSample_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(sample);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ShowSample();
}

void CaptionFontDialog::FillColors(const QColor& current) {
  for (const NamedColor& entry : kFontColors) {
    cbFontColor_->addItem(Swatch(QColor(entry.rgb)), QString::fromLatin1(entry.name),
                          QColor(entry.rgb));
  }
  // A colour chosen elsewhere (the colour of a template) is kept as it is.
  int index = cbFontColor_->findData(current);
  if (index < 0) {
    cbFontColor_->addItem(Swatch(current), QStringLiteral("Custom"), current);
    index = cbFontColor_->count() - 1;
  }
  cbFontColor_->setCurrentIndex(index);
}

void CaptionFontDialog::ShowSample() {
  lblSample_->setFont(SelectedFont());
  QPalette palette = lblSample_->palette();
  palette.setColor(QPalette::WindowText, SelectedColor());
  lblSample_->setPalette(palette);
}

QFont CaptionFontDialog::SelectedFont() const {
  return QFont(cbFontName_->currentFont().family(), cbFontSize_->currentData().toInt());
}

QColor CaptionFontDialog::SelectedColor() const {
  return cbFontColor_->currentData().value<QColor>();
}

}  // namespace pw
