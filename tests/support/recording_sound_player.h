// A sound player for tests: plays nothing and writes down each file it was
// asked to play.
#pragma once

#include <QStringList>

#include "desktop/sound_player.h"

namespace pw::test {

class RecordingSoundPlayer : public SoundPlayer {
 public:
  explicit RecordingSoundPlayer(QStringList* played) : played_(played) {}
  bool PlayAndWait(const QString& wavFile) override {
    *played_ << wavFile;
    return true;
  }

 private:
  QStringList* played_;
};

}  // namespace pw::test
