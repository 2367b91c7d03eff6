#include "dialogs/about_box.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "desktop/program_icon.h"

namespace pw {
namespace {

// Opens the box modally and presses `key` once it shows; returns what
// exec() returned, or -1 when the key did not close the box.
int ExecAndPress(AboutBox& box, Qt::Key key) {
  bool closedByKey = false;
  QTimer::singleShot(0, &box, [&box, key, &closedByKey] {
    // The key goes where the keyboard focus of the box is: the OK button.
    QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, key);
    closedByKey = !box.isVisible();
    if (!closedByKey) box.done(-1);
  });
  const int result = box.exec();
  return closedByKey ? result : -1;
}

TEST(AboutBoxTest, ShowsCaptionNameAndVersion) {
  AboutBox box;
  EXPECT_EQ(box.windowTitle(), QStringLiteral("About Paperwisp"));
  QStringList texts;
  for (const QLabel* label : box.findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains(QStringLiteral("Paperwisp")));
  EXPECT_TRUE(texts.contains(QStringLiteral("Version 2.0")));
  EXPECT_EQ(box.size(), QSize(290, 259));
}

TEST(AboutBoxTest, TheLogoShowsTheProgramsIcon) {
  AboutBox box;
  const QLabel* logo = nullptr;
  for (const QLabel* label : box.findChildren<QLabel*>()) {
    if (!label->pixmap().isNull()) logo = label;
  }
  ASSERT_NE(logo, nullptr);
  // The icon, 31 pixels square, two pixels in from the logo's top left.
  const QImage image = logo->pixmap().toImage();
  const QImage icon = ProgramIcon().pixmap(31, 31).toImage();
  const QPoint middle(2 + 15, 2 + 15);
  EXPECT_EQ(image.pixelColor(middle), icon.pixelColor(15, 15));
  EXPECT_GT(image.pixelColor(middle).red(), 220);
  EXPECT_LT(image.pixelColor(middle).blue(), 160);
}

TEST(AboutBoxTest, OKHasTheFocusAndIsTheDefaultButton) {
  AboutBox box;
  box.show();
  EXPECT_TRUE(box.OKButton()->isDefault());
  EXPECT_EQ(box.OKButton()->text(), QStringLiteral("OK"));
  EXPECT_EQ(box.focusWidget(), box.OKButton());
}

TEST(AboutBoxTest, EnterClosesTheBoxWithOK) {
  AboutBox box;
  EXPECT_EQ(ExecAndPress(box, Qt::Key_Return), QDialog::Accepted);
}

TEST(AboutBoxTest, EscapeClosesTheBoxWithOK) {
  AboutBox box;
  EXPECT_EQ(ExecAndPress(box, Qt::Key_Escape), QDialog::Accepted);
}

TEST(AboutBoxTest, ClickOnOKClosesTheBox) {
  AboutBox box;
  box.show();
  QTest::mouseClick(box.OKButton(), Qt::LeftButton);
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace pw
