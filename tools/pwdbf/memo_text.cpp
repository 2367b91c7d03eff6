#include "memo_text.h"

#include <cstdlib>

#include "common/error_state.h"
#include "engine/memo/blob_stream.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

constexpr int kReadMode = 1;
constexpr int kWriteMode = 2;

}  // namespace

std::string ReadMemoText(const std::string& table, std::int32_t block) {
  ClearEngineError();
  if (CreateBlobDescriptor(true, block, kReadMode) == 0) ThrowEngineError(table);
  std::string text;
  char piece[4096];
  while (const std::size_t got = ReadBlobStream(piece, sizeof piece)) text.append(piece, got);
  const bool failed = EngineErrorCode() != 0;
  CloseBlobStream();
  if (failed) ThrowEngineError(table);
  return text;
}

std::int32_t WriteMemoText(const std::string& table, const std::string& text) {
  if (text.empty()) return 0;
  ClearEngineError();
  const std::int32_t block = CreateBlobDescriptor(true, 0, kWriteMode);
  if (block == 0) ThrowEngineError(table);
  const bool written = WriteBlobStream(text.data(), text.size()) == text.size();
  if (!CloseBlobStream() || !written) ThrowEngineError(table);
  return std::abs(block);
}

}  // namespace pw::pwdbf
