// Choosing the controlling tag of the current work area's index.
#pragma once

#include <string>

namespace pw {

// Makes tag n the controlling tag; 0 selects natural order. Above the tag
// count: 220 and no change. Without an open index: 221.
bool Set_Order_To(int n);
// The same by tag name (cut to 10 characters, upper-cased, matched
// exactly); an empty name selects natural order.
bool SetOrderToTag(const std::string& name);
// The controlling tag's number; 0 in natural order or without an index.
int CurrentOrder();

}  // namespace pw
