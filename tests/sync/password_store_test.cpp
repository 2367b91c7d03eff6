#include "sync/password_store.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

namespace pw {
namespace {

TEST(PasswordStore, WithoutASecretServiceTheFileIsTheUsersAloneAndNamesItsServerAndUser) {
  const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
  qunsetenv("DBUS_SESSION_BUS_ADDRESS");
  QTemporaryDir dir;
  PasswordStore store(dir.path());
  bool inFile = false;
  QString error;
  ASSERT_TRUE(store.Save("https://dav.example/", "ann", "pa ss\u00e9", &inFile, &error))
      << error.toStdString();
  EXPECT_TRUE(inFile);
  const QFileInfo file(dir.filePath(PasswordStore::kFallbackFileName));
  EXPECT_EQ(file.permissions() & ~(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                   QFileDevice::ReadUser | QFileDevice::WriteUser),
            QFileDevice::Permissions());
  EXPECT_EQ(store.Load("https://dav.example/", "ann"), QString("pa ss\u00e9"));
  EXPECT_EQ(store.Load("https://dav.example/", "bob"), std::nullopt);
  ASSERT_TRUE(store.Save("https://dav.example/", "ann", "new", &inFile, &error));
  EXPECT_EQ(store.Load("https://dav.example/", "ann"), QString("new"));
  if (!bus.isEmpty()) qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
}

}  // namespace
}  // namespace pw
