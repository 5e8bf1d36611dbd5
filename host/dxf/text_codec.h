// Conversion between a drawing's text encoding and UTF-8. R2007 and later drawings are UTF-8;
// older ones use the code page their $DWGCODEPAGE names, with \U+XXXX for other characters.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

class TextCodec {
 public:
  TextCodec() = default;
  ~TextCodec();
  TextCodec(const TextCodec&) = delete;
  TextCodec& operator=(const TextCodec&) = delete;

  // utf8 true for R2007+; otherwise codePage is a $DWGCODEPAGE value such as "ANSI_936".
  void configure(bool utf8, std::string_view codePage);
  bool isUtf8() const { return utf8_; }
  // File bytes to UTF-8, with caret escapes (^J, "^ ") and \U+XXXX decoded.
  std::string decode(std::string_view raw) const;
  // UTF-8 to file bytes, with control characters written as caret escapes.
  std::string encode(std::string_view utf8) const;
  // The same, appended to `out` (the common case, plain text, is copied as it is).
  void encodeTo(std::string& out, std::string_view utf8) const;

  // The iconv name of a $DWGCODEPAGE value ("ANSI_936" -> "CP936"); CP1252 when unknown.
  static std::string iconvName(std::string_view codePage);

 private:
  void close();
  bool utf8_ = true;
  iconv_t toUtf8_ = reinterpret_cast<iconv_t>(-1);
  iconv_t fromUtf8_ = reinterpret_cast<iconv_t>(-1);
};
