#include "sync/dav_client.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace pw {
namespace {

constexpr int kMaxRedirects = 5;

}  // namespace

DavClient::DavClient(QString user, QString password, int timeoutMs)
    : authorization_("Basic " + (user + ':' + password).toUtf8().toBase64()),
      timeoutMs_(timeoutMs) {
  network_.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

DavReply DavClient::Send(const QByteArray& verb, const QUrl& url, const QByteArray& body,
                         const DavHeaders& headers) {
  QUrl target = url;
  for (int hop = 0;; ++hop) {
    DavReply reply = SendOnce(verb, target, body, headers);
    const bool redirect =
        reply.status == 301 || reply.status == 302 || reply.status == 307 || reply.status == 308;
    if (!redirect || hop == kMaxRedirects) return reply;
    target = reply.url;
  }
}

DavReply DavClient::SendOnce(const QByteArray& verb, const QUrl& url, const QByteArray& body,
                             const DavHeaders& headers) {
  QNetworkRequest request(url);
  request.setRawHeader("Authorization", authorization_);
  request.setRawHeader("User-Agent", "Paperwisp");
  if (!body.isEmpty()) {
    const bool calendar = verb == "PUT";
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      calendar ? "text/calendar; charset=utf-8" : "application/xml; charset=utf-8");
  }
  for (const auto& [name, value] : headers) request.setRawHeader(name, value);
  request.setTransferTimeout(timeoutMs_);

  QNetworkReply* reply = network_.sendCustomRequest(request, verb, body);
  DavReply result;
  QEventLoop loop;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
    result.error = QStringLiteral("the server did not answer in time");
    reply->abort();
  });
  QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
    if (reply->bytesAvailable() + result.body.size() > kMaxAnswerBytes) {
      result.error = QStringLiteral("the server's answer is too large");
      reply->abort();
      return;
    }
    result.body += reply->readAll();
  });
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  deadline.start(timeoutMs_);
  loop.exec(QEventLoop::ExcludeUserInputEvents);

  if (result.error.isEmpty()) result.body += reply->readAll();
  result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  result.etag = QString::fromUtf8(reply->rawHeader("ETag"));
  result.url = url.resolved(reply->header(QNetworkRequest::LocationHeader).toUrl());
  if (result.error.isEmpty() && result.status == 0) result.error = reply->errorString();
  reply->deleteLater();
  return result;
}

}  // namespace pw
