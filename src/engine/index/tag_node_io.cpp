#include "engine/index/tag_node_io.h"

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/index/mdx_io.h"
#include "engine/table/work_areas.h"

namespace pw {

std::string IndexTagText(const IndexState& state, const IndexTag& tag) {
  return state.fileName + " [tag: " + tag.name + "]";
}

bool GetNode(const IndexState& state, const IndexTag& tag, std::uint32_t block, IndexNode* out) {
  if (block == 0) {
    SetError(kInternalError, "Invalid Node Number (0) in DBF Area " +
                                 std::to_string(CurrentWorkArea()) + ", Order " +
                                 std::to_string(tag.number) + " " + IndexTagText(state, tag) +
                                 " [GetNode]");
    return false;
  }
  for (const PathEntry& entry : state.path) {
    if (entry.block == block && entry.node.ItemLength() == tag.anchor.ItemLength()) {
      *out = entry.node;
      return true;
    }
  }
  const int code = ReadNode(state.file, block, tag.anchor.ItemLength(), out);
  if (code != 0) {
    SetError(static_cast<std::uint16_t>(code),
             "Error reading index file: " + IndexTagText(state, tag) + " [SeekAndRead]");
    return false;
  }
  return true;
}

bool PutNode(IndexState& state, const IndexTag& tag, std::uint32_t block, IndexNode& node) {
  const int code = WriteNode(state.file, block, node);
  if (code != 0) {
    SetError(static_cast<std::uint16_t>(code),
             "Error writing index file: " + IndexTagText(state, tag) + " [SeekAndWrite]");
    return false;
  }
  for (PathEntry& entry : state.path) {
    if (entry.block == block) entry.node = node;
  }
  return true;
}

bool AppendTagNode(IndexState& state, const IndexTag& tag, IndexNode& node, std::uint32_t* block) {
  const int code = AppendNode(state.file, node, block);
  if (code != 0) {
    SetError(static_cast<std::uint16_t>(code),
             "Error writing index file: " + IndexTagText(state, tag) + " [SeekAndWrite]");
    return false;
  }
  state.header.SetBlockCounter(*block + 1);
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

bool ReloadAnchors(IndexState& state) {
  state.path.clear();
  state.pathTag = 0;
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
