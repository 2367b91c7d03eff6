// Sizes and limits of the multi-tag index file (.mdx). The file is addressed
// in 512-byte blocks; the header takes blocks 0-3, and every node and tag
// header takes two blocks and is appended at the end, so the file length is
// always a multiple of the node size.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pw {

inline constexpr std::size_t kMdxBlockSize = 512;
inline constexpr std::size_t kMdxNodeSize = 1024;
inline constexpr std::uint32_t kMdxBlocksPerNode = 2;
inline constexpr std::size_t kMdxHeaderSize = 2048;
// Header plus one node: anything shorter is not an index.
inline constexpr std::size_t kMdxSmallestFile = kMdxHeaderSize + kMdxNodeSize;
// The first block after the header, where nodes and tag headers begin.
inline constexpr std::uint32_t kMdxFirstNodeBlock = kMdxHeaderSize / kMdxBlockSize;

inline constexpr int kMdxMaxTags = 47;
inline constexpr int kMdxTagTableEntries = kMdxMaxTags + 1;  // entry 0 included
inline constexpr std::size_t kMdxTagEntrySize = 32;
inline constexpr std::size_t kMdxMaxTagNameLength = 10;

inline constexpr int kMdxMinKeyLength = 1;
inline constexpr int kMdxMaxKeyLength = 100;
inline constexpr int kNumericKeyLength = 12;
inline constexpr int kDateKeyLength = 8;
inline constexpr std::size_t kMdxMaxExpressionLength = 220;
// The part of a tag header that is read back; the rest is zero.
inline constexpr std::size_t kTagHeaderReadSize = 983;

// The bytes a node offers to items: 1024 less the 8-byte node prefix and the
// 4-byte trailing pointer.
inline constexpr int kMdxNodeItemSpace = 1012;
// A record number or a child block number in front of every key.
inline constexpr int kMdxItemPointerSize = 4;

// Deeper than any tree a file of 2^32 blocks can hold: a longer path from
// the root means a pointer loop in a damaged file.
inline constexpr std::size_t kMdxDeepestPath = 40;

}  // namespace pw
