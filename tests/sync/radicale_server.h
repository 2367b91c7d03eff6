// A real CalDAV server for the tests: Debian's radicale on 127.0.0.1 at a
// free port, its collections in a temporary folder, one htpasswd user.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

namespace pw::test {

class RadicaleServer {
 public:
  static constexpr char kUser[] = "ann";
  static constexpr char kPassword[] = "s3cret pass";

  RadicaleServer();
  ~RadicaleServer();

  // Empty when the server runs; otherwise why not (a missing package is
  // reported as such so that the test can skip).
  QString Start();
  void Stop();
  bool Missing() const { return missing_; }

  QUrl Root() const;
  // Makes a task collection of the user and returns its address.
  QUrl MakeCollection(const QString& name);

 private:
  QTemporaryDir folder_;
  QProcess process_;
  int port_ = 0;
  bool missing_ = false;
};

}  // namespace pw::test
