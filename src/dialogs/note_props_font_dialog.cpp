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
      fontNameCombo_(new QFontComboBox(this)),
      fontSizeCombo_(new QComboBox(this)),
      fontColorCombo_(new QComboBox(this)),
      sampleLabel_(new QLabel(QStringLiteral("AaBbYyZz"), this)),
      okButton_(nullptr),
      cancelButton_(nullptr) {
  setWindowTitle(QStringLiteral("Font"));
  fontNameCombo_->setObjectName(QStringLiteral("CbFontName"));
  fontNameCombo_->setEditable(false);
  fontNameCombo_->setCurrentFont(font);
  fontSizeCombo_->setObjectName(QStringLiteral("CbFontSize"));
  for (int size = kSmallestSize; size <= kLargestSize; ++size) {
    fontSizeCombo_->addItem(QString::number(size), size);
  }
  const int shownSize = std::clamp(font.pointSize(), kSmallestSize, kLargestSize);
  fontSizeCombo_->setCurrentIndex(shownSize - kSmallestSize);
  fontColorCombo_->setObjectName(QStringLiteral("CbFontColor"));
  FillColors(color);
  sampleLabel_->setObjectName(QStringLiteral("LblSample"));
  sampleLabel_->setAlignment(Qt::AlignCenter);
  sampleLabel_->setMinimumHeight(40);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  okButton_ = buttons->button(QDialogButtonBox::Ok);
  cancelButton_ = buttons->button(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(fontNameCombo_, &QFontComboBox::currentFontChanged, this, &CaptionFontDialog::ShowSample);
  connect(fontSizeCombo_, &QComboBox::currentIndexChanged, this, &CaptionFontDialog::ShowSample);
  connect(fontColorCombo_, &QComboBox::currentIndexChanged, this, &CaptionFontDialog::ShowSample);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Font:"), fontNameCombo_);
  form->addRow(QStringLiteral("&Size:"), fontSizeCombo_);
  form->addRow(QStringLiteral("&Color:"), fontColorCombo_);
  auto* sample = new QGroupBox(QStringLiteral("Sample"), this);
  (new QVBoxLayout(sample))->addWidget(sampleLabel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(sample);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ShowSample();
}

void CaptionFontDialog::FillColors(const QColor& current) {
  for (const NamedColor& entry : kFontColors) {
    fontColorCombo_->addItem(Swatch(QColor(entry.rgb)), QString::fromLatin1(entry.name),
                             QColor(entry.rgb));
  }
  // A colour chosen elsewhere (the colour of a template) is kept as it is.
  int index = fontColorCombo_->findData(current);
  if (index < 0) {
    fontColorCombo_->addItem(Swatch(current), QStringLiteral("Custom"), current);
    index = fontColorCombo_->count() - 1;
  }
  fontColorCombo_->setCurrentIndex(index);
}

void CaptionFontDialog::ShowSample() {
  sampleLabel_->setFont(SelectedFont());
  QPalette palette = sampleLabel_->palette();
  palette.setColor(QPalette::WindowText, SelectedColor());
  sampleLabel_->setPalette(palette);
}

QFont CaptionFontDialog::SelectedFont() const {
  return QFont(fontNameCombo_->currentFont().family(), fontSizeCombo_->currentData().toInt());
}

QColor CaptionFontDialog::SelectedColor() const {
  return fontColorCombo_->currentData().value<QColor>();
}

}  // namespace pw
