// Paperwisp: one copy per user, living in the notification area.
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <cstdio>

#include "app/command_line.h"
#include "app/command_runner.h"
#include "app/controller/notes_main.h"
#include "app/dialog_dataset_ui.h"
#include "dataset/dataset_locale.h"
#include "desktop/display_platform.h"
#include "desktop/program_icon.h"
#include "desktop/single_instance.h"
#include "desktop/termination_signal.h"
#include "settings/data_folder.h"

int main(int argc, char** argv) {
  // Read before the display is opened: help needs none.
  pw::CommandLine commandLine = pw::ParseCommandLine(pw::ArgumentsOf(argc, argv));
  if (commandLine.kind != pw::CommandLine::Kind::Run) return pw::PrintHelpOrError(commandLine);
  if (QString error; !pw::ReadTextFromStandardInput(commandLine, &error)) {
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return 1;
  }

  // On X11 every window's image would otherwise also be a shared memory
  // segment the X server maps beside its own copy: hundreds of small notes
  // cost the server twice their pixels, for painting they do not need fast.
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
  pw::ChoosePlatformBeforeDisplayOpens(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Paperwisp"));
  QApplication::setWindowIcon(pw::ProgramIcon());
  // Lets the desktop match the windows to paperwisp.desktop and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("paperwisp"));
  QApplication::setQuitOnLastWindowClosed(false);

  // A second copy hands its command to the first one and ends.
  pw::SingleInstance onlyOne(QApplication::applicationName());
  switch (onlyOne.Claim(commandLine.Command())) {
    case pw::SingleInstance::Outcome::Running:
      break;
    case pw::SingleInstance::Outcome::HandedOver:
      return pw::PrintAnswer(onlyOne.Answer());
    case pw::SingleInstance::Outcome::Failed:
      // Running without the guard could let two copies write the same notes.
      qCritical("%s", qPrintable(onlyOne.ErrorString()));
      QMessageBox::critical(nullptr, QApplication::applicationName(), onlyOne.ErrorString());
      return 1;
  }
  if (!commandLine.StartsProgram()) return pw::PrintNotRunning();

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

  pw::NotesController notesMain(dataFolder);
  pw::CommandRunner commands(notesMain);
  QObject::connect(&onlyOne, &pw::SingleInstance::requestReceived, &commands,
                   &pw::CommandRunner::Carry);
  // Later starts wait for the end of this one instead of asking it.
  QObject::connect(&notesMain, &pw::NotesController::programEndRequested, &onlyOne,
                   &pw::SingleInstance::StopListening);
  commands.CarryOwn(commandLine.Command());
  // exit(), not quit(): quit() first asks every window to close, and the
  // notification-area stand-in window refuses, which would cancel the end.
  QObject::connect(
      &notesMain, &pw::NotesController::programEndRequested, &app,
      [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
  // A session that ends logs the user off; the notes are saved the same way.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &notesMain,
                   &pw::NotesController::FormCloseQuery);
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &notesMain,
                   &pw::NotesController::FormCloseQuery);
  // So does a shutdown without a session manager, or a plain `kill`.
  pw::TerminationSignalWatcher terminationSignals;
  QObject::connect(&terminationSignals, &pw::TerminationSignalWatcher::terminationRequested,
                   &notesMain, &pw::NotesController::FormCloseQuery);
  notesMain.FormCreate();
  return app.exec();
}
