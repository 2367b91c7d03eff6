// The mail address built from a note's text keeps every character of the
// text in the body.
#include <gtest/gtest.h>

#include <QUrlQuery>

#include "desktop/mail_url.h"

namespace pw {
namespace {

TEST(MailUrlTest, CharactersThatWouldEndOrCutTheBodyAreEncoded) {
  EXPECT_EQ(MailUrlForBody("a&b=c#d%e?f+g").toEncoded(), "mailto:?body=a%26b%3Dc%23d%25e%3Ff%2Bg");
}

TEST(MailUrlTest, LineBreaksOfEveryKindBecomeCrLf) {
  EXPECT_EQ(MailUrlForBody("one\ntwo\r\nthree\rfour").toEncoded(),
            "mailto:?body=one%0D%0Atwo%0D%0Athree%0D%0Afour");
}

TEST(MailUrlTest, TheBodyDecodesBackToTheText) {
  const QString text = QStringLiteral("Caf\u00e9 \u20ac5 & 100% \u2013 done?\r\nyes");
  const QUrl url = MailUrlForBody(text);
  EXPECT_TRUE(url.isValid());
  EXPECT_EQ(url.scheme(), "mailto");
  EXPECT_EQ(QUrlQuery(url).queryItemValue("body", QUrl::FullyDecoded), text);
}

TEST(MailUrlTest, AnEmptyTextGivesAnEmptyBody) {
  EXPECT_EQ(MailUrlForBody(QString()).toEncoded(), "mailto:?body=");
}

}  // namespace
}  // namespace pw
