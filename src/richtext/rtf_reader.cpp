// The RTF interpreter: a stack of group states (character and paragraph
// properties, destination, \uc count) driven by the tokenizer. Text is
// gathered until the next control word and then handed to the destination:
// the document, the font table, the colour table or a list marker.
#include "richtext/rtf_reader.h"

#include <QImage>

#include <QColor>
#include <QHash>
#include <QImage>
#include <QStringDecoder>
#include <QTextDocument>

#include <algorithm>
#include <cctype>
#include <vector>

#include "richtext/rtf_code_page.h"
#include "richtext/rtf_document_builder.h"
#include "richtext/rtf_geometry.h"
#include "richtext/rtf_tokenizer.h"

namespace pw {
namespace {

// Bounds that keep damaged input from costing unbounded time or memory.
constexpr int kMaxGroupDepth = 200;
constexpr int kMaxTableEntries = 4096;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kMaxListLevel = 8;
constexpr int kMaxTwips = 31680;  // 22 inches, the widest page RTF allows
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxHalfPoints = 3276;

enum class Destination {
  kDocument,
  kSkip,
  kFontTable,
  kColorTable,
  kListMarker,  // \pntext, \listtext: the marker a reader without lists shows
  kNumbering,   // \pn: the list the paragraph belongs to
  kBulletText,  // \pntxtb: the bullet character
  kPicture,     // \pict: a picture's hex data
};

// A picture being read: PNG and JPEG data are shown, other kinds skipped.
struct PictureState {
  bool readable = false;
  QByteArray hex;
  int widthTwips = 0;
  int heightTwips = 0;
};

// Hex digits of one picture beyond this are dropped (the picture then fails
// to load): 32 MB of hex is far more than a note's picture.
constexpr qsizetype kMaxPictureHex = qsizetype{32} << 20;

struct CharacterState {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int halfPoints = kDefaultHalfPoints;
  int font = -1;  // -1: the document's default font
  int foreground = 0;
  int background = 0;
};

struct ParagraphState {
  Qt::Alignment alignment = Qt::AlignLeft;
  int leftTwips = 0;
  int rightTwips = 0;
  int firstLineTwips = 0;
  int spaceBeforeTwips = 0;
  int spaceAfterTwips = 0;
  bool isListItem = false;
  int listStyle = 0;  // a QTextListFormat::Style, 0 when the \pn group gave none
  int listLevel = 0;
};

struct GroupState {
  Destination destination = Destination::kDocument;
  CharacterState characters;
  ParagraphState paragraph;
  int unicodeSkip = 1;
  bool ignorableStarSeen = false;
};

struct FontEntry {
  QString name;
  int charset = 1;
};

bool IsRomanNumeral(const QString& text, bool upper) {
  const QString digits = upper ? QStringLiteral("IVXLCDM") : QStringLiteral("ivxlcdm");
  return std::all_of(text.begin(), text.end(), [&](QChar c) { return digits.contains(c); });
}

// The list style a marker text such as "1.", "b)", "iv." or "•" stands for.
QTextListFormat::Style ListStyleOfMarker(const QString& marker) {
  QString text = marker.trimmed();
  while (!text.isEmpty() && (text.back() == u'.' || text.back() == u')')) text.chop(1);
  if (text.isEmpty()) return QTextListFormat::ListDisc;
  if (text.front().isDigit()) return QTextListFormat::ListDecimal;
  if (text.size() > 1 || text == u"i") {
    if (IsRomanNumeral(text, false)) return QTextListFormat::ListLowerRoman;
    if (IsRomanNumeral(text, true)) return QTextListFormat::ListUpperRoman;
  }
  if (text.size() == 1 && text.front().isLower() && text.front() != u'o') {
    return QTextListFormat::ListLowerAlpha;
  }
  if (text.size() == 1 && text.front().isUpper()) return QTextListFormat::ListUpperAlpha;
  return QTextListFormat::ListDisc;
}

// The bullet style of a \pntxtb character: the marks word processors use
// for circle and square bullets, a disc otherwise.
QTextListFormat::Style BulletStyleOfCharacter(const QString& bullet) {
  QString text = bullet.trimmed();
  if (text == u"o" || text == u"\u25E6" || text == u"\u25CB") return QTextListFormat::ListCircle;
  if (text == u"\u00A7" || text == u"\u25AA" || text == u"\u25A0") {
    return QTextListFormat::ListSquare;
  }
  return QTextListFormat::ListDisc;
}

class RtfInterpreter {
 public:
  RtfInterpreter(const QByteArray& data, QTextDocument* document)
      : tokenizer_(data), builder_(document) {}

  bool Run();

 private:
  GroupState& State() { return groups_.back(); }
  void StartGroup();
  void EndGroup();
  void HandleWord(const QByteArray& word, bool hasParameter, int parameter);
  void HandleSymbol(char symbol);
  bool HandleDestinationWord(const QByteArray& word);
  bool HandleCharacterWord(const QByteArray& word, bool hasParameter, int parameter);
  void HandleParagraphWord(const QByteArray& word, int parameter);
  void HandleNumberingWord(const QByteArray& word, int parameter);
  bool HandleSpecialCharacterWord(const QByteArray& word);
  bool ConsumeUnicodeFallback(const RtfToken& token);

  int CurrentCodePage() const;
  void AppendBytes(const QByteArray& bytes);
  void AppendText(const QString& text);
  void FlushText();
  void DeliverFontTableText(const QString& text);
  void CommitFontEntry();
  void CommitColor();
  void EndParagraph();
  void FinishPicture();
  QTextCharFormat CharFormat() const;
  RtfParagraph Paragraph() const;

  RtfTokenizer tokenizer_;
  RtfDocumentBuilder builder_;
  std::vector<GroupState> groups_;
  int overflowDepth_ = 0;  // groups deeper than kMaxGroupDepth, read with the deepest state
  int unicodeSkipRemaining_ = 0;

  int documentCodePage_ = kCodePageWindows1252;
  int defaultFont_ = 0;
  QHash<int, FontEntry> fonts_;
  int fontEntryNumber_ = -1;
  FontEntry fontEntry_;
  std::vector<QColor> colors_;  // invalid: "auto"
  int red_ = -1, green_ = -1, blue_ = -1;

  QByteArray pendingBytes_;
  int pendingBytesCodePage_ = kCodePageWindows1252;
  QString pendingText_;
  QString listMarker_;  // the text of the current paragraph's \pntext or \listtext
  QString bulletText_;
  ParagraphState numbering_;  // what the open \pn group says
  PictureState picture_;
};

bool RtfInterpreter::Run() {
  bool closed = false;
  while (!closed) {
    RtfToken token = tokenizer_.Next();
    if (token.type == RtfToken::Type::kEnd) break;
    if (ConsumeUnicodeFallback(token)) continue;
    switch (token.type) {
      case RtfToken::Type::kText:
        AppendBytes(token.word);
        break;
      case RtfToken::Type::kHexByte:
        AppendBytes(QByteArray(1, token.symbol));
        break;
      case RtfToken::Type::kGroupStart:
        FlushText();
        StartGroup();
        break;
      case RtfToken::Type::kGroupEnd:
        FlushText();
        if (groups_.size() == 1 && overflowDepth_ == 0) builder_.Finish(Paragraph());
        EndGroup();
        closed = groups_.empty();
        break;
      case RtfToken::Type::kControlWord:
        HandleWord(token.word, token.hasParameter, token.parameter);
        break;
      case RtfToken::Type::kControlSymbol:
        HandleSymbol(token.symbol);
        break;
      case RtfToken::Type::kEnd:
        break;
    }
  }
  FlushText();
  if (!closed && !groups_.empty()) builder_.Finish(Paragraph());
  // Damaged input that gave no text at all could not be read.
  return closed || !builder_.IsEmpty();
}

// After \uN the reader skips the N characters of the fallback that readers
// without Unicode show: text bytes, \'hh escapes and control words alike.
bool RtfInterpreter::ConsumeUnicodeFallback(const RtfToken& token) {
  if (unicodeSkipRemaining_ == 0) return false;
  switch (token.type) {
    case RtfToken::Type::kText: {
      auto skipped = std::min<qsizetype>(unicodeSkipRemaining_, token.word.size());
      unicodeSkipRemaining_ -= static_cast<int>(skipped);
      AppendBytes(token.word.mid(skipped));
      return true;
    }
    case RtfToken::Type::kHexByte:
    case RtfToken::Type::kControlWord:
    case RtfToken::Type::kControlSymbol:
      --unicodeSkipRemaining_;
      return true;
    default:
      unicodeSkipRemaining_ = 0;
      return false;
  }
}

void RtfInterpreter::StartGroup() {
  unicodeSkipRemaining_ = 0;
  if (groups_.empty()) {
    groups_.emplace_back();
    return;
  }
  if (groups_.size() >= static_cast<size_t>(kMaxGroupDepth)) {
    ++overflowDepth_;
    return;
  }
  GroupState state = groups_.back();
  state.ignorableStarSeen = false;
  groups_.push_back(state);
}

void RtfInterpreter::EndGroup() {
  unicodeSkipRemaining_ = 0;
  if (overflowDepth_ > 0) {
    --overflowDepth_;
    return;
  }
  if (groups_.empty()) return;
  Destination ending = State().destination;
  groups_.pop_back();
  Destination outer = groups_.empty() ? Destination::kDocument : State().destination;
  if (ending == Destination::kFontTable) CommitFontEntry();
  if (ending == Destination::kPicture && outer != Destination::kPicture) FinishPicture();
  if (ending == Destination::kNumbering && outer != Destination::kNumbering && !groups_.empty()) {
    ParagraphState& paragraph = State().paragraph;
    paragraph.isListItem = numbering_.isListItem;
    paragraph.listLevel = numbering_.listLevel;
    paragraph.listStyle = numbering_.listStyle;
    if (numbering_.listStyle == QTextListFormat::ListDisc) {
      paragraph.listStyle = BulletStyleOfCharacter(bulletText_);
    }
  }
}

int RtfInterpreter::CurrentCodePage() const {
  if (groups_.empty()) return documentCodePage_;
  const GroupState& state = groups_.back();
  if (state.destination == Destination::kFontTable) {
    return CodePageOfCharset(fontEntry_.charset, documentCodePage_);
  }
  int font = state.characters.font < 0 ? defaultFont_ : state.characters.font;
  auto found = fonts_.constFind(font);
  int charset = found == fonts_.constEnd() ? 1 : found->charset;
  return CodePageOfCharset(charset, documentCodePage_);
}

void RtfInterpreter::AppendBytes(const QByteArray& bytes) {
  if (bytes.isEmpty() || groups_.empty()) return;
  int codePage = CurrentCodePage();
  if (codePage != pendingBytesCodePage_ && !pendingBytes_.isEmpty()) {
    pendingText_ += DecodeCodePage(pendingBytes_, pendingBytesCodePage_);
    pendingBytes_.clear();
  }
  pendingBytesCodePage_ = codePage;
  for (char byte : bytes) {
    // A literal tab is a tab; other control bytes are not text.
    if (byte == '\t') {
      AppendText(QStringLiteral("\t"));
    } else if (static_cast<unsigned char>(byte) >= 0x20) {
      pendingBytes_.append(byte);
    }
  }
}

void RtfInterpreter::AppendText(const QString& text) {
  if (!pendingBytes_.isEmpty()) {
    pendingText_ += DecodeCodePage(pendingBytes_, pendingBytesCodePage_);
    pendingBytes_.clear();
  }
  pendingText_ += text;
}

void RtfInterpreter::FlushText() {
  AppendText(QString());
  if (pendingText_.isEmpty() || groups_.empty()) {
    pendingText_.clear();
    return;
  }
  switch (State().destination) {
    case Destination::kDocument:
      builder_.AppendText(pendingText_, CharFormat());
      break;
    case Destination::kFontTable:
      DeliverFontTableText(pendingText_);
      break;
    case Destination::kColorTable:
      for (int i = 0; i < pendingText_.count(u';'); ++i) CommitColor();
      break;
    case Destination::kListMarker:
      if (listMarker_.size() < 64) listMarker_ += pendingText_;
      break;
    case Destination::kBulletText:
      if (bulletText_.size() < 64) bulletText_ += pendingText_;
      break;
    case Destination::kPicture:
      for (QChar c : pendingText_) {
        if (std::isxdigit(c.unicode()) && picture_.hex.size() < kMaxPictureHex) {
          picture_.hex.append(static_cast<char>(c.unicode()));
        }
      }
      break;
    case Destination::kSkip:
    case Destination::kNumbering:
      break;
  }
  pendingText_.clear();
}

void RtfInterpreter::DeliverFontTableText(const QString& text) {
  for (QChar c : text) {
    if (c == u';') {
      CommitFontEntry();
    } else if (fontEntryNumber_ >= 0 && fontEntry_.name.size() < 256) {
      fontEntry_.name += c;
    }
  }
}

void RtfInterpreter::CommitFontEntry() {
  if (fontEntryNumber_ >= 0 && fonts_.size() < kMaxTableEntries) {
    fontEntry_.name = fontEntry_.name.trimmed();
    fonts_.insert(fontEntryNumber_, fontEntry_);
  }
  fontEntryNumber_ = -1;
  fontEntry_ = FontEntry();
}

void RtfInterpreter::CommitColor() {
  if (colors_.size() < static_cast<size_t>(kMaxTableEntries)) {
    bool isAuto = red_ < 0 && green_ < 0 && blue_ < 0;
    colors_.push_back(isAuto ? QColor()
                             : QColor(std::max(red_, 0), std::max(green_, 0), std::max(blue_, 0)));
  }
  red_ = green_ = blue_ = -1;
}

void RtfInterpreter::HandleSymbol(char symbol) {
  switch (symbol) {
    case '*':
      if (!groups_.empty()) State().ignorableStarSeen = true;
      return;
    case '\\':
    case '{':
    case '}':
      AppendBytes(QByteArray(1, symbol));
      return;
    case '~':
      AppendText(QString(QChar(0x00A0)));
      return;
    case '-':
      AppendText(QString(QChar(0x00AD)));
      return;
    case '_':
      AppendText(QString(QChar(0x2011)));
      return;
    case '\t':
      AppendText(QStringLiteral("\t"));
      return;
    case '\n':
    case '\r':
      FlushText();
      EndParagraph();
      return;
    default:
      return;  // \| \: and the like mean nothing to the text
  }
}

void RtfInterpreter::HandleWord(const QByteArray& word, bool hasParameter, int parameter) {
  if (groups_.empty()) return;
  if (word == "u") {
    // \uN is a signed 16-bit UTF-16 code unit; two of them make a surrogate pair.
    AppendText(QString(QChar(static_cast<char16_t>(parameter))));
    unicodeSkipRemaining_ = State().unicodeSkip;
    return;
  }
  if (HandleSpecialCharacterWord(word)) return;
  FlushText();
  bool starred = State().ignorableStarSeen;
  State().ignorableStarSeen = false;
  if (word == "bin") {
    tokenizer_.SkipBytes(hasParameter ? parameter : 0);
    return;
  }
  if (HandleDestinationWord(word)) return;
  if (starred) {
    State().destination = Destination::kSkip;  // an ignorable destination we do not know
    return;
  }
  if (word == "uc") {
    State().unicodeSkip = std::clamp(hasParameter ? parameter : 1, 0, kMaxUnicodeSkip);
    return;
  }
  switch (State().destination) {
    case Destination::kFontTable:
      if (word == "f") {
        CommitFontEntry();
        fontEntryNumber_ = parameter;
      } else if (word == "fcharset") {
        fontEntry_.charset = parameter;
      }
      return;
    case Destination::kColorTable:
      if (word == "red") red_ = std::clamp(parameter, 0, 255);
      if (word == "green") green_ = std::clamp(parameter, 0, 255);
      if (word == "blue") blue_ = std::clamp(parameter, 0, 255);
      return;
    case Destination::kNumbering:
      HandleNumberingWord(word, parameter);
      return;
    case Destination::kPicture:
      if (word == "pngblip" || word == "jpegblip") picture_.readable = true;
      if (word == "picwgoal") picture_.widthTwips = std::clamp(parameter, 0, kMaxTwips);
      if (word == "pichgoal") picture_.heightTwips = std::clamp(parameter, 0, kMaxTwips);
      return;
    case Destination::kSkip:
      return;
    default:
      break;
  }
  if (word == "ansicpg") {
    if (parameter > 0) documentCodePage_ = parameter;
  } else if (word == "ansi") {
    documentCodePage_ = kCodePageWindows1252;
  } else if (word == "mac") {
    documentCodePage_ = 10000;
  } else if (word == "pc") {
    documentCodePage_ = 437;
  } else if (word == "pca") {
    documentCodePage_ = 850;
  } else if (word == "deff") {
    defaultFont_ = parameter;
  } else if (!HandleCharacterWord(word, hasParameter, parameter)) {
    HandleParagraphWord(word, parameter);
  }
}

void RtfInterpreter::FinishPicture() {
  if (!picture_.readable) return;
  QImage image;
  if (!image.loadFromData(QByteArray::fromHex(picture_.hex))) return;
  builder_.AppendImage(image, TwipsToPixels(picture_.widthTwips),
                       TwipsToPixels(picture_.heightTwips), CharFormat());
}

bool RtfInterpreter::HandleDestinationWord(const QByteArray& word) {
  static const QList<QByteArray> kSkipped = {"info",
                                             "stylesheet",
                                             "object",
                                             "header",
                                             "headerl",
                                             "headerr",
                                             "headerf",
                                             "footer",
                                             "footerl",
                                             "footerr",
                                             "footerf",
                                             "footnote",
                                             "annotation",
                                             "fldinst",
                                             "themedata",
                                             "listtable",
                                             "listoverridetable",
                                             "rsidtbl",
                                             "generator",
                                             "filetbl",
                                             "revtbl",
                                             "nonshppict",
                                             "xmlnstbl",
                                             "datastore",
                                             "latentstyles",
                                             "colorschememapping",
                                             "pgdsctbl",
                                             "template",
                                             "objdata",
                                             "fontemb",
                                             "fontfile",
                                             "falt",
                                             "panose",
                                             "pntxta",
                                             "pnseclvl",
                                             "txe",
                                             "userprops",
                                             "docvar",
                                             "ftnsep",
                                             "ftnsepc",
                                             "aftnsep",
                                             "shpinst",
                                             "mmathPr",
                                             "defchp",
                                             "defpap",
                                             "listpicture"};
  GroupState& state = State();
  if (state.destination == Destination::kSkip) return true;
  if (word == "fonttbl") {
    state.destination = Destination::kFontTable;
  } else if (word == "colortbl") {
    state.destination = Destination::kColorTable;
    colors_.clear();
    red_ = green_ = blue_ = -1;
  } else if (word == "pntext" || word == "listtext") {
    state.destination = Destination::kListMarker;
    listMarker_.clear();
  } else if (word == "pn") {
    state.destination = Destination::kNumbering;
    numbering_ = ParagraphState();
    numbering_.listStyle = QTextListFormat::ListDisc;
    bulletText_.clear();
  } else if (word == "pict") {
    state.destination = Destination::kPicture;
    picture_ = PictureState();
  } else if (word == "shppict") {
    // The picture group of newer writers: read its \pict as the document's.
  } else if (word == "pntxtb" && state.destination == Destination::kNumbering) {
    state.destination = Destination::kBulletText;
  } else if (kSkipped.contains(word)) {
    state.destination = Destination::kSkip;
  } else {
    return false;
  }
  return true;
}

void RtfInterpreter::HandleNumberingWord(const QByteArray& word, int parameter) {
  if (word == "pnlvlblt") {
    numbering_.isListItem = true;
    numbering_.listStyle = QTextListFormat::ListDisc;
  } else if (word == "pnlvlbody") {
    numbering_.isListItem = true;
    if (numbering_.listStyle == QTextListFormat::ListDisc) {
      numbering_.listStyle = QTextListFormat::ListDecimal;
    }
  } else if (word == "pnlvl") {
    numbering_.isListItem = true;
    numbering_.listLevel = std::clamp(parameter - 1, 0, kMaxListLevel);
  } else if (word == "pnlvlcont") {
    numbering_.isListItem = false;
  } else if (word == "pndec") {
    numbering_.listStyle = QTextListFormat::ListDecimal;
  } else if (word == "pnlcltr") {
    numbering_.listStyle = QTextListFormat::ListLowerAlpha;
  } else if (word == "pnucltr") {
    numbering_.listStyle = QTextListFormat::ListUpperAlpha;
  } else if (word == "pnlcrm") {
    numbering_.listStyle = QTextListFormat::ListLowerRoman;
  } else if (word == "pnucrm") {
    numbering_.listStyle = QTextListFormat::ListUpperRoman;
  } else if (word == "ilvl") {
    numbering_.listLevel = std::clamp(parameter, 0, kMaxListLevel);
  }
}

bool RtfInterpreter::HandleCharacterWord(const QByteArray& word, bool hasParameter, int parameter) {
  static const QList<QByteArray> kUnderlines = {
      "ul",       "uld",       "uldb",       "ulw",       "ulwave",    "ulth",
      "uldash",   "uldashd",   "uldashdd",   "ulhwave",   "ulldash",   "ulthd",
      "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave"};
  CharacterState& chars = State().characters;
  bool on = !hasParameter || parameter != 0;
  if (word == "b") {
    chars.bold = on;
  } else if (word == "i") {
    chars.italic = on;
  } else if (kUnderlines.contains(word)) {
    chars.underline = on;
  } else if (word == "ulnone") {
    chars.underline = false;
  } else if (word == "strike" || word == "striked") {
    chars.strike = on;
  } else if (word == "fs") {
    chars.halfPoints = hasParameter ? std::clamp(parameter, 2, kMaxHalfPoints) : kDefaultHalfPoints;
  } else if (word == "f") {
    chars.font = std::max(parameter, 0);
  } else if (word == "cf") {
    chars.foreground = parameter;
  } else if (word == "highlight" || word == "cb" || word == "chcbpat") {
    chars.background = parameter;
  } else if (word == "plain") {
    chars = CharacterState();
  } else {
    return false;
  }
  return true;
}

void RtfInterpreter::HandleParagraphWord(const QByteArray& word, int parameter) {
  ParagraphState& paragraph = State().paragraph;
  int twips = std::clamp(parameter, -kMaxTwips, kMaxTwips);
  if (word == "par" || word == "page" || word == "sect" || word == "row" || word == "nestrow") {
    EndParagraph();
  } else if (word == "pard") {
    paragraph = ParagraphState();
  } else if (word == "ql") {
    paragraph.alignment = Qt::AlignLeft;
  } else if (word == "qc") {
    paragraph.alignment = Qt::AlignHCenter;
  } else if (word == "qr") {
    paragraph.alignment = Qt::AlignRight;
  } else if (word == "qj" || word == "qd") {
    paragraph.alignment = Qt::AlignJustify;
  } else if (word == "li" || word == "lin") {
    paragraph.leftTwips = twips;
  } else if (word == "ri" || word == "rin") {
    paragraph.rightTwips = twips;
  } else if (word == "fi") {
    paragraph.firstLineTwips = twips;
  } else if (word == "sb") {
    paragraph.spaceBeforeTwips = std::max(twips, 0);
  } else if (word == "sa") {
    paragraph.spaceAfterTwips = std::max(twips, 0);
  } else if (word == "ls") {
    paragraph.isListItem = parameter > 0;
    paragraph.listStyle = 0;
  } else if (word == "ilvl") {
    paragraph.listLevel = std::clamp(parameter, 0, kMaxListLevel);
  }
  // A control word we do not know means nothing to the text.
}

bool RtfInterpreter::HandleSpecialCharacterWord(const QByteArray& word) {
  static const QHash<QByteArray, char16_t> kCharacters = {
      {"tab", u'\t'},           {"cell", u'\t'},          {"nestcell", u'\t'},
      {"line", u'\u2028'},      {"emdash", u'\u2014'},    {"endash", u'\u2013'},
      {"bullet", u'\u2022'},    {"lquote", u'\u2018'},    {"rquote", u'\u2019'},
      {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'}, {"emspace", u'\u2003'},
      {"enspace", u'\u2002'},   {"qmspace", u'\u2005'},   {"zwj", u'\u200D'},
      {"zwnj", u'\u200C'}};
  auto found = kCharacters.constFind(word);
  if (found == kCharacters.constEnd()) return false;
  State().ignorableStarSeen = false;
  AppendText(QString(QChar(*found)));
  return true;
}

void RtfInterpreter::EndParagraph() {
  if (State().destination != Destination::kDocument) return;
  builder_.EndParagraph(Paragraph(), CharFormat());
  listMarker_.clear();
}

QTextCharFormat RtfInterpreter::CharFormat() const {
  const CharacterState& chars = groups_.back().characters;
  QTextCharFormat format;
  format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(chars.italic);
  format.setFontUnderline(chars.underline);
  format.setFontStrikeOut(chars.strike);
  format.setFontPointSize(chars.halfPoints / 2.0);
  auto font = fonts_.constFind(chars.font < 0 ? defaultFont_ : chars.font);
  if (font != fonts_.constEnd() && !font->name.isEmpty()) format.setFontFamilies({font->name});
  auto color = [this](int index) {
    return index > 0 && index < static_cast<int>(colors_.size()) ? colors_[index] : QColor();
  };
  if (QColor foreground = color(chars.foreground); foreground.isValid()) {
    format.setForeground(foreground);
  }
  if (QColor background = color(chars.background); background.isValid()) {
    format.setBackground(background);
  }
  return format;
}

RtfParagraph RtfInterpreter::Paragraph() const {
  const ParagraphState& state = groups_.back().paragraph;
  RtfParagraph paragraph;
  int left = state.leftTwips;
  int firstLine = state.firstLineTwips;
  if (state.isListItem) {
    paragraph.isListItem = true;
    paragraph.listLevel = state.listLevel;
    paragraph.listStyle = state.listStyle != 0
                              ? static_cast<QTextListFormat::Style>(state.listStyle)
                              : ListStyleOfMarker(listMarker_);
    left = std::max(0, left - (state.listLevel + 1) * kListLevelTwips);
    firstLine += kListHangTwips;
  }
  QTextBlockFormat& format = paragraph.format;
  format.setAlignment(state.alignment);
  if (left != 0) format.setLeftMargin(TwipsToPixels(left));
  if (state.rightTwips != 0) format.setRightMargin(TwipsToPixels(state.rightTwips));
  if (firstLine != 0) format.setTextIndent(TwipsToPixels(firstLine));
  if (state.spaceBeforeTwips != 0) format.setTopMargin(TwipsToPixels(state.spaceBeforeTwips));
  if (state.spaceAfterTwips != 0) format.setBottomMargin(TwipsToPixels(state.spaceAfterTwips));
  return paragraph;
}

bool LoadPlainText(const QByteArray& data, QTextDocument* document) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(data);
  if (utf8.hasError()) text = DecodeCodePage(data, kCodePageWindows1252);
  document->setPlainText(text);
  return true;
}

}  // namespace

bool ReadRtf(const QByteArray& data, QTextDocument* document) {
  if (document == nullptr) return false;
  if (!data.startsWith("{\\rtf")) return LoadPlainText(data, document);
  return RtfInterpreter(data, document).Run();
}

}  // namespace pw
