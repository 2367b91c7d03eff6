#include "engine/index/tag_node_io.h"

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/index/index_semaphore.h"
#include "engine/index/mdx_io.h"
#include "engine/index/update_journal.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

bool ReportWriteFailure(const IndexState& state, const IndexTag& tag, int code) {
  SetError(static_cast<std::uint16_t>(code),
           "Error writing index file: " + IndexTagText(state, tag) + " [SeekAndWrite]");
  return false;
}

// The cache learns the file's length once, before its first new or
// rewritten node.
bool KnowLength(IndexState& state, const IndexTag& tag) {
  if (state.nodes.LengthKnown()) return true;
  std::uint64_t length = 0;
  if (const int code = state.file.Size(&length)) return ReportWriteFailure(state, tag, code);
  state.nodes.SetLength(length);
  return true;
}

bool ReportJournalFailure(const IndexState& state, int code) {
  SetError(static_cast<std::uint16_t>(code),
           "Error writing index file: " + state.journal.Path() + " [SeekAndWrite]");
  return false;
}

// Saves what the write-back is about to overwrite (changed nodes inside the
// file, changed anchors, the header) and the file's length in the update's
// journal, before the first byte goes to the index.
bool JournalWriteBack(IndexState& state) {
  std::vector<JournalSpan> spans;
  for (const std::uint32_t block : state.nodes.OverwrittenBlocks()) {
    const IndexNode::Image* onDisk = state.nodes.DiskImage(block);
    spans.push_back({std::uint64_t{block} * kMdxBlockSize, kMdxNodeSize,
                     onDisk != nullptr ? onDisk->data() : nullptr});
  }
  for (const auto& slot : state.tagSlots) {
    if (slot != nullptr && slot->anchorChanged) {
      spans.push_back({std::uint64_t{slot->anchorBlock} * kMdxBlockSize, kMdxNodeSize});
    }
  }
  if (state.headerChanged) spans.push_back({0, kMdxHeaderSize});
  if (spans.empty() && !state.nodes.HasChanges()) return true;
  if (const int code = state.journal.NoteIndex(state.file, spans)) {
    return ReportJournalFailure(state, code);
  }
  return true;
}

}  // namespace

std::string IndexTagText(const IndexState& state, const IndexTag& tag) {
  return state.fileName + " [tag: " + tag.name + "]";
}

int FetchNode(IndexState& state, const IndexTag& tag, std::uint32_t block, IndexNode* out) {
  if (block == 0) return kInternalError;
  const int itemLength = tag.anchor.ItemLength();
  if (const IndexNode* kept = state.nodes.Find(block); kept != nullptr) {
    if (kept->ItemLength() == itemLength) {
      *out = *kept;
      return 0;
    }
    // A pointer into another tag's node: read as this tag's, as from disk.
    return IndexNode::Parse(kept->Bytes().data(), itemLength, out) == MdxFault::kNone
               ? 0
               : kMdxCorrupted;
  }
  for (const PathEntry& entry : state.path) {
    if (entry.block == block && entry.node.ItemLength() == itemLength) {
      *out = entry.node;
      return 0;
    }
  }
  if (const int code = ReadNode(state.file, block, itemLength, out)) return code;
  state.nodes.KeepRead(block, *out);
  return 0;
}

bool GetNode(IndexState& state, const IndexTag& tag, std::uint32_t block, IndexNode* out) {
  const int code = FetchNode(state, tag, block, out);
  if (code == 0) return true;
  if (block == 0) {
    SetError(kInternalError, "Invalid Node Number (0) in DBF Area " +
                                 std::to_string(CurrentWorkArea()) + ", Order " +
                                 std::to_string(tag.number) + " " + IndexTagText(state, tag) +
                                 " [GetNode]");
  } else {
    SetError(static_cast<std::uint16_t>(code),
             "Error reading index file: " + IndexTagText(state, tag) + " [SeekAndRead]");
  }
  return false;
}

bool PutNode(IndexState& state, const IndexTag& tag, std::uint32_t block, IndexNode& node) {
  if (!KnowLength(state, tag)) return false;
  if (!state.nodes.HoldsBlock(block)) return ReportWriteFailure(state, tag, kMdxCorrupted);
  state.nodes.Change(block, node, tag.number);
  for (PathEntry& entry : state.path) {
    if (entry.block == block) entry.node = node;
  }
  return true;
}

bool AppendTagNode(IndexState& state, const IndexTag& tag, IndexNode& node, std::uint32_t* block) {
  if (!KnowLength(state, tag)) return false;
  *block = state.nodes.Allocate();
  state.nodes.Change(*block, node, tag.number);
  state.headerChanged = true;
  return true;
}

bool WriteAnchor(IndexState& state, IndexTag& tag) {
  if (!tag.anchorChanged) return true;
  const int code = WriteTagHeader(state.file, tag.anchorBlock, tag.anchor);
  if (code != 0) {
    SetError(static_cast<std::uint16_t>(code),
             "Error writing index file:  " + IndexTagText(state, tag) + " [WriteAnchor]");
    return false;
  }
  tag.anchorChanged = false;
  return true;
}

bool WriteHeaderIfChanged(IndexState& state) {
  if (!state.headerChanged) return true;
  const int code = WriteMdxHeader(state.file, state.header);
  if (code != 0) {
    SetError(static_cast<std::uint16_t>(code),
             "Error writing index file: " + state.fileName + " [SeekAndWrite]");
    return false;
  }
  state.headerChanged = false;
  return true;
}

bool WriteChangedNodes(IndexState& state) {
  int failedTag = 0;
  const int code = state.nodes.WriteBack(state.file, &failedTag);
  if (code == 0) return true;
  if (const IndexTag* tag = state.TagNumbered(failedTag)) {
    return ReportWriteFailure(state, *tag, code);
  }
  SetError(static_cast<std::uint16_t>(code),
           "Error writing index file: " + state.fileName + " [SeekAndWrite]");
  return false;
}

bool WriteBack(IndexState& state) {
  if (!JournalWriteBack(state)) return false;
  if (!WriteChangedNodes(state)) return false;
  for (const auto& slot : state.tagSlots) {
    if (slot != nullptr && !WriteAnchor(state, *slot)) return false;
  }
  if (!WriteHeaderIfChanged(state)) return false;
  // Outside an update the write-back is the whole change.
  if (!state.journal.InUpdate()) {
    if (const int code = state.journal.Finish()) return ReportJournalFailure(state, code);
  }
  // Without a way to tell another program's changes, nothing read is kept
  // for the next operation, nor the file's length.
  if (!state.nodes.KeepsRead()) state.nodes.Clear();
  return true;
}

void DropNodeCopies(IndexState& state) {
  state.nodes.Clear();
  state.path.clear();
  state.pathTag = 0;
  for (const auto& slot : state.tagSlots) {
    if (slot != nullptr) slot->hints.Forget();
  }
}

void FollowUpdateCounter(IndexState& state) {
  if (state.semaphore == nullptr) return;
  const std::uint16_t counter = state.semaphore->Record().updateCounter;
  if (state.nodes.Stamp() == counter) return;
  DropNodeCopies(state);
  state.nodes.SetStamp(counter);
}

void FollowOwnUpdate(IndexState& state, std::uint16_t before) {
  if (state.semaphore == nullptr || state.nodes.Stamp() != before) return;
  state.nodes.SetStamp(state.semaphore->Record().updateCounter);
}

bool ReloadAnchors(IndexState& state) {
  DropNodeCopies(state);
  for (const auto& slot : state.tagSlots) {
    if (slot == nullptr) continue;
    TagHeader anchor;
    const int code = ReadTagHeader(state.file, slot->anchorBlock, &anchor);
    if (code != 0) {
      SetError(static_cast<std::uint16_t>(code),
               "Error reading index file:  " + IndexTagText(state, *slot) + " [ReadAnchorNodes]");
      return false;
    }
    slot->anchor = anchor;
    slot->anchorChanged = false;
  }
  return true;
}

}  // namespace pw
