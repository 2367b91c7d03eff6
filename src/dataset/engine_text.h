// Table text between the engine and Qt: engine text is Windows-1252 bytes.
// Every 1252 byte survives a round trip; characters that 1252 lacks become
// "?". Paths are not text: they go through engine_path.h.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace pw {

QString FromEngineText(std::string_view bytes);
std::string ToEngineText(const QString& text);

}  // namespace pw
