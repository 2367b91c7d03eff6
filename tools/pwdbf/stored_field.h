// Reading a field's stored bytes (the raw record, Windows-1252 text) as a
// JSON value, and writing a JSON value as the bytes a field stores:
//
//   C  text, trailing blanks removed         <-> string
//   N  right-aligned number text, or blanks  <-> number, null
//   F  as N
//   D  YYYYMMDD, or blanks                   <-> "YYYY-MM-DD", null
//   L  T Y t y / F N f n, anything else      <-> true / false, null
//   M  block number of the memo entry        <-> (the memo text: memo_text.h)
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "engine/table/field_def.h"

namespace pw::pwdbf {

using Json = nlohmann::ordered_json;

enum class StoredState { kValue, kBlank, kInvalid };

struct DecodedField {
  StoredState state = StoredState::kBlank;
  Json value;  // null unless state is kValue; for M the block number
};

DecodedField DecodeStored(const FieldDef& field, std::string_view stored);

// The stored bytes (field length, Windows-1252) for `value`; for M the text
// of `memoBlock`. Throws ToolError naming the field when the value has the
// wrong JSON type, does not fit or is not a date.
std::string EncodeStored(const FieldDef& field, const Json& value, std::int32_t memoBlock = 0);

}  // namespace pw::pwdbf
