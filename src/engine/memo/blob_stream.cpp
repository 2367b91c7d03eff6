#include "engine/memo/blob_stream.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "common/code_page.h"
#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/memo/memo_commit.h"
#include "engine/memo/memo_entry.h"
#include "engine/memo/memo_header.h"
#include "engine/memo/memo_lock.h"
#include "engine/memo/memo_text_mode.h"
#include "engine/table/flush_file.h"

namespace pw {
namespace {

constexpr int kReadMode = 1;
constexpr int kWriteMode = 2;
// The entry header stores data length + 8 in 32 bits.
constexpr std::uint64_t kMaxEntryData = 0xFFFFFFFFull - kEntryHeaderSize;

BlobDescriptor NewDescriptor(bool translate) {
  BlobDescriptor stream;
  if (translate) stream.textMode = TextMode::Undecided;
  return stream;
}

// Puts the file back as it was before a write stream touched it.
void TakeBackWrite(MemoState& memo, const BlobDescriptor& stream) {
  if (!stream.started) return;
  memo.file.Truncate(stream.sizeBefore);
  if (memo.kind == MemoKind::Dbase4) WriteNextFree(memo, stream.nextFreeBefore);
}

// Ends whatever stream is open: an unfinished write stream leaves nothing.
void ResetStream(MemoState& memo, bool translate) {
  if (memo.stream.active && memo.stream.mode == kWriteMode) {
    if (!memo.stream.failed) TakeBackWrite(memo, memo.stream);
    UnlockMemo(memo);
  }
  memo.stream = NewDescriptor(translate);
}

bool OpenForReading(MemoState& memo, BlobDescriptor& stream) {
  std::uint64_t size = 0;
  EntryExtent extent;
  int code = memo.file.Size(&size);
  if (code == 0) code = LocateEntry(memo, static_cast<std::uint32_t>(stream.block), size, &extent);
  if (code != 0) {
    ReportStreamError(static_cast<std::uint16_t>(code), stream.block, "CreateBlobDescriptor");
    return false;
  }
  stream.length = extent.length;
  stream.headerSize = extent.headerSize;
  stream.dataStart = extent.dataStart;
  return true;
}

// The new entry goes to the block at the padded end of the file; the file
// itself changes only with the first byte written (StartWriting).
bool OpenForWriting(MemoState& memo, BlobDescriptor& stream) {
  if (!LockMemoOrReport(memo, "CreateBlobDescriptor")) return false;
  std::uint64_t size = 0;
  int code = memo.file.Size(&size);
  if (code == 0 && memo.kind == MemoKind::Dbase4) code = ReadNextFree(memo, &stream.nextFreeBefore);
  const std::uint64_t block = AppendPosition(memo, size) / memo.blockSize;
  if (code == 0 && block > static_cast<std::uint64_t>(INT32_MAX)) code = kInvalidMemoAddress;
  if (code != 0) {
    ReportStreamError(static_cast<std::uint16_t>(code), static_cast<std::int64_t>(block),
                      "CreateBlobDescriptor");
    UnlockMemo(memo);
    return false;
  }
  stream.block = static_cast<std::int32_t>(block);
  stream.sizeBefore = size;
  stream.headerSize = kEntryHeaderSize;
  stream.dataStart = block * memo.blockSize + kEntryHeaderSize;
  return true;
}

// Before the first byte: a dBASE IV header says that entries are appended
// at the end until the entry is complete. `*leadIn` gets the zero bytes
// that go in front of the first piece, in the same write: the padding of
// the old end up to the entry's block and the entry header's place, which
// holds zeros (as the hole it would otherwise be) until the header is
// written on close.
int StartWriting(MemoState& memo, BlobDescriptor& stream, std::vector<unsigned char>* leadIn) {
  stream.started = true;
  const std::uint64_t entryStart = stream.dataStart - kEntryHeaderSize;
  leadIn->assign(stream.dataStart - std::min(stream.sizeBefore, entryStart), 0);
  const bool marked = memo.kind != MemoKind::Dbase4 || stream.nextFreeBefore == kAppendAtEnd;
  return marked ? 0 : WriteNextFree(memo, kAppendAtEnd);
}

// Reads from the stream's position on; the shared work of ReadBlobStream and
// of the scan for the end in SeekBlobStream. Returns the bytes read, or
// sets `*code`.
std::size_t ReadPieces(const MemoState& memo, BlobDescriptor& stream, unsigned char* buffer,
                       std::size_t count, int* code) {
  std::uint64_t size = 0;
  if ((*code = memo.file.Size(&size)) != 0) return 0;
  const std::uint64_t start = stream.dataStart + static_cast<std::uint64_t>(stream.position);
  if (start >= size) return 0;
  std::uint64_t limit = std::min<std::uint64_t>(count, size - start);
  if (stream.length >= 0) {
    if (stream.position >= stream.length) return 0;
    limit =
        std::min<std::uint64_t>(limit, static_cast<std::uint64_t>(stream.length - stream.position));
  }
  std::size_t done = 0;
  while (done < limit) {
    const std::size_t piece =
        static_cast<std::size_t>(std::min<std::uint64_t>(kMemoPieceSize, limit - done));
    unsigned char* at = buffer + done;
    if ((*code = memo.file.ReadExactAt(start + done, at, piece)) != 0) return 0;
    if (stream.textMode == TextMode::Undecided) stream.textMode = DecideTextMode(at, piece);
    std::size_t kept = piece;
    if (stream.length < 0) {
      kept = static_cast<std::size_t>(std::find(at, at + piece, kMemoEndByte) - at);
    }
    if (stream.textMode == TextMode::Text) OemToAnsiBuffer(at, kept);
    done += kept;
    if (kept < piece) {
      stream.length = stream.position + static_cast<std::int64_t>(done);
      break;
    }
  }
  stream.position += static_cast<std::int64_t>(done);
  return done;
}

// The data length of a read stream whose entry has no header: the data is
// scanned up to its end byte or the end of the file.
std::int64_t ScanLength(const MemoState& memo, const BlobDescriptor& stream) {
  BlobDescriptor scan = stream;
  scan.position = 0;
  std::vector<unsigned char> scratch(kMemoPieceSize);
  int code = 0;
  while (scan.length < 0 && ReadPieces(memo, scan, scratch.data(), scratch.size(), &code) > 0) {
  }
  if (code != 0)
    ReportStreamError(static_cast<std::uint16_t>(code), stream.block, "SeekBlobStream");
  return scan.length >= 0 ? scan.length : scan.position;
}

// The entry header, then the true next free block (for dBASE IV in place of
// the 0x7FFFFFFF the stream left): writers that take the header at its word
// append there, after the new entry.
bool WriteHeaderAndCommit(MemoState& memo, const BlobDescriptor& stream) {
  const EntryHeader header =
      EncodeEntryHeader(memo.kind, static_cast<std::uint32_t>(stream.position));
  const std::uint64_t at = stream.dataStart - kEntryHeaderSize;
  if (memo.file.WriteAt(at, header.data(), header.size()) != 0) {
    ReportMemoError(memo, kDeviceWriteFault, "WriteGroupHeader()");
    return false;
  }
  if (!MainHeaderWrite(memo, "MainHeaderWrite()")) return false;
  return !MemoCommitOnClose() || FlushFile(memo.file);
}

}  // namespace

std::int32_t CreateBlobDescriptor(bool translate, std::int32_t block, int mode) {
  MemoState* memo = CheckMemoAvailable("CreateBlobDescriptor");
  if (memo == nullptr) return 0;
  ResetStream(*memo, translate);
  BlobDescriptor stream = memo->stream;
  stream.block = static_cast<std::int32_t>(std::min<std::int64_t>(std::llabs(block), INT32_MAX));
  bool opened = false;
  if (mode == kReadMode) {
    opened = OpenForReading(*memo, stream);
  } else if (mode == kWriteMode) {
    opened = OpenForWriting(*memo, stream);
  }
  if (!opened) return 0;
  stream.active = true;
  stream.mode = mode;
  memo->stream = stream;
  return memo->kind == MemoKind::Dbase3 ? -stream.block : stream.block;
}

std::size_t ReadBlobStream(void* buffer, std::size_t count) {
  MemoState* memo = CheckMemoAvailable("ReadBlobStream");
  if (memo == nullptr) return 0;
  BlobDescriptor stream = memo->stream;
  if (!stream.active || stream.mode != kReadMode || stream.block == 0 || count == 0) return 0;
  int code = 0;
  const std::size_t got =
      ReadPieces(*memo, stream, static_cast<unsigned char*>(buffer), count, &code);
  if (code != 0) {
    ReportStreamError(static_cast<std::uint16_t>(code), stream.block, "ReadBlobStream");
    return 0;
  }
  memo->stream = stream;
  return got;
}

std::size_t WriteBlobStream(const void* buffer, std::size_t count) {
  MemoState* memo = CheckMemoAvailable("WriteBlobStream");
  if (memo == nullptr) return 0;
  BlobDescriptor& stream = memo->stream;
  if (!stream.active || stream.mode != kWriteMode || stream.failed || count == 0) return 0;
  int code =
      static_cast<std::uint64_t>(stream.position) + count > kMaxEntryData ? kDeviceWriteFault : 0;
  std::vector<unsigned char> piece;
  if (code == 0 && !stream.started) code = StartWriting(*memo, stream, &piece);
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  for (std::size_t done = 0; code == 0 && done < count;) {
    const std::size_t size = std::min(kMemoPieceSize, count - done);
    const std::size_t leadIn = piece.size();  // the first piece's zeros
    piece.insert(piece.end(), bytes + done, bytes + done + size);
    unsigned char* data = piece.data() + leadIn;
    if (stream.textMode == TextMode::Undecided) stream.textMode = DecideTextMode(data, size);
    if (stream.textMode == TextMode::Text) AnsiToOemBuffer(data, size);
    const std::uint64_t at = stream.dataStart + static_cast<std::uint64_t>(stream.position) + done;
    code = memo->file.WriteAt(at - leadIn, piece.data(), piece.size());
    piece.clear();
    done += size;
  }
  if (code != 0) {
    ReportStreamError(static_cast<std::uint16_t>(code), stream.block, "WriteBlobStream");
    TakeBackWrite(*memo, stream);
    stream.failed = true;
    return 0;
  }
  stream.position += static_cast<std::int64_t>(count);
  return count;
}

std::int64_t SeekBlobStream(std::int64_t offset, int origin) {
  MemoState* memo = CheckMemoAvailable("SeekBlobStream");
  if (memo == nullptr) return 0;
  BlobDescriptor& stream = memo->stream;
  if (!stream.active || stream.block == 0 || stream.mode == 0) return 0;
  std::int64_t position = stream.position;
  if (origin == 0) {
    position = offset;
  } else if (origin == 1) {
    position = stream.position + offset;
  } else if (origin == 2) {
    if (stream.length < 0 && stream.mode == kReadMode) stream.length = ScanLength(*memo, stream);
    position = stream.length >= 0 ? offset + stream.length : stream.position;
  }
  stream.position = std::max<std::int64_t>(position, 0);
  return stream.position;
}

bool CloseBlobStream() {
  MemoState* memo = CheckMemoAvailable("CloseBlobStream");
  if (memo == nullptr) return false;
  const BlobDescriptor stream = memo->stream;
  memo->stream = BlobDescriptor{};
  if (!stream.active || stream.mode != kWriteMode) return true;
  bool ok = !stream.failed;
  if (ok && stream.position > 0 && !WriteHeaderAndCommit(*memo, stream)) {
    TakeBackWrite(*memo, stream);
    ok = false;
  }
  return UnlockMemo(*memo) && ok;
}

}  // namespace pw
