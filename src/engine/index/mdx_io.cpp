#include "engine/index/mdx_io.h"

#include <algorithm>

namespace pw {
namespace {

std::uint64_t BlockOffset(std::uint32_t block) {
  return static_cast<std::uint64_t>(block) * kMdxBlockSize;
}

// Whether `count` bytes from `block` lie after the header and inside a file
// of `fileLength` bytes.
bool BlockInFile(std::uint32_t block, std::size_t count, std::uint64_t fileLength) {
  return block >= kMdxFirstNodeBlock && BlockOffset(block) + count <= fileLength;
}

// Reads `count` bytes from `block`; bytes in the header or past the end of
// the file are not a node. A short read tells the end of the file, so no
// size is asked for: this runs for every node a step or a seek visits.
int ReadBlockBytes(const platform::File& file, std::uint32_t block, void* buffer,
                   std::size_t count) {
  if (block < kMdxFirstNodeBlock) return kMdxCorrupted;
  std::size_t got = 0;
  if (int code = file.ReadAt(BlockOffset(block), buffer, count, &got)) return code;
  return got == count ? 0 : kMdxCorrupted;
}

// Writes one node-sized image over an existing block.
int WriteBlockBytes(platform::File& file, std::uint32_t block, const unsigned char* image) {
  std::uint64_t length = 0;
  if (int code = file.Size(&length)) return code;
  if (!BlockInFile(block, kMdxNodeSize, length)) return kMdxCorrupted;
  return file.WriteAt(BlockOffset(block), image, kMdxNodeSize);
}

// Appends one node-sized image; a file whose length is not a multiple of
// the node size is first rounded up to one, so nodes stay aligned.
int AppendBlockBytes(platform::File& file, const unsigned char* image, std::uint32_t* block) {
  std::uint64_t length = 0;
  if (int code = file.Size(&length)) return code;
  const std::uint64_t offset = (length + kMdxNodeSize - 1) / kMdxNodeSize * kMdxNodeSize;
  if (int code = file.WriteAt(offset, image, kMdxNodeSize)) return code;
  *block = static_cast<std::uint32_t>(offset / kMdxBlockSize);
  return 0;
}

}  // namespace

int ReadMdxHeader(const platform::File& file, MdxHeader* out) {
  std::uint64_t length = 0;
  if (int code = file.Size(&length)) return code;
  if (length < kMdxSmallestFile) return kMdxCorrupted;
  MdxHeader::Image image{};
  std::size_t got = 0;
  if (int code = file.ReadAt(0, image.data(), image.size(), &got)) return code;
  if (got < image.size()) return kMdxCorrupted;
  return MdxHeader::Parse(image, length, out) == MdxFault::kNone ? 0 : kMdxCorrupted;
}

int WriteMdxHeader(platform::File& file, MdxHeader& header) {
  std::uint64_t length = 0;
  if (int code = file.Size(&length)) return code;
  header.CountBlocks(std::max<std::uint64_t>(length, kMdxHeaderSize));
  return file.WriteAt(0, header.Bytes().data(), kMdxHeaderSize);
}

int ReadTagHeader(const platform::File& file, std::uint32_t block, TagHeader* out) {
  unsigned char bytes[kTagHeaderReadSize];
  if (int code = ReadBlockBytes(file, block, bytes, sizeof bytes)) return code;
  TagHeader header;
  if (TagHeader::Parse(bytes, &header) != MdxFault::kNone) return kMdxCorrupted;
  std::uint64_t length = 0;
  if (int code = file.Size(&length)) return code;
  if (!BlockInFile(header.RootBlock(), kMdxNodeSize, length)) return kMdxCorrupted;
  *out = header;
  return 0;
}

int WriteTagHeader(platform::File& file, std::uint32_t block, const TagHeader& header) {
  return WriteBlockBytes(file, block, header.Bytes().data());
}

int AppendTagHeader(platform::File& file, const TagHeader& header, std::uint32_t* block) {
  return AppendBlockBytes(file, header.Bytes().data(), block);
}

int ReadNode(const platform::File& file, std::uint32_t block, int itemLength, IndexNode* out) {
  IndexNode::Image bytes;
  if (int code = ReadBlockBytes(file, block, bytes.data(), bytes.size())) return code;
  return IndexNode::Parse(bytes.data(), itemLength, out) == MdxFault::kNone ? 0 : kMdxCorrupted;
}

int WriteNode(platform::File& file, std::uint32_t block, IndexNode& node) {
  if (int code = WriteBlockBytes(file, block, node.Bytes().data())) return code;
  node.SetChanged(false);
  return 0;
}

int AppendNode(platform::File& file, IndexNode& node, std::uint32_t* block) {
  if (int code = AppendBlockBytes(file, node.Bytes().data(), block)) return code;
  node.SetChanged(false);
  return 0;
}

}  // namespace pw
