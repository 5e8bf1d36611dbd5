// Texts are UTF-16, and every length and limit counts UTF-16 code units; UTF-8 appears only
// where text leaves or enters the process (files, terminal, clipboard, toolkits).
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include "tz_export.h"

TZAD_SDK_BEGIN

using TzString = std::u16string;

// Copies text into a caller's buffer of `size` code units, cut to leave room for the
// terminator; the number of code units copied. No buffer or no room copies nothing.
inline int tzutCopyString(std::u16string_view text, char16_t* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
  std::memcpy(buffer, text.data(), n * sizeof(char16_t));
  buffer[n] = 0;
  return static_cast<int>(n);
}

// Converts UTF-8 to UTF-16. Bytes that are not UTF-8 become U+FFFD: overlong forms (C0 AF is
// not "/"), encoded surrogates, values past U+10FFFF, cut and stray sequences.
TzString tzutFromUtf8(std::string_view utf8);
// Converts UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string tzutToUtf8(std::u16string_view utf16);
// Compares ignoring letter case. ASCII, Latin-1 and Latin Extended-A letters fold both ways
// (Y with diaeresis U+0178 equals U+00FF); letters of other scripts compare as they are.
bool tzutEqualsNoCase(std::u16string_view a, std::u16string_view b);
// Folds one character to lower case, as tzutEqualsNoCase does.
char16_t tzutFoldCase(char16_t c);

TZAD_SDK_END
