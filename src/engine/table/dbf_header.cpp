#include "engine/table/dbf_header.h"

#include <algorithm>
#include <limits>

#include "common/byte_order.h"
#include "common/code_page.h"
#include "common/date_text.h"
#include "common/error_codes.h"
#include "common/path_names.h"
#include "common/text_routines.h"
#include "platform/os_error.h"

namespace pw {
namespace {

constexpr std::size_t kLevel7ExtensionSize = 36;
constexpr std::size_t kDbase2HeaderLength = 521;
constexpr std::size_t kDbase2DescriptorCount = 32;
constexpr std::size_t kMaxNameLength = 11;
constexpr std::size_t kMaxCreatedNameLength = 10;

// Where a descriptor form keeps its parts.
struct DescriptorForm {
  std::size_t size;
  std::size_t nameLength;
  std::size_t type;
  std::size_t length;
  std::size_t decimals;
};
constexpr DescriptorForm kForm32{32, 11, 11, 16, 17};
constexpr DescriptorForm kForm48{48, 32, 32, 33, 34};
constexpr DescriptorForm kFormDbase2{16, 11, 11, 12, 15};

bool IsLevel7(unsigned char version) {
  return version == 0x04 || version == 0x8C;
}

HeaderFailure NotDbase(const WorkArea& area, const std::string& reason) {
  return {kNotDbase, FileNameOf(area.fileName) + " is not a dBASE database." + reason};
}

HeaderFailure ReadError(const WorkArea& area, std::uint16_t code) {
  return {code, "Error reading " + area.fileName + " [Use/OpenDbf]"};
}

HeaderFailure FieldsOutOfRange(const WorkArea& area, const char* separator) {
  return NotDbase(area,
                  std::string(separator) + "(Number of fields is out of range) [Use/OpenDbf]");
}

// Reads exactly `count` bytes at `offset`; a short read is code 100.
std::uint16_t ReadBlock(const WorkArea& area, std::uint64_t offset, unsigned char* buffer,
                        std::size_t count) {
  std::size_t got = 0;
  const int code = area.file.ReadAt(offset, buffer, count, &got);
  if (code != 0) return static_cast<std::uint16_t>(code);
  return got < count ? platform::kDiskReadError : 0;
}

FieldDef ParseDescriptor(const unsigned char* d, const DescriptorForm& form) {
  FieldDef field;
  const std::size_t limit = std::min(form.nameLength, kMaxNameLength);
  const auto* end = std::find(d, d + limit, 0);
  field.name = Upper(std::string(reinterpret_cast<const char*>(d), end - d));
  field.type = static_cast<char>(d[form.type]);
  if (std::string_view("BGPbgp").find(field.type) != std::string_view::npos) field.type = 'M';
  field.length = d[form.length];
  field.decimals = d[form.decimals];
  return field;
}

// Parses up to `maxFields` descriptors; the terminator ends the list early.
// A record length that cannot hold the fields is refused here, so that no
// field ever reaches past the raw record.
HeaderFailure ParseDescriptors(WorkArea& area, const std::vector<unsigned char>& descriptors,
                               std::size_t maxFields, const DescriptorForm& form) {
  std::uint32_t offset = 1;
  for (std::size_t i = 0; i < maxFields; ++i) {
    const unsigned char* d = descriptors.data() + i * form.size;
    if (d[0] == kHeaderTerminator) break;
    FieldDef field = ParseDescriptor(d, form);
    if (std::string_view("CDFLMN").find(field.type) == std::string_view::npos) {
      return {kBadFieldType, "Field: " + field.name + " [" + std::string(1, field.type) + "] in " +
                                 area.fileName + " is not a valid field type"};
    }
    field.offset = static_cast<std::uint16_t>(std::min<std::uint32_t>(offset, 0xFFFF));
    offset += field.length;
    area.fields.push_back(std::move(field));
  }
  if (area.fields.empty())
    return {kCorruptedIndex, "Error reading " + area.fileName + " [Use/OpenDbf]"};
  if (area.recordLength == 0 || area.recordLength < offset) {
    return NotDbase(area, " (Record length does not match the fields) [Use/OpenDbf]");
  }
  return {};
}

HeaderFailure ReadDbase2Header(WorkArea& area, std::uint64_t fileSize) {
  if (fileSize < kDbase2HeaderLength) {
    return NotDbase(area, "(Header is less than 521 bytes) [Use/OpenDBF]");
  }
  area.recordCount = GetLe16(&area.prolog[1]);
  area.recordLength = GetLe16(&area.prolog[6]);
  area.headerLength = kDbase2HeaderLength;
  area.hasMemo = false;
  std::vector<unsigned char> descriptors(kDbase2DescriptorCount * kFormDbase2.size);
  if (std::uint16_t code = ReadBlock(area, 8, descriptors.data(), descriptors.size())) {
    return ReadError(area, code);
  }
  bool terminated = false;
  for (std::size_t i = 0; i < kDbase2DescriptorCount && !terminated; ++i) {
    terminated = descriptors[i * kFormDbase2.size] == kHeaderTerminator;
  }
  if (!terminated) return FieldsOutOfRange(area, "");
  return ParseDescriptors(area, descriptors, kDbase2DescriptorCount, kFormDbase2);
}

}  // namespace

bool IsAcceptedVersion(unsigned char version) {
  switch (version) {
    case 0x02:
    case 0x03:
    case 0x04:
    case 0x83:
    case 0x8B:
    case 0x8C:
    case 0xF5:
      return true;
    default:
      return false;
  }
}

bool HasMemoVersion(unsigned char version) {
  return (version & 0x80) != 0;
}

std::string MemoExtension(unsigned char version) {
  return version == 0xF5 ? "FPT" : "DBT";
}

unsigned char MemoKind(unsigned char version) {
  return version == 0x83 || version == 0x8C || version == 0xF5 ? version : kVersionDbase4Memo;
}

HeaderFailure ReadDbfHeader(WorkArea& area, std::uint64_t fileSize) {
  std::size_t got = 0;
  if (int code = area.file.ReadAt(0, area.prolog.data(), kPrologSize, &got); code != 0) {
    return ReadError(area, static_cast<std::uint16_t>(code));
  }
  if (got < kPrologSize) {
    return NotDbase(area, " (Prolog is less than 32 bytes) [USE/OpenDBF]");
  }
  const unsigned char version = area.prolog[0];
  if (!IsAcceptedVersion(version)) {
    return NotDbase(area, "(Invalid version byte)+ [USE/OpenDBF]");
  }
  HeaderFailure failure;
  if (version == kVersionDbase2) {
    failure = ReadDbase2Header(area, fileSize);
  } else {
    area.hasMemo = HasMemoVersion(version);
    const bool level7 = IsLevel7(version);
    const DescriptorForm& form = level7 ? kForm48 : kForm32;
    const int fixedPart = level7 ? kPrologSize + kLevel7ExtensionSize : kPrologSize;
    const int descriptorBytes = GetLe16(&area.prolog[8]) - fixedPart;
    const int fieldCount = descriptorBytes / static_cast<int>(form.size);
    if (fieldCount <= 0 || fieldCount > 255) return FieldsOutOfRange(area, " ");
    area.recordCount = static_cast<std::int32_t>(std::min<std::uint32_t>(
        GetLe32(&area.prolog[4]), std::numeric_limits<std::int32_t>::max()));
    area.headerLength = GetLe16(&area.prolog[8]);
    area.recordLength = GetLe16(&area.prolog[10]);
    std::vector<unsigned char> descriptors(static_cast<std::size_t>(descriptorBytes));
    if (std::uint16_t code = ReadBlock(area, static_cast<std::uint64_t>(fixedPart),
                                       descriptors.data(), descriptors.size())) {
      return ReadError(area, code);
    }
    failure = ParseDescriptors(area, descriptors, static_cast<std::size_t>(fieldCount), form);
  }
  if (failure.code != 0) return failure;
  area.raw.assign(area.recordLength, ' ');
  area.headerState = HeaderState::Clean;
  return {};
}

std::uint32_t PrologRecordCount(const WorkArea& area) {
  return area.Version() == kVersionDbase2 ? GetLe16(&area.prolog[1]) : GetLe32(&area.prolog[4]);
}

bool ComposeDbfHeader(const std::vector<FieldDef>& entries, std::vector<unsigned char>& header) {
  if (entries.empty() || entries.size() > 255) return false;
  const bool hasMemo = std::any_of(entries.begin(), entries.end(), [](const FieldDef& f) {
    return std::string_view("BGMP").find(static_cast<char>(UpperChar(f.type))) !=
           std::string_view::npos;
  });
  const std::size_t headerLength = kPrologSize + kForm32.size * entries.size() + 1;
  header.assign(headerLength, 0);
  std::uint32_t recordLength = 1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const char type = static_cast<char>(UpperChar(entries[i].type));
    if (std::string_view("CDFLMNBGP").find(type) == std::string_view::npos) return false;
    const std::string name = Upper(AllTrim(entries[i].name).substr(0, kMaxCreatedNameLength));
    if (name.empty()) return false;
    std::uint8_t length = entries[i].length;
    std::uint8_t decimals = 0;
    if (type == 'C' || type == 'F' || type == 'N') {
      if (length == 0) return false;
      if (type != 'C') decimals = entries[i].decimals;
    } else {
      length = type == 'D' ? 8 : type == 'L' ? 1 : 10;
    }
    unsigned char* d = &header[kPrologSize + kForm32.size * i];
    std::copy(name.begin(), name.end(), d);
    d[kForm32.type] = static_cast<unsigned char>(type);
    d[kForm32.length] = length;
    d[kForm32.decimals] = decimals;
    recordLength += length;
  }
  header[headerLength - 1] = kHeaderTerminator;
  PutLe16(&header[8], static_cast<std::uint32_t>(headerLength));
  header[0] = hasMemo ? kVersionDbase4Memo : kVersionNoMemo;
  PutLe16(&header[10], recordLength);
  return true;
}

int WriteDbfHeader(WorkArea& area) {
  const TodayDate today = TodayParts();
  const auto year = static_cast<unsigned char>((today.year - 1900) % 256);
  const auto month = static_cast<unsigned char>(today.month);
  const auto day = static_cast<unsigned char>(today.day);
  const auto count = static_cast<std::uint32_t>(area.recordCount);
  std::size_t prologBytes = kPrologSize;
  if (area.Version() == kVersionDbase2) {
    PutLe16(&area.prolog[1], std::min<std::uint32_t>(count, 0xFFFF));
    area.prolog[3] = month;
    area.prolog[4] = day;
    area.prolog[5] = year;
    prologBytes = 8;
  } else {
    if (int code = area.file.ReadExactAt(16, &area.prolog[16], 12); code != 0) return code;
    area.prolog[1] = year;
    area.prolog[2] = month;
    area.prolog[3] = day;
    PutLe32(&area.prolog[4], count);
  }
  // Neither write touches a record: the cache keeps them all.
  if (int code = area.records.WriteThrough(area.file, 0, area.prolog.data(), prologBytes, 1, 0);
      code != 0) {
    return code;
  }
  if (area.headerState == HeaderState::Appended) {
    const std::uint64_t end =
        area.headerLength + static_cast<std::uint64_t>(count) * area.recordLength;
    if (int code = area.records.WriteThrough(area.file, end, &kEndMarker, 1, 1, 0); code != 0) {
      return code;
    }
  }
  area.headerState = HeaderState::Clean;
  return 0;
}

}  // namespace pw
