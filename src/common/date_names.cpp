// Day of the week and the day and month names of six languages.
//
// Each name table is a run of fixed-width entries padded with blanks, Sunday
// to Saturday or January to December, in the OEM code page like all engine
// text: code page 850 for the Latin tables and 866 for the Russian ones.
#include "common/date_names.h"

#include <array>

#include "common/century_rule.h"
#include "common/date_pieces.h"
#include "common/date_settings.h"
#include "common/date_text.h"
#include "common/text_routines.h"

namespace pw {

namespace {

constexpr std::size_t kBlankDayName = 10;
constexpr std::size_t kBlankMonthName = 9;
constexpr std::size_t kMaxMonthName = 10;

struct NameTable {
  std::string_view run;
  std::size_t width;

  std::string Entry(int number) const {
    return std::string(run.substr(static_cast<std::size_t>(number - 1) * width, width));
  }
};

struct Language {
  NameTable days;
  NameTable months;
};

// A table literal must hold exactly `count` entries of `width` characters.
template <std::size_t N>
constexpr NameTable Table(const char (&run)[N], std::size_t width, std::size_t count) {
  return NameTable{std::string_view(run, N - 1), (N - 1 == width * count) ? width : 0};
}

constexpr char kEnglishDays[] = "Sunday   Monday   Tuesday  WednesdayThursday Friday   Saturday ";
constexpr char kEnglishMonths[] =
    "January  February March    April    May      June     "
    "July     August   SeptemberOctober  November December ";

constexpr char kItalianDays[] = "Domenica Lunedi   Martedi  MercolediGiovedi  Venerdi  Sabato   ";
constexpr char kItalianMonths[] =
    "Gennaio  Febbraio Marzo    Aprile   Maggio   Giugno   "
    "Luglio   Agosto   SettembreOttobre  Novembre Dicembre ";

constexpr char kFrenchDays[] = "DimancheLundi   Mardi   MercrediJeudi   VendrediSamedi  ";
// F\x82vrier, Ao\x96t, D\x82cembre: e acute 0x82, u circumflex 0x96 (code page 850);
// the literal breaks after "D\x82" because "c" would extend the escape.
constexpr char kFrenchMonths[] =
    "Janvier  F\x82vrier  Mars     Avril    Mai      Juin     "
    "Juillet  Ao\x96t     SeptembreOctobre  Novembre D\x82"
    "cembre ";

constexpr char kGermanDays[] =
    "Sonntag   Montag    Dienstag  Mittwoch  DonnerstagFreitag   Samstag   ";
// M\x84rz: a umlaut 0x84 (code page 850).
constexpr char kGermanMonths[] =
    "Januar   Februar  M\x84rz     April    Mai      Juni     "
    "Juli     August   SeptemberOktober  November Dezember ";

constexpr char kSpanishDays[] = "Domingo  Lunes    Martes   MiercolesJueves   Viernes  Sabado   ";
constexpr char kSpanishMonths[] =
    "Enero     Febrero   Marzo     Abril     Mayo      Junio     "
    "Julio     Agosto    SeptiembreOctubre   Noviembre Diciembre ";

// Code page 866: Voskresen'e, Ponedel'nik, Vtornik, Sreda, Chetverg,
// Pyatnitsa, Subbota.
constexpr char kRussianDays[] =
    "\x82\xae\xe1\xaa\xe0\xa5\xe1\xa5\xad\xec\xa5"
    "\x8f\xae\xad\xa5\xa4\xa5\xab\xec\xad\xa8\xaa"
    "\x82\xe2\xae\xe0\xad\xa8\xaa    "
    "\x91\xe0\xa5\xa4\xa0      "
    "\x97\xa5\xe2\xa2\xa5\xe0\xa3    "
    "\x8f\xef\xe2\xad\xa8\xe6\xa0    "
    "\x91\xe3\xa1\xa1\xae\xe2\xa0    ";
// Code page 866: Yanvar', Fevral', Mart, Aprel', Mai, Iyun', Iyul', Avgust,
// Sentyabr', Oktyabr', Noyabr', Dekabr'.
constexpr char kRussianMonths[] =
    "\x9f\xad\xa2\xa0\xe0\xec  "
    "\x94\xa5\xa2\xe0\xa0\xab\xec "
    "\x8c\xa0\xe0\xe2    "
    "\x80\xaf\xe0\xa5\xab\xec  "
    "\x8c\xa0\xa9     "
    "\x88\xee\xad\xec    "
    "\x88\xee\xab\xec    "
    "\x80\xa2\xa3\xe3\xe1\xe2  "
    "\x91\xa5\xad\xe2\xef\xa1\xe0\xec"
    "\x8e\xaa\xe2\xef\xa1\xe0\xec "
    "\x8d\xae\xef\xa1\xe0\xec  "
    "\x84\xa5\xaa\xa0\xa1\xe0\xec ";

constexpr Language kEnglish{Table(kEnglishDays, 9, 7), Table(kEnglishMonths, 9, 12)};
constexpr Language kItalian{Table(kItalianDays, 9, 7), Table(kItalianMonths, 9, 12)};
constexpr Language kFrench{Table(kFrenchDays, 8, 7), Table(kFrenchMonths, 9, 12)};
constexpr Language kGerman{Table(kGermanDays, 10, 7), Table(kGermanMonths, 9, 12)};
constexpr Language kSpanish{Table(kSpanishDays, 9, 7), Table(kSpanishMonths, 10, 12)};
constexpr Language kRussian{Table(kRussianDays, 11, 7), Table(kRussianMonths, 8, 12)};

constexpr std::array<const Language*, 11> kLanguageOfCode{
    &kEnglish, &kEnglish, &kEnglish, &kItalian, &kFrench, &kGerman,
    &kSpanish, &kFrench,  &kRussian, &kEnglish, &kEnglish};

// A literal whose length does not match its entries gets width 0 above.
constexpr bool WellFormed(const Language& language) {
  return language.days.width != 0 && language.months.width != 0;
}
static_assert(WellFormed(kEnglish) && WellFormed(kItalian) && WellFormed(kFrench) &&
              WellFormed(kGerman) && WellFormed(kSpanish) && WellFormed(kRussian));

const Language& CurrentLanguage() {
  const int code = CurrentDateSettings().formatCode;
  const bool known = code >= 0 && code < static_cast<int>(kLanguageOfCode.size());
  return *kLanguageOfCode[known ? code : 0];
}

bool IsBlankDate(std::string_view text) {
  return AllTrim(text).empty() || ToAmericanDate(text) == BlankDateText(0);
}

int FloorDiv(int a, int b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

int FloorMod(int a, int b) {
  return a - b * FloorDiv(a, b);
}

}  // namespace

int DayOfWeekOf(std::string_view text) {
  const std::string american = ToAmericanDate(text);
  int month = WholeNumber(Characters(american, 1, 2)).value_or(0);
  const int day = WholeNumber(Characters(american, 4, 2)).value_or(0);
  int year = CompleteYear(Characters(american, 7));
  // Zeller's congruence: January and February count as months 13 and 14 of
  // the year before; h = 0 is Saturday, 1 Sunday.
  if (month < 3) {
    month += 12;
    year -= 1;
  }
  const int yearOfCentury = FloorMod(year, 100);
  const int century = FloorDiv(year, 100);
  const int h = FloorMod(day + FloorDiv(26 * (month + 1), 10) + yearOfCentury +
                             FloorDiv(yearOfCentury, 4) + FloorDiv(century, 4) - 2 * century,
                         7);
  return h == 0 ? 7 : h;
}

std::string DayNameOf(std::string_view text) {
  if (IsBlankDate(text)) return std::string(kBlankDayName, ' ');
  return CurrentLanguage().days.Entry(DayOfWeekOf(text));
}

std::string MonthNameOf(std::string_view text) {
  const int month = MonthOf(text);
  // A text without a month 1-12 has no name, like a blank date.
  if (IsBlankDate(text) || month < 1 || month > 12) return std::string(kBlankMonthName, ' ');
  return CurrentLanguage().months.Entry(month).substr(0, kMaxMonthName);
}

}  // namespace pw
