// Advice for a tag written under the other century setting: a character key
// with DTOC() is 2 characters longer per date with the century switch on.
// Written with it on and read with it off, the tag opens (shorter keys are
// blank-padded) but no key matches; the other way round it is refused (266).
// The advice names the --century value that fits it.
#pragma once

#include <string>

namespace pw::pwdbf {

// "tag NAME has DTOC() in its key, N characters long: try --century on" for the first
// character tag of the index at `indexPath` whose DTOC() key does not fit
// the stored key length under the current settings; empty when there is
// none. For an index that opened (`refused` false) only a tag that the other
// setting fits is named. Leaves the engine's error state as it found it.
std::string DateKeyLengthHint(const std::string& indexPath, bool refused);

}  // namespace pw::pwdbf
