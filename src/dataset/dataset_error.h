// The errors of the data set layer: the exception it raises (EngineError,
// from the engine's error state) with its texts, and how engine errors of
// its operations are handled.
#pragma once

#include <QString>
#include <cstdint>

#include "common/error_state.h"

namespace pw {

inline constexpr std::uint16_t kDatasetGeneralError = 1401;
inline constexpr std::uint16_t kDatasetAtBegin = 1402;
inline constexpr std::uint16_t kDatasetAtEnd = 1403;
inline constexpr std::uint16_t kMissingFileName = 1404;

// 1404: "Missing DbfFilename property"; 1401-1403: "Dataset error: <code>";
// otherwise "Dataset error: " + the engine's text for the code, a line break
// and the detail text of the last engine error (which is taken). 0 counts as 1401.
QString DatasetErrorText(std::uint16_t code);

// Throws EngineError with DatasetErrorText(code).
[[noreturn]] void RaiseDatasetError(std::uint16_t code);
// Throws EngineError with `text`.
[[noreturn]] void RaiseDatabaseError(const QString& text);

// Off: an engine error of an operation only sets the code that
// DbfTable::LastError reads; on: it is also dispatched (shown, raised or
// ending the program, as the engine is set up). Returns the previous value.
bool SetEngineErrorDispatch(bool on);

}  // namespace pw
