#include "app/controller/notes_main.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

#include "app/note/note_window.h"
#include "app/note/template_menu.h"
#include "app/record/note_record.h"
#include "dataset/dataset_error.h"
#include "dataset/tz_dbf.h"
#include "desktop/sound_player.h"
#include "desktop/tray_notify_icon.h"
#include "dialogs/about_box.h"
#include "reminders/pass_clock.h"
#include "settings/config_keys.h"
#include "settings/data_folder.h"
#include "settings/shipped_sounds.h"

namespace pw {

namespace {

constexpr int kInitializeDelayMs = 250;
constexpr char kHelpFileName[] = "Paperwisp.hlp";

std::unique_ptr<TTzDbf> MakeNoteTable(const char* name, const QStringList& fieldLines) {
  auto table = std::make_unique<TTzDbf>();
  table->setObjectName(QString::fromLatin1(name));
  ConfigureNoteTable(*table, fieldLines);
  return table;
}

}  // namespace

TFrmNotesMain::TFrmNotesMain(const QString& dataFolder, QWidget* parent)
    : QWidget(parent),
      dataFolder_(dataFolder.endsWith('/') ? dataFolder : dataFolder + '/'),
      tzNotes_(MakeNoteTable("TzNotes", NoteTableFieldLines())),
      tzTrash_(MakeNoteTable("TzTrash", NoteTableFieldLines())),
      tzDefaults_(MakeNoteTable("TzDefaults", TemplateTableFieldLines())),
      timerInitialize_(new QTimer(this)) {
  setWindowTitle(QStringLiteral("Paperwisp"));
  timerInitialize_->setObjectName(QStringLiteral("TimerInitialize"));
  timerInitialize_->setInterval(kInitializeDelayMs);
  connect(timerInitialize_, &QTimer::timeout, this, &TFrmNotesMain::TimerInitializeTimer);
  SetUpTimerCheck();
  BuildMenus();
}

TFrmNotesMain::~TFrmNotesMain() = default;

void TFrmNotesMain::BuildMenus() {
  popupMenu1_ = new QMenu(this);
  popupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
  newNote1_ = popupMenu1_->addMenu(QStringLiteral("New Note"));
  newNote1_->setObjectName(QStringLiteral("NewNote1"));
  AddTemplateMenuItems(newNote1_, QStringLiteral("Template"));
  connect(newNote1_, &QMenu::aboutToShow, this, [this] { NewNote1Click(newNote1_); });
  connect(newNote1_, &QMenu::triggered, this,
          [this](QAction* item) { NewNoteFromTemplate(item->data().toInt()); });

  // "Notes & Reminders..." and "Configure..." open windows built elsewhere;
  // until they exist the items are shown disabled.
  popupMenu1_->addAction(QStringLiteral("Notes && Reminders..."))->setEnabled(false);
  connect(popupMenu1_->addAction(QStringLiteral("Hide All Notes")), &QAction::triggered, this,
          &TFrmNotesMain::HideAllNotes1Click);
  popupMenu1_->addSeparator();
  connect(popupMenu1_->addAction(QStringLiteral("Help...")), &QAction::triggered, this,
          &TFrmNotesMain::Help1Click);
  connect(popupMenu1_->addAction(QStringLiteral("About...")), &QAction::triggered, this,
          &TFrmNotesMain::About1Click);
  popupMenu1_->addSeparator();
  popupMenu1_->addAction(QStringLiteral("Configure..."))->setEnabled(false);
  connect(popupMenu1_->addAction(QStringLiteral("Shutdown Paperwisp")), &QAction::triggered, this,
          &TFrmNotesMain::FormCloseQuery);

  pupTemplate_ = new QMenu(this);
  pupTemplate_->setObjectName(QStringLiteral("PupTemplate"));
  AddTemplateMenuItems(pupTemplate_, QStringLiteral("Temp"));
  connect(pupTemplate_, &QMenu::aboutToShow, this, &TFrmNotesMain::PupTemplatePopup);
  connect(pupTemplate_, &QMenu::triggered, this,
          [this](QAction* item) { NewNoteFromTemplate(item->data().toInt()); });
}

void TFrmNotesMain::FormCreate() {
  trayIcon_ = new TTrayNotifyIcon(this);
  trayIcon_->SetHint(QStringLiteral("Paperwisp"));
  trayIcon_->SetPopupMenu(popupMenu1_);
  connect(trayIcon_, &TTrayNotifyIcon::OnClick, this,
          [this] { pupTemplate_->popup(QCursor::pos()); });
  connect(trayIcon_, &TTrayNotifyIcon::OnDblClick, this, [this] { NewNoteFromTemplate(1); });
  trayIcon_->SetIconVisible(true);

  for (const QString& failure :
       CopyMissingSounds(dataFolder_, QCoreApplication::applicationDirPath())) {
    qWarning("Could not copy the sound %s", qPrintable(failure));
  }
  // Engine errors only set the error code from here on; callers test it.
  SetEngineErrorDispatch(false);
  settings_ = LoadSettings(IniFile(dataFolder_ + kConfigFileName));
  CheckLastSession();
  timerInitialize_->start();
}

void TFrmNotesMain::Help1Click() {
  const QString helpFile = QCoreApplication::applicationDirPath() + '/' + kHelpFileName;
  if (QFileInfo::exists(helpFile)) QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile));
}

void TFrmNotesMain::About1Click() {
  TFrmAbout about(this);
  about.exec();
}

QList<QRect> TFrmNotesMain::ScreenRects() const {
  if (screenSize_.isValid()) return {QRect(QPoint(0, 0), screenSize_)};
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens << screen->geometry();
  return screens;
}

SoundPlayer& TFrmNotesMain::Sounds() {
  if (!sounds_) sounds_ = CreateDesktopSoundPlayer();
  return *sounds_;
}

void TFrmNotesMain::SetSoundPlayer(std::unique_ptr<SoundPlayer> player) {
  sounds_ = std::move(player);
}

void TFrmNotesMain::PlayDataSound(const QString& fileName) {
  Sounds().PlayAndWait(DataFilePath(dataFolder_, fileName));
}

void TFrmNotesMain::BringForward() {
  for (TFrmNote* window : findChildren<TFrmNote*>()) {
    if (!window->isVisible()) continue;
    window->raise();
    window->activateWindow();
  }
}

void TFrmNotesMain::closeEvent(QCloseEvent* event) {
  FormCloseQuery();
  event->accept();
}

}  // namespace pw
