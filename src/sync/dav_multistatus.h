// The WebDAV multi-status answer (RFC 4918 section 13) of PROPFIND and
// REPORT, read with QXmlStreamReader: one entry per <response>, with the
// properties of its 2xx <propstat> blocks only.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace pw {

struct DavResource {
  QString href;    // as the server wrote it
  int status = 0;  // the <response>'s own <status>: 404 marks a removed member
  QString etag;
  QByteArray calendarData;
  QString ctag;
  QString displayName;
  bool isCalendar = false;
  QStringList components;  // supported-calendar-component-set; empty: any
  QString principalHref;   // current-user-principal
  QString homeSetHref;     // calendar-home-set
};

struct DavMultistatus {
  std::vector<DavResource> resources;
  QString syncToken;
};

// Refuses anything that is not a well-formed multi-status document.
std::optional<DavMultistatus> ParseMultistatus(const QByteArray& xml);

// The status code of an HTTP status line ("HTTP/1.1 404 Not Found"), 0 when
// there is none.
int StatusOfLine(const QString& line);

}  // namespace pw
