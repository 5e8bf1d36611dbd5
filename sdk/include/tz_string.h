// Texts are UTF-16, as the module's rules count them; UTF-8 appears only at the edges.
#pragma once

#include <string>
#include <string_view>

using TzString = std::u16string;

// Converts UTF-8 to UTF-16; malformed bytes become U+FFFD.
TzString tzutFromUtf8(std::string_view utf8);
// Converts UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string tzutToUtf8(std::u16string_view utf16);
// Compares ignoring letter case (ASCII and Latin-1/Latin Extended-A letters fold).
bool tzutEqualsNoCase(std::u16string_view a, std::u16string_view b);
// Folds one character to lower case, as tzutEqualsNoCase does.
char16_t tzutFoldCase(char16_t c);
