#include "dataset/dataset_error.h"

#include "common/error_text.h"
#include "dataset/engine_text.h"

namespace pw {

QString DatasetErrorText(std::uint16_t code) {
  if (code == 0) code = kDatasetGeneralError;
  if (code == kMissingFileName) return QStringLiteral("Missing DbfFilename property");
  if (code >= kDatasetGeneralError && code <= kDatasetAtEnd) {
    return QStringLiteral("Dataset error: %1").arg(code);
  }
  return QStringLiteral("Dataset error: ") + FromEngineText(ErrorText(code)) +
         QStringLiteral("\r\n") + FromEngineText(TakeDetailText());
}

void RaiseDatasetError(std::uint16_t code) {
  RaiseDatabaseError(DatasetErrorText(code));
}

void RaiseDatabaseError(const QString& text) {
  throw EngineError(ToEngineText(text));
}

bool SetEngineErrorDispatch(bool on) {
  return SetAutoDispatch(on);
}

}  // namespace pw
