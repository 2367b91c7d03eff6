#include "engine/expr/keyword_table.h"

#include <utility>

#include "engine/expr/handlers.h"

namespace pw {
namespace {

using enum ValueType;

constexpr Signature kNToN[] = {{"N", Number}};
constexpr Signature kCToN[] = {{"C", Number}};
constexpr Signature kCCToN[] = {{"CC", Number}};
constexpr Signature kDToC[] = {{"D", Character}};
constexpr Signature kDToN[] = {{"D", Number}};
constexpr Signature kNToC[] = {{"N", Character}};
constexpr Signature kCToC[] = {{"C", Character}};
constexpr Signature kCToD[] = {{"C", Date}};
constexpr Signature kCNToC[] = {{"CN", Character}};
constexpr Signature kNNToN[] = {{"NN", Number}};
constexpr Signature kToD[] = {{"", Date}};
constexpr Signature kToL[] = {{"", Logical}};
constexpr Signature kToN[] = {{"", Number}};
constexpr Signature kIif[] = {{"LCC", Character}};
constexpr Signature kMaxMin[] = {{"NN", Number}, {"DD", Date}};
constexpr Signature kStr[] = {{"N", Character}, {"NN", Character}, {"NNN", Character}};
constexpr Signature kStuff[] = {{"CNNC", Character}};
constexpr Signature kSubstr[] = {{"CNN", Character}};

constexpr Keyword Function(std::string_view name, std::uint16_t poolWidth, Handler handler,
                           std::span<const Signature> signatures) {
  return {name, KeywordKind::Function, poolWidth, handler, signatures};
}

constexpr Keyword Word(std::string_view name, KeywordKind kind) {
  return {name, kind, 0, nullptr, {}};
}

const Keyword kAbs = Function("ABS", 0, ops::Abs, kNToN);
const Keyword kAsc = Function("ASC", 0, ops::Asc, kCToN);
const Keyword kAt = Function("AT", 0, ops::At, kCCToN);
const Keyword kCdow = Function("CDOW", 15, ops::Cdow, kDToC);
const Keyword kChr = Function("CHR", 2, ops::Chr, kNToC);
const Keyword kCmonth = Function("CMONTH", 15, ops::Cmonth, kDToC);
const Keyword kCtod = Function("CTOD", 0, ops::Ctod, kCToD);
const Keyword kDate = Function("DATE", 0, ops::Date, kToD);
const Keyword kDay = Function("DAY", 0, ops::Day, kDToN);
const Keyword kDeleted = Function("DELETED", 0, ops::Deleted, kToL);
const Keyword kDow = Function("DOW", 0, ops::Dow, kDToN);
const Keyword kDtoc = Function("DTOC", 11, ops::Dtoc, kDToC);
const Keyword kDtos = Function("DTOS", 9, ops::Dtos, kDToC);
const Keyword kIifWord = Function("IIF", 256, ops::Iif, kIif);
const Keyword kInt = Function("INT", 0, ops::Int, kNToN);
const Keyword kLeft = Function("LEFT", 0, ops::Left, kCNToC);
const Keyword kLen = Function("LEN", 0, ops::Len, kCToN);
const Keyword kLower = Function("LOWER", 0, ops::Lower, kCToC);
const Keyword kLtrim = Function("LTRIM", 0, ops::Ltrim, kCToC);
const Keyword kMax = Function("MAX", 0, ops::Max, kMaxMin);
const Keyword kMin = Function("MIN", 0, ops::Min, kMaxMin);
const Keyword kMod = Function("MOD", 0, ops::Mod, kNNToN);
const Keyword kMonth = Function("MONTH", 0, ops::Month, kDToN);
const Keyword kRecno = Function("RECNO", 0, ops::Recno, kToN);
const Keyword kReplicate = Function("REPLICATE", 256, ops::Replicate, kCNToC);
const Keyword kRight = Function("RIGHT", 0, ops::Right, kCNToC);
const Keyword kRound = Function("ROUND", 0, ops::Round, kNNToN);
const Keyword kRtrim = Function("RTRIM", 0, ops::Rtrim, kCToC);
const Keyword kSoundex = Function("SOUNDEX", 15, ops::Soundex, kCToC);
const Keyword kSpace = Function("SPACE", 256, ops::Space, kNToC);
const Keyword kStrWord = Function("STR", 256, ops::Str, kStr);
const Keyword kStuffWord = Function("STUFF", 0, ops::Stuff, kStuff);
const Keyword kSubstrWord = Function("SUBSTR", 0, ops::Substr, kSubstr);
const Keyword kTrim = Function("TRIM", 0, ops::Rtrim, kCToC);
const Keyword kUpper = Function("UPPER", 0, ops::Upper, kCToC);
const Keyword kVal = Function("VAL", 0, ops::Val, kCToN);
const Keyword kYear = Function("YEAR", 0, ops::Year, kDToN);
const Keyword kTrue = Word(".T.", KeywordKind::True);
const Keyword kFalse = Word(".F.", KeywordKind::False);
const Keyword kNot = Word(".NOT.", KeywordKind::Not);
const Keyword kAnd = Word(".AND.", KeywordKind::And);
const Keyword kOr = Word(".OR.", KeywordKind::Or);

// Every accepted spelling; no other abbreviation is accepted.
const std::pair<std::string_view, const Keyword*> kSpellings[] = {
    {"ABS", &kAbs},
    {"ASC", &kAsc},
    {"AT", &kAt},
    {"CDOW", &kCdow},
    {"CHR", &kChr},
    {"CMON", &kCmonth},
    {"CMONT", &kCmonth},
    {"CMONTH", &kCmonth},
    {"CTOD", &kCtod},
    {"DATE", &kDate},
    {"DAY", &kDay},
    {"DELE", &kDeleted},
    {"DELET", &kDeleted},
    {"DELETE", &kDeleted},
    {"DELETED", &kDeleted},
    {"DOW", &kDow},
    {"DTOC", &kDtoc},
    {"DTOS", &kDtos},
    {"IIF", &kIifWord},
    {"INT", &kInt},
    {"LEFT", &kLeft},
    {"LEN", &kLen},
    {"LOWE", &kLower},
    {"LOWER", &kLower},
    {"LTRI", &kLtrim},
    {"LTRIM", &kLtrim},
    {"MAX", &kMax},
    {"MIN", &kMin},
    {"MOD", &kMod},
    {"MONT", &kMonth},
    {"MONTH", &kMonth},
    {"RECN", &kRecno},
    {"RECNO", &kRecno},
    {"REPL", &kReplicate},
    {"REPLI", &kReplicate},
    {"REPLIC", &kReplicate},
    {"REPLICA", &kReplicate},
    {"REPLICAT", &kReplicate},
    {"REPLICATE", &kReplicate},
    {"RIGH", &kRight},
    {"RIGHT", &kRight},
    {"ROUN", &kRound},
    {"ROUND", &kRound},
    {"RTRI", &kRtrim},
    {"RTRIM", &kRtrim},
    {"SOUN", &kSoundex},
    {"SOUND", &kSoundex},
    {"SOUNDE", &kSoundex},
    {"SOUNDEX", &kSoundex},
    {"SPAC", &kSpace},
    {"SPACE", &kSpace},
    {"STR", &kStrWord},
    {"STUF", &kStuffWord},
    {"STUFF", &kStuffWord},
    {"SUBS", &kSubstrWord},
    {"SUBST", &kSubstrWord},
    {"SUBSTR", &kSubstrWord},
    {"TRIM", &kTrim},
    {"UPPE", &kUpper},
    {"UPPER", &kUpper},
    {"VAL", &kVal},
    {"YEAR", &kYear},
    {".T.", &kTrue},
    {".F.", &kFalse},
    {".NOT.", &kNot},
    {".AND.", &kAnd},
    {".OR.", &kOr},
};

}  // namespace

const Keyword* FindKeyword(std::string_view name) {
  for (const auto& [spelling, keyword] : kSpellings) {
    if (spelling == name) return keyword;
  }
  return nullptr;
}

}  // namespace pw
