#include "dataset/memo_stream.h"

#include <cstdlib>

#include "common/error_state.h"
#include "engine/memo/blob_stream.h"

namespace pw {
namespace {

// The engine's stream modes.
constexpr int kEngineRead = 1;
constexpr int kEngineWrite = 2;

}  // namespace

MemoStream::MemoStream(BlobStreamHost& host, int field, int mode, QObject* parent)
    : QIODevice(parent), host_(host), field_(field), mode_(mode) {
  Open();
}

MemoStream::~MemoStream() {
  Finish();
}

bool MemoStream::Open() {
  if (mode_ < kRead || mode_ > kReadWrite) {
    setErrorString(QStringLiteral("Invalid memo stream mode"));
    return false;
  }
  if (!host_.SelectForBlob("CreateBlobStream")) {
    setErrorString(QString::fromStdString(ErrorMessage()));
    return false;
  }
  ClearEngineError();
  if (mode_ == kRead) {
    block_ = host_.BlobReference(field_);
    // Block 0 is an empty memo: nothing to open in the engine.
    if (block_ != 0) {
      if (CreateBlobDescriptor(host_.BlobTranslates(), block_, kEngineRead) == 0) {
        setErrorString(QString::fromStdString(ErrorMessage()));
        return false;
      }
      engineOpen_ = true;
    }
    return QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  }
  const std::int32_t block = CreateBlobDescriptor(host_.BlobTranslates(), 0, kEngineWrite);
  if (block == 0) {
    setErrorString(QString::fromStdString(ErrorMessage()));
    return false;
  }
  // The engine marks the dBASE III kind by a negative block; the record
  // stores the block itself.
  block_ = std::abs(block);
  engineOpen_ = true;
  const OpenMode openMode = mode_ == kWrite ? QIODevice::WriteOnly : QIODevice::ReadWrite;
  return QIODevice::open(openMode | QIODevice::Unbuffered);
}

bool MemoStream::Finish() {
  if (!isOpen()) return false;
  QIODevice::close();
  if (!host_.SelectForBlob("DestroyBlobStream")) {
    // The work area is gone, and with it the engine's descriptor.
    engineOpen_ = false;
    return false;
  }
  bool stored = !failed_;
  if (engineOpen_) {
    engineOpen_ = false;
    ClearEngineError();
    stored = CloseBlobStream();
  }
  if (mode_ != kRead && stored) host_.BlobWritten(field_, mode_, wrote_ ? block_ : 0);
  return stored;
}

void MemoStream::close() {
  Finish();
}

bool MemoStream::seek(qint64 pos) {
  if (!isOpen() || pos < 0) return false;
  if (!engineOpen_) return pos == 0 && QIODevice::seek(0);
  if (!host_.SelectForBlob("SeekBlobStream")) return false;
  const std::int64_t reached = SeekBlobStream(pos, 0);
  return reached == pos && QIODevice::seek(pos);
}

qint64 MemoStream::size() const {
  if (!isOpen() || !engineOpen_) return 0;
  if (mode_ != kRead) return pos();
  if (!host_.SelectForBlob("SeekBlobStream")) return 0;
  const std::int64_t here = SeekBlobStream(0, 1);
  const std::int64_t end = SeekBlobStream(0, 2);
  SeekBlobStream(here, 0);
  return end;
}

qint64 MemoStream::readData(char* data, qint64 maxSize) {
  if (mode_ != kRead) return -1;
  if (!engineOpen_ || maxSize <= 0) return 0;
  if (!host_.SelectForBlob("ReadBlobStream")) return -1;
  ClearEngineError();
  const std::size_t got = ReadBlobStream(data, static_cast<std::size_t>(maxSize));
  if (EngineErrorCode() != 0) {
    setErrorString(QString::fromStdString(ErrorMessage()));
    return -1;
  }
  return static_cast<qint64>(got);
}

qint64 MemoStream::writeData(const char* data, qint64 maxSize) {
  if (mode_ == kRead || !engineOpen_) return -1;
  if (maxSize <= 0) return 0;
  if (!host_.SelectForBlob("WriteBlobStream")) return -1;
  ClearEngineError();
  const auto count = static_cast<std::size_t>(maxSize);
  if (WriteBlobStream(data, count) != count) {
    // The engine has taken back the entry and ended the stream.
    engineOpen_ = false;
    failed_ = true;
    setErrorString(QString::fromStdString(ErrorMessage()));
    return -1;
  }
  wrote_ = true;
  return maxSize;
}

}  // namespace pw
