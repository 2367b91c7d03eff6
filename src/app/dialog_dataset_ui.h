// The data set layer's user interface for the desktop program: warnings in
// a message box, index builds in a ProgressWindow window.
#pragma once

#include <memory>

#include "dataset/dataset_ui.h"
#include "dialogs/progress_window.h"

namespace pw {

class DialogDatasetUi final : public DatasetUi {
 public:
  void Warning(const QString& text) override;
  void ProgressStart(const QString& caption) override;
  void ProgressTick() override;
  void ProgressFinish() override;
  void RequestProgramEnd() override;

  // The window of the build in progress, or null.
  ProgressWindow* Progress() const { return progress_.get(); }

 private:
  std::unique_ptr<ProgressWindow> progress_;
};

}  // namespace pw
