// For resource libraries: copying a string into the caller's buffer the way tzresLoadString
// promises (at most size characters with the terminator; the number copied).
#pragma once

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>

inline int tzresCopyString(std::u16string_view text, char16_t* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
  std::memcpy(buffer, text.data(), n * sizeof(char16_t));
  buffer[n] = 0;
  return static_cast<int>(n);
}

// One string of a bilingual table.
struct TzresEntry {
  unsigned id;
  const char16_t* chinese;
  const char16_t* english;
};

// tzresLoadString over a table: the string in the language the host runs in (English for
// "en", Chinese otherwise); 0 and an empty buffer when the table lacks the id.
template <size_t N>
int tzresLoadFromTable(const TzresEntry (&table)[N], unsigned id, char16_t* buffer, int size,
                       const char* language) {
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = 0;
  bool english = std::strcmp(language, "en") == 0;
  for (const TzresEntry& e : table)
    if (e.id == id) return tzresCopyString(english ? e.english : e.chinese, buffer, size);
  return 0;
}
