// Writes RTF 1 as word processors and the common rich-text controls read it:
// a header with font and colour tables of what the text uses and, when the
// text has lists, a list table and list override table; then per paragraph
// \pard and its properties, for list items an old-style marker ({\pntext}
// for readers without lists, {\*\pn} for those that know only those) beside
// the list table's \lsN\ilvlN, the runs with only the character properties
// that change, and \par. Links, those of the text and the addresses the note
// detects in it, are HYPERLINK fields whose result is the text.
// Text is Windows-1252 with \'hh escapes above ASCII and \uN? (with \uc1)
// for every character beyond that code page. Pictures are written as
// {\pict\pngblip ...} with their PNG bytes in hex.
#include "richtext/rtf_writer.h"

#include <QBuffer>
#include <QFontInfo>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextList>
#include <QUrl>

#include <algorithm>

#include "richtext/link_detection.h"
#include "richtext/rtf_code_page.h"
#include "richtext/rtf_geometry.h"
#include "richtext/rtf_hyperlink_field.h"
#include "richtext/rtf_list_style.h"
#include "richtext/rtf_writer_lists.h"

namespace pw {
namespace {

constexpr int kDefaultHalfPoints = 24;  // what a reader assumes without \fs

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

// A link of a paragraph: characters [start, end) of the block's text.
struct LinkSpan {
  int start = 0;
  int end = 0;
  HyperlinkField link;
};

// The links of `block`: the text's own (its anchors), and the addresses
// detected in the rest.
std::vector<LinkSpan> LinksOf(const QTextBlock& block) {
  std::vector<LinkSpan> links;
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    const QTextCharFormat format = fragment.charFormat();
    const QString target = format.anchorHref();
    if (target.isEmpty()) continue;
    const int start = fragment.position() - block.position();
    const int end = start + fragment.length();
    const HyperlinkField link{target, format.toolTip()};
    if (!links.empty() && links.back().end == start && links.back().link.target == target &&
        links.back().link.toolTip == link.toolTip) {
      links.back().end = end;
    } else {
      links.push_back({start, end, link});
    }
  }
  const std::vector<LinkSpan> anchors = links;
  for (const DetectedLink& detected : DetectLinks(block.text())) {
    const int end = detected.start + detected.length;
    const bool overlaps = std::any_of(anchors.begin(), anchors.end(), [&](const LinkSpan& anchor) {
      return anchor.start < end && detected.start < anchor.end;
    });
    if (!overlaps) links.push_back({detected.start, end, {detected.url.toString(), QString()}});
  }
  std::sort(links.begin(), links.end(),
            [](const LinkSpan& a, const LinkSpan& b) { return a.start < b.start; });
  return links;
}

class RtfWriter {
 public:
  explicit RtfWriter(const QTextDocument& document) : document_(document), lists_(document) {}

  QByteArray Write();

 private:
  QString FamilyOf(const QTextCharFormat& format) const;
  int FontIndex(const QString& family);
  int ColorIndex(const QBrush& brush);
  RunFormat RunFormatOf(const QTextCharFormat& format);
  void CollectTables();
  void WriteHeader();
  void WriteListTables();
  void WriteInfo();
  void WriteListLevel(int level, QTextListFormat::Style style);
  void WriteParagraph(const QTextBlock& block);
  void WriteListMarker(const QTextBlock& block, const QTextList& list);
  void WriteRuns(const QTextBlock& block);
  void WritePiece(const QTextCharFormat& format, const QString& text);
  void OpenLink(const HyperlinkField& link);
  void CloseLink();
  void WriteRunFormat(const RunFormat& format);
  void WritePicture(const QTextImageFormat& format);
  void Word(const char* name);
  void Word(const char* name, int parameter);
  void Text(QStringView text);
  void Unicode(char16_t unit);
  void Literal(char byte);

  const QTextDocument& document_;
  const RtfWriterLists lists_;
  QStringList fonts_;
  QList<QRgb> colors_;  // colour table entries 1..n
  RunFormat current_;
  RunFormat outsideLink_;  // the format before the open link's group
  bool delimiterNeeded_ = false;
  QByteArray out_;
};

// Text without a family of its own is shown in the document's default font,
// which may name a generic family ("Sans Serif") that other programs would
// replace with a face of their own: the family the text is shown in is written.
QString RtfWriter::FamilyOf(const QTextCharFormat& format) const {
  QStringList families = format.fontFamilies().toStringList();
  if (!families.isEmpty() && !families.front().isEmpty()) return families.front();
  QString family = format.property(QTextFormat::FontFamily).toString();
  return family.isEmpty() ? QFontInfo(document_.defaultFont()).family() : family;
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
  if (fonts_.isEmpty()) fonts_.append(FamilyOf(QTextCharFormat()));
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
  WriteListTables();
  WriteInfo();
  out_ += '\n';
  delimiterNeeded_ = false;
}

// The document's title, the note's exact caption, goes into the
// information group after the tables, where readers look for it and
// word processors show it as the document's title.
void RtfWriter::WriteInfo() {
  const QString title = document_.metaInformation(QTextDocument::DocumentTitle);
  if (title.isEmpty()) return;
  out_ += "{\\info{";
  Word("title");
  Text(title);
  out_ += "}}";
  delimiterNeeded_ = false;
}

// List n of the list table has \listidN and is \lsN: one override each.
void RtfWriter::WriteListTables() {
  if (lists_.Lists().empty()) return;
  out_ += "{\\*\\listtable";
  for (size_t i = 0; i < lists_.Lists().size(); ++i) {
    out_ += "\n{\\list";
    for (int level = 0; level < kRtfListLevels; ++level) {
      WriteListLevel(level, lists_.Lists()[i][level]);
    }
    Word("listid", static_cast<int>(i + 1));
    out_ += '}';
  }
  out_ += "}\n{\\*\\listoverridetable";
  for (size_t i = 0; i < lists_.Lists().size(); ++i) {
    out_ += "{\\listoverride";
    Word("listid", static_cast<int>(i + 1));
    Word("listoverridecount", 0);
    Word("ls", static_cast<int>(i + 1));
    out_ += '}';
  }
  out_ += '}';
  delimiterNeeded_ = false;
}

// A numbered level shows its own number and a full stop ("\'02\'0N." is two
// characters: the number of level N and "."); a bullet level its bullet.
void RtfWriter::WriteListLevel(int level, QTextListFormat::Style style) {
  const RtfListKind kind = RtfListKindOf(style);
  out_ += "{\\listlevel";
  Word("levelnfc", kind.levelNumbering);
  Word("levelnfcn", kind.levelNumbering);
  Word("leveljc", 0);
  Word("levelfollow", 0);
  Word("levelstartat", 1);
  out_ += "{\\leveltext";
  if (kind.bullet != 0) {
    out_ += "\\'01";
    Unicode(kind.bullet);
    out_ += ";}{\\levelnumbers;}";
  } else {
    out_ += "\\'02\\'0" + QByteArray::number(level) + ".;}{\\levelnumbers\\'01;}";
  }
  delimiterNeeded_ = false;
  Word("fi", -kListHangTwips);
  Word("li", (level + 1) * kListLevelTwips);
  out_ += '}';
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
  WriteRuns(block);
  Word("par");
  out_ += '\n';
  delimiterNeeded_ = false;
}

void RtfWriter::WriteListMarker(const QTextBlock& block, const QTextList& list) {
  const RtfListKind kind = RtfListKindOf(list.format().style());
  const int number = lists_.NumberOf(list);
  const int level = RtfWriterLists::LevelOf(list);
  out_ += '{';
  Word("pntext");
  if (kind.bullet != 0) {
    Text(QString(QChar(kind.bullet)));
  } else {
    Text(list.itemText(block));
  }
  Word("tab");
  out_ += "}{\\*";
  Word("pn");
  Word(kind.bullet != 0 ? "pnlvlblt" : "pnlvlbody");
  Word("ilvl", level);
  Word("ls", number);
  Word("pnrnot", 0);
  if (kind.bullet == 0) {
    Word(kind.pnNumbering);
    Word("pnstart", 1);
  }
  Word("pnindent", 0);
  out_ += '{';
  Word(kind.bullet != 0 ? "pntxtb" : "pntxta");
  Text(kind.bullet != 0 ? QString(QChar(kind.bullet)) : QStringLiteral("."));
  out_ += "}}";
  delimiterNeeded_ = false;
  Word("ls", number);
  Word("ilvl", level);
}

// The block's fragments, cut where a link starts or ends, each link in a
// field group of its own.
void RtfWriter::WriteRuns(const QTextBlock& block) {
  const std::vector<LinkSpan> links = LinksOf(block);
  auto link = links.begin();
  bool inLink = false;
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    int at = fragment.position() - block.position();
    const int end = at + fragment.length();
    while (at < end) {
      if (inLink && at == link->end) {
        CloseLink();
        inLink = false;
        ++link;
      }
      if (!inLink && link != links.end() && at == link->start) {
        OpenLink(link->link);
        inLink = true;
      }
      int next = end;
      if (inLink) {
        next = std::min(next, link->end);
      } else if (link != links.end()) {
        next = std::min(next, link->start);
      }
      const int fragmentStart = fragment.position() - block.position();
      WritePiece(fragment.charFormat(), fragment.text().mid(at - fragmentStart, next - at));
      at = next;
    }
  }
  if (inLink) CloseLink();
}

void RtfWriter::WritePiece(const QTextCharFormat& format, const QString& text) {
  WriteRunFormat(RunFormatOf(format));
  if (format.isImageFormat()) {
    // Equal pictures side by side share one fragment: one mark each.
    for (qsizetype i = 0; i < text.count(QChar::ObjectReplacementCharacter); ++i) {
      WritePicture(format.toImageFormat());
    }
  } else {
    Text(text);
  }
}

void RtfWriter::OpenLink(const HyperlinkField& link) {
  out_ += '{';
  Word("field");
  out_ += '{';
  delimiterNeeded_ = false;
  out_ += "\\*";
  Word("fldinst");
  Text(HyperlinkInstruction(link));
  out_ += "}{";
  delimiterNeeded_ = false;
  Word("fldrslt");
  outsideLink_ = current_;
}

// The format of the text after the field is the one before it: the group
// ends what the result changed.
void RtfWriter::CloseLink() {
  out_ += "}}";
  delimiterNeeded_ = false;
  current_ = outsideLink_;
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
      Unicode(unit);
    }
  }
}

// \uN takes a signed 16-bit number; "?" is what readers without Unicode show.
void RtfWriter::Unicode(char16_t unit) {
  Word("u", static_cast<int16_t>(unit));
  out_ += '?';
  delimiterNeeded_ = false;
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
