// The two encodings of the data files: files of existing installations are Windows-1252, the
// program holds every text as UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelk {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Every one of the 256 bytes has a character: 0x80-0x9F as the code page defines them, its five
// undefined bytes as the C1 control of the same value, the rest as Latin-1.
std::string Windows1252ToUtf8(std::string_view bytes);

// Empty when the text holds a character that Windows-1252 cannot store (or is no valid UTF-8).
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

}  // namespace zelk
