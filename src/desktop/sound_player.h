// Playing a short sound and waiting for its end, behind an interface so that
// tests and machines without sound can stand in for the real player.
#pragma once

#include <QString>
#include <memory>
#include <optional>

namespace pw {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Plays the WAV file and returns when it has ended. False when the file cannot be played
  // (missing, unreadable, not a WAV) or there is no audio output.
  virtual bool PlayAndWait(const QString& wavFile) = 0;
};

// The desktop's player: QSoundEffect; waits for the end of the sound bounded by the WAV's
// duration plus a margin, in a local event loop that excludes user input; returns at once
// when QMediaDevices::audioOutputs() is empty.
std::unique_ptr<SoundPlayer> CreateDesktopSoundPlayer();

// Duration of a PCM WAV file from its RIFF header (fmt chunk byte rate, data chunk size), or
// nullopt for a file that is not one. A part of a millisecond counts as a whole one.
std::optional<int> WavDurationMs(const QString& path);

}  // namespace pw
