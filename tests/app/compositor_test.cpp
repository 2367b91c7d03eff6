// The real program under the Wayland compositors that ship, run headless
// with a session bus of the test's own: mutter and weston, each with
// Xwayland, and mutter without it; and a notification-area host on that
// bus, as the desktops run one. What a user sees is read from outside
// (xdotool through Xwayland, D-Bus), what is kept from the notes table.
// Skipped where a compositor, Xwayland or python3-dbus is missing.
#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <optional>

#include "app/controller_fixture.h"
#include "app/program_fixture.h"
#include "app/record/note_values.h"
#include "support/session_bus.h"

namespace pw {
namespace {

using test::Program;
using test::WaitFor;

constexpr int kWindowWaitMs = 10000;

enum class Kind { Mutter, MutterWithoutX11, Weston };

// A headless compositor whose Wayland socket lies in `runtimeFolder`;
// ended with the test.
class Compositor {
 public:
  Compositor(Kind kind, const QString& runtimeFolder, const QString& busAddress)
      : kind_(kind), runtimeFolder_(runtimeFolder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtimeFolder);
    environment.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    if (kind == Kind::Weston) {
      process_.start("weston", {"--backend=headless-backend.so", "--xwayland", "--width=1280",
                                "--height=800", "--socket=" + kSocket});
    } else {
      QStringList arguments{"--headless", "--wayland",         "--virtual-monitor",
                            "1280x800",   "--wayland-display", kSocket};
      if (kind == Kind::MutterWithoutX11) arguments << "--no-x11";
      process_.start("mutter", arguments);
    }
    const bool ready = WaitFor(
        [this] {
          process_.waitForReadyRead(50);
          log_ += QString::fromLocal8Bit(process_.readAll());
          if (process_.state() == QProcess::NotRunning) return true;
          if (kind_ == Kind::MutterWithoutX11) {
            return log_.contains("Using Wayland display name");
          }
          // mutter: "Using public X11 display :1, ...", weston: "xserver
          // listening on display :1".
          static const QRegularExpression x11(R"((?:X11 display|on display) (:\d+))");
          const QRegularExpressionMatch match = x11.match(log_);
          if (match.hasMatch()) x11Display_ = match.captured(1);
          return match.hasMatch();
        },
        kWindowWaitMs);
    if (!ready || process_.state() == QProcess::NotRunning) x11Display_.clear();
    running_ = ready && process_.state() != QProcess::NotRunning;
    // mutter's Xwayland asks for a cookie.
    const QStringList cookies =
        QDir(runtimeFolder).entryList({".mutter-Xwaylandauth.*"}, QDir::Hidden | QDir::Files);
    if (!cookies.isEmpty()) xauthority_ = runtimeFolder + '/' + cookies.first();
  }
  ~Compositor() {
    process_.kill();
    process_.waitForFinished(test::kProgramWaitMs);
  }

  bool Running() const { return running_; }
  const QString& Log() const { return log_; }
  // The environment a program on this desktop has, as the session gives it:
  // no QT_QPA_PLATFORM of the user's.
  Program::Environment Session() const {
    return {{"QT_QPA_PLATFORM", QString()},
            {"WAYLAND_DISPLAY", kSocket},
            {"DISPLAY", x11Display_.isEmpty() ? QString() : x11Display_},
            {"XAUTHORITY", xauthority_.isEmpty() ? QString() : xauthority_}};
  }

  // Runs an X11 tool on Xwayland; its output, or nothing when it failed.
  std::optional<QString> X11Tool(const QString& tool, const QStringList& arguments) const {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", x11Display_);
    if (!xauthority_.isEmpty()) environment.insert("XAUTHORITY", xauthority_);
    process.setProcessEnvironment(environment);
    process.start(tool, arguments);
    if (!process.waitForFinished(test::kProgramWaitMs) || process.exitCode() != 0) {
      return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
  }
  // The X11 window titled `title`, once it is shown.
  std::optional<QString> FindWindow(const QString& title) const {
    std::optional<QString> found;
    WaitFor(
        [&] {
          found = X11Tool("xdotool", {"search", "--onlyvisible", "--name", '^' + title + '$'});
          return found.has_value();
        },
        kWindowWaitMs);
    if (!found) return std::nullopt;
    return found->split('\n', Qt::SkipEmptyParts).value(0);
  }
  // Its top-left corner on the screen.
  std::optional<QPoint> WindowPlace(const QString& window) const {
    const std::optional<QString> shown = X11Tool("xdotool", {"getwindowgeometry", window});
    static const QRegularExpression position(R"(Position: (-?\d+),(-?\d+))");
    const QRegularExpressionMatch match = position.match(shown.value_or(QString()));
    if (!match.hasMatch()) return std::nullopt;
    return QPoint(match.captured(1).toInt(), match.captured(2).toInt());
  }

 private:
  static inline const QString kSocket = QStringLiteral("pwtest-wayland");
  Kind kind_;
  QString runtimeFolder_;
  QProcess process_;
  QString log_;
  QString x11Display_;
  QString xauthority_;
  bool running_ = false;
};

class CompositorTest : public test::ProgramFixture {
 protected:
  void SetUp() override {
    if (!test::SessionBus::Installed()) GTEST_SKIP() << "dbus-daemon is not installed";
    ProgramFixture::SetUp();
  }

  // Starts `kind`, or says why the test is skipped.
  std::optional<QString> Start(Kind kind) {
    const char* program = kind == Kind::Weston ? "weston" : "mutter";
    if (QStandardPaths::findExecutable(program).isEmpty()) {
      return QString("%1 is not installed").arg(program);
    }
    if (kind != Kind::MutterWithoutX11) {
      for (const char* tool : {"Xwayland", "xdotool"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
          return QString("%1 is not installed").arg(tool);
        }
      }
    }
    bus_.emplace();
    compositor_.emplace(kind, QString::fromStdString(RuntimeFolder()), bus_->Address());
    if (!compositor_->Running())
      return QString("%1 did not start: %2").arg(program, compositor_->Log());
    return std::nullopt;
  }

  // Tables made offscreen, holding `notes` and nothing else.
  void Seed(const QList<test::TestNote>& seeded) {
    Program first(Home());
    ASSERT_TRUE(WaitUntilIdle(first));
    std::unique_ptr<DbfTable> notes = OpenNotes();
    for (const test::TestNote& note : seeded) test::ControllerFixture::AppendNote(*notes, note);
    notes->Close();
    Quit(Program::Environment());
    EXPECT_EQ(first.ExitCode(), 0);
  }
  void Quit(const Program::Environment& environment) {
    Program quit(Home(), {"--quit"}, environment);
    EXPECT_EQ(quit.ExitCode(), 0);
  }
  QRect StoredBounds() const {
    std::unique_ptr<DbfTable> notes = OpenNotes();
    notes->GoTop();
    return {notes->GetFieldInt("LEFT"), notes->GetFieldInt("TOP"), notes->GetFieldInt("WIDTH"),
            notes->GetFieldInt("HEIGHT")};
  }
  // Every note's reminder daily and due since long ago.
  void MakeRemindersDue() {
    std::unique_ptr<DbfTable> notes = OpenNotes();
    for (notes->GoTop(); !notes->Eof(); notes->Skip(1)) {
      notes->SetFieldInt("ALARMTYPE", 1);
      notes->SetFieldDate("ALARMDATE", DateText(QDate(2026, 1, 1)));
      ASSERT_TRUE(notes->RLock());
      notes->ReplaceRec();
      notes->UnLock();
    }
  }
  int ShownWindows(const QString& title) const {
    return compositor_->X11Tool("xdotool", {"search", "--onlyvisible", "--name", '^' + title + '$'})
        .value_or(QString())
        .count('\n');
  }
  // The handle the running copy wrote into the record: its window exists.
  bool NoteWindowMade() const {
    std::unique_ptr<DbfTable> notes = OpenNotes();
    notes->GoTop();
    return notes->GetFieldInt("HANDLE") != 0;
  }
  // A drag by the caption, with the mouse, by `offset`.
  void DragCaption(const QString& window, QPoint offset) {
    ASSERT_TRUE(compositor_->X11Tool(
        "xdotool", {"mousemove", "--window", window, "60", "6", "sleep", "0.2", "mousedown", "1"}));
    ASSERT_TRUE(compositor_->X11Tool(
        "xdotool", {"mousemove_relative", "--sync", "--", QString::number(offset.x() / 2),
                    QString::number(offset.y() / 2), "sleep", "0.1", "mousemove_relative", "--",
                    QString::number(offset.x() - offset.x() / 2),
                    QString::number(offset.y() - offset.y() / 2), "sleep", "0.2", "mouseup", "1"}));
  }

  std::optional<test::SessionBus> bus_;
  std::optional<Compositor> compositor_;
};

TEST_F(CompositorTest, UnderMutterNotesOpenAtTheirPlacesAndKeepWhereTheUserDragsThem) {
  if (std::optional<QString> why = Start(Kind::Mutter)) GTEST_SKIP() << why->toStdString();
  Seed({{.left = 300, .top = 200, .width = 200, .height = 150, .desc = "Placed"}});
  {
    Program shown(Home(), {}, compositor_->Session());
    const std::optional<QString> window = compositor_->FindWindow("Placed");
    ASSERT_TRUE(window.has_value()) << compositor_->Log().toStdString();
    EXPECT_TRUE(WaitFor([&] { return compositor_->WindowPlace(*window) == QPoint(300, 200); }))
        << compositor_->WindowPlace(*window).value_or(QPoint()).x();
    DragCaption(*window, {-100, 60});
    EXPECT_TRUE(WaitFor([&] { return compositor_->WindowPlace(*window) == QPoint(200, 260); }));
    Quit(compositor_->Session());
    EXPECT_EQ(shown.ExitCode(), 0);
  }
  EXPECT_EQ(StoredBounds(), QRect(200, 260, 200, 150));
  Program again(Home(), {}, compositor_->Session());
  const std::optional<QString> window = compositor_->FindWindow("Placed");
  ASSERT_TRUE(window.has_value());
  EXPECT_TRUE(WaitFor([&] { return compositor_->WindowPlace(*window) == QPoint(200, 260); }));
  Quit(compositor_->Session());
  EXPECT_EQ(again.ExitCode(), 0);
}

TEST_F(CompositorTest, AtScaleFactorOneAndAHalfTheTableKeepsItsOwnUnits) {
  if (std::optional<QString> why = Start(Kind::Mutter)) GTEST_SKIP() << why->toStdString();
  Seed({{.left = 300, .top = 200, .width = 200, .height = 150, .desc = "Scaled"}});
  Program::Environment session = compositor_->Session();
  session.append({QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("1.5")});
  Program shown(Home(), {}, session);
  const std::optional<QString> window = compositor_->FindWindow("Scaled");
  ASSERT_TRUE(window.has_value());
  // The screen's pixels are one and a half of the table's.
  EXPECT_TRUE(WaitFor([&] { return compositor_->WindowPlace(*window) == QPoint(450, 300); }));
  Quit(session);
  EXPECT_EQ(shown.ExitCode(), 0);
  EXPECT_EQ(StoredBounds(), QRect(300, 200, 200, 150));
}

TEST_F(CompositorTest, WhereWestonPlacesTheWindowsTheStoredPlaceStays) {
  if (std::optional<QString> why = Start(Kind::Weston)) GTEST_SKIP() << why->toStdString();
  Seed({{.left = 0, .top = 0, .width = 200, .height = 150, .desc = "Corner"}});
  Program shown(Home(), {}, compositor_->Session());
  ASSERT_TRUE(compositor_->FindWindow("Corner").has_value()) << compositor_->Log().toStdString();
  Quit(compositor_->Session());
  EXPECT_EQ(shown.ExitCode(), 0);
  EXPECT_EQ(StoredBounds(), QRect(0, 0, 200, 150));
}

TEST_F(CompositorTest, WithoutXwaylandTheNotesShowAndNothingStoredIsOverwritten) {
  if (std::optional<QString> why = Start(Kind::MutterWithoutX11)) {
    GTEST_SKIP() << why->toStdString();
  }
  Seed({{.left = 300, .top = 200, .width = 200, .height = 150, .desc = "Native"}});
  Program shown(Home(), {}, compositor_->Session());
  EXPECT_TRUE(WaitFor([&] { return NoteWindowMade(); }, kWindowWaitMs));
  Quit(compositor_->Session());
  EXPECT_EQ(shown.ExitCode(), 0);
  EXPECT_EQ(StoredBounds(), QRect(300, 200, 200, 150));
}

// One of the test's desktop services (tests/desktop_hosts) on the bus: it
// says "ready", then reports what it sees as JSON lines.
class BusService {
 public:
  BusService(const char* script, const QString& busAddress) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start("/usr/bin/python3", {QStringLiteral(DESKTOP_HOSTS "/") + script});
    ready_ = NextLine() == "ready";
  }
  ~BusService() {
    process_.kill();
    process_.waitForFinished(test::kProgramWaitMs);
  }
  bool Ready() const { return ready_; }
  // The next report; empty when none came.
  QJsonObject NextReport() { return QJsonDocument::fromJson(NextLine()).object(); }
  void Send(const QString& line) { process_.write((line + '\n').toUtf8()); }

 private:
  QByteArray NextLine() {
    WaitFor([this] {
      process_.waitForReadyRead(50);
      return process_.canReadLine() || process_.state() == QProcess::NotRunning;
    });
    return process_.readLine().trimmed();
  }
  QProcess process_;
  bool ready_ = false;
};

bool PythonDBusInstalled() {
  return QProcess::execute("/usr/bin/python3", {"-c", "import dbus, gi"}) == 0;
}

QStringList Labels(const QJsonArray& menu) {
  QStringList labels;
  for (const QJsonValue& item : menu) {
    labels << (item.isArray() ? item.toArray().at(0).toString() + " >" : item.toString());
  }
  return labels;
}

TEST_F(CompositorTest, TheTrayIconRegistersWithAStatusNotifierHostAndExportsItsMenu) {
  if (std::optional<QString> why = Start(Kind::Mutter)) GTEST_SKIP() << why->toStdString();
  if (!PythonDBusInstalled()) GTEST_SKIP() << "python3-dbus or python3-gi is not installed";
  // Without the task bar button, a window named "Paperwisp" is the stand-in.
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(DataFolder())));
  IniFile config = Config();
  ASSERT_TRUE(WriteSetting(config, config::kEnableTaskbarIcon, false));
  BusService host("status_notifier_host.py", bus_->Address());
  ASSERT_TRUE(host.Ready());
  Program::Environment session = compositor_->Session();
  session.append({"DBUS_SESSION_BUS_ADDRESS", bus_->Address()});
  Program program(Home(), {}, session);
  // What the host read of the item that registered.
  const QJsonObject item = host.NextReport();
  ASSERT_FALSE(item.isEmpty());
  EXPECT_EQ(item["tooltip"].toString(), "Paperwisp");
  EXPECT_EQ(item["title"].toString(), "Paperwisp");
  EXPECT_GT(item["iconPixmaps"].toInt(), 0);
  const QJsonArray menu = item["menu"].toArray();
  EXPECT_EQ(Labels(menu),
            QStringList({"New Note >", "Notes & Reminders...", "Hide All Notes", "Import Notes...",
                         "-", "Help...", "About...", "-", "Configure...", "Shutdown Paperwisp"}));
  EXPECT_EQ(Labels(menu.at(0).toArray().at(1).toArray()).value(0), "Template 1");
  ASSERT_TRUE(WaitForTables(program));

  const auto call = [&](const char* method) {
    QProcess gdbus;
    gdbus.start("gdbus", {"call", "--address", bus_->Address(), "--dest",
                          item["service"].toString(), "--object-path", item["path"].toString(),
                          "--method", QString("org.kde.StatusNotifierItem.") + method, "0", "0"});
    return gdbus.waitForFinished(test::kProgramWaitMs) ? gdbus.exitCode() : -1;
  };
  // The double click's note from template 1.
  ASSERT_EQ(call("SecondaryActivate"), 0);
  EXPECT_TRUE(WaitFor([&] {
    std::unique_ptr<DbfTable> notes = OpenNotes();
    return notes->RecordCount() == 1;
  }));
  // No stand-in window, which the start-up would have shown by now: the
  // host shows the icon.
  EXPECT_FALSE(
      compositor_->X11Tool("xdotool", {"search", "--onlyvisible", "--name", "^Paperwisp$"}));
  // The single click's template menu.
  const auto shownWindows = [&] {
    return compositor_
        ->X11Tool("xdotool", {"search", "--onlyvisible", "--pid",
                              QString::number(program.ProcessId()), "--name", ""})
        .value_or(QString())
        .count('\n');
  };
  const int before = shownWindows();
  ASSERT_EQ(call("Activate"), 0);
  EXPECT_TRUE(WaitFor([&] { return shownWindows() > before; }, kWindowWaitMs));
  Quit(session);
  EXPECT_EQ(program.ExitCode(), 0);
}

TEST_F(CompositorTest, RemindersAlsoShowAsDesktopNotificationsWhoseAnswersActOnBoth) {
  if (std::optional<QString> why = Start(Kind::Mutter)) GTEST_SKIP() << why->toStdString();
  if (!PythonDBusInstalled()) GTEST_SKIP() << "python3-dbus or python3-gi is not installed";
  BusService server("notification_server.py", bus_->Address());
  ASSERT_TRUE(server.Ready());
  Seed({{.showing = "N", .text = "Water them\nall\nthree\nfour", .desc = "Plants", .alarmAct = "Y"},
        {.showing = "N", .text = "Call back", .desc = "Phone", .alarmAct = "Y"}});
  MakeRemindersDue();
  IniFile config = Config();
  ASSERT_TRUE(WriteSetting(config, config::kDesktopNotifications, true));
  ASSERT_TRUE(WriteSetting(config, config::kPlaySound, false));
  Program::Environment session = compositor_->Session();
  session.append(
      {{"DBUS_SESSION_BUS_ADDRESS", bus_->Address()}, {"PAPERWISP_TIMER_CHECK_MS", "300"}});
  Program program(Home(), {}, session);

  QMap<QString, QJsonObject> notified;
  for (int i = 0; i < 2; ++i) {
    const QJsonObject report = server.NextReport();
    notified.insert(report["summary"].toString(), report);
  }
  ASSERT_EQ(notified.keys(), QStringList({"Phone", "Plants"}));
  const QJsonObject plants = notified["Plants"];
  EXPECT_EQ(plants["body"].toString(), "Water them\nall\nthree");
  EXPECT_EQ(plants["icon"].toString(), "paperwisp");
  EXPECT_EQ(plants["actions"].toArray(), QJsonArray({"snooze", "Snooze", "ok", "OK"}));
  ASSERT_TRUE(WaitFor([&] { return ShownWindows("Note Alarm") == 2; }, kWindowWaitMs));

  // "Snooze" in the notification snoozes its window.
  server.Send(QString("invoke %1 snooze").arg(plants["notify"].toInt()));
  EXPECT_EQ(server.NextReport()["closed"].toInt(), plants["notify"].toInt());
  EXPECT_TRUE(WaitFor([&] { return ShownWindows("Note Alarm") == 1; }, kWindowWaitMs));

  // "Ok" in the window closes its notification.
  const std::optional<QString> window = compositor_->FindWindow("Note Alarm");
  ASSERT_TRUE(window.has_value());
  const QString shown =
      compositor_->X11Tool("xdotool", {"getwindowgeometry", "--shell", *window}).value_or("");
  static const QRegularExpression size(R"(WIDTH=(\d+)\nHEIGHT=(\d+))");
  const QRegularExpressionMatch match = size.match(shown);
  ASSERT_TRUE(match.hasMatch()) << shown.toStdString();
  const int okX = match.captured(1).toInt() / 2 - 82 + 80 + 38;
  const int okY = match.captured(2).toInt() - 31 + 12;
  ASSERT_TRUE(
      compositor_->X11Tool("xdotool", {"mousemove", "--window", *window, QString::number(okX),
                                       QString::number(okY), "sleep", "0.2", "click", "1"}));
  EXPECT_EQ(server.NextReport()["closed"].toInt(), notified["Phone"]["notify"].toInt());
  EXPECT_TRUE(WaitFor([&] { return ShownWindows("Note Alarm") == 0; }, kWindowWaitMs));
  Quit(session);
  EXPECT_EQ(program.ExitCode(), 0);
}

}  // namespace
}  // namespace pw
