// The control words of the destinations other than the document: the ones
// that open a destination, and those of the font table, the colour table,
// the paragraph numbering (\pn) and pictures (\pict). The list table's and
// the fields' own words are in rtf_list_table_words.cpp and rtf_field_words.cpp.
#include <QImage>
#include <QList>
#include <algorithm>

#include "richtext/rtf_geometry.h"
#include "richtext/rtf_interpreter.h"

namespace pw::rtf {

namespace {

// Destinations whose content means nothing to a note's text.
bool IsSkippedDestination(const QByteArray& word) {
  static const QList<QByteArray> kSkipped = {
      "stylesheet", "object",     "header",    "headerl",      "headerr",
      "headerf",    "footer",     "footerl",   "footerr",      "footerf",
      "footnote",   "annotation", "themedata", "levelnumbers", "listname",
      "lfolevel",   "rsidtbl",    "generator", "filetbl",      "revtbl",
      "nonshppict", "xmlnstbl",   "datastore", "latentstyles", "colorschememapping",
      "pgdsctbl",   "template",   "objdata",   "fontemb",      "fontfile",
      "falt",       "panose",     "pntxta",    "pnseclvl",     "txe",
      "userprops",  "docvar",     "ftnsep",    "ftnsepc",      "aftnsep",
      "shpinst",    "mmathPr",    "defchp",    "defpap",       "listpicture"};
  return kSkipped.contains(word);
}

}  // namespace

bool RtfInterpreter::HandleDestinationWord(const QByteArray& word) {
  GroupState& state = State();
  if (state.destination == Destination::kSkip) return true;
  if (word == "info") {
    state.destination = Destination::kInfo;
  } else if (word == "title" && state.destination == Destination::kInfo) {
    state.destination = Destination::kTitle;
  } else if (word == "fonttbl") {
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
    numbering_.listLevel = -1;
    bulletText_.clear();
  } else if (word == "pict") {
    state.destination = Destination::kPicture;
    picture_ = PictureState();
  } else if (word == "shppict") {
    // The picture group of newer writers: read its \pict as the document's.
  } else if (word == "pntxtb" && state.destination == Destination::kNumbering) {
    state.destination = Destination::kBulletText;
  } else if (word == "listtable") {
    state.destination = Destination::kListTable;
  } else if (word == "list" && state.destination == Destination::kListTable) {
    state.destination = Destination::kList;
  } else if (word == "listlevel" && state.destination == Destination::kList) {
    state.destination = Destination::kListLevel;
  } else if (word == "leveltext" && state.destination == Destination::kListLevel) {
    state.destination = Destination::kLevelText;
  } else if (word == "listoverridetable") {
    state.destination = Destination::kListOverrideTable;
  } else if (word == "listoverride" && state.destination == Destination::kListOverrideTable) {
    state.destination = Destination::kListOverride;
  } else if (word == "fldinst") {
    state.destination = Destination::kFieldInstruction;
    fieldInstruction_.clear();
  } else if (IsSkippedDestination(word)) {
    state.destination = Destination::kSkip;
  } else {
    return false;
  }
  return true;
}

void RtfInterpreter::HandleFontTableWord(const QByteArray& word, int parameter) {
  if (word == "f") {
    CommitFontEntry();
    fontEntryNumber_ = parameter;
  } else if (word == "fcharset") {
    fontEntry_.charset = parameter;
  }
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

void RtfInterpreter::HandleColorTableWord(const QByteArray& word, int parameter) {
  if (word == "red") red_ = std::clamp(parameter, 0, 255);
  if (word == "green") green_ = std::clamp(parameter, 0, 255);
  if (word == "blue") blue_ = std::clamp(parameter, 0, 255);
}

void RtfInterpreter::CommitColor() {
  if (colors_.size() < static_cast<size_t>(kMaxTableEntries)) {
    bool isAuto = red_ < 0 && green_ < 0 && blue_ < 0;
    colors_.push_back(isAuto ? QColor()
                             : QColor(std::max(red_, 0), std::max(green_, 0), std::max(blue_, 0)));
  }
  red_ = green_ = blue_ = -1;
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
  } else if (word == "ls") {
    numbering_.listOverride = std::max(parameter, 0);
  }
}

void RtfInterpreter::HandlePictureWord(const QByteArray& word, int parameter) {
  if (word == "pngblip" || word == "jpegblip") picture_.readable = true;
  if (word == "picwgoal") picture_.widthTwips = std::clamp(parameter, 0, kMaxTwips);
  if (word == "pichgoal") picture_.heightTwips = std::clamp(parameter, 0, kMaxTwips);
}

void RtfInterpreter::FinishPicture() {
  if (!picture_.readable) return;
  QImage image;
  if (!image.loadFromData(QByteArray::fromHex(picture_.hex))) return;
  builder_.AppendImage(image, TwipsToPixels(picture_.widthTwips),
                       TwipsToPixels(picture_.heightTwips), CharFormat());
}

}  // namespace pw::rtf
