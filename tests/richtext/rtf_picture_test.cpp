// Pictures in notes: written as PNG in a \pict group and read back.
#include <gtest/gtest.h>

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace pw {
namespace {

// The image formats of the document's pictures, in order.
QList<QTextImageFormat> PicturesOf(const QTextDocument& document) {
  QList<QTextImageFormat> pictures;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      if (it.fragment().charFormat().isImageFormat()) {
        pictures.append(it.fragment().charFormat().toImageFormat());
      }
    }
  }
  return pictures;
}

TEST(RtfPicture, PictureSurvivesWritingAndReading) {
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(QColor(200, 10, 20));
  image.setPixelColor(1, 2, QColor(0, 0, 255));
  QTextDocument document;
  const QUrl name("picture:test");
  document.addResource(QTextDocument::ImageResource, name, image);
  QTextCursor cursor(&document);
  cursor.insertText("before ");
  QTextImageFormat format;
  format.setName(name.toString());
  format.setWidth(8);
  format.setHeight(6);
  cursor.insertImage(format);
  cursor.insertText(" after");

  const QByteArray rtf = WriteRtf(document);
  EXPECT_TRUE(rtf.contains("{\\pict\\pngblip"));
  QTextDocument back;
  ASSERT_TRUE(ReadRtf(rtf, &back));
  EXPECT_EQ(back.toPlainText().remove(QChar::ObjectReplacementCharacter), "before  after");
  const QList<QTextImageFormat> pictures = PicturesOf(back);
  ASSERT_EQ(pictures.size(), 1);
  EXPECT_DOUBLE_EQ(pictures[0].width(), 8);
  EXPECT_DOUBLE_EQ(pictures[0].height(), 6);
  const QImage read =
      back.resource(QTextDocument::ImageResource, QUrl(pictures[0].name())).value<QImage>();
  ASSERT_EQ(read.size(), image.size());
  EXPECT_EQ(read.pixelColor(0, 0), QColor(200, 10, 20));
  EXPECT_EQ(read.pixelColor(1, 2), QColor(0, 0, 255));
}

TEST(RtfPicture, PicturesOfOtherKindsAndDamagedDataAreSkipped) {
  QTextDocument document;
  ASSERT_TRUE(
      ReadRtf("{\\rtf1 a{\\pict\\wmetafile8 0102}b{\\pict\\pngblip 89504e47zz}c}", &document));
  EXPECT_EQ(document.toPlainText(), "abc");
  EXPECT_TRUE(PicturesOf(document).isEmpty());
}

}  // namespace
}  // namespace pw
