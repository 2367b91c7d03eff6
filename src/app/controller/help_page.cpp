#include "app/controller/help_page.h"

#include <QDir>
#include <QMessageBox>
#include <QUrl>

#include "richtext/url_opener.h"
#include "settings/shipped_file.h"

namespace pw {

bool OpenHelpPage(QWidget* parent, const QString& programFolder, UrlOpener& opener) {
  const QString name = QString::fromLatin1(kHelpPageName);
  const QString page = ShippedFilePath(programFolder, name);
  QString problem;
  if (page.isEmpty()) {
    problem =
        QStringLiteral(
            "The help page %1 is missing: it was found neither beside the program "
            "nor in %2.")
            .arg(name,
                 QDir::cleanPath(QDir(programFolder)
                                     .filePath(QString::fromLatin1(kShippedFolderFromExecutable))));
  } else if (!opener.Open(QUrl::fromLocalFile(page))) {
    problem = QStringLiteral("No web browser could be started to show the help page %1.")
                  .arg(QDir::toNativeSeparators(page));
  }
  if (problem.isEmpty()) return true;
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Paperwisp Help"), problem, QMessageBox::Ok,
                  parent);
  box.setObjectName(QStringLiteral("HelpMissingBox"));
  box.exec();
  return false;
}

}  // namespace pw
