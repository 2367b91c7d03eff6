// What the data set layer shows the user: plain warnings, the progress
// window of index builds, and the request to end the program after an
// operation on a closed table. The application installs an implementation
// with dialogs; tests install one that records.
#pragma once

#include <QString>

namespace pw {

class DatasetUi {
 public:
  virtual ~DatasetUi() = default;
  // A plain message box; the operation that raised it goes on.
  virtual void Warning(const QString& text) = 0;
  // The progress window: shown with its caption, advanced once per step,
  // closed at the end.
  virtual void ProgressStart(const QString& caption) = 0;
  virtual void ProgressTick() = 0;
  virtual void ProgressFinish() = 0;
  // Asks the program to end (it returns; the program ends later).
  virtual void RequestProgramEnd() = 0;
};

// The installed implementation; without one, warnings go to the log and the
// end request quits the Qt application.
DatasetUi& CurrentDatasetUi();
// Installs `ui` (not owned; null restores the default). Returns the previous one.
DatasetUi* SetDatasetUi(DatasetUi* ui);

}  // namespace pw
