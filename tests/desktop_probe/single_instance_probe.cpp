// Runs the single-instance guard as a program start would and tells the
// test on its standard output what happened: "running", then "request"
// and the command's texts joined by "|" each time a later start hands one
// over; "handed-over", the answer's exit code and text when another copy
// runs; "failed" otherwise. The running probe answers a command with exit
// code 0 and the texts joined by "+", or with 3 and "refused" when the
// first text is "refuse". It ends when its standard input closes. The
// runtime folder is the first argument, the command the rest.
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>

#include "desktop/instance_request.h"
#include "desktop/single_instance.h"

namespace {

void Say(const QString& line) {
  std::fputs(line.toUtf8().constData(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2) return 2;
  pw::SingleInstance guard(QStringLiteral("Paperwisp"), QString::fromLocal8Bit(argv[1]));
  const QStringList command = app.arguments().mid(2);
  switch (guard.Claim(command)) {
    case pw::SingleInstance::Outcome::HandedOver:
      Say(QStringLiteral("handed-over %1 %2")
              .arg(guard.Answer().exitCode)
              .arg(guard.Answer().text));
      return 0;
    case pw::SingleInstance::Outcome::Failed:
      Say(QStringLiteral("failed"));
      std::fprintf(stderr, "%s\n", qPrintable(guard.ErrorString()));
      return 1;
    case pw::SingleInstance::Outcome::Running:
      break;
  }
  QObject::connect(&guard, &pw::SingleInstance::requestReceived, [](pw::InstanceRequest* request) {
    const QStringList& texts = request->Arguments();
    Say("request " + texts.join('|'));
    if (!texts.isEmpty() && texts.first() == QStringLiteral("refuse")) {
      request->Answer(3, QStringLiteral("refused"));
    } else {
      request->Answer(0, texts.join('+'));
    }
  });
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&input] {
    char buffer[64];
    if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
      input.setEnabled(false);
      QCoreApplication::quit();
    }
  });
  Say(QStringLiteral("running"));
  return app.exec();
}
