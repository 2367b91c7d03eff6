// Paths between Qt and the engine: the engine's paths are the file system's
// own bytes (UTF-8 on Linux), never code-page text, so that a data folder
// named "Jösé", "Ωmega" or in CJK letters names the same folder on both
// sides. Table text goes through engine_text.h instead.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace pw {

std::string ToEnginePath(const QString& path);
QString FromEnginePath(std::string_view bytes);

}  // namespace pw
