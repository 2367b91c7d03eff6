#include "app/sync/sync_page.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/sync/notes_sync.h"
#include "app/sync/sync_settings.h"
#include "settings/config_keys.h"
#include "sync/caldav_discovery.h"
#include "sync/password_store.h"

namespace pw {
namespace {

template <class W>
W* Named(const char* name, W* widget) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

SyncPage::SyncPage(NotesSync& sync, QString dataFolder, QWidget* parent)
    : QWidget(parent),
      sync_(sync),
      dataFolder_(std::move(dataFolder)),
      edServer_(Named("EdServer", new QLineEdit(this))),
      edUser_(Named("EdUser", new QLineEdit(this))),
      edPassword_(Named("EdPassword", new QLineEdit(this))),
      cmBxCollection_(Named("CmBxCollection", new QComboBox(this))),
      btnFind_(
          Named("BtnFindCollections", new QPushButton(QStringLiteral("Find Collections"), this))),
      btnSyncNow_(Named("BtnSyncNow", new QPushButton(QStringLiteral("Sync Now"), this))),
      lblResult_(Named("LblResult", new QLabel(this))),
      lblPasswordPlace_(Named("LblPasswordPlace", new QLabel(this))) {
  setObjectName(QStringLiteral("TabSync"));
  const SyncSettings settings =
      ReadSyncSettings(IniFile(QDir(dataFolder_).filePath(kConfigFileName)));
  edServer_->setText(settings.server);
  edServer_->setPlaceholderText(QStringLiteral("https://dav.example.org/"));
  edUser_->setText(settings.user);
  edPassword_->setEchoMode(QLineEdit::Password);
  edPassword_->setPlaceholderText(QStringLiteral("unchanged"));
  if (!settings.collection.isEmpty())
    cmBxCollection_->addItem(settings.collection, settings.collection);
  lblResult_->setText(settings.lastResult.isEmpty() ? QStringLiteral("Not synced yet.")
                                                    : settings.lastResult);
  lblResult_->setWordWrap(true);
  lblPasswordPlace_->setWordWrap(true);
  lblPasswordPlace_->setText(
      PasswordStore(dataFolder_).HasSecretService()
          ? QStringLiteral("The password is kept in the desktop's secret service.")
          : QStringLiteral(
                "This desktop has no secret service: the password is kept in the file \"%1\", "
                "which only you can read.")
                .arg(QDir(dataFolder_).filePath(PasswordStore::kFallbackFileName)));

  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("CalDAV server:"), edServer_);
  form->addRow(QStringLiteral("User name:"), edUser_);
  form->addRow(QStringLiteral("Password:"), edPassword_);
  auto* collectionRow = new QHBoxLayout;
  collectionRow->addWidget(cmBxCollection_, 1);
  collectionRow->addWidget(btnFind_);
  form->addRow(QStringLiteral("Collection:"), collectionRow);
  layout->addLayout(form);
  layout->addWidget(lblPasswordPlace_);
  auto* syncRow = new QHBoxLayout;
  syncRow->addWidget(btnSyncNow_);
  syncRow->addWidget(lblResult_, 1);
  layout->addLayout(syncRow);
  layout->addStretch(1);

  connect(btnFind_, &QPushButton::clicked, this, &SyncPage::FindCollectionsClick);
  connect(btnSyncNow_, &QPushButton::clicked, this, &SyncPage::SyncNowClick);
  connect(&sync_, &NotesSync::finished, lblResult_, &QLabel::setText);
}

bool SyncPage::Save() {
  IniFile config(QDir(dataFolder_).filePath(kConfigFileName));
  const SyncSettings settings{edServer_->text().trimmed(),
                              edUser_->text().trimmed(),
                              cmBxCollection_->currentData().toString(),
                              {}};
  if (!WriteSyncSettings(config, settings)) {
    lblResult_->setText(QStringLiteral("Unable to save the settings: ") + config.ErrorString());
    return false;
  }
  if (edPassword_->text().isEmpty()) return true;
  bool inFile = false;
  QString error;
  if (!PasswordStore(dataFolder_)
           .Save(settings.server, settings.user, edPassword_->text(), &inFile, &error)) {
    lblResult_->setText(QStringLiteral("Unable to keep the password: ") + error);
    return false;
  }
  if (inFile && PasswordStore(dataFolder_).HasSecretService())
    lblPasswordPlace_->setText(
        QStringLiteral("The secret service did not take the password: it is kept in the "
                       "file \"%1\", which only you can read.")
            .arg(QDir(dataFolder_).filePath(PasswordStore::kFallbackFileName)));
  edPassword_->clear();
  return true;
}

void SyncPage::FindCollectionsClick() {
  QString password = edPassword_->text();
  if (password.isEmpty())
    password = PasswordStore(dataFolder_)
                   .Load(edServer_->text().trimmed(), edUser_->text().trimmed())
                   .value_or("");
  DavClient client(edUser_->text().trimmed(), password);
  const Discovery found =
      DiscoverCollections(client, QUrl::fromUserInput(edServer_->text().trimmed()));
  if (!found.error.isEmpty()) {
    lblResult_->setText(QStringLiteral("No collections found: ") + found.error);
    return;
  }
  cmBxCollection_->clear();
  for (const CalendarCollection& collection : found.collections)
    cmBxCollection_->addItem(collection.name, collection.url.toString());
  lblResult_->setText(found.collections.empty()
                          ? QStringLiteral("The server offers no collection for tasks.")
                          : QStringLiteral("Choose the collection for the notes."));
}

void SyncPage::SyncNowClick() {
  if (!Save()) return;
  const SyncResult result = sync_.SyncNow();
  if (!result.ok) lblResult_->setText(QStringLiteral("Sync failed: ") + result.message);
}

}  // namespace pw
