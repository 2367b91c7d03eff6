// Keeps the current record of a work area (raw record, record number, BOF
// and EOF) while the index engine makes other records current to compute
// their keys, and puts it back when it goes out of scope.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/table/work_area.h"

namespace pw {

class SavedRecord {
 public:
  explicit SavedRecord(WorkArea& area)
      : area_(area), raw_(area.raw), number_(area.recordNumber), bof_(area.bof), eof_(area.eof) {}
  ~SavedRecord() {
    area_.raw = raw_;
    area_.recordNumber = number_;
    area_.bof = bof_;
    area_.eof = eof_;
  }
  SavedRecord(const SavedRecord&) = delete;
  SavedRecord& operator=(const SavedRecord&) = delete;

 private:
  WorkArea& area_;
  std::vector<unsigned char> raw_;
  std::int32_t number_;
  bool bof_;
  bool eof_;
};

}  // namespace pw
