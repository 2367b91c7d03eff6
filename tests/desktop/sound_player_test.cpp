#include "desktop/sound_player.h"

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QByteArray>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QtEndian>

namespace pw {
namespace {

QByteArray Le16(quint16 value) {
  QByteArray bytes(2, '\0');
  qToLittleEndian(value, bytes.data());
  return bytes;
}

QByteArray Le32(quint32 value) {
  QByteArray bytes(4, '\0');
  qToLittleEndian(value, bytes.data());
  return bytes;
}

// A chunk with its header and the pad byte after an odd-sized body.
QByteArray Chunk(const char* id, const QByteArray& body) {
  QByteArray chunk = QByteArray(id, 4) + Le32(body.size()) + body;
  if (body.size() % 2 != 0) chunk += '\0';
  return chunk;
}

QByteArray FmtChunk(quint16 channels, quint32 rate, quint16 bitsPerSample, quint16 format = 1) {
  const quint16 blockAlign = channels * bitsPerSample / 8;
  return Chunk("fmt ", Le16(format) + Le16(channels) + Le32(rate) + Le32(rate * blockAlign) +
                           Le16(blockAlign) + Le16(bitsPerSample));
}

QByteArray DataChunk(int bytes) {
  return Chunk("data", QByteArray(bytes, '\x10'));
}

QByteArray Riff(const QByteArray& chunks) {
  return "RIFF" + Le32(4 + chunks.size()) + "WAVE" + chunks;
}

class SoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

  // Writes `bytes` to a new file in the test's folder and returns its path.
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(file.write(bytes), bytes.size());
    EXPECT_TRUE(file.flush());
    return path;
  }

  QTemporaryDir dir_;
};

TEST_F(SoundPlayerTest, DurationOfMono8BitAt8000Hz) {
  const QString path = Write("a.wav", Riff(FmtChunk(1, 8000, 8) + DataChunk(8000)));
  EXPECT_EQ(WavDurationMs(path), 1000);
}

TEST_F(SoundPlayerTest, DurationOfStereo16BitAt44100Hz) {
  const QString path = Write("a.wav", Riff(FmtChunk(2, 44100, 16) + DataChunk(441000)));
  EXPECT_EQ(WavDurationMs(path), 2500);
}

TEST_F(SoundPlayerTest, DurationOfMono16BitAt22050Hz) {
  const QString path = Write("a.wav", Riff(FmtChunk(1, 22050, 16) + DataChunk(4410)));
  EXPECT_EQ(WavDurationMs(path), 100);
}

TEST_F(SoundPlayerTest, DurationOfSixChannel24BitAt48000Hz) {
  // 864000 bytes a second.
  const QString path = Write("a.wav", Riff(FmtChunk(6, 48000, 24) + DataChunk(216000)));
  EXPECT_EQ(WavDurationMs(path), 250);
}

TEST_F(SoundPlayerTest, APartOfAMillisecondCountsAsAWholeOne) {
  const QString path = Write("a.wav", Riff(FmtChunk(2, 48000, 16) + DataChunk(196)));
  EXPECT_EQ(WavDurationMs(path), 2);
}

TEST_F(SoundPlayerTest, AnEmptyDataChunkLastsNoTime) {
  const QString path = Write("a.wav", Riff(FmtChunk(1, 8000, 8) + DataChunk(0)));
  EXPECT_EQ(WavDurationMs(path), 0);
}

TEST_F(SoundPlayerTest, FloatSamplesAreSampledAudioToo) {
  const QString path = Write("a.wav", Riff(FmtChunk(1, 8000, 32, 3) + DataChunk(3200)));
  EXPECT_EQ(WavDurationMs(path), 100);
}

TEST_F(SoundPlayerTest, ChunksBeforeTheDataAreSkippedWithTheirPadByte) {
  const QByteArray list = Chunk("LIST", QByteArray("INFOabc"));  // odd size: padded
  const QString path =
      Write("a.wav", Riff(Chunk("JUNK", QByteArray(28, '\0')) + FmtChunk(1, 8000, 16) + list +
                          Chunk("fact", Le32(4000)) + DataChunk(8000)));
  EXPECT_EQ(WavDurationMs(path), 500);
}

TEST_F(SoundPlayerTest, ALongerFmtChunkIsRead) {
  const QByteArray fmt = FmtChunk(1, 8000, 16);
  const QByteArray longer = Chunk("fmt ", fmt.mid(8) + Le16(0));
  const QString path = Write("a.wav", Riff(longer + DataChunk(1600)));
  EXPECT_EQ(WavDurationMs(path), 100);
}

TEST_F(SoundPlayerTest, DataCutShortCountsOnlyTheBytesThere) {
  const QByteArray whole = Riff(FmtChunk(1, 8000, 8) + DataChunk(8000));
  const QString path = Write("a.wav", whole.left(whole.size() - 6000));
  EXPECT_EQ(WavDurationMs(path), 250);
}

TEST_F(SoundPlayerTest, ATruncatedHeaderIsNoWav) {
  const QByteArray whole = Riff(FmtChunk(2, 44100, 16) + DataChunk(100));
  EXPECT_EQ(WavDurationMs(Write("riff.wav", whole.left(10))), std::nullopt);
  EXPECT_EQ(WavDurationMs(Write("chunk.wav", whole.left(16))), std::nullopt);
  EXPECT_EQ(WavDurationMs(Write("fmt.wav", whole.left(30))), std::nullopt);
  EXPECT_EQ(WavDurationMs(Write("empty.wav", QByteArray())), std::nullopt);
}

TEST_F(SoundPlayerTest, AFileThatIsNotRiffIsNoWav) {
  EXPECT_EQ(WavDurationMs(Write("text.wav", "Just some text, not a sound at all.\n")),
            std::nullopt);
  const QByteArray chunks = FmtChunk(1, 8000, 8) + DataChunk(80);
  QByteArray avi = Riff(chunks);
  avi.replace(8, 4, "AVI ");
  EXPECT_EQ(WavDurationMs(Write("a.avi", avi)), std::nullopt);
  QByteArray rifx = Riff(chunks);
  rifx.replace(0, 4, "RIFX");
  EXPECT_EQ(WavDurationMs(Write("a.rifx", rifx)), std::nullopt);
}

TEST_F(SoundPlayerTest, CompressedOrBrokenFormatsAreNoPcmWav) {
  EXPECT_EQ(WavDurationMs(Write("mp3.wav", Riff(FmtChunk(1, 8000, 8, 0x55) + DataChunk(80)))),
            std::nullopt);
  EXPECT_EQ(WavDurationMs(Write("rate.wav", Riff(FmtChunk(1, 0, 8) + DataChunk(80)))),
            std::nullopt);
  EXPECT_EQ(WavDurationMs(Write("mono.wav", Riff(FmtChunk(0, 8000, 8) + DataChunk(80)))),
            std::nullopt);
  const QByteArray shortFmt = Chunk("fmt ", FmtChunk(1, 8000, 8).mid(8, 12));
  EXPECT_EQ(WavDurationMs(Write("short.wav", Riff(shortFmt + DataChunk(80)))), std::nullopt);
}

TEST_F(SoundPlayerTest, AWavWithoutFmtBeforeDataOrWithoutDataIsNoWav) {
  EXPECT_EQ(WavDurationMs(Write("late.wav", Riff(DataChunk(80) + FmtChunk(1, 8000, 8)))),
            std::nullopt);
  EXPECT_EQ(WavDurationMs(Write("nodata.wav", Riff(FmtChunk(1, 8000, 8)))), std::nullopt);
}

TEST_F(SoundPlayerTest, AMissingFileHasNoDuration) {
  EXPECT_EQ(WavDurationMs(dir_.filePath("missing.wav")), std::nullopt);
}

TEST_F(SoundPlayerTest, PlayingAMissingFileFails) {
  EXPECT_FALSE(CreateDesktopSoundPlayer()->PlayAndWait(dir_.filePath("missing.wav")));
}

TEST_F(SoundPlayerTest, PlayingAFileThatIsNoWavFails) {
  const QString path = Write("text.wav", "Just some text, not a sound at all.\n");
  EXPECT_FALSE(CreateDesktopSoundPlayer()->PlayAndWait(path));
}

TEST_F(SoundPlayerTest, PlayingAWavReturnsAndSucceedsWhenThereIsAnAudioOutput) {
  // A fifth of a second of a quiet square wave.
  QByteArray samples;
  for (int i = 0; i < 1600; ++i) samples += (i / 20) % 2 ? '\x90' : '\x70';
  const QString path = Write("tone.wav", Riff(FmtChunk(1, 8000, 8) + Chunk("data", samples)));
  const bool haveOutput = !QMediaDevices::audioOutputs().isEmpty();
  EXPECT_EQ(CreateDesktopSoundPlayer()->PlayAndWait(path), haveOutput);
}

}  // namespace
}  // namespace pw
