// The exception texts of the data set layer.
#pragma once

#include <QString>
#include <cstdint>

namespace pw {

inline constexpr std::uint16_t kDatasetGeneralError = 1401;
inline constexpr std::uint16_t kDatasetAtBegin = 1402;
inline constexpr std::uint16_t kDatasetAtEnd = 1403;
inline constexpr std::uint16_t kMissingFileName = 1404;

// 1404: "Missing DbfFilename property"; 1401-1403: "Dataset error: <code>";
// otherwise "Dataset error: " + the engine's text for the code, a line break
// and the detail text of the last engine error (which is taken). 0 counts as 1401.
QString DatasetErrorText(std::uint16_t code);

// Throws VEdeveZuzaz with DatasetErrorText(code).
[[noreturn]] void RaiseDatasetError(std::uint16_t code);
// Throws VEdeveZuzaz with `text`.
[[noreturn]] void RaiseDatabaseError(const QString& text);

}  // namespace pw
