#include "engine/memo/memo_format.h"

#include <algorithm>

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

void PutLe(unsigned char* at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

void PutBe(unsigned char* at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[bytes - 1 - i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t GetLe(const unsigned char* at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | at[i];
  return value;
}

std::uint32_t GetBe(const unsigned char* at, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = (value << 8) | at[i];
  return value;
}

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
      PutLe(bytes.data(), 1, 4);
      bytes[kFullHeaderSize] = kMemoEndByte;
      return bytes;
    }
    case MemoKind::Dbase4: {
      std::vector<unsigned char> bytes(kDbase4HeaderSize, 0);
      PutLe(bytes.data(), 1, 4);
      std::copy_n(baseName.begin(), std::min(baseName.size(), kBaseNameLength),
                  bytes.begin() + kBaseNameOffset);
      bytes[kDbase4MarkOffset] = 0x02;
      bytes[kDbase4MarkOffset + 1] = 0x01;
      PutLe(&bytes[kDbase4BlockSizeOffset], static_cast<std::uint32_t>(blockSize), 2);
      return bytes;
    }
    case MemoKind::FoxPro: {
      std::vector<unsigned char> bytes(kFullHeaderSize, 0);
      PutBe(bytes.data(), static_cast<std::uint32_t>(511 / blockSize + 1), 4);
      PutBe(&bytes[kFoxProBlockSizeOffset], static_cast<std::uint32_t>(blockSize), 2);
      return bytes;
    }
  }
  return {};
}

std::uint32_t StoredBlockSize(MemoKind kind, const unsigned char* header, std::size_t count) {
  std::uint32_t stored = 0;
  if (kind == MemoKind::Dbase4 && count >= kDbase4BlockSizeOffset + 2) {
    stored = GetLe(header + kDbase4BlockSizeOffset, 2);
  } else if (kind == MemoKind::FoxPro && count >= kFoxProBlockSizeOffset + 2) {
    stored = GetBe(header + kFoxProBlockSizeOffset, 2);
  }
  return stored == 0 ? kDefaultMemoBlockSize : stored;
}

std::uint32_t DecodeNextFree(MemoKind kind, const unsigned char* bytes) {
  return kind == MemoKind::FoxPro ? GetBe(bytes, 4) : GetLe(bytes, 4);
}

std::array<unsigned char, 4> EncodeNextFree(MemoKind kind, std::uint32_t block) {
  std::array<unsigned char, 4> bytes{};
  if (kind == MemoKind::FoxPro) {
    PutBe(bytes.data(), block, 4);
  } else {
    PutLe(bytes.data(), block, 4);
  }
  return bytes;
}

EntryHeader EncodeEntryHeader(MemoKind kind, std::uint32_t dataLength) {
  EntryHeader bytes{};
  if (kind == MemoKind::FoxPro) {
    PutBe(bytes.data(), kFoxProTextType, 4);
    PutBe(bytes.data() + 4, dataLength, 4);
  } else {
    std::copy(kDbase4EntryMark.begin(), kDbase4EntryMark.end(), bytes.begin());
    PutLe(bytes.data() + 4, dataLength + static_cast<std::uint32_t>(kEntryHeaderSize), 4);
  }
  return bytes;
}

std::optional<std::uint32_t> DecodeEntryHeader(MemoKind kind, const EntryHeader& bytes) {
  if (kind == MemoKind::FoxPro) return GetBe(bytes.data() + 4, 4);
  if (!std::equal(kDbase4EntryMark.begin(), kDbase4EntryMark.end(), bytes.begin())) {
    return std::nullopt;
  }
  const std::uint32_t total = GetLe(bytes.data() + 4, 4);
  return total < kEntryHeaderSize ? 0 : total - static_cast<std::uint32_t>(kEntryHeaderSize);
}

std::uint64_t BlocksForEntry(std::uint64_t dataLength, std::uint32_t blockSize) {
  return (dataLength + kEntryHeaderSize) / blockSize + 1;
}

}  // namespace pw
