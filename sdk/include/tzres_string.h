// For resource libraries: answering tzresLoadString from a bilingual table (at most size
// characters with the terminator; the number copied).
#pragma once

#include <cstring>
#include <iterator>
#include <string_view>

#include "tz_export.h"
#include "tz_string.h"

TZAD_SDK_BEGIN

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
    if (e.id == id) return tzutCopyString(english ? e.english : e.chinese, buffer, size);
  return 0;
}

TZAD_SDK_END
