// Advice for an index refused because a tag's key length does not fit
// (266): a character key with DTOC() is 2 characters longer per date with
// the century switch on, so a tag written under the other setting is
// refused; the advice names the --century value that fits it.
#pragma once

#include <string>

namespace pw::pwdbf {

// "; tag NAME's key uses DTOC() ...: try --century on" for the first
// character tag of the index at `indexPath` whose DTOC() key does not fit
// the stored key length under the current settings; empty when there is
// none. Leaves the engine's error state as it found it.
std::string DateKeyLengthHint(const std::string& indexPath);

}  // namespace pw::pwdbf
