// Reading and writing the parts of an index file: the header at offset 0,
// tag headers and nodes at block * 512. Every function returns 0, an
// operating-system code of platform/os_error.h, or kMdxCorrupted when bytes
// or block numbers read from the file fail their checks. Blocks before the
// first node (0-3) and blocks whose bytes lie past the end of the file are
// refused, so a damaged pointer never leads outside the file.
#pragma once

#include <cstdint>

#include "engine/index/index_node.h"
#include "engine/index/mdx_file_header.h"
#include "engine/index/tag_header.h"
#include "platform/file.h"

namespace pw {

// A file shorter than 3072 bytes, a header that cannot be read in full or
// one that fails its checks is not an index: kMdxCorrupted.
int ReadMdxHeader(const platform::File& file, MdxHeader* out);
// Writes the header with its block count raised to the file's length, so
// that every writer of the header keeps the count true (mdx_file_header.h).
int WriteMdxHeader(platform::File& file, MdxHeader& header);

// Reads the first 983 bytes of the tag header at `block`; its root block
// must lie inside the file too.
int ReadTagHeader(const platform::File& file, std::uint32_t block, TagHeader* out);
// Writes all 1024 bytes of the tag header over an existing block.
int WriteTagHeader(platform::File& file, std::uint32_t block, const TagHeader& header);
// Appends the tag header at the end of the file; `block` receives its block.
int AppendTagHeader(platform::File& file, const TagHeader& header, std::uint32_t* block);

// Reads the node at `block` of a tag with items of `itemLength` bytes.
int ReadNode(const platform::File& file, std::uint32_t block, int itemLength, IndexNode* out);
// Writes the node over an existing block and clears its changed flag.
int WriteNode(platform::File& file, std::uint32_t block, IndexNode& node);
// Appends the node at the end of the file, clears its changed flag, and
// gives its block in `block`.
int AppendNode(platform::File& file, IndexNode& node, std::uint32_t* block);

}  // namespace pw
