#include "tz_string.h"

#include "platform/text.h"

TzString tzutFromUtf8(std::string_view utf8) {
  return platform::fromUtf8(utf8);
}

std::string tzutToUtf8(std::u16string_view utf16) {
  return platform::toUtf8(utf16);
}

char16_t tzutFoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  // Latin-1 capitals sit 32 below their small letters; the multiplication sign is no letter.
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  // Latin Extended-A: capital and small letter side by side, the capital first; the two runs
  // after the letters without case (U+0138, U+0149) start on an odd code point.
  if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
    return static_cast<char16_t>(c | 1);
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
    return (c & 1) ? static_cast<char16_t>(c + 1) : c;
  // The two that leave their block: capital Y with diaeresis pairs with U+00FF, long s is s.
  if (c == 0x178) return 0xFF;
  if (c == 0x17F) return u's';
  return c;
}

bool tzutEqualsNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (tzutFoldCase(a[i]) != tzutFoldCase(b[i])) return false;
  return true;
}
