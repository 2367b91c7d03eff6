// The RTF reader's interpreter and its state, shared by the files that make
// it up: rtf_reader.cpp (groups, text and the dispatch of control words),
// rtf_destination_words.cpp (the words that open destinations, and those of
// the font table, the colour table, numbering and pictures),
// rtf_list_table_words.cpp (the list table and the list override table),
// rtf_field_words.cpp (fields: hyperlinks) and rtf_document_words.cpp (the
// document's code page, character and paragraph formatting, special
// characters). Not for use outside the reader.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QString>
#include <QTextCharFormat>
#include <QTextListFormat>
#include <array>
#include <vector>

#include "richtext/rtf_code_page.h"
#include "richtext/rtf_document_builder.h"
#include "richtext/rtf_hyperlink_field.h"
#include "richtext/rtf_list_style.h"
#include "richtext/rtf_tokenizer.h"

class QTextDocument;

namespace pw::rtf {

// Bounds that keep damaged input from costing unbounded time or memory.
inline constexpr int kMaxGroupDepth = 200;
inline constexpr int kMaxTableEntries = 4096;
inline constexpr int kMaxUnicodeSkip = 16;
inline constexpr int kMaxListLevel = kRtfListLevels - 1;
inline constexpr qsizetype kMaxInstructionLength = 4096;
inline constexpr qsizetype kMaxTitleLength = 4096;
inline constexpr int kMaxTwips = 31680;  // 22 inches, the widest page RTF allows
inline constexpr int kDefaultHalfPoints = 24;
inline constexpr int kMaxHalfPoints = 3276;

enum class Destination {
  kDocument,
  kSkip,
  kFontTable,
  kColorTable,
  kListMarker,         // \pntext, \listtext: the marker a reader without lists shows
  kNumbering,          // \pn: the list the paragraph belongs to
  kBulletText,         // \pntxtb: the bullet character
  kPicture,            // \pict: a picture's hex data
  kListTable,          // \listtable: the list definitions
  kList,               // \list: one list definition, its levels and \listid
  kListLevel,          // \listlevel: the numbering of one level
  kLevelText,          // \leveltext: a level's marker, the bullet character of a bullet level
  kListOverrideTable,  // \listoverridetable: which list each \lsN stands for
  kListOverride,       // \listoverride: one \lsN and its \listid
  kFieldInstruction,   // \fldinst: what a field is, such as HYPERLINK "target"
  kInfo,               // \info: the document's information, of which only the title is read
  kTitle,              // \title inside \info
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
  int listOverride = 0;  // the \lsN of the list table's lists, 0 for none
};

struct GroupState {
  Destination destination = Destination::kDocument;
  CharacterState characters;
  ParagraphState paragraph;
  int unicodeSkip = 1;
  bool ignorableStarSeen = false;
  int link = -1;  // index in the hyperlinks read so far: the text is that link's
};

struct FontEntry {
  QString name;
  int charset = 1;
};

// The levels of one list of the list table, ListStyleUndefined where it gave none.
using ListLevelStyles = std::array<QTextListFormat::Style, kRtfListLevels>;

// The RTF interpreter: a stack of group states (character and paragraph
// properties, destination, \uc count) driven by the tokenizer. Text is
// gathered until the next control word and then handed to the destination:
// the document, the font table, the colour table, a list marker or a picture.
class RtfInterpreter {
 public:
  RtfInterpreter(const QByteArray& data, QTextDocument* document)
      : tokenizer_(data), builder_(document) {}

  bool Run();
  // The text of the \info group's \title, once Run() has read the input.
  const QString& Title() const { return title_; }

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
  void EndNumbering();
  void HandlePictureWord(const QByteArray& word, int parameter);
  // The list table and list override table (rtf_list_table_words.cpp).
  void HandleListTableWord(const QByteArray& word, int parameter);
  void CommitListLevel();
  void CommitList();
  void CommitListOverride();
  QTextListFormat::Style ListTableStyle(int listOverride, int level) const;
  // Fields (rtf_field_words.cpp).
  void HandleFieldInstructionWord(const QByteArray& word);
  void FinishFieldInstruction();
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
  ParagraphState numbering_;  // what the open \pn group says; listLevel -1 when it gave none
  PictureState picture_;

  QHash<int, ListLevelStyles> lists_;  // by \listid
  ListLevelStyles listLevels_{};       // the list being read
  int listLevelCount_ = 0;
  int listId_ = 0;
  int levelNumbering_ = -1;  // the \levelnfc of the level being read
  QString levelText_;
  QHash<int, int> listOverrides_;  // \lsN to \listid
  int overrideListId_ = 0;
  int overrideNumber_ = 0;

  QString title_;
  QString fieldInstruction_;
  std::vector<HyperlinkField> links_;
};

}  // namespace pw::rtf
