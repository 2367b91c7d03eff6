#include "engine/index/index_semaphore_record.h"

#include "common/byte_order.h"

namespace pw {

SemaphoreRecord DecodeSemaphoreRecord(const SemaphoreRecordBytes& bytes) {
  SemaphoreRecord record;
  record.logins = bytes[0];
  record.readers = bytes[1];
  record.updateCounter = GetLe16(bytes.data() + 2);
  return record;
}

SemaphoreRecordBytes EncodeSemaphoreRecord(const SemaphoreRecord& record) {
  SemaphoreRecordBytes bytes{};
  bytes[0] = record.logins;
  bytes[1] = record.readers;
  PutLe16(bytes.data() + 2, record.updateCounter);
  return bytes;
}

std::uint16_t NextUpdateCounter(std::uint16_t counter) {
  return counter >= kLastUpdateCounter ? 0 : static_cast<std::uint16_t>(counter + 1);
}

}  // namespace pw
