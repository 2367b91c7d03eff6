// The program's sounds in the data folder. The settings name them there
// (SoundFile defaults to the data folder's "Reminder.wav"; a note plays the
// data folder's "Collapse.wav" and "Expand.wav"), so the shipped copies are
// put there once: a user may then replace them with sounds of their own, and
// a file the user has placed, in any case of its name, is never overwritten.
#pragma once

#include <QString>
#include <QStringList>

namespace pw {

// "Reminder.wav", "Collapse.wav", "Expand.wav".
QStringList ShippedSoundNames();

// Copies each shipped sound (found as ShippedFilePath finds it) that the
// data folder lacks into it. Returns the sounds that could not be copied,
// with the reason; a sound that is not shipped at all is not one of them.
QStringList CopyMissingSounds(const QString& dataFolder, const QString& executableFolder);

}  // namespace pw
