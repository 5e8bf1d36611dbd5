// For resource libraries: copying a string into the caller's buffer the way tzresLoadString
// promises (at most size characters with the terminator; the number copied).
#pragma once

#include <algorithm>
#include <cstring>
#include <string_view>

inline int tzresCopyString(std::u16string_view text, char16_t* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
  std::memcpy(buffer, text.data(), n * sizeof(char16_t));
  buffer[n] = 0;
  return static_cast<int>(n);
}
