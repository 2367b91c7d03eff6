// Node and anchor input and output for one tag of an open index. Nodes are
// served from the index's node cache (node_cache.h), then from the path,
// then from the file; a changed or new node waits in the cache until the
// operation's WriteBack. Every failure is reported with the index and tag
// text: "Error reading index file: " / "Error writing index file: " ...
// " [SeekAndRead]" / " [SeekAndWrite]", block 0 as "Invalid Node Number (0)
// ..." (254), and the anchor's own " [ReadAnchorNodes]" / " [WriteAnchor]".
#pragma once

#include <cstdint>
#include <string>

#include "engine/index/index_state.h"

namespace pw {

// "<index file> [tag: <tag name>]", as every message names a tag.
std::string IndexTagText(const IndexState& state, const IndexTag& tag);

bool GetNode(IndexState& state, const IndexTag& tag, std::uint32_t block, IndexNode* out);
// The same without a report: 0 or the code GetNode would report.
int FetchNode(IndexState& state, const IndexTag& tag, std::uint32_t block, IndexNode* out);
// Takes a changed node over an existing block of the file.
bool PutNode(IndexState& state, const IndexTag& tag, std::uint32_t block, IndexNode& node);
// Takes a node a split made, at a new block at the end of the file; the
// header's block counter then names the block after it.
bool AppendTagNode(IndexState& state, const IndexTag& tag, IndexNode& node, std::uint32_t* block);

// Writes the anchor when it changed.
bool WriteAnchor(IndexState& state, IndexTag& tag);
// Writes the 2048-byte file header when it changed.
bool WriteHeaderIfChanged(IndexState& state);
// Writes every changed node once (node_cache.h).
bool WriteChangedNodes(IndexState& state);
// The end of an operation that changed the index: every changed node once,
// then the changed anchors, then the header. Nodes that could not be
// written stay changed for the next write-back.
bool WriteBack(IndexState& state);

// Forgets every copy of the index's nodes: the cache, the path and the
// tags' record hints. Copies of anchors stay.
void DropNodeCopies(IndexState& state);
// After the semaphore's record was read: copies stamped with another
// update counter are dropped.
void FollowUpdateCounter(IndexState& state);
// After this program's own UNLOCKSEMAPHORE moved the counter on from
// `before`: copies that were current stay current.
void FollowOwnUpdate(IndexState& state, std::uint16_t before);
// Re-reads every tag's anchor (another program changed the index) and
// drops every node copy.
bool ReloadAnchors(IndexState& state);

}  // namespace pw
