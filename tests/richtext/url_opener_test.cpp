// The desktop's opener refuses a mailto: address when the desktop's MIME
// database names no mail program, instead of reporting a launch that
// opens nothing. A stand-in xdg-mime on PATH plays the database.
#include "richtext/url_opener.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QUrl>

#include "support/temp_dir.h"

namespace pw {
namespace {

TEST(DesktopUrlOpenerTest, MailWithoutAMailProgramIsRefused) {
  test::TempDir bin;
  const QString asked = QString::fromStdString(bin.file("asked"));
  QFile script(QString::fromStdString(bin.file("xdg-mime")));
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  // Answers nothing, as xdg-mime does for a scheme without a handler.
  ASSERT_GT(script.write(("#!/bin/sh\necho \"$@\" > '" + asked + "'\n").toUtf8()), 0);
  script.close();
  ASSERT_TRUE(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  const QByteArray savedPath = qgetenv("PATH");
  qputenv("PATH", QByteArray::fromStdString(bin.path()) + ':' + savedPath);

  DesktopUrlOpener opener;
  const bool opened = opener.Open(QUrl(QStringLiteral("mailto:?body=Buy%20milk")));
  qputenv("PATH", savedPath);
  EXPECT_FALSE(opened);
  QFile question(asked);
  ASSERT_TRUE(question.open(QIODevice::ReadOnly));
  EXPECT_EQ(question.readAll().trimmed(), "query default x-scheme-handler/mailto");
}

}  // namespace
}  // namespace pw
