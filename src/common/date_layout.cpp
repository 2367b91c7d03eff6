// The layouts of date texts and the conversions to and from the
// American layout MM/DD/YY(YY).
#include "common/date_pieces.h"
#include "common/date_settings.h"
#include "common/date_text.h"
#include "common/text_routines.h"

namespace pw {

namespace {

constexpr std::size_t kMaxDateText = 10;
constexpr std::size_t kMaxPiece = 4;

struct DatePieces {
  std::string first;
  std::string second;
  std::string third;

  bool AllEmpty() const { return first.empty() && second.empty() && third.empty(); }
};

std::string_view BeforeNul(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

std::string Piece(std::string_view text) {
  return std::string(AllTrim(text).substr(0, kMaxPiece));
}

// Splits at the first and the second separator; the third piece keeps
// whatever follows the second.
DatePieces SplitDate(std::string_view text, char separator) {
  DatePieces pieces;
  const std::size_t firstCut = text.find(separator);
  pieces.first = Piece(text.substr(0, firstCut));
  if (firstCut == std::string_view::npos) return pieces;
  const std::size_t secondCut = text.find(separator, firstCut + 1);
  pieces.second = Piece(text.substr(firstCut + 1, secondCut - firstCut - 1));
  if (secondCut == std::string_view::npos) return pieces;
  pieces.third = Piece(text.substr(secondCut + 1));
  return pieces;
}

char SeparatorIn(std::string_view text) {
  for (char candidate : {'/', '-', '.'}) {
    if (text.find(candidate) != std::string_view::npos) return candidate;
  }
  return '\0';
}

std::string TwoDigits(std::string_view piece) {
  return PadLeft(piece, 2, '0');
}

}  // namespace

std::string BlankDateText(int code) {
  const std::string year(CurrentDateSettings().century ? 4 : 2, ' ');
  switch (code) {
    case 1:
      return year + ".  .  ";
    case 9:
      return year + "/  /  ";
    case 3:
    case 10:
      return "  -  -" + year;
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
      return "  .  ." + year;
    default:  // 0, 2 and codes out of range
      return "  /  /" + year;
  }
}

std::string ToAmericanDate(std::string_view text) {
  text = text.substr(0, kMaxDateText);
  const char separator = SeparatorIn(text);
  if (separator == '\0') return std::string(text);

  const DatePieces pieces = SplitDate(BeforeNul(text), separator);
  if (pieces.AllEmpty()) return BlankDateText(0);

  std::string month;
  std::string day;
  std::string year;
  switch (CurrentDateSettings().formatCode) {
    case 0:
    case 10:
      month = TwoDigits(pieces.first);
      day = TwoDigits(pieces.second);
      year = TwoDigits(pieces.third);
      break;
    case 1:
    case 9:
      year = TwoDigits(pieces.first);
      month = TwoDigits(pieces.second);
      day = TwoDigits(pieces.third);
      break;
    default:
      day = TwoDigits(pieces.first);
      month = TwoDigits(pieces.second);
      year = TwoDigits(pieces.third);
      break;
  }
  return month + "/" + day + "/" + NormalizeYear(year);
}

std::string FromAmericanDate(std::string_view american) {
  const int code = CurrentDateSettings().formatCode;
  const DatePieces pieces = SplitDate(BeforeNul(american), '/');
  if (pieces.AllEmpty()) return BlankDateText(code);

  const std::string month = TwoDigits(pieces.first);
  const std::string day = TwoDigits(pieces.second);
  const std::string year = NormalizeYear(pieces.third);
  switch (code) {
    case 0:
      return month + "/" + day + "/" + year;
    case 1:
      return year + "." + month + "." + day;
    case 2:
      return day + "/" + month + "/" + year;
    case 3:
      return day + "-" + month + "-" + year;
    case 9:
      return year + "/" + month + "/" + day;
    case 10:
      return month + "-" + day + "-" + year;
    default:
      return day + "." + month + "." + year;
  }
}

}  // namespace pw
