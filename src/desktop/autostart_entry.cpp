#include "desktop/autostart_entry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace pw {
namespace {

constexpr char kEntryName[] = "paperwisp.desktop";

QString ConfigHome() {
  const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (QDir::isAbsolutePath(configured)) return configured;
  return QDir::homePath() + QStringLiteral("/.config");
}

// One argument of an Exec line: inside double quotes '"', '`', '$' and '\'
// take a backslash; then the value as a whole escapes '\' as "\\" and field
// codes leave '%' as "%%".
QString ExecArgument(const QString& argument) {
  QString quoted;
  for (const QChar c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted = '"' + quoted + '"';
  quoted.replace('\\', QStringLiteral("\\\\"));
  quoted.replace('%', QStringLiteral("%%"));
  return quoted;
}

}  // namespace

QString AutostartEntryPath() {
  return ConfigHome() + QStringLiteral("/autostart/") + kEntryName;
}

QByteArray AutostartEntryText(const QString& executable) {
  const QString text = QStringLiteral(
                           "[Desktop Entry]\n"
                           "Type=Application\n"
                           "Name=Paperwisp\n"
                           "Comment=Sticky notes and reminders\n"
                           "Exec=%1\n"
                           "Icon=paperwisp\n"
                           "Terminal=false\n"
                           "X-GNOME-Autostart-enabled=true\n")
                           .arg(ExecArgument(executable));
  return text.toUtf8();
}

bool WriteAutostartEntry(const QString& executable, QString* error) {
  if (executable.contains('\n') || executable.contains('\r')) {
    *error = QStringLiteral("The program's path holds a line break: ") + executable;
    return false;
  }
  const QString path = AutostartEntryPath();
  const QString folder = QFileInfo(path).path();
  if (!QDir().mkpath(folder)) {
    *error = QStringLiteral("Unable to create the folder ") + folder;
    return false;
  }
  QSaveFile file(path);
  const QByteArray text = AutostartEntryText(executable);
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
    *error = QStringLiteral("Unable to write ") + path + QStringLiteral(": ") + file.errorString();
    return false;
  }
  return true;
}

bool RemoveAutostartEntry(QString* error) {
  QFile file(AutostartEntryPath());
  if (!QFileInfo(file).exists() && !QFileInfo(file).isSymLink()) return true;
  if (file.remove()) return true;
  *error = QStringLiteral("Unable to remove ") + file.fileName() + QStringLiteral(": ") +
           file.errorString();
  return false;
}

}  // namespace pw
