#include "platform/text.h"

namespace platform {

namespace {

bool isSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}
bool isHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

bool isAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// What a lead byte starts: how many continuation bytes follow, and the range the first of
// them must lie in. The narrowed ranges after E0, ED, F0 and F4 are what shuts out overlong
// forms, encoded surrogates and values past U+10FFFF.
struct LeadByte {
  size_t continuations;
  unsigned char low, high;
  char32_t bits;
};

bool readLead(unsigned char c, LeadByte& lead) {
  if (c >= 0xC2 && c <= 0xDF)
    lead = {1, 0x80, 0xBF, c & 0x1Fu};
  else if (c == 0xE0)
    lead = {2, 0xA0, 0xBF, 0};
  else if (c == 0xED)
    lead = {2, 0x80, 0x9F, 0xD};
  else if (c >= 0xE1 && c <= 0xEF)
    lead = {2, 0x80, 0xBF, c & 0x0Fu};
  else if (c == 0xF0)
    lead = {3, 0x90, 0xBF, 0};
  else if (c >= 0xF1 && c <= 0xF3)
    lead = {3, 0x80, 0xBF, c & 0x07u};
  else if (c == 0xF4)
    lead = {3, 0x80, 0x8F, 4};
  else
    return false;
  return true;
}

}  // namespace

Utf8Char decodeUtf8(std::string_view text, size_t at) {
  unsigned char c = static_cast<unsigned char>(text[at]);
  if (c < 0x80) return {c, 1};
  LeadByte lead;
  if (!readLead(c, lead)) return {kReplacementCharacter, 1};
  char32_t codePoint = lead.bits;
  for (size_t k = 1; k <= lead.continuations; ++k) {
    if (at + k >= text.size()) return {kReplacementCharacter, k};
    unsigned char cc = static_cast<unsigned char>(text[at + k]);
    unsigned char low = k == 1 ? lead.low : 0x80;
    unsigned char high = k == 1 ? lead.high : 0xBF;
    if (cc < low || cc > high) return {kReplacementCharacter, k};
    codePoint = (codePoint << 6) | (cc & 0x3Fu);
  }
  return {codePoint, lead.continuations + 1};
}

namespace {

// A file name's byte that is not part of valid UTF-8 travels as the lone low surrogate
// U+DC80..U+DCFF, so that the exact name comes back when the path is made.
constexpr char16_t kEscapedByte = 0xDC00;

// Decodes UTF-8; `invalid(sequence, out)` takes each sequence that is no character (an encoded
// U+FFFD is a character like any other).
template <typename Invalid>
std::u16string decodeAll(std::string_view text, Invalid invalid) {
  if (isAscii(text)) return std::u16string(text.begin(), text.end());
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    Utf8Char next = decodeUtf8(text, i);
    std::string_view sequence = text.substr(i, next.length);
    if (next.codePoint == kReplacementCharacter && sequence != "\xEF\xBF\xBD")
      invalid(sequence, out);
    else
      appendUtf16(out, next.codePoint);
    i += next.length;
  }
  return out;
}

// Encodes UTF-16 as UTF-8; `lone(unit, out)` takes each surrogate that is half of no pair.
template <typename Lone>
std::string encodeAll(std::u16string_view text, Lone lone) {
  bool ascii = true;
  for (char16_t c : text) ascii = ascii && c < 0x80;
  if (ascii) return std::string(text.begin(), text.end());
  std::string out;
  out.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1]))
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    else if (isSurrogate(c))
      lone(text[i], out);
    if (!isSurrogate(c)) appendUtf8(out, c);
  }
  return out;
}

}  // namespace

std::u16string fromUtf8(std::string_view text) {
  return decodeAll(
      text, [](std::string_view, std::u16string& out) { appendUtf16(out, kReplacementCharacter); });
}

std::string toUtf8(std::u16string_view text) {
  return encodeAll(text,
                   [](char16_t, std::string& out) { appendUtf8(out, kReplacementCharacter); });
}

std::u16string validUtf16(std::u16string_view text) {
  std::u16string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    if (isHighSurrogate(out[i]) && i + 1 < out.size() && isLowSurrogate(out[i + 1]))
      ++i;
    else if (isSurrogate(out[i]))
      out[i] = static_cast<char16_t>(kReplacementCharacter);
  }
  return out;
}

void appendUtf8(std::string& out, char32_t c) {
  if (isSurrogate(c) || c > 0x10FFFF) c = kReplacementCharacter;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void appendUtf16(std::u16string& out, char32_t c) {
  if (isSurrogate(c) || c > 0x10FFFF) c = kReplacementCharacter;
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
    return;
  }
  c -= 0x10000;
  out += static_cast<char16_t>(0xD800 + (c >> 10));
  out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

size_t utf16CutLength(std::u16string_view text, size_t limit) {
  if (text.size() <= limit) return text.size();
  if (limit > 0 && isHighSurrogate(text[limit - 1]) && isLowSurrogate(text[limit]))
    return limit - 1;
  return limit;
}

std::u16string fromFileName(std::string_view bytes) {
  // Every byte of an invalid sequence is 0x80 or above: ASCII always decodes.
  return decodeAll(bytes, [](std::string_view sequence, std::u16string& out) {
    for (char byte : sequence)
      out += static_cast<char16_t>(kEscapedByte + static_cast<unsigned char>(byte));
  });
}

std::string toFileName(std::u16string_view name) {
  return encodeAll(name, [](char16_t unit, std::string& out) {
    if (unit >= kEscapedByte + 0x80u && unit <= kEscapedByte + 0xFFu)
      out += static_cast<char>(unit - kEscapedByte);
    else
      appendUtf8(out, kReplacementCharacter);
  });
}

}  // namespace platform
