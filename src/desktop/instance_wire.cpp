#include "desktop/instance_wire.h"

#include <QDataStream>
#include <QIODevice>

namespace pw {

namespace {

constexpr quint32 kMagic = 0x50574931;

constexpr QDataStream::Version kVersion = QDataStream::Qt_6_0;

// Reads one frame with `readBody` inside a transaction, so that an
// incomplete frame is read again once more bytes came.
template <class Value, class ReadBody>
std::optional<Value> ReadFrame(QIODevice& device, bool* bad, ReadBody readBody) {
  *bad = false;
  QDataStream stream(&device);
  stream.setVersion(kVersion);
  stream.startTransaction();
  quint32 magic = 0;
  stream >> magic;
  Value value{};
  if (stream.status() == QDataStream::Ok) {
    if (magic != kMagic) {
      stream.abortTransaction();
      *bad = true;
      return std::nullopt;
    }
    readBody(stream, value);
  }
  if (stream.commitTransaction()) return value;
  if (stream.status() != QDataStream::ReadPastEnd || device.bytesAvailable() > kMaxFrameBytes) {
    *bad = true;
  }
  return std::nullopt;
}

}  // namespace

void WriteRequest(QIODevice& device, const QStringList& arguments) {
  QDataStream stream(&device);
  stream.setVersion(kVersion);
  stream << kMagic << arguments;
}

void WriteAnswer(QIODevice& device, const InstanceAnswer& answer) {
  QDataStream stream(&device);
  stream.setVersion(kVersion);
  stream << kMagic << static_cast<qint32>(answer.exitCode) << answer.text;
}

std::optional<QStringList> ReadRequest(QIODevice& device, bool* bad) {
  return ReadFrame<QStringList>(device, bad,
                                [](QDataStream& stream, QStringList& value) { stream >> value; });
}

std::optional<InstanceAnswer> ReadAnswer(QIODevice& device, bool* bad) {
  return ReadFrame<InstanceAnswer>(device, bad, [](QDataStream& stream, InstanceAnswer& value) {
    qint32 exitCode = 0;
    stream >> exitCode >> value.text;
    value.exitCode = exitCode;
  });
}

}  // namespace pw
