#include "dialogs/note_caption_dialog.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "support/modal_dialog.h"

namespace pw {
namespace {

using test::ExecWith;

TEST(NoteCaptionDialogTest, ShowsCaptionAndButtons) {
  NoteCaptionDialog dialog(QStringLiteral("Shopping"));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Note Caption"));
  EXPECT_EQ(dialog.OKButton()->text(), QStringLiteral("OK"));
  EXPECT_EQ(dialog.CancelButton()->text(), QStringLiteral("Cancel"));
  EXPECT_TRUE(dialog.OKButton()->isDefault());
}

TEST(NoteCaptionDialogTest, EditStartsWithTheWholeTitleSelectedAndFocused) {
  NoteCaptionDialog dialog(QStringLiteral("Shopping list"));
  dialog.show();
  EXPECT_EQ(dialog.CaptionEdit()->text(), QStringLiteral("Shopping list"));
  EXPECT_EQ(dialog.CaptionEdit()->selectedText(), QStringLiteral("Shopping list"));
  EXPECT_EQ(dialog.focusWidget(), dialog.CaptionEdit());
  EXPECT_EQ(dialog.Title(), QStringLiteral("Shopping list"));
}

TEST(NoteCaptionDialogTest, OpensCentredOnTheScreen) {
  NoteCaptionDialog dialog(QStringLiteral("Shopping"));
  dialog.show();
  const QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  const QPoint offset = dialog.frameGeometry().center() - screen->availableGeometry().center();
  EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

TEST(NoteCaptionDialogTest, TypingANewTitleAndEnterAcceptsIt) {
  NoteCaptionDialog dialog(QStringLiteral("Shopping"));
  const int result = ExecWith(dialog, [&dialog] {
    QTest::keyClicks(dialog.focusWidget(), QStringLiteral("Dentist at 3"));
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
  });
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(dialog.Title(), QStringLiteral("Dentist at 3"));
}

TEST(NoteCaptionDialogTest, TypingAfterTheTitleKeepsIt) {
  NoteCaptionDialog dialog(QStringLiteral("Shopping"));
  const int result = ExecWith(dialog, [&dialog] {
    QTest::keyClick(dialog.focusWidget(), Qt::Key_End);
    QTest::keyClicks(dialog.focusWidget(), QStringLiteral(" list"));
    QTest::mouseClick(dialog.OKButton(), Qt::LeftButton);
  });
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(dialog.Title(), QStringLiteral("Shopping list"));
}

TEST(NoteCaptionDialogTest, ATitleStopsAtTheFiftyCharactersItsFieldKeeps) {
  NoteCaptionDialog dialog{QString()};
  const int result = ExecWith(dialog, [&dialog] {
    QTest::keyClicks(dialog.focusWidget(), QString(60, QChar('x')));
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
  });
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(dialog.Title(), QString(50, QChar('x')));
}

TEST(NoteCaptionDialogTest, EscapeRejects) {
  NoteCaptionDialog dialog(QStringLiteral("Shopping"));
  const int result = ExecWith(dialog, [&dialog] {
    QTest::keyClicks(dialog.focusWidget(), QStringLiteral("Dentist"));
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
  });
  EXPECT_EQ(result, QDialog::Rejected);
}

TEST(NoteCaptionDialogTest, ClickOnCancelRejects) {
  NoteCaptionDialog dialog(QStringLiteral("Shopping"));
  const int result = ExecWith(dialog, [&dialog] {
    QTest::keyClicks(dialog.focusWidget(), QStringLiteral("Dentist"));
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
  });
  EXPECT_EQ(result, QDialog::Rejected);
}

}  // namespace
}  // namespace pw
