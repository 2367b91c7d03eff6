// The program in a process of its own under a virtual X server, on tables
// that hold a daily reminder without a time: the "Note Alarm" window comes
// up at the first minute pass (found from outside by its title), goes away
// on "Ok" and does not come back that day. The minute is shortened for the
// test through PAPERWISP_TIMER_CHECK_MS. With a window manager, it comes up
// on the desktop the user is on.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <initializer_list>

#include "app/record/note_record.h"
#include "app/record/note_values.h"
#include "common/error_state.h"
#include "dataset/dbf_table.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

constexpr int kRunMs = 90000;

// Run inside the X server: starts the program, waits for the reminder
// window, clicks its "Ok" (OkButton lies 80 right of BtnSnooze, which is half
// the width less 82 from the left, 31 above the bottom), waits for it to
// close, lets several passes run, and ends the program. Each finding is a
// line of the result file.
constexpr char kScript[] = R"sh(#!/bin/sh
result="$1"
"$PAPERWISP" &
program=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Note Alarm$' | head -n 1)
echo "window=$window" >> "$result"
if [ -n "$window" ]; then
  xprop -id "$window" WM_NAME >> "$result"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove --window "$window" $((WIDTH / 2 - 82 + 80 + 38)) $((HEIGHT - 31 + 12)) click 1
  for attempt in $(seq 100); do
    xdotool search --onlyvisible --name '^Note Alarm$' > /dev/null || break
    sleep 0.1
  done
  echo "after ok=$(xdotool search --onlyvisible --name '^Note Alarm$' | wc -l)" >> "$result"
  # Ten more passes of 300 ms.
  sleep 3
  echo "later=$(xdotool search --onlyvisible --name '^Note Alarm$' | wc -l)" >> "$result"
fi
kill -TERM $program
wait $program
echo "exit=$?" >> "$result"
)sh";

// With a window manager and three desktops: the program starts on the first,
// the user moves to the third before the first pass, and the reminder must
// come up there.
constexpr char kDesktopScript[] = R"sh(#!/bin/sh
result="$1"
openbox & manager=$!
until wmctrl -m > /dev/null 2>&1; do sleep 0.1; done
wmctrl -n 3
"$PAPERWISP" &
program=$!
timeout 30 xdotool search --sync --name '^Paperwisp$' > /dev/null
wmctrl -s 2
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Note Alarm$' | head -n 1)
echo "current=$(wmctrl -d | awk '$2 == "*" { print $1 }')" >> "$result"
[ -n "$window" ] && xprop -id "$window" _NET_WM_DESKTOP >> "$result"
kill -TERM $program
wait $program
kill $manager
)sh";

bool HaveTools(std::initializer_list<const char*> tools) {
  for (const char* tool : tools) {
    if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) return false;
  }
  return true;
}

QString ReadText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class ReminderProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveTools({"xvfb-run", "xdotool", "xprop", "timeout"}))
      GTEST_SKIP() << "needs xvfb-run, xdotool and xprop";
    savedDispatch_ = SetAutoDispatch(false);
    ASSERT_EQ(mkdir(home_.file("runtime").c_str(), 0700), 0);
    ASSERT_TRUE(QDir().mkpath(DataFolder()));
  }
  void TearDown() override { SetAutoDispatch(savedDispatch_); }

  QString Home() const { return QString::fromStdString(home_.path()); }
  QString DataFolder() const { return Home() + "/data/Paperwisp"; }

  static void OpenNotes(DbfTable& notes, const QString& path) {
    notes.setObjectName(QStringLiteral("TzNotes"));
    ConfigureNoteTable(notes, NoteTableFieldLines());
    notes.SetDbfFileName(path);
    notes.Open();
    notes.SetIndexTo(QString());
  }

  // A daily reminder without a time, never fired.
  void AddDailyReminder() {
    DbfTable notes;
    OpenNotes(notes, DataFolder() + "/notes.dbf");
    notes.ClearRecord();
    notes.SetFieldStr("DESC", "Water the plants");
    notes.SetFieldStr("SHOWING", "N");
    notes.SetFieldStr("ALARMACT", "Y");
    notes.SetFieldInt("ALARMTYPE", 1);
    notes.SetFieldDate("ALARMDATE", DateText(QDate(2026, 1, 1)));
    notes.SetFieldInt("COLOR", 10092543);
    ASSERT_TRUE(notes.ALock());
    notes.AppendRec();
    notes.UnLock();
    ASSERT_EQ(EngineErrorCode(), 0);
    notes.Close();
  }

  // Runs `script` with the program under a virtual X server; its findings.
  QString RunUnderX(const char* text, const char* checkIntervalMs) {
    const QString script = Home() + "/run.sh";
    {
      QFile file(script);
      EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) > 0);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", Home());
    environment.insert("XDG_DATA_HOME", Home() + "/data");
    environment.insert("XDG_CONFIG_HOME", Home() + "/config");
    environment.insert("XDG_RUNTIME_DIR", Home() + "/runtime");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("PAPERWISP", PAPERWISP_EXECUTABLE);
    environment.insert("PAPERWISP_TIMER_CHECK_MS", checkIntervalMs);
    QProcess xserver;
    xserver.setProcessEnvironment(environment);
    xserver.setProcessChannelMode(QProcess::ForwardedChannels);
    const QString result = Home() + "/result.txt";
    xserver.start("xvfb-run", {"-a", "-s", "-screen 0 1280x800x24", "sh", script, result});
    EXPECT_TRUE(xserver.waitForFinished(kRunMs));
    return ReadText(result);
  }

  test::TempDir home_;
  bool savedDispatch_ = false;
};

TEST_F(ReminderProcessTest, ADailyReminderRingsAtTheFirstPassAndNotAgainAfterOk) {
  AddDailyReminder();
  const QString found = RunUnderX(kScript, "300");
  EXPECT_FALSE(found.contains("window=\n")) << found.toStdString();
  EXPECT_TRUE(found.contains("WM_NAME(UTF8_STRING) = \"Note Alarm\"") ||
              found.contains("WM_NAME(STRING) = \"Note Alarm\""))
      << found.toStdString();
  EXPECT_TRUE(found.contains("after ok=0")) << found.toStdString();
  EXPECT_TRUE(found.contains("later=0")) << found.toStdString();
  EXPECT_TRUE(found.contains("exit=0")) << found.toStdString();
  // The shipped sounds were put into the data folder.
  EXPECT_TRUE(QFile::exists(DataFolder() + "/Reminder.wav"));

  DbfTable notes;
  OpenNotes(notes, DataFolder() + "/notes.dbf");
  notes.GoTop();
  ASSERT_FALSE(notes.Eof());
  EXPECT_EQ(DateOfText(notes.GetFieldDate("DATEALMACT")), QDate::currentDate());
  notes.Close();
}

TEST_F(ReminderProcessTest, TheReminderComesUpOnTheDesktopTheUserIsOn) {
  if (!HaveTools({"openbox", "wmctrl", "awk"})) GTEST_SKIP() << "needs openbox and wmctrl";
  AddDailyReminder();
  const QString found = RunUnderX(kDesktopScript, "2000");
  EXPECT_TRUE(found.contains("current=2\n")) << found.toStdString();
  EXPECT_TRUE(found.contains("_NET_WM_DESKTOP(CARDINAL) = 2\n")) << found.toStdString();
}

}  // namespace
}  // namespace pw
