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
  // Latin-1 capitals (except the multiplication sign) and Latin Extended-A pairs.
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
      c != 0x17F) {
    bool oddLower = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (oddLower) return (c & 1) ? static_cast<char16_t>(c + 1) : c;
    return (c & 1) ? c : static_cast<char16_t>(c + 1);
  }
  return c;
}

bool tzutEqualsNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (tzutFoldCase(a[i]) != tzutFoldCase(b[i])) return false;
  return true;
}
