#include "dialogs/note_props_dialog.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "dialogs/center_on_screen.h"
#include "dialogs/note_props_font_dialog.h"
#include "dialogs/note_props_reminder_kinds.h"
#include "richtext/note_editor.h"

namespace pw {

namespace {

QDate DateOrToday(QDate date) {
  return date.isValid() ? date : QDate::currentDate();
}

}  // namespace

NotePropertiesDialog::NotePropertiesDialog(const NoteProps& props, NotePropsPage page,
                                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      opened_(props) {
  setObjectName(QStringLiteral("FrmNoteProps"));
  setWindowTitle(QStringLiteral("Note Properties"));
  pageControl1_ = new QTabWidget(this);
  pageControl1_->setObjectName(QStringLiteral("PageControl1"));
  pageControl1_->addTab(BuildSettingsPage(), QStringLiteral("Settings"));
  pageControl1_->addTab(BuildNoteTextPage(), QStringLiteral("Note Text"));
  pageControl1_->addTab(BuildReminderPage(), QStringLiteral("Reminder"));
  pageControl1_->addTab(BuildExpirationPage(), QStringLiteral("Expiration"));
  pageControl1_->setCurrentIndex(static_cast<int>(page));

  btnOk_ = new QPushButton(QStringLiteral("OK"), this);
  btnOk_->setObjectName(QStringLiteral("BtnOk"));
  btnOk_->setDefault(true);
  btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  btnCancel_->setObjectName(QStringLiteral("BtnCancel"));
  btnCancel_->setAutoDefault(false);
  connect(btnOk_, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOk_);
  buttons->addWidget(btnCancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pageControl1_);
  layout->addLayout(buttons);

  CkBxReminderIsActiveClick();
  CkBxNeverExpiresClick();
  Fill(props);
  setFixedSize(sizeHint().expandedTo(kDesignSize));
}

void NotePropertiesDialog::Fill(const NoteProps& props) {
  QBuffer text;
  text.setData(props.richText);
  if (text.open(QIODevice::ReadOnly)) richEditProp_->LoadFromStream(&text);
  richEditProp_->SetBackgroundColor(props.color);
  richEditProp_->SetUrlDetection(props.urlDetection);

  edDescription_->setText(props.title);
  ckBxShowing_->setChecked(true);
  SetNoteColor(props.color);
  ckBxStayOnTop_->setChecked(props.stayOnTop);
  lblDateCreated_->setText(props.createdText);

  ckBxReminderIsActive_->setChecked(props.reminder.active);
  monthCalendar1_->setSelectedDate(DateOrToday(props.reminder.date));
  edReminderTime_->setTime(props.reminder.time);
  RebuildReminderKinds();
  // A kind the list does not offer behaves as a reminder on the date.
  const int kind = props.reminder.recurrence;
  cmBxReminderType_->setCurrentIndex(kind >= 0 && kind < kReminderKindCount ? kind : 0);

  ckBxNeverExpires_->setChecked(!props.expiry.expires);
  ckBxMoveToTrash_->setChecked(props.expiry.movesToTrash);
  TickExpiryKind(props.expiry.type);
  edExpireDate_->setDate(DateOrToday(props.expiry.date));
  edExpireTime_->setTime(props.expiry.time);
  ExpiryKindClick();

  SetSampleCaptionFont(props.captionFont, props.captionColor);
}

NoteProps NotePropertiesDialog::Props() const {
  NoteProps props = opened_;
  QBuffer text;
  if (text.open(QIODevice::WriteOnly) && richEditProp_->SaveToStream(&text)) {
    props.richText = text.data();
  }
  props.title = edDescription_->text();
  props.showing = ckBxShowing_->isChecked();
  props.stayOnTop = ckBxStayOnTop_->isChecked();
  props.color = noteColor_;
  props.reminder = {.active = ckBxReminderIsActive_->isChecked(),
                    .recurrence = cmBxReminderType_->currentIndex(),
                    .date = monthCalendar1_->selectedDate(),
                    .time = edReminderTime_->time()};
  props.expiry = {.expires = !ckBxNeverExpires_->isChecked(),
                  .type = rbExpiresOnce_->isChecked() ? 1 : 2,
                  .movesToTrash = ckBxMoveToTrash_->isChecked(),
                  .date = edExpireDate_->date(),
                  .time = edExpireTime_->time()};
  props.captionFont = lblSampleCaption_->font();
  props.captionColor = lblSampleCaption_->palette().color(QPalette::WindowText);
  return props;
}

void NotePropertiesDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  RebuildReminderKinds();
  CenterOnScreen(*this);
}

void NotePropertiesDialog::SetNoteColor(const QColor& color) {
  noteColor_ = color;
  // EdColor is disabled, so its disabled colours are the ones shown.
  QPalette palette = edColor_->palette();
  palette.setColor(QPalette::All, QPalette::Base, color);
  edColor_->setPalette(palette);
}

void NotePropertiesDialog::SetSampleCaptionFont(const QFont& font, const QColor& color) {
  lblSampleCaption_->setFont(QFont(font.family(), font.pointSize()));
  QPalette palette = lblSampleCaption_->palette();
  palette.setColor(QPalette::WindowText, color);
  lblSampleCaption_->setPalette(palette);
}

void NotePropertiesDialog::TickExpiryKind(int type) {
  // An exclusive group always keeps one button ticked; a kind that is
  // neither 1 nor 2 shows none.
  expiryKinds_->setExclusive(false);
  rbExpiresOnce_->setChecked(type == 1);
  rbExpiresEveryday_->setChecked(type == 2);
  expiryKinds_->setExclusive(true);
}

void NotePropertiesDialog::CkBxReminderIsActiveClick() {
  const bool active = ckBxReminderIsActive_->isChecked();
  cmBxReminderType_->setEnabled(active);
  monthCalendar1_->setEnabled(active);
  edReminderTime_->setEnabled(active);
}

void NotePropertiesDialog::CkBxNeverExpiresClick() {
  const bool expires = !ckBxNeverExpires_->isChecked();
  rbExpiresOnce_->setEnabled(expires);
  rbExpiresEveryday_->setEnabled(expires);
  edExpireTime_->setEnabled(expires);
  ckBxMoveToTrash_->setEnabled(expires);
  ExpiryKindClick();
}

void NotePropertiesDialog::ExpiryKindClick() {
  // The date counts for a note that expires once; one that never expires
  // has no date to pick.
  edExpireDate_->setEnabled(!ckBxNeverExpires_->isChecked() && !rbExpiresEveryday_->isChecked());
}

void NotePropertiesDialog::RebuildReminderKinds() {
  const int selected = cmBxReminderType_->currentIndex();
  const QStringList entries = ReminderKindEntries(monthCalendar1_->selectedDate(), QLocale());
  for (int i = 0; i < entries.size(); ++i) {
    if (i < cmBxReminderType_->count()) {
      cmBxReminderType_->setItemText(i, entries[i]);
    } else {
      cmBxReminderType_->addItem(entries[i]);
    }
  }
  cmBxReminderType_->setCurrentIndex(selected < 0 ? 0 : selected);
}

void NotePropertiesDialog::Button1Click() {
  QColorDialog dialog(noteColor_, this);
  dialog.setObjectName(QStringLiteral("ColorDialog1"));
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() == QDialog::Accepted) SetNoteColor(dialog.selectedColor());
}

void NotePropertiesDialog::Button2Click() {
  CaptionFontDialog dialog(lblSampleCaption_->font(),
                           lblSampleCaption_->palette().color(QPalette::WindowText), this);
  dialog.setObjectName(QStringLiteral("FontDialog1"));
  if (dialog.exec() == QDialog::Accepted) {
    SetSampleCaptionFont(dialog.SelectedFont(), dialog.SelectedColor());
  }
}

}  // namespace pw
