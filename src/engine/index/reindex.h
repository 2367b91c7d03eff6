// Rebuilding the open index of the current work area from its own tags.
#pragma once

namespace pw {

// Collects the open tags' descriptions in tag-table order, rebuilds the
// same file with them, reopens it and selects the previously controlling
// tag again. Without an open index: 221.
bool Reindex();

}  // namespace pw
