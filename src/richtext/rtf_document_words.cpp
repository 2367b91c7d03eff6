// The control words of the document destination: the document's code page
// and default font, character formatting, paragraph formatting and the words
// that stand for one special character.
#include <QHash>
#include <QList>
#include <algorithm>

#include "richtext/rtf_interpreter.h"

namespace pw::rtf {

void RtfInterpreter::HandleDocumentWord(const QByteArray& word, bool hasParameter, int parameter) {
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
    paragraph.listOverride = std::max(parameter, 0);
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

}  // namespace pw::rtf
