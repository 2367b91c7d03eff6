// Files written by the real xpad, run on an X server of the test's own
// (Xvfb), read back by the xpad reader.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>

#include "import/import_source.h"
#include "import/import_test_support.h"
#include "import/source_readers.h"
#include "support/temp_dir.h"

namespace pw::test {
namespace {

constexpr int kWaitMs = 30000;

// Waits until `done` holds, up to kWaitMs.
template <typename Done>
bool WaitFor(Done done) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > kWaitMs) return false;
    QThread::msleep(100);
  }
  return true;
}

TEST(ImportXpad, PadsWrittenByXpadComeOverWithTheirText) {
  if (QStandardPaths::findExecutable("xpad").isEmpty() ||
      QStandardPaths::findExecutable("Xvfb").isEmpty()) {
    GTEST_SKIP() << "xpad or Xvfb is not installed (apt-get install xpad xvfb)";
  }
  TempDir home;
  QProcess server;
  server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
  ASSERT_TRUE(server.waitForStarted());
  ASSERT_TRUE(WaitFor([&server] {
    server.waitForReadyRead(100);
    return server.canReadLine();
  }));
  const QString display = ":" + QString::fromLatin1(server.readLine()).trimmed();

  const QString config = QString::fromStdString(home.file(".config"));
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("DISPLAY", display);
  environment.insert("HOME", QString::fromStdString(home.path()));
  environment.insert("XDG_CONFIG_HOME", config);
  const QString text = QString::fromUtf8("Pick up the keys\nat Jösé's");
  QFile input(QString::fromStdString(home.file("pad.txt")));
  ASSERT_TRUE(input.open(QIODevice::WriteOnly));
  input.write(text.toUtf8());
  input.close();

  QProcess pad;
  pad.setProcessEnvironment(environment);
  pad.start("xpad", {"--new-from-file=" + input.fileName()});
  ASSERT_TRUE(pad.waitForStarted());
  // xpad makes the pad's files at once and writes its text when it quits.
  const QDir folder(config + "/xpad");
  const bool padMade =
      WaitFor([&] { return !folder.entryList({"info-*"}, QDir::Files).isEmpty(); });
  QProcess quit;
  quit.setProcessEnvironment(environment);
  quit.start("xpad", {"--quit"});
  quit.waitForFinished(kWaitMs);
  if (!pad.waitForFinished(kWaitMs)) pad.kill();
  server.terminate();
  server.waitForFinished();
  ASSERT_TRUE(padMade) << "xpad made no pad in " << folder.path().toStdString();

  EXPECT_EQ(DetectImportSource(folder.path()).kind, ImportSource::kXpad);
  const ImportRead read = ReadXpadFolder(folder.path());
  ASSERT_TRUE(read.ok) << read.error.toStdString();
  const auto found =
      std::find_if(read.batch.notes.begin(), read.batch.notes.end(),
                   [&](const ImportedNote& note) { return PlainTextOfRtf(note.rtf) == text; });
  ASSERT_NE(found, read.batch.notes.end());
  EXPECT_EQ(found->caption, "Pick up the keys");
  EXPECT_TRUE(found->sourceId.startsWith("info-"));
  ASSERT_TRUE(found->place.has_value());
  EXPECT_TRUE(found->size.isValid() && !found->size.isEmpty());
}

}  // namespace
}  // namespace pw::test
