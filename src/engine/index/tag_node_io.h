// Node and anchor input and output for one tag of an open index. A node on
// the path is served from the path's copy; a written node goes to the file.
// Every failure is reported with the index and tag text: "Error reading
// index file: " / "Error writing index file: " ... " [SeekAndRead]" /
// " [SeekAndWrite]", block 0 as "Invalid Node Number (0) ..." (254), and
// the anchor's own " [ReadAnchorNodes]" / " [WriteAnchor]".
#pragma once

#include <cstdint>
#include <string>

#include "engine/index/index_state.h"

namespace pw {

// "<index file> [tag: <tag name>]", as every message names a tag.
std::string IndexTagText(const IndexState& state, const IndexTag& tag);

bool GetNode(const IndexState& state, const IndexTag& tag, std::uint32_t block, IndexNode* out);
bool PutNode(IndexState& state, const IndexTag& tag, std::uint32_t block, IndexNode& node);
// Appends a node a split made at the end of the file; the header's block
// counter then names the block after it.
bool AppendTagNode(IndexState& state, const IndexTag& tag, IndexNode& node, std::uint32_t* block);

// Writes the anchor when it changed.
bool WriteAnchor(IndexState& state, IndexTag& tag);
// Writes the 2048-byte file header when it changed.
bool WriteHeaderIfChanged(IndexState& state);
// Re-reads every tag's anchor (another program changed the index) and
// forgets the path and its copies.
bool ReloadAnchors(IndexState& state);

}  // namespace pw
