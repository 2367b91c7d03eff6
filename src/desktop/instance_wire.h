// What the copies of the program say to each other on the local socket.
// A later start sends one request frame, the running copy sends one answer
// frame back; each frame is a QDataStream (version Qt 6.0) of
//   request: quint32 magic 0x50574931 ("PWI1"), QStringList arguments
//   answer:  quint32 magic 0x50574931, qint32 exit code, QString text
// A peer that sends anything else is disconnected.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QIODevice;

namespace pw {

struct InstanceAnswer {
  int exitCode = 0;
  QString text;
};

// A frame larger than this is refused: a command line and its standard
// input fit easily.
inline constexpr qint64 kMaxFrameBytes = 16 * 1024 * 1024;

void WriteRequest(QIODevice& device, const QStringList& arguments);
void WriteAnswer(QIODevice& device, const InstanceAnswer& answer);

// The frame waiting in `device`, consumed; nothing (and nothing consumed)
// while it is incomplete. `*bad` is set when the bytes are no such frame.
std::optional<QStringList> ReadRequest(QIODevice& device, bool* bad);
std::optional<InstanceAnswer> ReadAnswer(QIODevice& device, bool* bad);

}  // namespace pw
