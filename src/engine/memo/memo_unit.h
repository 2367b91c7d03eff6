// Registration of the memo unit with the table engine: Use, CloseWorkArea,
// CreateDBF and Pack reach the memo file through these hooks.
#pragma once

namespace pw {

// Sets RegisteredHooks().memo; calling it again changes nothing.
void RegisterMemoUnit();

}  // namespace pw
