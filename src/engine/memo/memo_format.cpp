#include "engine/memo/memo_format.h"

#include <algorithm>

#include "common/byte_order.h"

namespace pw {
namespace {

constexpr unsigned char kVersionDbase3Memo = 0x83;
constexpr unsigned char kVersionFoxProMemo = 0xF5;
constexpr std::uint64_t kDbase4HeaderSize = 24;
constexpr std::uint64_t kFullHeaderSize = 512;
constexpr std::size_t kBaseNameOffset = 8;
constexpr std::size_t kBaseNameLength = 8;
constexpr std::size_t kDbase4MarkOffset = 18;
constexpr std::size_t kDbase4BlockSizeOffset = 20;
constexpr std::size_t kFoxProBlockSizeOffset = 6;
constexpr std::array<unsigned char, 4> kDbase4EntryMark = {0xFF, 0xFF, 0x08, 0x00};
constexpr std::uint32_t kFoxProTextType = 1;

}  // namespace

MemoKind MemoKindOf(unsigned char version) {
  if (version == kVersionDbase3Memo) return MemoKind::Dbase3;
  if (version == kVersionFoxProMemo) return MemoKind::FoxPro;
  return MemoKind::Dbase4;
}

std::string MemoFileExtension(MemoKind kind) {
  return kind == MemoKind::FoxPro ? "FPT" : "DBT";
}

std::uint64_t HeaderExtent(MemoKind kind) {
  return kind == MemoKind::Dbase4 ? kDbase4HeaderSize : kFullHeaderSize;
}

std::vector<unsigned char> NewMemoFile(MemoKind kind, int blockSize, const std::string& baseName) {
  switch (kind) {
    case MemoKind::Dbase3: {
      std::vector<unsigned char> bytes(kFullHeaderSize + 1, 0);
      PutLe32(bytes.data(), 1);
      bytes[kFullHeaderSize] = kMemoEndByte;
      return bytes;
    }
    case MemoKind::Dbase4: {
      std::vector<unsigned char> bytes(kDbase4HeaderSize, 0);
      PutLe32(bytes.data(), 1);
      std::copy_n(baseName.begin(), std::min(baseName.size(), kBaseNameLength),
                  bytes.begin() + kBaseNameOffset);
      bytes[kDbase4MarkOffset] = 0x02;
      bytes[kDbase4MarkOffset + 1] = 0x01;
      PutLe16(&bytes[kDbase4BlockSizeOffset], static_cast<std::uint32_t>(blockSize));
      return bytes;
    }
    case MemoKind::FoxPro: {
      std::vector<unsigned char> bytes(kFullHeaderSize, 0);
      PutBe32(bytes.data(), static_cast<std::uint32_t>(511 / blockSize + 1));
      PutBe16(&bytes[kFoxProBlockSizeOffset], static_cast<std::uint32_t>(blockSize));
      return bytes;
    }
  }
  return {};
}

std::uint32_t StoredBlockSize(MemoKind kind, const unsigned char* header, std::size_t count) {
  std::uint32_t stored = 0;
  if (kind == MemoKind::Dbase4 && count >= kDbase4BlockSizeOffset + 2) {
    stored = GetLe16(header + kDbase4BlockSizeOffset);
  } else if (kind == MemoKind::FoxPro && count >= kFoxProBlockSizeOffset + 2) {
    stored = GetBe16(header + kFoxProBlockSizeOffset);
  }
  return stored == 0 ? kDefaultMemoBlockSize : stored;
}

std::uint32_t DecodeNextFree(MemoKind kind, const unsigned char* bytes) {
  return kind == MemoKind::FoxPro ? GetBe32(bytes) : GetLe32(bytes);
}

std::array<unsigned char, 4> EncodeNextFree(MemoKind kind, std::uint32_t block) {
  std::array<unsigned char, 4> bytes{};
  if (kind == MemoKind::FoxPro) {
    PutBe32(bytes.data(), block);
  } else {
    PutLe32(bytes.data(), block);
  }
  return bytes;
}

EntryHeader EncodeEntryHeader(MemoKind kind, std::uint32_t dataLength) {
  EntryHeader bytes{};
  if (kind == MemoKind::FoxPro) {
    PutBe32(bytes.data(), kFoxProTextType);
    PutBe32(bytes.data() + 4, dataLength);
  } else {
    std::copy(kDbase4EntryMark.begin(), kDbase4EntryMark.end(), bytes.begin());
    PutLe32(bytes.data() + 4, dataLength + static_cast<std::uint32_t>(kEntryHeaderSize));
  }
  return bytes;
}

std::optional<std::uint32_t> DecodeEntryHeader(MemoKind kind, const EntryHeader& bytes) {
  if (kind == MemoKind::FoxPro) return GetBe32(bytes.data() + 4);
  if (!std::equal(kDbase4EntryMark.begin(), kDbase4EntryMark.end(), bytes.begin())) {
    return std::nullopt;
  }
  const std::uint32_t total = GetLe32(bytes.data() + 4);
  return total < kEntryHeaderSize ? 0 : total - static_cast<std::uint32_t>(kEntryHeaderSize);
}

std::uint64_t BlocksForEntry(std::uint64_t dataLength, std::uint32_t blockSize) {
  return (dataLength + kEntryHeaderSize) / blockSize + 1;
}

}  // namespace pw
