// Finding the user's task collections from a plain server address (RFC 4791
// section 7, RFC 6764): /.well-known/caldav, the current-user-principal,
// its calendar-home-set, and the collections there that accept VTODO.
// An address that already names such a collection is that collection.
#pragma once

#include <QString>
#include <QUrl>
#include <vector>

#include "sync/dav_client.h"

namespace pw {

struct CalendarCollection {
  QUrl url;
  QString name;
};

struct Discovery {
  std::vector<CalendarCollection> collections;
  QString error;  // empty when the server answered as a CalDAV server
};

Discovery DiscoverCollections(DavClient& client, const QUrl& server);

// The answer's status as a short text for the status line.
QString ReplyProblem(const DavReply& reply);

}  // namespace pw
