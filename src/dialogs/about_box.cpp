#include "dialogs/about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "dialogs/center_on_screen.h"
#include "dialogs/program_logo.h"

namespace pw {
namespace {

constexpr QSize kClientSize(290, 259);
constexpr QSize kLogoSize(131, 35);

}  // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      okButton_(new QPushButton(QStringLiteral("OK"), this)) {
  setWindowTitle(QStringLiteral("About Paperwisp"));
  setFixedSize(kClientSize);

  auto* logo = new QLabel(this);
  logo->setPixmap(ProgramLogo(kLogoSize.width(), kLogoSize.height(), devicePixelRatio()));
  logo->setGeometry(QRect(QPoint(12, 12), kLogoSize));

  auto* name = new QLabel(QStringLiteral("Paperwisp"), this);
  QFont nameFont = name->font();
  nameFont.setBold(true);
  nameFont.setPointSizeF(nameFont.pointSizeF() * 1.4);
  name->setFont(nameFont);
  name->adjustSize();
  name->move(24, 84);

  auto* version = new QLabel(QStringLiteral("Version 2.0"), this);
  version->adjustSize();
  version->move(name->geometry().right() + 16,
                name->y() + (name->height() - version->height()) / 2);

  auto* purpose = new QLabel(QStringLiteral("Sticky notes and reminders for your desktop."), this);
  purpose->setWordWrap(true);
  purpose->setGeometry(24, name->geometry().bottom() + 20, kClientSize.width() - 48, 40);

  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  rule->setGeometry(12, 188, kClientSize.width() - 24, 2);

  okButton_->setDefault(true);
  okButton_->setAutoDefault(true);
  okButton_->setFixedSize(88, 28);
  okButton_->move((kClientSize.width() - okButton_->width()) / 2, 208);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterOnScreen(*this);
  okButton_->setFocus();
}

}  // namespace pw
