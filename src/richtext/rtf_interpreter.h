// The RTF reader's interpreter and its state, shared by the files that make
// it up: rtf_reader.cpp (groups, text and the dispatch of control words),
// rtf_destination_words.cpp (the words that open destinations, and those of
// the font table, the colour table, numbering and pictures),
// rtf_document_words.cpp (the document's code page, character and paragraph
// formatting, special characters) and rtf_list_style.cpp. Not for use outside
// the reader.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QString>
#include <QTextCharFormat>
#include <QTextListFormat>
#include <vector>

#include "richtext/rtf_code_page.h"
#include "richtext/rtf_document_builder.h"
#include "richtext/rtf_tokenizer.h"

class QTextDocument;

namespace pw::rtf {

// Bounds that keep damaged input from costing unbounded time or memory.
inline constexpr int kMaxGroupDepth = 200;
inline constexpr int kMaxTableEntries = 4096;
inline constexpr int kMaxUnicodeSkip = 16;
inline constexpr int kMaxListLevel = 8;
inline constexpr int kMaxTwips = 31680;  // 22 inches, the widest page RTF allows
inline constexpr int kDefaultHalfPoints = 24;
inline constexpr int kMaxHalfPoints = 3276;

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
inline constexpr qsizetype kMaxPictureHex = qsizetype{32} << 20;

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

// The list style a marker text such as "1.", "b)", "iv." or "•" stands for.
QTextListFormat::Style ListStyleOfMarker(const QString& marker);
// The bullet style of a \pntxtb character: the marks word processors use
// for circle and square bullets, a disc otherwise.
QTextListFormat::Style BulletStyleOfCharacter(const QString& bullet);

// The RTF interpreter: a stack of group states (character and paragraph
// properties, destination, \uc count) driven by the tokenizer. Text is
// gathered until the next control word and then handed to the destination:
// the document, the font table, the colour table, a list marker or a picture.
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
  // A word that opens a destination; false when `word` opens none.
  bool HandleDestinationWord(const QByteArray& word);
  // The control words of each destination (rtf_destination_words.cpp).
  void HandleFontTableWord(const QByteArray& word, int parameter);
  void HandleColorTableWord(const QByteArray& word, int parameter);
  void HandleNumberingWord(const QByteArray& word, int parameter);
  void HandlePictureWord(const QByteArray& word, int parameter);
  // The control words of the document itself (rtf_document_words.cpp).
  void HandleDocumentWord(const QByteArray& word, bool hasParameter, int parameter);
  bool HandleCharacterWord(const QByteArray& word, bool hasParameter, int parameter);
  void HandleParagraphWord(const QByteArray& word, int parameter);
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

}  // namespace pw::rtf
