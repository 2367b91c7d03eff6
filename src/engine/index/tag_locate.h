// Placing a tag on one record's item among keys equal to the record's.
//
// No order among equal keys is relied on. A build leaves ties in record
// order, an append puts its item in front of its equals (newest first),
// and a rewrite moves a record to the front of its new key's run, so a run
// mixes orders and no search by record number could be trusted. The item
// is found instead through the tag's hints (tag_hints.h): the record's leaf
// and the branches above it, each checked to hold the next, up to the root.
#pragma once

#include <cstdint>
#include <string>

#include "engine/index/index_state.h"

namespace pw {

// From a position on the first of a run of keys equal to `key` (as SeekKey
// leaves it), moves to the item of `record`; `*found` tells whether it was
// reached. The tag ends where walking the run would leave it: on the item,
// or, when the run does not hold the record, on the first key after the run
// (at EOF past the last). False after a reported input error.
bool PlaceOnRecord(IndexState& state, IndexTag& tag, const std::string& key, std::uint32_t record,
                   bool* found);

}  // namespace pw
