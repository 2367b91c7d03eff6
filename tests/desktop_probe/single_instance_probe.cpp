// Runs the single-instance guard as a program start would and tells the
// test on its standard output what happened: "running", then "activated"
// each time a later start asks it forward; "handed-over" when another copy
// runs; "failed" otherwise. A running probe ends when its standard input
// closes. The runtime folder is the first argument.
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>

#include "desktop/single_instance.h"

namespace {

void Say(const char* line) {
  std::fputs(line, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2) return 2;
  pw::TTzOnlyOne guard(QStringLiteral("Paperwisp"), QString::fromLocal8Bit(argv[1]));
  switch (guard.Claim()) {
    case pw::TTzOnlyOne::Outcome::HandedOver:
      Say("handed-over");
      return 0;
    case pw::TTzOnlyOne::Outcome::Failed:
      Say("failed");
      std::fprintf(stderr, "%s\n", qPrintable(guard.ErrorString()));
      return 1;
    case pw::TTzOnlyOne::Outcome::Running:
      break;
  }
  QObject::connect(&guard, &pw::TTzOnlyOne::activationRequested, [] { Say("activated"); });
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&input] {
    char buffer[64];
    if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
      input.setEnabled(false);
      QCoreApplication::quit();
    }
  });
  Say("running");
  return app.exec();
}
