// The data set layer's user interface for the desktop program: warnings in
// a message box, index builds in a TTzProgress100 window.
#pragma once

#include <memory>

#include "dataset/dataset_ui.h"
#include "dialogs/tz_progress100.h"

namespace pw {

class DialogDatasetUi final : public DatasetUi {
 public:
  void Warning(const QString& text) override;
  void ProgressStart(const QString& caption) override;
  void ProgressTick() override;
  void ProgressFinish() override;
  void RequestProgramEnd() override;

  // The window of the build in progress, or null.
  TTzProgress100* Progress() const { return progress_.get(); }

 private:
  std::unique_ptr<TTzProgress100> progress_;
};

}  // namespace pw
