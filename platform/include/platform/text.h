// The one conversion between UTF-8 and UTF-16 for text: files, the terminal, the clipboard and
// the toolkits all go through it. Bytes that are not UTF-8 (overlong forms, encoded surrogates,
// values past U+10FFFF, cut or stray sequences) and lone surrogates become U+FFFD, so nothing
// that reads as "/" or NUL here can arrive spelled some other way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// One character read from UTF-8: its code point (U+FFFD for a malformed sequence) and the
// bytes it took. A malformed sequence takes the longest prefix that could have begun a valid
// one, at least one byte, so the next character starts at the first byte that does not fit.
struct Utf8Char {
  char32_t codePoint;
  size_t length;
};
Utf8Char decodeUtf8(std::string_view text, size_t at);

std::u16string fromUtf8(std::string_view text);
std::string toUtf8(std::u16string_view text);
// UTF-16 from outside (another program's UTF-16 bytes) with each lone surrogate as U+FFFD.
std::u16string validUtf16(std::u16string_view text);
// Appends one code point; a surrogate or a value past U+10FFFF is appended as U+FFFD.
void appendUtf8(std::string& out, char32_t codePoint);
void appendUtf16(std::u16string& out, char32_t codePoint);

// The longest length of at most `limit` code units that does not end between the two halves
// of a surrogate pair.
size_t utf16CutLength(std::u16string_view text, size_t limit);

// File names are bytes, usually but not always UTF-8. A byte that is not part of valid UTF-8
// becomes the lone low surrogate U+DC80 + byte, and toFileName turns it back, so that any
// name the file system holds survives the trip through UTF-16. Shown as text, such a byte
// reads as U+FFFD.
std::u16string fromFileName(std::string_view bytes);
std::string toFileName(std::u16string_view name);

}  // namespace platform
