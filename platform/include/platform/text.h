// UTF-8 at the platform's edges (file names, programs' arguments), UTF-16 inside.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::u16string fromUtf8(std::string_view text);
std::string toUtf8(std::u16string_view text);
// Appends one code point in UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// File names are bytes, usually but not always UTF-8. A byte that is not part of valid UTF-8
// becomes the lone low surrogate U+DC80 + byte, and toFileName turns it back, so that any
// name the file system holds survives the trip through UTF-16. Shown as text, such a byte
// reads as U+FFFD.
std::u16string fromFileName(std::string_view bytes);
std::string toFileName(std::u16string_view name);

}  // namespace platform
