#include "dialogs/template_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "dialogs/note_props_font_dialog.h"
#include "richtext/note_editor.h"
#include "settings/ini_file.h"
#include "support/modal_dialog.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

class TemplateDialogTest : public ::testing::Test {
 protected:
  TemplateDialogTest() {
    values_.name = "  Shopping  ";
    values_.color = QColor(0x80, 0xFF, 0x80);
    values_.captionFontName = "DejaVu Sans";
    values_.captionFontSize = 10;
    values_.captionFontColor = QColor(0x00, 0x00, 0xFF);
    values_.height = 150;
    values_.width = 200;
    values_.place = 2;
    values_.text = "{\\rtf1\\ansi Milk and <DATE>\\par}";
  }
  QString Config() const { return QString::fromStdString(dir_.file("Config.cfg")); }

  test::TempDir dir_;
  TemplateValues values_;
};

TEST_F(TemplateDialogTest, OpensFilledWithTheTemplateAndTheNameFocused) {
  TemplateDialog dialog(values_, Config());
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  EXPECT_EQ(dialog.windowTitle(), "Template Properties");
  EXPECT_EQ(dialog.size(), QSize(484, 281));
  EXPECT_EQ(dialog.NameEdit()->text(), "Shopping");
  EXPECT_EQ(dialog.NameEdit()->maxLength(), 50);
  EXPECT_EQ(dialog.focusWidget(), dialog.NameEdit());
  EXPECT_EQ(dialog.NotePositionCombo()->currentText(), "Top Right Corner");
  EXPECT_EQ(dialog.NotePositionCombo()->itemText(0), "Center of Screen ");
  EXPECT_EQ(dialog.HeightSpin()->value(), 150);
  EXPECT_EQ(dialog.WidthSpin()->maximum(), 9999);
  auto* edHeight = dialog.findChild<QLineEdit*>("EdHeight");
  ASSERT_NE(edHeight, nullptr);
  EXPECT_EQ(edHeight->maxLength(), 4);
  EXPECT_EQ(dialog.SampleCaptionLabel()->text(), "Example Note Caption");
  EXPECT_EQ(dialog.SampleCaptionLabel()->font().pointSize(), 10);
  EXPECT_EQ(dialog.CaptionColor(), QColor(0x00, 0x00, 0xFF));
  EXPECT_EQ(dialog.RichEditProp()->PlainText(), "Milk and <DATE>");
  EXPECT_EQ(dialog.RichEditProp()->BackgroundColor(), values_.color);
  for (const char* name : {"Label1", "Label10", "Label31", "Label32", "Label2", "Button1",
                           "Button5", "GroupBox3", "GroupBox5", "BtnOk", "BtnCancel"})
    EXPECT_NE(dialog.findChild<QWidget*>(name), nullptr) << name;
}

TEST_F(TemplateDialogTest, EditsComeBackAsTheTemplatesValues) {
  TemplateDialog dialog(values_, Config());
  dialog.show();
  dialog.NameEdit()->selectAll();
  QTest::keyClicks(dialog.NameEdit(), "Call");
  dialog.NotePositionCombo()->setCurrentIndex(0);
  auto* edWidth = dialog.findChild<QLineEdit*>("EdWidth");
  edWidth->selectAll();
  QTest::keyClicks(edWidth, "321");
  dialog.RichEditProp()->selectAll();
  QTest::keyClicks(dialog.RichEditProp(), "Ring Bob");
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const TemplateValues edited = dialog.Values();
  EXPECT_EQ(edited.name, "Call");
  EXPECT_EQ(edited.place, 0);
  EXPECT_EQ(edited.width, 321);
  EXPECT_EQ(edited.height, 150);
  EXPECT_EQ(edited.captionFontSize, 10);
  QByteArray text = edited.text;
  QBuffer stream(&text);
  ASSERT_TRUE(stream.open(QIODevice::ReadOnly));
  NoteEditor reread;
  ASSERT_TRUE(reread.LoadFromStream(&stream));
  EXPECT_EQ(reread.PlainText(), "Ring Bob");
}

TEST_F(TemplateDialogTest, ChosenColourRecoloursTheTextAreaAtOnce) {
  TemplateDialog dialog(values_, Config());
  dialog.show();
  QColor offered;
  test::WhenModal<QColorDialog>([&offered](QColorDialog* chooser) {
    offered = chooser->currentColor();
    chooser->setCurrentColor(QColor(0x40, 0x80, 0xC0));
    chooser->accept();
  });
  QTest::mouseClick(dialog.findChild<QPushButton*>("Button5"), Qt::LeftButton);
  EXPECT_EQ(offered, values_.color);
  EXPECT_EQ(dialog.NoteColor(), QColor(0x40, 0x80, 0xC0));
  EXPECT_EQ(dialog.RichEditProp()->BackgroundColor(), QColor(0x40, 0x80, 0xC0));
  EXPECT_EQ(dialog.NoteColorEdit()->palette().color(QPalette::Window), QColor(0x40, 0x80, 0xC0));
}

TEST_F(TemplateDialogTest, CaptionFontDialogTakesFaceSizeAndColour) {
  TemplateDialog dialog(values_, Config());
  dialog.show();
  test::WhenModal<CaptionFontDialog>([](CaptionFontDialog* fonts) {
    fonts->FontSizeCombo()->setCurrentText(QStringLiteral("12"));
    fonts->FontColorCombo()->setFocus();
    QTest::keyClick(fonts->FontColorCombo(), Qt::Key_Home);  // Black
    QTest::keyClick(fonts->FontColorCombo(), Qt::Key_Down);  // Maroon
    QTest::mouseClick(fonts->OKButton(), Qt::LeftButton);
  });
  QTest::mouseClick(dialog.findChild<QPushButton*>("Button1"), Qt::LeftButton);
  const TemplateValues back = dialog.Values();
  EXPECT_EQ(back.captionFontName, "DejaVu Sans");
  EXPECT_EQ(back.captionFontSize, 12);
  EXPECT_EQ(back.captionFontColor, QColor(0x80, 0, 0));
}

TEST_F(TemplateDialogTest, PlaceIsKeptUnderFrmTemplate) {
  {
    TemplateDialog dialog(values_, Config());
    dialog.show();
    dialog.setGeometry(100, 90, 500, 300);
  }
  const std::string stored = IniFile(Config()).ReadString("Screens", "FrmTemplate", "");
  EXPECT_EQ(stored, "0,1,-1,-1,-1,-1,100,90,600,390");
  TemplateDialog reopened(values_, Config());
  reopened.show();
  EXPECT_EQ(reopened.geometry(), QRect(100, 90, 500, 300));
}

}  // namespace
}  // namespace pw
