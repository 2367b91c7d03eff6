// Registration of the memo unit with the table engine: Use, CloseWorkArea,
// CreateDBF, Pack and the locate's memo search reach the memo file through
// these hooks.
#pragma once

namespace pw {

// Sets RegisteredHooks().memo; calling it again changes nothing.
void RegisterMemoUnit();

}  // namespace pw
