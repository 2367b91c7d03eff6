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
      serverEdit_(Named("EdServer", new QLineEdit(this))),
      userEdit_(Named("EdUser", new QLineEdit(this))),
      passwordEdit_(Named("EdPassword", new QLineEdit(this))),
      collectionCombo_(Named("CmBxCollection", new QComboBox(this))),
      findButton_(
          Named("BtnFindCollections", new QPushButton(QStringLiteral("Find Collections"), this))),
      syncNowButton_(Named("BtnSyncNow", new QPushButton(QStringLiteral("Sync Now"), this))),
      resultLabel_(Named("LblResult", new QLabel(this))),
      passwordPlaceLabel_(Named("LblPasswordPlace", new QLabel(this))) {
  setObjectName(QStringLiteral("TabSync"));
  const SyncSettings settings =
      ReadSyncSettings(IniFile(QDir(dataFolder_).filePath(kConfigFileName)));
  serverEdit_->setText(settings.server);
  serverEdit_->setPlaceholderText(QStringLiteral("https://dav.example.org/"));
  userEdit_->setText(settings.user);
  passwordEdit_->setEchoMode(QLineEdit::Password);
  passwordEdit_->setPlaceholderText(QStringLiteral("unchanged"));
  if (!settings.collection.isEmpty())
    collectionCombo_->addItem(settings.collection, settings.collection);
  resultLabel_->setText(settings.lastResult.isEmpty() ? QStringLiteral("Not synced yet.")
                                                      : settings.lastResult);
  resultLabel_->setWordWrap(true);
  passwordPlaceLabel_->setWordWrap(true);
  passwordPlaceLabel_->setText(
      PasswordStore(dataFolder_).HasSecretService()
          ? QStringLiteral("The password is kept in the desktop's secret service.")
          : QStringLiteral(
                "This desktop has no secret service: the password is kept in the file \"%1\", "
                "which only you can read.")
                .arg(QDir(dataFolder_).filePath(PasswordStore::kFallbackFileName)));

  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("CalDAV server:"), serverEdit_);
  form->addRow(QStringLiteral("User name:"), userEdit_);
  form->addRow(QStringLiteral("Password:"), passwordEdit_);
  auto* collectionRow = new QHBoxLayout;
  collectionRow->addWidget(collectionCombo_, 1);
  collectionRow->addWidget(findButton_);
  form->addRow(QStringLiteral("Collection:"), collectionRow);
  layout->addLayout(form);
  layout->addWidget(passwordPlaceLabel_);
  auto* syncRow = new QHBoxLayout;
  syncRow->addWidget(syncNowButton_);
  syncRow->addWidget(resultLabel_, 1);
  layout->addLayout(syncRow);
  layout->addStretch(1);

  connect(findButton_, &QPushButton::clicked, this, &SyncPage::FindCollectionsClick);
  connect(syncNowButton_, &QPushButton::clicked, this, &SyncPage::SyncNowClick);
  connect(&sync_, &NotesSync::finished, resultLabel_, &QLabel::setText);
}

bool SyncPage::Save() {
  IniFile config(QDir(dataFolder_).filePath(kConfigFileName));
  const SyncSettings settings{serverEdit_->text().trimmed(),
                              userEdit_->text().trimmed(),
                              collectionCombo_->currentData().toString(),
                              {}};
  if (!WriteSyncSettings(config, settings)) {
    resultLabel_->setText(QStringLiteral("Unable to save the settings: ") + config.ErrorString());
    return false;
  }
  if (passwordEdit_->text().isEmpty()) return true;
  bool inFile = false;
  QString error;
  if (!PasswordStore(dataFolder_)
           .Save(settings.server, settings.user, passwordEdit_->text(), &inFile, &error)) {
    resultLabel_->setText(QStringLiteral("Unable to keep the password: ") + error);
    return false;
  }
  if (inFile && PasswordStore(dataFolder_).HasSecretService())
    passwordPlaceLabel_->setText(
        QStringLiteral("The secret service did not take the password: it is kept in the "
                       "file \"%1\", which only you can read.")
            .arg(QDir(dataFolder_).filePath(PasswordStore::kFallbackFileName)));
  passwordEdit_->clear();
  return true;
}

void SyncPage::FindCollectionsClick() {
  QString password = passwordEdit_->text();
  if (password.isEmpty())
    password = PasswordStore(dataFolder_)
                   .Load(serverEdit_->text().trimmed(), userEdit_->text().trimmed())
                   .value_or("");
  DavClient client(userEdit_->text().trimmed(), password);
  const Discovery found =
      DiscoverCollections(client, QUrl::fromUserInput(serverEdit_->text().trimmed()));
  if (!found.error.isEmpty()) {
    resultLabel_->setText(QStringLiteral("No collections found: ") + found.error);
    return;
  }
  collectionCombo_->clear();
  for (const CalendarCollection& collection : found.collections)
    collectionCombo_->addItem(collection.name, collection.url.toString());
  resultLabel_->setText(found.collections.empty()
                            ? QStringLiteral("The server offers no collection for tasks.")
                            : QStringLiteral("Choose the collection for the notes."));
}

void SyncPage::SyncNowClick() {
  if (!Save()) return;
  const SyncResult result = sync_.SyncNow();
  if (!result.ok) resultLabel_->setText(QStringLiteral("Sync failed: ") + result.message);
}

}  // namespace pw
