// HTTP for WebDAV over Qt Network, one request at a time: basic
// authentication, manual redirects (PROPFIND and REPORT keep their verb),
// a time limit and a size limit on every answer. Waits in a local event
// loop that leaves out user input, so timers keep running.
#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QPair>
#include <QString>
#include <QUrl>

namespace pw {

struct DavReply {
  int status = 0;  // HTTP status; 0 when no answer came
  QByteArray body;
  QString etag;
  QUrl url;       // where the answer came from, after redirects
  QString error;  // transport failure, time-out or oversized answer
  bool ok() const { return error.isEmpty() && status >= 200 && status < 300; }
};

using DavHeaders = QList<QPair<QByteArray, QByteArray>>;

class DavClient {
 public:
  static constexpr qint64 kMaxAnswerBytes = 64 * 1024 * 1024;

  DavClient(QString user, QString password, int timeoutMs = 30000);

  DavReply Send(const QByteArray& verb, const QUrl& url, const QByteArray& body = {},
                const DavHeaders& headers = {});

 private:
  DavReply SendOnce(const QByteArray& verb, const QUrl& url, const QByteArray& body,
                    const DavHeaders& headers);

  QNetworkAccessManager network_;
  QByteArray authorization_;
  int timeoutMs_;
};

}  // namespace pw
