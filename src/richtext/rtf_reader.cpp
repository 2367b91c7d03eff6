// Reading RTF: the interpreter's groups, the text it gathers for each
// destination, control symbols and the dispatch of control words to their
// destination (rtf_destination_words.cpp, rtf_document_words.cpp).
#include "richtext/rtf_reader.h"

#include <QStringDecoder>
#include <QTextDocument>
#include <algorithm>
#include <cctype>

#include "richtext/rtf_geometry.h"
#include "richtext/rtf_interpreter.h"

namespace pw {
namespace rtf {

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
  // A destination's content is complete when its outermost group ends.
  if (ending == outer || groups_.empty()) return;
  switch (ending) {
    case Destination::kPicture:
      FinishPicture();
      break;
    case Destination::kNumbering:
      EndNumbering();
      break;
    case Destination::kListLevel:
      CommitListLevel();
      break;
    case Destination::kList:
      CommitList();
      break;
    case Destination::kListOverride:
      CommitListOverride();
      break;
    case Destination::kFieldInstruction:
      FinishFieldInstruction();
      break;
    default:
      break;
  }
}

// A \pn group gives the paragraph its list membership and style; its level
// and \lsN only where it names them, since \ilvl and \ls may stand outside it.
void RtfInterpreter::EndNumbering() {
  ParagraphState& paragraph = State().paragraph;
  paragraph.isListItem = numbering_.isListItem;
  if (numbering_.listLevel >= 0) paragraph.listLevel = numbering_.listLevel;
  if (numbering_.listOverride > 0) paragraph.listOverride = numbering_.listOverride;
  paragraph.listStyle = numbering_.listStyle;
  if (numbering_.listStyle == QTextListFormat::ListDisc) {
    paragraph.listStyle = BulletStyleOfCharacter(bulletText_);
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
    case Destination::kLevelText:
      if (levelText_.size() < 64) levelText_ += pendingText_;
      break;
    case Destination::kFieldInstruction:
      if (fieldInstruction_.size() < kMaxInstructionLength) fieldInstruction_ += pendingText_;
      break;
    case Destination::kTitle:
      if (title_.size() < kMaxTitleLength) title_ += pendingText_;
      break;
    case Destination::kPicture:
      for (QChar c : pendingText_) {
        if (std::isxdigit(c.unicode()) && picture_.hex.size() < kMaxPictureHex) {
          picture_.hex.append(static_cast<char>(c.unicode()));
        }
      }
      break;
    default:
      break;  // the text of the other destinations means nothing
  }
  pendingText_.clear();
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
      HandleFontTableWord(word, parameter);
      return;
    case Destination::kColorTable:
      HandleColorTableWord(word, parameter);
      return;
    case Destination::kNumbering:
      HandleNumberingWord(word, parameter);
      return;
    case Destination::kPicture:
      HandlePictureWord(word, parameter);
      return;
    case Destination::kList:
    case Destination::kListLevel:
    case Destination::kListOverride:
      HandleListTableWord(word, parameter);
      return;
    case Destination::kFieldInstruction:
      HandleFieldInstructionWord(word);
      return;
    case Destination::kSkip:
    case Destination::kInfo:
    case Destination::kTitle:
    case Destination::kListTable:
    case Destination::kLevelText:
    case Destination::kListOverrideTable:
      return;
    default:
      HandleDocumentWord(word, hasParameter, parameter);
      return;
  }
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
  if (int link = groups_.back().link; link >= 0) {
    format.setAnchor(true);
    format.setAnchorHref(links_[link].target);
    if (!links_[link].toolTip.isEmpty()) format.setToolTip(links_[link].toolTip);
  }
  return format;
}

RtfParagraph RtfInterpreter::Paragraph() const {
  const ParagraphState& state = groups_.back().paragraph;
  RtfParagraph paragraph;
  int left = state.leftTwips;
  int firstLine = state.firstLineTwips;
  if (state.isListItem || state.listOverride > 0) {
    // The list table knows best, then the \pn group, then the marker text.
    paragraph.isListItem = true;
    paragraph.listLevel = state.listLevel;
    paragraph.listId = state.listOverride;
    paragraph.listStyle = ListTableStyle(state.listOverride, state.listLevel);
    if (paragraph.listStyle == QTextListFormat::ListStyleUndefined) {
      paragraph.listStyle = state.listStyle != 0
                                ? static_cast<QTextListFormat::Style>(state.listStyle)
                                : ListStyleOfMarker(listMarker_);
    }
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

}  // namespace rtf

namespace {

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
  document->setMetaInformation(QTextDocument::DocumentTitle, QString());
  if (!data.startsWith("{\\rtf")) return LoadPlainText(data, document);
  rtf::RtfInterpreter interpreter(data, document);
  const bool read = interpreter.Run();
  document->setMetaInformation(QTextDocument::DocumentTitle, interpreter.Title());
  return read;
}

}  // namespace pw
