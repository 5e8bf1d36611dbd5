// UTF-8 at the platform's edges (file names, programs' arguments), UTF-16 inside.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::u16string fromUtf8(std::string_view text);
std::string toUtf8(std::u16string_view text);
// Appends one code point in UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace platform
