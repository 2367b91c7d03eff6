// Paperwisp: one copy per user, living in the notification area.
#include <QApplication>
#include <QLocale>
#include <QMessageBox>

#include "app/controller/notes_main.h"
#include "dataset/dataset_locale.h"
#include "dataset/dialog_dataset_ui.h"
#include "desktop/program_icon.h"
#include "desktop/single_instance.h"
#include "desktop/termination_signal.h"
#include "settings/data_folder.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Paperwisp"));
  QApplication::setWindowIcon(pw::ProgramIcon());
  // Lets the desktop match the windows to paperwisp.desktop and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("paperwisp"));
  QApplication::setQuitOnLastWindowClosed(false);

  // A second copy only asks the first one forward and ends.
  pw::TTzOnlyOne onlyOne(QApplication::applicationName());
  switch (onlyOne.Claim()) {
    case pw::TTzOnlyOne::Outcome::Running:
      break;
    case pw::TTzOnlyOne::Outcome::HandedOver:
      return 0;
    case pw::TTzOnlyOne::Outcome::Failed:
      // Running without the guard could let two copies write the same notes.
      qCritical("%s", qPrintable(onlyOne.ErrorString()));
      QMessageBox::critical(nullptr, QApplication::applicationName(), onlyOne.ErrorString());
      return 1;
  }

  const QString dataFolder = pw::DataFolderFor(QApplication::applicationDirPath());
  QString error;
  if (!pw::EnsureDataFolder(dataFolder, &error)) {
    qCritical("%s", qPrintable(error));
    return 1;
  }
  pw::InitDatasetLocale(QLocale::system());
  // Warnings and index-build progress of the tables as dialogs.
  pw::DialogDatasetUi datasetUi;
  pw::SetDatasetUi(&datasetUi);

  pw::TFrmNotesMain notesMain(dataFolder);
  QObject::connect(&onlyOne, &pw::TTzOnlyOne::activationRequested, &notesMain,
                   &pw::TFrmNotesMain::BringForward);
  // exit(), not quit(): quit() first asks every window to close, and the
  // notification-area stand-in window refuses, which would cancel the end.
  QObject::connect(
      &notesMain, &pw::TFrmNotesMain::programEndRequested, &app, [] { QCoreApplication::exit(0); },
      Qt::QueuedConnection);
  // A session that ends logs the user off; the notes are saved the same way.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &notesMain,
                   &pw::TFrmNotesMain::FormCloseQuery);
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &notesMain,
                   &pw::TFrmNotesMain::FormCloseQuery);
  // So does a shutdown without a session manager, or a plain `kill`.
  pw::TerminationSignalWatcher terminationSignals;
  QObject::connect(&terminationSignals, &pw::TerminationSignalWatcher::terminationRequested,
                   &notesMain, &pw::TFrmNotesMain::FormCloseQuery);
  notesMain.FormCreate();
  return app.exec();
}
