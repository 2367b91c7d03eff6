#include "engine/index/update_journal.h"

#include <sys/stat.h>

#include <random>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/os_error.h"

namespace pw {
namespace {

constexpr char kMagic[] = "PWIXJRN2";
constexpr std::size_t kMagicSize = 8;
constexpr std::size_t kHeadSize = kMagicSize + 8;  // magic, generation
constexpr std::size_t kSectionFixed = 1 + 8 + 8 + 4;
constexpr std::size_t kSpanFixed = 8 + 4;
constexpr char kTableKind = 'T';
constexpr char kIndexKind = 'I';
constexpr std::uint64_t kMaxJournalSize = std::uint64_t{1} << 28;

void PutLe(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

std::uint64_t GetLe(const std::string& in, std::size_t at, int bytes) {
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(in[at + i]);
  }
  return value;
}

// The file's inode number and length: a journal names the files it was
// written for, so one left beside files made anew since is not applied to
// them.
int IdentityOf(const platform::File& file, std::uint64_t* identity, std::uint64_t* length) {
  struct stat info {};
  if (fstat(file.Descriptor(), &info) != 0) return platform::OsErrorFromErrno(errno);
  *identity = info.st_ino;
  *length = static_cast<std::uint64_t>(info.st_size);
  return 0;
}

struct ParsedSection {
  char kind = 0;
  std::uint64_t identity = 0;
  std::uint64_t length = 0;
  std::vector<JournalSpan> spans;
  std::vector<std::string> bytes;
};

// The checksum of a section of the journal generation `generation`: FNV-1a
// over 64-bit words, seeded with the generation, so that the pre-images of
// an update (about 10 KB) cost little more than their copy.
std::uint32_t SectionSum(std::uint64_t generation, const char* bytes, std::size_t count) {
  constexpr std::uint64_t kPrime = 1099511628211ull;
  std::uint64_t hash = 14695981039346656037ull ^ generation;
  std::size_t at = 0;
  for (; at + 8 <= count; at += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + at, sizeof word);
    hash = (hash ^ word) * kPrime;
  }
  for (; at < count; ++at) hash = (hash ^ static_cast<unsigned char>(bytes[at])) * kPrime;
  return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

// Parses the section at `*at`; false when it is torn, not a section, or
// left from an earlier generation.
bool ParseSection(const std::string& journal, std::uint64_t generation, std::size_t* at,
                  ParsedSection* out) {
  std::size_t p = *at;
  if (journal.size() - p < kSectionFixed + 4) return false;
  out->kind = journal[p];
  out->identity = GetLe(journal, p + 1, 8);
  out->length = GetLe(journal, p + 9, 8);
  const std::uint64_t count = GetLe(journal, p + 17, 4);
  p += kSectionFixed;
  for (std::uint64_t i = 0; i < count; ++i) {
    if (journal.size() - p < kSpanFixed) return false;
    const JournalSpan span{GetLe(journal, p, 8), GetLe(journal, p + 8, 4)};
    p += kSpanFixed;
    if (journal.size() - p < span.count) return false;
    out->spans.push_back(span);
    out->bytes.push_back(journal.substr(p, static_cast<std::size_t>(span.count)));
    p += static_cast<std::size_t>(span.count);
  }
  if (journal.size() - p < 4) return false;
  if (SectionSum(generation, journal.data() + *at, p - *at) != GetLe(journal, p, 4)) return false;
  if (out->kind != kTableKind && out->kind != kIndexKind) return false;
  *at = p + 4;
  return true;
}

int Undo(const ParsedSection& section, platform::File& file) {
  std::uint64_t identity = 0;
  std::uint64_t length = 0;
  if (int code = IdentityOf(file, &identity, &length)) return code;
  if (identity != section.identity) return 0;
  for (std::size_t i = 0; i < section.spans.size(); ++i) {
    const std::string& bytes = section.bytes[i];
    if (int code = file.WriteAt(section.spans[i].offset, bytes.data(), bytes.size())) return code;
  }
  return length > section.length ? file.Truncate(section.length) : 0;
}

// A generation number no other update is likely to have used.
std::uint64_t NextGeneration() {
  static std::mt19937_64 random{std::random_device{}()};
  return random();
}

}  // namespace

std::string UpdateJournalPath(const std::string& indexPath) {
  return indexPath + ".$$J";
}

int UpdateJournal::Capture(const platform::File& file, char kind,
                           const std::vector<JournalSpan>& spans, Section* section) {
  section->kind = kind;
  if (int code = IdentityOf(file, &section->identity, &section->length)) return code;
  for (JournalSpan span : spans) {
    if (span.offset >= section->length) continue;
    span.count = std::min(span.count, section->length - span.offset);
    const std::size_t from = section->bytes.size();
    section->bytes.resize(from + static_cast<std::size_t>(span.count));
    if (span.known != nullptr) {
      std::copy_n(span.known, span.count,
                  section->bytes.begin() + static_cast<std::ptrdiff_t>(from));
    } else if (int code = file.ReadExactAt(span.offset, section->bytes.data() + from,
                                           static_cast<std::size_t>(span.count))) {
      return code;
    }
    span.known = nullptr;
    section->spans.push_back(span);
  }
  return 0;
}

int UpdateJournal::EnsureOpen() {
  if (file_.IsOpen()) return 0;
  if (path_.empty()) return platform::kFileNotFound;
  const int code = file_.Open(path_, platform::Access::ReadWrite, platform::Sharing::Shared);
  return code == platform::kFileNotFound ? file_.Create(path_, platform::Sharing::Shared) : code;
}

int UpdateJournal::Append(const Section& section) {
  if (int code = EnsureOpen()) return code;
  std::string bytes;
  if (end_ == 0) {
    // A new generation: sections an earlier update left beyond this one's
    // end no longer pass their checksums.
    generation_ = NextGeneration();
    bytes.assign(kMagic, kMagicSize);
    PutLe(bytes, generation_, 8);
  }
  const std::size_t start = bytes.size();
  bytes.push_back(section.kind);
  PutLe(bytes, section.identity, 8);
  PutLe(bytes, section.length, 8);
  PutLe(bytes, section.spans.size(), 4);
  std::size_t from = 0;
  for (const JournalSpan& span : section.spans) {
    PutLe(bytes, span.offset, 8);
    PutLe(bytes, span.count, 4);
    bytes.append(section.bytes, from, static_cast<std::size_t>(span.count));
    from += static_cast<std::size_t>(span.count);
  }
  PutLe(bytes, SectionSum(generation_, bytes.data() + start, bytes.size() - start), 4);
  if (int code = file_.WriteAt(end_, bytes.data(), bytes.size())) return code;
  end_ += bytes.size();
  return 0;
}

int UpdateJournal::BeginTable(const platform::File& table, const std::vector<JournalSpan>& spans) {
  if (path_.empty()) return 0;
  table_ = Section{};
  end_ = 0;
  inUpdate_ = true;
  if (int code = Capture(table, kTableKind, spans, &table_)) return code;
  return Append(table_);
}

int UpdateJournal::AddTableSpans(const platform::File& table,
                                 const std::vector<JournalSpan>& spans) {
  if (path_.empty()) return 0;
  // Only before the index's first write-back: the table's section is
  // written again, longer, over its old place.
  Section more;
  if (int code = Capture(table, kTableKind, spans, &more)) return code;
  table_.spans.insert(table_.spans.end(), more.spans.begin(), more.spans.end());
  table_.bytes += more.bytes;
  end_ = 0;
  return Append(table_);
}

int UpdateJournal::NoteIndex(const platform::File& index, const std::vector<JournalSpan>& spans) {
  // An index being built has no journal: it is not in use until it is whole.
  if (path_.empty()) return 0;
  Section section;
  if (int code = Capture(index, kIndexKind, spans, &section)) return code;
  return Append(section);
}

int UpdateJournal::Finish() {
  inUpdate_ = false;
  table_ = Section{};
  if (end_ == 0) return 0;
  end_ = 0;
  return ClearMagic();
}

int UpdateJournal::ClearMagic() {
  // Only the magic goes: the file keeps its blocks for the next update.
  const char cleared[kMagicSize] = {};
  return file_.WriteAt(0, cleared, sizeof cleared);
}

int UpdateJournal::Remove() {
  file_.Close();
  end_ = 0;
  std::error_code error;
  std::filesystem::remove(path_, error);
  return error ? platform::OsErrorFromErrno(error.value(), true) : 0;
}

bool UpdateJournal::Hot() {
  if (path_.empty()) return false;
  if (!file_.IsOpen() &&
      file_.Open(path_, platform::Access::ReadWrite, platform::Sharing::Shared) != 0 &&
      file_.Open(path_, platform::Access::Read, platform::Sharing::Shared) != 0) {
    return false;
  }
  char magic[kMagicSize] = {};
  std::size_t got = 0;
  return file_.ReadAt(0, magic, sizeof magic, &got) == 0 && got == sizeof magic &&
         std::equal(magic, magic + kMagicSize, kMagic);
}

int UpdateJournal::RollBack(platform::File& table, platform::File& index, bool* rolledBack) {
  *rolledBack = false;
  if (!Hot()) return 0;
  std::uint64_t size = 0;
  if (int code = file_.Size(&size)) return code;
  std::string bytes(static_cast<std::size_t>(std::min(size, kMaxJournalSize)), '\0');
  if (int code = file_.ReadExactAt(0, bytes.data(), bytes.size())) return code;
  std::vector<ParsedSection> sections;
  if (bytes.size() >= kHeadSize) {
    const std::uint64_t generation = GetLe(bytes, kMagicSize, 8);
    std::size_t at = kHeadSize;
    for (ParsedSection section; ParseSection(bytes, generation, &at, &section);
         section = ParsedSection{}) {
      sections.push_back(std::move(section));
    }
  }
  for (auto section = sections.rbegin(); section != sections.rend(); ++section) {
    platform::File& file = section->kind == kTableKind ? table : index;
    if (int code = Undo(*section, file)) return code;
  }
  *rolledBack = !sections.empty();
  return ClearMagic();
}

}  // namespace pw
