// A value to locate, as the record-set layer hands it over: the layer
// converts its own value once to each form a field type may need, by its
// own conversion rules, and the search picks the form of the field searched.
#pragma once

#include <string>

namespace pw {

struct LocateValue {
  std::string text{};   // C and M fields; D fields as a date text of the current format
  long long whole = 0;  // N and F fields without decimals
  double real = 0;      // N and F fields with decimals
  bool truth = false;   // L fields
};

}  // namespace pw
