// The minute timer MinuteTimer: each run hides or trashes the notes that
// have expired, then opens a window for every reminder that is due. Runs
// never overlap, and a watch of the wall clock runs a pass at once after the
// machine woke up or the clock was set.
#include <QElapsedTimer>
#include <QTimer>

#include "app/controller/note_pass_frame.h"
#include "app/controller/notes_main.h"
#include "reminders/pass_clock.h"

namespace pw {
namespace {

constexpr int kTimerCheckMs = 60000;
// How often the wall clock is compared with the monotonic one.
constexpr int kClockWatchMs = 5000;
// A shorter minute for the tests that run the program from outside, so that
// they need not wait for a whole one. Not a setting of users.
constexpr char kTimerCheckOverride[] = "PAPERWISP_TIMER_CHECK_MS";

int TimerCheckInterval() {
  bool isNumber = false;
  const int override = qEnvironmentVariableIntValue(kTimerCheckOverride, &isNumber);
  return isNumber && override > 0 ? override : kTimerCheckMs;
}

// The process's monotonic clock, which stands still while the machine sleeps.
qint64 MonotonicMs() {
  static QElapsedTimer started = [] {
    QElapsedTimer timer;
    timer.start();
    return timer;
  }();
  return started.elapsed();
}

}  // namespace

void ReportPassError(const char* pass, const QString& reason) {
  qWarning("%s ended early: %s", pass, qPrintable(reason));
}

void RestorePassTag(DbfTable& notes, const QString& tag) {
  if (!notes.Active()) return;
  try {
    if (tag.isEmpty()) {
      notes.SetOrderTo(0);
    } else {
      notes.SetOrderToTag(tag);
    }
  } catch (const EngineError& error) {
    ReportPassError("Restoring the order", QString::fromStdString(error.what()));
  }
}

void NotesController::SetUpTimerCheck() {
  clock_ = CreateSystemClock();
  minuteTimer_ = new QTimer(this);
  minuteTimer_->setObjectName(QStringLiteral("TimerCheck"));
  minuteTimer_->setInterval(TimerCheckInterval());
  connect(minuteTimer_, &QTimer::timeout, this, &NotesController::onMinuteTimeout);
  timerClockWatch_ = new QTimer(this);
  timerClockWatch_->setInterval(kClockWatchMs);
  connect(timerClockWatch_, &QTimer::timeout, this, &NotesController::WatchWallClock);
  timerClockWatch_->start();
}

void NotesController::SetClock(std::unique_ptr<PassClock> clock) {
  clock_ = std::move(clock);
}

void NotesController::onMinuteTimeout() {
  minuteTimer_->stop();
  // The passes end quietly on errors; the timer runs on in every case.
  ExpireNotes(ExpireMode::kRunning);
  FireReminders();
  if (!shutDown_) minuteTimer_->start();
}

void NotesController::WatchWallClock() {
  const bool jumped = clockJumps_.Jumped(clock_->Now(), MonotonicMs());
  // Not before the start-up has switched the timer on, nor during a pass.
  if (jumped && minuteTimer_->isActive()) onMinuteTimeout();
}

}  // namespace pw
