// Placement of new notes and the placeholders of template texts.
#include <gtest/gtest.h>

#include <QTextCursor>

#include "app/controller/note_placement.h"
#include "app/controller/template_placeholders.h"
#include "richtext/note_editor.h"

namespace pw {
namespace {

TEST(PlaceNewNote, CentreRoundsHalvesToEven) {
  EXPECT_EQ(PlaceNewNote(0, 121, 120, {1024, 768}), QPoint(452, 324));
  EXPECT_EQ(PlaceNewNote(0, 123, 121, {1024, 768}), QPoint(450, 324));
  EXPECT_EQ(PlaceNewNote(0, 100, 100, {1024, 768}), QPoint(462, 334));
}

TEST(PlaceNewNote, CornersAndUnknownCodes) {
  const QSize screen(1024, 768);
  EXPECT_EQ(PlaceNewNote(1, 200, 150, screen), QPoint(0, 0));
  EXPECT_EQ(PlaceNewNote(2, 200, 150, screen), QPoint(824, 0));
  EXPECT_EQ(PlaceNewNote(3, 200, 150, screen), QPoint(0, 618));
  EXPECT_EQ(PlaceNewNote(4, 200, 150, screen), QPoint(824, 618));
  EXPECT_EQ(PlaceNewNote(37, 200, 150, screen), QPoint(37, 0));
}

class Placeholders : public ::testing::Test {
 protected:
  void Fill(const QString& text) {
    editor_.setPlainText(text);
    FillPlaceholders(editor_, {"9:05:00", "03/14/2024", "Thursday, March 14, 2024"});
  }
  NoteEditor editor_;
};

TEST_F(Placeholders, OnlyTheFirstOfEachIsReplacedInOrder) {
  Fill("<TIME> and <TIME>; <DATE> <LONGDATE> <DATE>");
  EXPECT_EQ(editor_.PlainText(), "9:05:00 and <TIME>; 03/14/2024 Thursday, March 14, 2024 <DATE>");
  EXPECT_EQ(editor_.textCursor().position(), 0);
}

TEST_F(Placeholders, CaretMarkIsRemovedAndTheCaretLeftThere) {
  Fill("Shopping:\n<C>");
  EXPECT_EQ(editor_.PlainText(), "Shopping:\n");
  EXPECT_EQ(editor_.textCursor().position(), 10);
}

TEST_F(Placeholders, TextWithoutPlaceholdersStaysWithCaretAtStart) {
  Fill("plain <time>");
  EXPECT_EQ(editor_.PlainText(), "plain <time>");
  EXPECT_EQ(editor_.textCursor().position(), 0);
}

}  // namespace
}  // namespace pw

namespace pw {
namespace {

TEST(PlaceholderTime, IsTheLocalesLongTimeWithoutTheTimeZone) {
  const QDateTime now(QDate(2026, 12, 10), QTime(10, 4, 6));
  EXPECT_EQ(PlaceholderValuesAt(now, QLocale(QLocale::English, QLocale::UnitedKingdom)).time,
            "10:04:06");
  EXPECT_EQ(PlaceholderValuesAt(now, QLocale(QLocale::English, QLocale::UnitedStates)).time,
            "10:04:06 AM");
  EXPECT_EQ(PlaceholderValuesAt(now, QLocale(QLocale::German, QLocale::Germany)).time, "10:04:06");
  // Wherever a locale writes the zone (before the time, in brackets, ...),
  // what is left is the time itself.
  for (const QLocale::Language language :
       {QLocale::French, QLocale::Japanese, QLocale::Chinese, QLocale::Korean, QLocale::Finnish,
        QLocale::Persian, QLocale::Portuguese, QLocale::Russian}) {
    const QLocale locale(language);
    const QString time = PlaceholderValuesAt(now, locale).time;
    const QString zoned = locale.toString(now.time(), QLocale::LongFormat);
    EXPECT_NE(time, zoned) << locale.name().toStdString();
    EXPECT_TRUE(zoned.contains(time)) << locale.name().toStdString() << ": " << time.toStdString();
    EXPECT_EQ(time, time.trimmed()) << locale.name().toStdString();
  }
}

}  // namespace
}  // namespace pw
