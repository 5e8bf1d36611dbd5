#include "platform/display_text.h"

#include <cstdio>

#include "platform/text.h"

namespace platform {

namespace {

constexpr char16_t kEllipsis = u'\u2026';

// Characters that change the order or the look of what follows them, or show nothing at all.
bool isInvisibleControl(char16_t c) {
  return (c >= 0x80 && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
         (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x2028 || c == 0x2029;
}

// How one code unit is shown.
std::u16string shown(char16_t c, LineBreaks lineBreaks) {
  bool kept = lineBreaks == LineBreaks::Keep && (c == u'\n' || c == u'\t');
  if (kept) return std::u16string(1, c);
  if (c < 0x20) return {u'^', static_cast<char16_t>(c + 0x40)};
  if (c == 0x7F) return u"^?";
  if (!isInvisibleControl(c)) return std::u16string(1, c);
  char code[16];
  std::snprintf(code, sizeof code, "<U+%04X>", static_cast<unsigned>(c));
  return fromUtf8(code);
}

}  // namespace

bool holdsControlCharacter(std::u16string_view text) {
  for (char16_t c : text)
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;
  return false;
}

std::u16string displayText(std::u16string_view text, size_t limit, LineBreaks lineBreaks) {
  std::u16string out;
  for (size_t i = 0; i < text.size() && out.size() <= limit; ++i) out += shown(text[i], lineBreaks);
  if (out.size() <= limit) return out;
  out.resize(limit == 0 ? 0 : utf16CutLength(out, limit - 1));
  if (limit > 0) out += kEllipsis;
  return out;
}

}  // namespace platform
