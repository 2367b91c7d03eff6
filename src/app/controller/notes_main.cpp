#include "app/controller/notes_main.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "app/controller/help_page.h"
#include "app/note/note_window.h"
#include "app/note/template_menu.h"
#include "app/record/note_record.h"
#include "app/sync/notes_sync.h"
#include "dataset/dataset_error.h"
#include "dataset/dbf_table.h"
#include "desktop/platform_windows.h"
#include "desktop/sound_player.h"
#include "desktop/taskbar_button.h"
#include "desktop/tray_notify_icon.h"
#include "dialogs/about_box.h"
#include "reminders/pass_clock.h"
#include "richtext/url_opener.h"
#include "settings/config_keys.h"
#include "settings/data_folder.h"
#include "settings/shipped_sounds.h"

namespace pw {

namespace {

constexpr int kInitializeDelayMs = 250;

std::unique_ptr<DbfTable> MakeNoteTable(const char* name, const QStringList& fieldLines) {
  auto table = std::make_unique<DbfTable>();
  table->setObjectName(QString::fromLatin1(name));
  ConfigureNoteTable(*table, fieldLines);
  return table;
}

}  // namespace

NotesController::NotesController(const QString& dataFolder, QWidget* parent)
    : QWidget(parent),
      dataFolder_(dataFolder.endsWith('/') ? dataFolder : dataFolder + '/'),
      notesTable_(MakeNoteTable("TzNotes", NoteTableFieldLines())),
      trashTable_(MakeNoteTable("TzTrash", NoteTableFieldLines())),
      templatesTable_(MakeNoteTable("TzDefaults", TemplateTableFieldLines())),
      startupTimer_(new QTimer(this)),
      sync_(new NotesSync(*this)) {
  setWindowTitle(QStringLiteral("Paperwisp"));
  startupTimer_->setObjectName(QStringLiteral("TimerInitialize"));
  startupTimer_->setInterval(kInitializeDelayMs);
  connect(startupTimer_, &QTimer::timeout, this, &NotesController::onStartupTimeout);
  SetUpTimerCheck();
  BuildMenus();
}

NotesController::~NotesController() = default;

void NotesController::BuildMenus() {
  trayMenu_ = new QMenu(this);
  trayMenu_->setObjectName(QStringLiteral("PopupMenu1"));
  newNoteMenu_ = trayMenu_->addMenu(QStringLiteral("New Note"));
  newNoteMenu_->setObjectName(QStringLiteral("NewNote1"));
  AddTemplateMenuItems(newNoteMenu_, QStringLiteral("Template"));
  connect(newNoteMenu_, &QMenu::aboutToShow, this, [this] { onNewNote(newNoteMenu_); });
  connect(newNoteMenu_, &QMenu::triggered, this,
          [this](QAction* item) { NewNoteFromTemplate(item->data().toInt()); });
  noteTemplateMenu_ = new QMenu(QStringLiteral("New Note..."), this);
  AddTemplateMenuItems(noteTemplateMenu_, QStringLiteral("NoteTemplate"));
  connect(noteTemplateMenu_, &QMenu::aboutToShow, this, [this] { onNewNote(noteTemplateMenu_); });
  connect(noteTemplateMenu_, &QMenu::triggered, this,
          [this](QAction* item) { NewNoteFromTemplate(item->data().toInt()); });

  connect(trayMenu_->addAction(QStringLiteral("Notes && Reminders...")), &QAction::triggered, this,
          &NotesController::onNotesAndReminders);
  connect(trayMenu_->addAction(QStringLiteral("Hide All Notes")), &QAction::triggered, this,
          &NotesController::onHideAllNotes);
  connect(trayMenu_->addAction(QStringLiteral("Import Notes...")), &QAction::triggered, this,
          [this] { onImportNotes(nullptr); });
  trayMenu_->addSeparator();
  connect(trayMenu_->addAction(QStringLiteral("Help...")), &QAction::triggered, this,
          &NotesController::onHelp);
  connect(trayMenu_->addAction(QStringLiteral("About...")), &QAction::triggered, this,
          &NotesController::onAbout);
  trayMenu_->addSeparator();
  connect(trayMenu_->addAction(QStringLiteral("Configure...")), &QAction::triggered, this,
          &NotesController::onConfigure);
  connect(trayMenu_->addAction(QStringLiteral("Shutdown Paperwisp")), &QAction::triggered, this,
          &NotesController::FormCloseQuery);

  templateMenu_ = new QMenu(this);
  templateMenu_->setObjectName(QStringLiteral("PupTemplate"));
  AddTemplateMenuItems(templateMenu_, QStringLiteral("Temp"));
  connect(templateMenu_, &QMenu::aboutToShow, this, &NotesController::onTemplateMenuAboutToShow);
  connect(templateMenu_, &QMenu::triggered, this, [this](QAction* item) {
    if (item->data().toInt() > 0) NewNoteFromTemplate(item->data().toInt());
  });
  AddNoTemplateItems();
}

void NotesController::FormCreate() {
  trayIcon_ = new TrayNotifyIcon(this);
  trayIcon_->SetHint(QStringLiteral("Paperwisp"));
  trayIcon_->SetPopupMenu(trayMenu_);
  connect(trayIcon_, &TrayNotifyIcon::OnClick, this,
          [this] { templateMenu_->popup(QCursor::pos()); });
  connect(trayIcon_, &TrayNotifyIcon::OnDblClick, this, [this] { NewNoteFromTemplate(1); });
  trayIcon_->SetIconVisible(true);

  for (const QString& failure :
       CopyMissingSounds(dataFolder_, QCoreApplication::applicationDirPath())) {
    qWarning("Could not copy the sound %s", qPrintable(failure));
  }
  // Engine errors only set the error code from here on; callers test it.
  SetEngineErrorDispatch(false);
  settings_ = LoadSettings(IniFile(dataFolder_ + kConfigFileName));
  ApplyTaskbarButton();
  CheckLastSession();
  TellWhenPlacesAreNotKept();
  startupTimer_->start();
}

void NotesController::onHelp() {
  DesktopUrlOpener browser;
  OpenHelpPage(this, QCoreApplication::applicationDirPath(), browser);
}

void NotesController::onAbout() {
  AboutBox about(this);
  about.exec();
}

QList<QRect> NotesController::ScreenRects() const {
  if (screenSize_.isValid()) return {QRect(QPoint(0, 0), screenSize_)};
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens << screen->geometry();
  return screens;
}

bool NotesController::PlacesWindows() const {
  return placesWindows_.value_or(PlatformPlacesWindows());
}

SoundPlayer& NotesController::Sounds() {
  if (!sounds_) sounds_ = CreateDesktopSoundPlayer();
  return *sounds_;
}

void NotesController::SetSoundPlayer(std::unique_ptr<SoundPlayer> player) {
  sounds_ = std::move(player);
}

void NotesController::PlayDataSound(const QString& fileName) {
  Sounds().PlayAndWait(DataFilePath(dataFolder_, fileName));
}

void NotesController::BringForward() {
  for (NoteWindow* window : findChildren<NoteWindow*>()) {
    if (!window->isVisible()) continue;
    window->raise();
    window->activateWindow();
  }
}

void NotesController::closeEvent(QCloseEvent* event) {
  FormCloseQuery();
  event->accept();
}

}  // namespace pw
