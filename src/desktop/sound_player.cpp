// The length of a WAV file, read from its RIFF header. The layout, all
// numbers little-endian:
//
//   offset 0   "RIFF"
//   offset 4   u32 size of the rest of the file
//   offset 8   "WAVE"
//   offset 12  chunks: 4-byte id, u32 body size, body, one pad byte after an
//              odd-sized body
//
// The "fmt " chunk comes before "data"; its body starts with
//
//   offset 0   u16 format tag (1 PCM, 3 IEEE float, 0xFFFE extensible)
//   offset 2   u16 channels
//   offset 4   u32 samples per second
//   offset 8   u32 bytes per second
//   offset 12  u16 block align
//   offset 14  u16 bits per sample
//
// Other chunks ("LIST", "fact", ...) may stand anywhere and are skipped.
#include "desktop/sound_player.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <climits>
#include <cstring>

namespace pw {
namespace {

constexpr qint64 kRiffHeaderSize = 12;
constexpr qint64 kChunkHeaderSize = 8;
constexpr qint64 kFmtBodySize = 16;

constexpr quint16 kFormatPcm = 1;
constexpr quint16 kFormatFloat = 3;
constexpr quint16 kFormatExtensible = 0xFFFE;

bool ReadExactly(QFile& file, char* buffer, qint64 size) {
  return file.read(buffer, size) == size;
}

bool HasId(const char* bytes, const char (&id)[5]) {
  return std::memcmp(bytes, id, 4) == 0;
}

// The byte rate of a "fmt " body, or nullopt when the format is not sampled audio.
std::optional<quint32> ByteRate(const char* fmt) {
  const quint16 format = qFromLittleEndian<quint16>(fmt);
  const quint16 channels = qFromLittleEndian<quint16>(fmt + 2);
  const quint32 byteRate = qFromLittleEndian<quint32>(fmt + 8);
  if (format != kFormatPcm && format != kFormatFloat && format != kFormatExtensible)
    return std::nullopt;
  if (channels == 0 || byteRate == 0) return std::nullopt;
  return byteRate;
}

}  // namespace

std::optional<int> WavDurationMs(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  char riff[kRiffHeaderSize];
  if (!ReadExactly(file, riff, kRiffHeaderSize) || !HasId(riff, "RIFF") || !HasId(riff + 8, "WAVE"))
    return std::nullopt;

  const qint64 fileSize = file.size();
  std::optional<quint32> byteRate;
  qint64 chunk = kRiffHeaderSize;
  while (chunk + kChunkHeaderSize <= fileSize) {
    char header[kChunkHeaderSize];
    if (!file.seek(chunk) || !ReadExactly(file, header, kChunkHeaderSize)) return std::nullopt;
    const quint32 bodySize = qFromLittleEndian<quint32>(header + 4);
    const qint64 body = chunk + kChunkHeaderSize;
    if (HasId(header, "fmt ")) {
      char fmt[kFmtBodySize];
      if (bodySize < kFmtBodySize || !ReadExactly(file, fmt, kFmtBodySize)) return std::nullopt;
      byteRate = ByteRate(fmt);
      if (!byteRate) return std::nullopt;
    } else if (HasId(header, "data")) {
      if (!byteRate) return std::nullopt;
      // A file cut short plays only the samples it still has.
      const qint64 dataSize = std::min<qint64>(bodySize, fileSize - body);
      const qint64 milliseconds = (dataSize * 1000 + *byteRate - 1) / *byteRate;
      return static_cast<int>(std::min<qint64>(milliseconds, INT_MAX));
    }
    chunk = body + bodySize + (bodySize & 1);
  }
  return std::nullopt;
}

}  // namespace pw
