// The desktop's SoundPlayer on QSoundEffect. QMediaPlayer is not used: it
// crashes on machines without an audio device.
#include "desktop/sound_player.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace pw {
namespace {

// Time for loading the file and opening the output, on top of the sound's own length, before
// the wait gives up on a sound that never reports its end.
constexpr int kEndMarginMs = 1000;

class DesktopSoundPlayer : public SoundPlayer {
 public:
  bool PlayAndWait(const QString& wavFile) override {
    const std::optional<int> durationMs = WavDurationMs(wavFile);
    if (!durationMs || QMediaDevices::audioOutputs().isEmpty()) return false;

    QSoundEffect effect;
    QEventLoop loop;
    bool started = false;
    bool failed = false;
    bool ended = false;
    const auto end = [&loop, &ended] {
      ended = true;
      loop.quit();
    };
    QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
      if (effect.status() != QSoundEffect::Error) return;
      failed = true;
      end();
    });
    QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
      if (effect.isPlaying())
        started = true;
      else if (started)
        end();
    });
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, end);
    bound.start(*durationMs + kEndMarginMs);

    effect.setSource(QUrl::fromLocalFile(wavFile));
    effect.play();
    // Mouse and keys wait until the sound has ended, as behind a blocking call; painting and
    // timers go on.
    if (!ended) loop.exec(QEventLoop::ExcludeUserInputEvents);
    return started && !failed;
  }
};

}  // namespace

std::unique_ptr<SoundPlayer> CreateDesktopSoundPlayer() {
  return std::make_unique<DesktopSoundPlayer>();
}

}  // namespace pw
