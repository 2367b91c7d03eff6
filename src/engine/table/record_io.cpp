#include "engine/table/record_io.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/table/record_image.h"

namespace pw {
namespace {

// The bytes to put on disk for the raw record, in the area's scratch buffer;
// the raw record itself stays ANSI.
const std::vector<unsigned char>& TranslatedForWrite(WorkArea& area) {
  std::vector<unsigned char>& out = area.diskRecord;
  out.assign(area.raw.begin(), area.raw.end());
  if (out.size() < 2) return out;
  if (area.oem) AnsiToOemBuffer(out.data() + 1, out.size() - 1);
  if (area.writeTranslation != nullptr) area.writeTranslation(out.data() + 1, out.size() - 1);
  return out;
}

int Report(int code, const std::string& detail) {
  SetError(static_cast<std::uint16_t>(code), detail);
  return code;
}

}  // namespace

void TranslateAfterRead(WorkArea& area) {
  if (area.raw.size() < 2) return;
  unsigned char* text = area.raw.data() + 1;
  const std::size_t count = area.raw.size() - 1;
  if (area.readTranslation != nullptr) area.readTranslation(text, count);
  if (area.oem) OemToAnsiBuffer(text, count);
}

std::uint64_t RecordOffset(const WorkArea& area, std::int32_t n) {
  return area.headerLength + static_cast<std::uint64_t>(n - 1) * area.recordLength;
}

int ReadRawRecord(WorkArea& area, std::int32_t n) {
  if (n < 1 || n > area.recordCount) {
    return Report(kOutOfRange, "Invalid record number = " + std::to_string(n) + " (" +
                                   area.fileName + ")  [GetDbfRecord]");
  }
  area.eof = false;
  area.bof = false;
  if (!area.exclusive || !area.records.Get(area.file, n, area.raw.size(), area.raw.data())) {
    if (int code = area.file.ReadExactAt(RecordOffset(area, n), area.raw.data(), area.raw.size());
        code != 0) {
      return Report(code, "File:  " + area.fileName + "  [GetDbfRecord]");
    }
    if (area.exclusive) area.records.Keep(area.file, n, area.raw.data(), area.raw.size());
  }
  area.recordNumber = n;
  TranslateAfterRead(area);
  if (area.memo != nullptr) {
    if (MemoHooks* memo = RegisteredHooks().memo) memo->RecordRead(area);
  }
  return 0;
}

int ReadRecord(WorkArea& area, std::int32_t n) {
  const int code = ReadRawRecord(area, n);
  if (code == 0) RawToImage(area);
  return code;
}

int WriteRawRecord(WorkArea& area, std::int32_t n) {
  // Record 0 or below would land in the header.
  int code = n < 1 ? kOutOfRange : 0;
  const bool appending = n > area.recordCount;
  const std::int32_t target = appending ? area.recordCount + 1 : n;
  if (code == 0) {
    const std::vector<unsigned char>& bytes = TranslatedForWrite(area);
    code = area.records.WriteThrough(area.file, RecordOffset(area, target), bytes.data(),
                                     bytes.size(), target, target);
  }
  if (code != 0) {
    return Report(code, "File:  " + area.fileName + " [Replace/Append/PutDbfRecord]");
  }
  if (appending) {
    area.recordCount = target;
    area.recordNumber = target;
    area.headerState = HeaderState::Appended;
  } else if (area.headerState != HeaderState::Appended) {
    area.headerState = HeaderState::Dirty;
  }
  return 0;
}

int WriteRecord(WorkArea& area, std::int32_t n) {
  ImageToRaw(area);
  const int code = WriteRawRecord(area, n);
  RawToImage(area);
  return code;
}

void BlankRecord(WorkArea& area) {
  std::fill(area.raw.begin(), area.raw.end(), ' ');
  RawToImage(area);
}

void SetEndOfFileState(WorkArea& area) {
  BlankRecord(area);
  area.recordNumber = area.recordCount + 1;
  area.bof = true;
  area.eof = true;
}

}  // namespace pw
