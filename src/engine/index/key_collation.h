// The order of C keys. A table's language driver id (prolog byte 29) names
// it: most drivers compare the key bytes as unsigned numbers; the drivers
// below sort by a weight per byte, the key compared weight by weight over
// its length, so that upper and lower case and accented letters stand next
// to their base letter (a A ª á Á à À ... b B c C ç Ç ...).
//
//   0x58  Windows-1252, Western European
//   0x59  Windows-1252, Spanish (the same order as 0x58)
//
// The weights are those another dBASE writer's indexes on such tables hold
// (key_collation.cpp). Byte 0 sorts first. Every other driver id (0x02
// code page 850, 0x03 and 0x57 Windows-1252 binary, 0 unknown ...) keeps
// byte order.
#pragma once

#include <cstddef>
#include <string>

namespace pw {

enum class KeyCollation { kBytes, kWindows1252Western };

KeyCollation CollationOfLanguage(unsigned char languageDriver);

// What `pwdbf info` calls the order: "byte order", or the driver's order.
std::string CollationName(KeyCollation collation);

// < 0, 0 or > 0 as `a` sorts below, with or above `b` over `length` bytes.
int CompareCollated(KeyCollation collation, const unsigned char* a, const unsigned char* b,
                    std::size_t length);

}  // namespace pw
