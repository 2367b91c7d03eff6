// The "Preferences" page of the configuration dialog: six switches of the
// program's behaviour.
#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include "dialogs/config_dialog.h"
#include "dialogs/named_widget.h"

namespace pw {

QWidget* ConfigDialog::BuildPreferencesPage() {
  auto* page = Named("TabPreferences", new QWidget);
  auto* layout = new QVBoxLayout(page);
  auto* text = new QLabel(
      QStringLiteral("These preferences control global settings for Paperwisp.  "), page);
  text->setWordWrap(true);
  layout->addWidget(text);
  const auto box = [page, layout](const char* name, const char* caption) {
    // "&&" shows one ampersand.
    auto* check = Named(name, new QCheckBox(QString::fromLatin1(caption), page));
    layout->addWidget(check);
    return check;
  };
  loadPaperwispCheckBox_ = box("CkBxLoadPaperwisp", "Load Paperwisp during Windows Startup");
  backupCheckBox_ = box("CkBxBackup", "Backup Notes upon Exit of Paperwisp");
  emptyTrashCheckBox_ = box("CkBxEmptyTrash", "Empty Note Trash Bin upon Exit of Paperwisp");
  soundsCheckBox_ = box("CkBxSounds", "Enable Sound Effects");
  urlCheckBox_ = box("CkBxURL", "Enable URL && E-Mail addresses in Notes");
  taskbarCheckBox_ = box("CkBxTaskbar", "Display Paperwisp Icon on Windows Taskbar");
  layout->addStretch(1);
  return page;
}

}  // namespace pw
