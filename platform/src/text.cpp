#include "platform/text.h"

namespace platform {

namespace {

bool isAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Decodes UTF-8; each byte that is not part of a valid, shortest-form sequence becomes
// `invalid(byte)`.
template <typename Invalid>
std::u16string decodeUtf8(std::string_view text, Invalid invalid) {
  if (isAscii(text)) return std::u16string(text.begin(), text.end());
  static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > text.size()) {
      out += invalid(c);
      ++i;
      continue;
    }
    char32_t cp = n == 1 ? c : c & (0x7F >> n);
    bool ok = true;
    for (size_t k = 1; k < n; ++k) {
      unsigned char cc = static_cast<unsigned char>(text[i + k]);
      ok = ok && (cc & 0xC0) == 0x80;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok || cp < kShortest[n] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
      out += invalid(c);
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += n;
  }
  return out;
}

// Encodes UTF-16 as UTF-8; a lone surrogate goes to `lone(out, unit)`.
template <typename Lone>
std::string encodeUtf8(std::u16string_view text, Lone lone) {
  bool ascii = true;
  for (char16_t c : text) ascii = ascii && c < 0x80;
  if (ascii) return std::string(text.begin(), text.end());
  std::string out;
  out.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      lone(out, text[i]);
      continue;
    }
    appendUtf8(out, cp);
  }
  return out;
}

constexpr char16_t kEscapedByte = 0xDC00;

}  // namespace

std::u16string fromUtf8(std::string_view text) {
  return decodeUtf8(text, [](unsigned char) { return u'\uFFFD'; });
}

std::string toUtf8(std::u16string_view text) {
  return encodeUtf8(text, [](std::string& out, char16_t) { appendUtf8(out, 0xFFFD); });
}

std::u16string fromFileName(std::string_view bytes) {
  return decodeUtf8(bytes, [](unsigned char c) { return static_cast<char16_t>(kEscapedByte + c); });
}

std::string toFileName(std::u16string_view name) {
  return encodeUtf8(name, [](std::string& out, char16_t unit) {
    // Only bytes 0x80-0xFF are ever escaped: ASCII is always valid UTF-8.
    if (unit >= kEscapedByte + 0x80 && unit <= kEscapedByte + 0xFF)
      out += static_cast<char>(unit - kEscapedByte);
    else
      appendUtf8(out, 0xFFFD);
  });
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace platform
