// Rebuilding the open index of the current work area from its own tags.
#pragma once

namespace pw {

// Collects the open tags' descriptions in tag-table order, rebuilds the
// same file with them (RebuildIndex), reopens it and selects the previously
// controlling tag again. A rebuild that is refused leaves the old file as it
// was and opens it again before reporting. Without an open index: 221.
bool Reindex();

}  // namespace pw
