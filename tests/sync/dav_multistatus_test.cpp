#include "sync/dav_multistatus.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(DavMultistatus, ReadsMembersRemovalsTokenAndOnlySuccessfulProperties) {
  const QByteArray xml = R"(<?xml version="1.0"?>
<multistatus xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav" xmlns:CS="http://calendarserver.org/ns/">
 <response><href>/u/notes/</href>
  <propstat><prop><resourcetype><collection/><C:calendar/></resourcetype><displayname>Notes</displayname>
   <C:supported-calendar-component-set><C:comp name="VTODO"/><C:comp name="vjournal"/></C:supported-calendar-component-set>
   <CS:getctag>c7</CS:getctag></prop><status>HTTP/1.1 200 OK</status></propstat>
  <propstat><prop><getetag>"bogus"</getetag></prop><status>HTTP/1.1 404 Not Found</status></propstat>
 </response>
 <response><href>/u/notes/a.ics</href><propstat><prop><getetag>"e1"</getetag>
  <C:calendar-data>BEGIN:VCALENDAR&#13;
END:VCALENDAR</C:calendar-data></prop><status>HTTP/1.1 200 OK</status></propstat></response>
 <response><href>/u/notes/gone.ics</href><status>HTTP/1.1 404 Not Found</status></response>
 <sync-token>http://x/sync/42</sync-token>
</multistatus>)";
  const auto answer = ParseMultistatus(xml);
  ASSERT_TRUE(answer);
  ASSERT_EQ(answer->resources.size(), 3u);
  const DavResource& collection = answer->resources[0];
  EXPECT_TRUE(collection.isCalendar);
  EXPECT_EQ(collection.displayName, "Notes");
  EXPECT_EQ(collection.components, QStringList({"VTODO", "VJOURNAL"}));
  EXPECT_EQ(collection.ctag, "c7");
  EXPECT_TRUE(collection.etag.isEmpty());
  EXPECT_EQ(answer->resources[1].etag, "\"e1\"");
  EXPECT_EQ(answer->resources[1].calendarData, "BEGIN:VCALENDAR\r\nEND:VCALENDAR");
  EXPECT_EQ(answer->resources[2].status, 404);
  EXPECT_EQ(answer->syncToken, "http://x/sync/42");
}

TEST(DavMultistatus, RefusesWhatIsNotAWholeMultistatus) {
  EXPECT_FALSE(ParseMultistatus(""));
  EXPECT_FALSE(ParseMultistatus("<html><body>Login</body></html>"));
  EXPECT_FALSE(ParseMultistatus("<multistatus xmlns=\"DAV:\"><response><href>/a"));
  EXPECT_FALSE(ParseMultistatus("<multistatus xmlns=\"DAV:\"></multistatus><x/>"));
  EXPECT_TRUE(ParseMultistatus("<multistatus xmlns=\"DAV:\"/>"));
}

}  // namespace
}  // namespace pw
