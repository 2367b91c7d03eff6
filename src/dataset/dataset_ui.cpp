#include "dataset/dataset_ui.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <utility>

namespace pw {
namespace {

class LogUi final : public DatasetUi {
 public:
  void Warning(const QString& text) override { qWarning("%s", qUtf8Printable(text)); }
  void ProgressStart(const QString&) override {}
  void ProgressTick() override {}
  void ProgressFinish() override {}
  void RequestProgramEnd() override { QCoreApplication::exit(1); }
};

DatasetUi*& Installed() {
  static DatasetUi* ui = nullptr;
  return ui;
}

}  // namespace

DatasetUi& CurrentDatasetUi() {
  static LogUi fallback;
  DatasetUi* ui = Installed();
  return ui != nullptr ? *ui : fallback;
}

DatasetUi* SetDatasetUi(DatasetUi* ui) {
  return std::exchange(Installed(), ui);
}

}  // namespace pw
