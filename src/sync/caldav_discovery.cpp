#include "sync/caldav_discovery.h"

#include <optional>

#include "sync/dav_multistatus.h"

namespace pw {
namespace {

const QByteArray kFindPrincipal =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop>"
    "<d:current-user-principal/><d:resourcetype/><d:displayname/"
    "><c:supported-calendar-component-set/>"
    "</d:prop></d:propfind>";
const QByteArray kFindHome =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop>"
    "<c:calendar-home-set/></d:prop></d:propfind>";

bool AcceptsNotes(const DavResource& resource) {
  return resource.isCalendar &&
         (resource.components.isEmpty() || resource.components.contains("VTODO"));
}

struct Answer {
  std::optional<DavMultistatus> multistatus;
  QUrl url;
  QString error;
};

Answer Propfind(DavClient& client, const QUrl& url, const QByteArray& depth,
                const QByteArray& body) {
  const DavReply reply = client.Send("PROPFIND", url, body, {{"Depth", depth}});
  Answer answer{std::nullopt, reply.url, ReplyProblem(reply)};
  if (!answer.error.isEmpty()) return answer;
  answer.multistatus = ParseMultistatus(reply.body);
  if (!answer.multistatus) answer.error = QStringLiteral("the server's answer is not WebDAV");
  return answer;
}

}  // namespace

QString ReplyProblem(const DavReply& reply) {
  if (!reply.error.isEmpty()) return reply.error;
  if (reply.status == 401) return QStringLiteral("the server refused the user name or password");
  if (reply.status == 403) return QStringLiteral("the server forbids this (403)");
  if (!reply.ok()) return QStringLiteral("the server answered %1").arg(reply.status);
  return {};
}

Discovery DiscoverCollections(DavClient& client, const QUrl& server) {
  Discovery discovery;
  // The address itself may be a collection.
  const Answer direct = Propfind(client, server, "0", kFindPrincipal);
  if (direct.multistatus && !direct.multistatus->resources.empty() &&
      AcceptsNotes(direct.multistatus->resources.front())) {
    discovery.collections.push_back({server, direct.multistatus->resources.front().displayName});
    return discovery;
  }
  Answer start =
      Propfind(client, server.resolved(QUrl("/.well-known/caldav")), "0", kFindPrincipal);
  if (!start.multistatus) start = direct;
  if (!start.multistatus) {
    discovery.error = start.error;
    return discovery;
  }
  QString principal;
  for (const DavResource& resource : start.multistatus->resources)
    if (!resource.principalHref.isEmpty()) principal = resource.principalHref;
  if (principal.isEmpty()) {
    discovery.error = QStringLiteral("the server names no principal for this user");
    return discovery;
  }
  const QUrl principalUrl = start.url.resolved(QUrl(principal));
  const Answer home = Propfind(client, principalUrl, "0", kFindHome);
  QString homeHref;
  if (home.multistatus)
    for (const DavResource& resource : home.multistatus->resources)
      if (!resource.homeSetHref.isEmpty()) homeHref = resource.homeSetHref;
  if (homeHref.isEmpty()) {
    discovery.error =
        home.error.isEmpty() ? QStringLiteral("the server names no calendar home") : home.error;
    return discovery;
  }
  const QUrl homeUrl = principalUrl.resolved(QUrl(homeHref));
  const Answer members = Propfind(client, homeUrl, "1", kFindPrincipal);
  if (!members.multistatus) {
    discovery.error = members.error;
    return discovery;
  }
  for (const DavResource& resource : members.multistatus->resources)
    if (AcceptsNotes(resource)) {
      const QUrl url = homeUrl.resolved(QUrl(resource.href));
      discovery.collections.push_back(
          {url, resource.displayName.isEmpty() ? url.path() : resource.displayName});
    }
  return discovery;
}

}  // namespace pw
