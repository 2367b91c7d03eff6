// Key and FOR texts as read back from an anchor are normalised before they
// are compiled: outside quotes, letters are raised to upper case, blanks and
// tabs are removed, and either quote character becomes the double quote.
// Text inside quotes is kept as it is. One blank stays where removing it
// would join two names, numbers or dotted keywords into one token.
#pragma once

#include <string>
#include <string_view>

namespace pw {

std::string NormalizeStoredExpression(std::string_view text);

}  // namespace pw
