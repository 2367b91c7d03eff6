// Writes RTF 1 as the common rich-text controls do: a header with font and
// colour tables of what the text uses, then per paragraph \pard and its
// properties, an old-style list marker ({\pntext} for readers without lists,
// {\*\pn} for those with), the runs with only the character properties that
// change, and \par. Text is Windows-1252 with \'hh escapes above ASCII and
// \uN? (with \uc1) for every character beyond that code page. Pictures
// are written as {\pict\pngblip ...} with their PNG bytes in hex.
#include "richtext/rtf_writer.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextList>
#include <QUrl>

#include <algorithm>

#include "richtext/rtf_code_page.h"
#include "richtext/rtf_geometry.h"

namespace pw {
namespace {

constexpr int kDefaultHalfPoints = 24;  // what a reader assumes without \fs
constexpr int kMaxListLevel = 8;

struct RunFormat {
  int font = 0;
  int halfPoints = kDefaultHalfPoints;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int foreground = 0;  // colour table index; 0 is the automatic colour
  int background = 0;
};

class RtfWriter {
 public:
  explicit RtfWriter(const QTextDocument& document) : document_(document) {}

  QByteArray Write();

 private:
  QString FamilyOf(const QTextCharFormat& format) const;
  int FontIndex(const QString& family);
  int ColorIndex(const QBrush& brush);
  RunFormat RunFormatOf(const QTextCharFormat& format);
  void CollectTables();
  void WriteHeader();
  void WriteParagraph(const QTextBlock& block);
  void WriteListMarker(const QTextBlock& block, const QTextList& list);
  void WriteRunFormat(const RunFormat& format);
  void WritePicture(const QTextImageFormat& format);
  void Word(const char* name);
  void Word(const char* name, int parameter);
  void Text(QStringView text);
  void Literal(char byte);

  const QTextDocument& document_;
  QStringList fonts_;
  QList<QRgb> colors_;  // colour table entries 1..n
  RunFormat current_;
  bool delimiterNeeded_ = false;
  QByteArray out_;
};

QString RtfWriter::FamilyOf(const QTextCharFormat& format) const {
  QStringList families = format.fontFamilies().toStringList();
  if (!families.isEmpty() && !families.front().isEmpty()) return families.front();
  QString family = format.property(QTextFormat::FontFamily).toString();
  return family.isEmpty() ? document_.defaultFont().family() : family;
}

int RtfWriter::FontIndex(const QString& family) {
  qsizetype index = fonts_.indexOf(family);
  if (index < 0) {
    fonts_.append(family);
    index = fonts_.size() - 1;
  }
  return static_cast<int>(index);
}

int RtfWriter::ColorIndex(const QBrush& brush) {
  if (brush.style() == Qt::NoBrush) return 0;
  QRgb rgb = brush.color().rgb();
  qsizetype index = colors_.indexOf(rgb);
  if (index < 0) {
    colors_.append(rgb);
    index = colors_.size() - 1;
  }
  return static_cast<int>(index) + 1;
}

RunFormat RtfWriter::RunFormatOf(const QTextCharFormat& format) {
  RunFormat run;
  run.font = FontIndex(FamilyOf(format));
  double points = format.fontPointSize();
  if (points <= 0) points = document_.defaultFont().pointSizeF();
  run.halfPoints = points > 0 ? static_cast<int>(std::lround(points * 2)) : kDefaultHalfPoints;
  run.bold = format.fontWeight() >= QFont::DemiBold;
  run.italic = format.fontItalic();
  run.underline = format.fontUnderline();
  run.strike = format.fontStrikeOut();
  if (format.hasProperty(QTextFormat::ForegroundBrush)) {
    run.foreground = ColorIndex(format.foreground());
  }
  if (format.hasProperty(QTextFormat::BackgroundBrush)) {
    run.background = ColorIndex(format.background());
  }
  return run;
}

// Fonts and colours in order of first use; the first font is the default (\deff0).
void RtfWriter::CollectTables() {
  for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) RunFormatOf(it.fragment().charFormat());
  }
  if (fonts_.isEmpty()) fonts_.append(document_.defaultFont().family());
}

void RtfWriter::WriteHeader() {
  out_ += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
  for (qsizetype i = 0; i < fonts_.size(); ++i) {
    out_ += '{';
    Word("f", static_cast<int>(i));
    Word("fnil");
    Word("fcharset", 0);
    QString name = fonts_[i];
    Text(name.remove(u';'));
    out_ += ";}";
  }
  out_ += '}';
  if (!colors_.isEmpty()) {
    out_ += "{\\colortbl;";
    for (QRgb rgb : colors_) {
      Word("red", qRed(rgb));
      Word("green", qGreen(rgb));
      Word("blue", qBlue(rgb));
      out_ += ';';
    }
    out_ += '}';
  }
  out_ += '\n';
  delimiterNeeded_ = false;
}

void RtfWriter::WriteParagraph(const QTextBlock& block) {
  QTextBlockFormat format = block.blockFormat();
  const QTextList* list = block.textList();
  Word("pard");
  int leftTwips = PixelsToTwips(format.leftMargin());
  int firstLineTwips = PixelsToTwips(format.textIndent());
  if (list != nullptr) {
    WriteListMarker(block, *list);
    leftTwips += std::max(list->format().indent(), 1) * kListLevelTwips;
    firstLineTwips -= kListHangTwips;
  }
  Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
  if (alignment & Qt::AlignHCenter) {
    Word("qc");
  } else if (alignment & (Qt::AlignRight | Qt::AlignTrailing)) {
    Word("qr");
  } else if (alignment & Qt::AlignJustify) {
    Word("qj");
  }
  if (leftTwips != 0) Word("li", leftTwips);
  if (int right = PixelsToTwips(format.rightMargin()); right != 0) Word("ri", right);
  if (firstLineTwips != 0) Word("fi", firstLineTwips);
  if (int before = PixelsToTwips(format.topMargin()); before != 0) Word("sb", before);
  if (int after = PixelsToTwips(format.bottomMargin()); after != 0) Word("sa", after);
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    QTextFragment fragment = it.fragment();
    WriteRunFormat(RunFormatOf(fragment.charFormat()));
    const QString text = fragment.text();
    if (fragment.charFormat().isImageFormat()) {
      // Equal pictures side by side share one fragment: one mark each.
      for (qsizetype i = 0; i < text.count(QChar::ObjectReplacementCharacter); ++i) {
        WritePicture(fragment.charFormat().toImageFormat());
      }
    } else {
      Text(text);
    }
  }
  Word("par");
  out_ += '\n';
  delimiterNeeded_ = false;
}

void RtfWriter::WriteListMarker(const QTextBlock& block, const QTextList& list) {
  QTextListFormat::Style style = list.format().style();
  QString marker;
  const char* numbering = nullptr;
  switch (style) {
    case QTextListFormat::ListCircle:
      marker = QStringLiteral("o");
      break;
    case QTextListFormat::ListSquare:
      marker = QString(QChar(0x25AA));
      break;
    case QTextListFormat::ListDecimal:
      numbering = "pndec";
      break;
    case QTextListFormat::ListLowerAlpha:
      numbering = "pnlcltr";
      break;
    case QTextListFormat::ListUpperAlpha:
      numbering = "pnucltr";
      break;
    case QTextListFormat::ListLowerRoman:
      numbering = "pnlcrm";
      break;
    case QTextListFormat::ListUpperRoman:
      numbering = "pnucrm";
      break;
    default:
      marker = QString(QChar(0x2022));
      break;
  }
  out_ += '{';
  Word("pntext");
  Text(numbering != nullptr ? list.itemText(block) : marker);
  Word("tab");
  out_ += "}{\\*";
  if (numbering != nullptr) {
    Word("pn");
    Word("pnlvlbody");
    Word(numbering);
    Word("pnstart", 1);
    Word("pnindent", 0);
    out_ += '{';
    Word("pntxta");
    Text(u".");
    out_ += '}';
  } else {
    Word("pn");
    Word("pnlvlblt");
    Word("pnindent", 0);
    out_ += '{';
    Word("pntxtb");
    Text(marker);
    out_ += '}';
  }
  out_ += '}';
  delimiterNeeded_ = false;
  int level = std::clamp(list.format().indent() - 1, 0, kMaxListLevel);
  if (level > 0) Word("ilvl", level);
}

void RtfWriter::WriteRunFormat(const RunFormat& format) {
  auto toggle = [this](bool wanted, bool& current, const char* on, const char* off) {
    if (wanted != current) Word(wanted ? on : off);
    current = wanted;
  };
  auto number = [this](int wanted, int& current, const char* name) {
    if (wanted != current) Word(name, wanted);
    current = wanted;
  };
  number(format.font, current_.font, "f");
  number(format.halfPoints, current_.halfPoints, "fs");
  toggle(format.bold, current_.bold, "b", "b0");
  toggle(format.italic, current_.italic, "i", "i0");
  toggle(format.underline, current_.underline, "ul", "ulnone");
  toggle(format.strike, current_.strike, "strike", "strike0");
  number(format.foreground, current_.foreground, "cf");
  number(format.background, current_.background, "highlight");
}

void RtfWriter::Word(const char* name) {
  out_ += '\\';
  out_ += name;
  delimiterNeeded_ = true;
}

void RtfWriter::Word(const char* name, int parameter) {
  Word(name);
  out_ += QByteArray::number(parameter);
}

void RtfWriter::Literal(char byte) {
  if (delimiterNeeded_) out_ += ' ';
  delimiterNeeded_ = false;
  out_ += byte;
}

void RtfWriter::Text(QStringView text) {
  for (QChar c : text) {
    char16_t unit = c.unicode();
    if (unit == u'\\' || unit == u'{' || unit == u'}') {
      out_ += '\\';
      out_ += static_cast<char>(unit);
      delimiterNeeded_ = false;
    } else if (unit == u'\t') {
      Word("tab");
    } else if (unit == QChar::LineSeparator) {
      Word("line");
    } else if (unit >= 0x20 && unit < 0x7F) {
      Literal(static_cast<char>(unit));
    } else if (int byte = EncodeWindows1252(unit); byte >= 0x80) {
      out_ += "\\'";
      out_ += QByteArray::number(byte, 16);
      delimiterNeeded_ = false;
    } else {
      // \uN takes a signed 16-bit number; "?" is what readers without Unicode show.
      Word("u", static_cast<int16_t>(unit));
      out_ += '?';
      delimiterNeeded_ = false;
    }
  }
}

void RtfWriter::WritePicture(const QTextImageFormat& format) {
  const QVariant resource = document_.resource(QTextDocument::ImageResource, QUrl(format.name()));
  const QImage image = resource.value<QImage>();
  if (image.isNull()) return;  // a picture the document cannot show is not written
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return;
  const qreal width = format.width() > 0 ? format.width() : image.width();
  const qreal height = format.height() > 0 ? format.height() : image.height();
  out_ += "{\\pict\\pngblip";
  delimiterNeeded_ = true;
  Word("picw", image.width());
  Word("pich", image.height());
  Word("picwgoal", PixelsToTwips(width));
  Word("pichgoal", PixelsToTwips(height));
  const QByteArray hex = png.toHex();
  for (qsizetype at = 0; at < hex.size(); at += 128) {
    out_ += '\n';
    out_ += hex.mid(at, 128);
  }
  out_ += '}';
  delimiterNeeded_ = false;
}

QByteArray RtfWriter::Write() {
  CollectTables();
  WriteHeader();
  for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
    WriteParagraph(block);
  }
  out_ += '}';
  return out_;
}

}  // namespace

QByteArray WriteRtf(const QTextDocument& document) {
  return RtfWriter(document).Write();
}

}  // namespace pw
