// A text fetched from the resource library (or, for keyword lists, the host's keyword
// library), falling back to its built-in default.
#pragma once

#include <cstdint>

#include "module/string_table.h"
#include "tz_string.h"

namespace hyperlink {

struct ResourceString {
  static constexpr int kCapacity = 1000;
  explicit ResourceString(const TextId& t) : defaultText(t.defaultText), id(t.id) {}
  ResourceString(uint32_t i, const char16_t* d) : defaultText(d), id(i) {}

  char16_t text[kCapacity] = {};
  const char16_t* defaultText;
  uint32_t id;
};

// Loads the record's text and returns it (valid while the record lives).
const char16_t* loadResourceString(ResourceString& rs);
// The text of an identifier, as a string.
TzString resourceText(const TextId& t);

}  // namespace hyperlink
