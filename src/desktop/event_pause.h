// Waiting while the program stays responsive: windows keep painting and
// timers keep running during the wait.
#pragma once

namespace pw {

// Processes events for `milliseconds`, then returns.
void PauseProcessingEvents(int milliseconds);

}  // namespace pw
