// Cutting blanks off the ends of typed or pasted text. Each caller names the characters it
// treats as blanks, since an answer typed at a prompt and a line taken from the clipboard
// differ in what may surround them.
#pragma once

#include <string_view>

namespace platform {

// The blanks that separate words on a command line.
constexpr std::u16string_view kBlanks = u" \t";

// `text` without the characters of `blanks` at either end.
std::u16string_view trimmed(std::u16string_view text, std::u16string_view blanks = kBlanks);
std::string_view trimmed(std::string_view text, std::string_view blanks);
// `text` without the characters of `blanks` at its end.
std::u16string_view trimmedEnd(std::u16string_view text, std::u16string_view blanks = kBlanks);

}  // namespace platform
