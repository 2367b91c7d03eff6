#include "date_options.h"

#include <array>
#include <string_view>

#include "common/date_settings.h"
#include "common/date_text.h"

namespace pw::pwdbf {
namespace {

struct DateLayoutName {
  std::string_view name;
  int code;  // the engine's date format code
};

// dBASE's SET DATE names and the engine's layouts that write them.
constexpr std::array<DateLayoutName, 11> kLayouts{{
    {"american", 0},  // MM/DD/YY
    {"ansi", 1},      // YY.MM.DD
    {"british", 2},   // DD/MM/YY
    {"french", 2},    // DD/MM/YY
    {"german", 5},    // DD.MM.YY
    {"italian", 3},   // DD-MM-YY
    {"japan", 9},     // YY/MM/DD
    {"usa", 10},      // MM-DD-YY
    {"mdy", 0},
    {"dmy", 2},
    {"ymd", 9},
}};

const DateLayoutName* FindLayout(std::string_view name) {
  for (const DateLayoutName& layout : kLayouts) {
    if (layout.name == name) return &layout;
  }
  return nullptr;
}

}  // namespace

std::vector<OptionDefinition> DateOptionDefinitions() {
  return {{"date", true}, {"century", true}};
}

std::string DateOptionsHelp() {
  return "Date options (every command):\n"
         "  --date LAYOUT   date texts of expressions (DTOC, CTOD): american (MM/DD/YY,\n"
         "                  the default), ansi (YY.MM.DD), british or french (DD/MM/YY),\n"
         "                  german (DD.MM.YY), italian (DD-MM-YY), japan (YY/MM/DD),\n"
         "                  usa (MM-DD-YY), mdy, dmy, ymd\n"
         "  --century on|off  four-digit years in date texts (default off)\n";
}

bool ApplyDateOptions(const Arguments& arguments, std::string* error) {
  const std::string layoutName = arguments.Value("date").value_or("american");
  const DateLayoutName* layout = FindLayout(layoutName);
  if (layout == nullptr) {
    *error = "unknown date layout " + layoutName + " (see --help)";
    return false;
  }
  const std::string century = arguments.Value("century").value_or("off");
  if (century != "on" && century != "off") {
    *error = "--century takes on or off, not " + century;
    return false;
  }
  // dBASE's defaults: "." as the decimal point, and the epoch year.
  InitDateSettingsFromLanguage("en", "US", TodayParts().year);
  CurrentDateSettings().century = century == "on";
  SetDateType(layout->code);
  return true;
}

}  // namespace pw::pwdbf
