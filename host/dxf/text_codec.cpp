#include "dxf/text_codec.h"

#include "platform/text.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const iconv_t kNoIconv = reinterpret_cast<iconv_t>(-1);

bool isAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The value of a \U+XXXX escape at s[i], or -1.
int escapeAt(std::string_view s, size_t i) {
  if (i + 7 > s.size() || s[i] != '\\' || (s[i + 1] != 'U' && s[i + 1] != 'u') || s[i + 2] != '+')
    return -1;
  int v = 0;
  for (size_t k = 3; k < 7; ++k) {
    int h = hexValue(s[i + k]);
    if (h < 0) return -1;
    v = v * 16 + h;
  }
  return v;
}

// Replaces \U+XXXX escapes, which older releases use for characters outside the code page;
// a pair of surrogate escapes makes one character.
std::string decodeUnicodeEscapes(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    int v = escapeAt(s, i);
    if (v < 0) {
      out += s[i];
      continue;
    }
    char32_t cp = static_cast<char32_t>(v);
    int low = v >= 0xD800 && v <= 0xDBFF ? escapeAt(s, i + 7) : -1;
    if (low >= 0xDC00 && low <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + static_cast<char32_t>(low - 0xDC00);
      i += 7;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // half a pair is no character
    }
    platform::appendUtf8(out, cp);
    i += 6;
  }
  return out;
}

std::string decodeCarets(std::string_view s) {
  if (s.find('^') == std::string_view::npos) return std::string(s);
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '^' && i + 1 < s.size()) {
      char n = s[i + 1];
      if (n == ' ') {
        out += '^';
        ++i;
        continue;
      }
      if (n >= '@' && n <= '_') {
        out += static_cast<char>(n - '@');
        ++i;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

std::string encodeCarets(std::string_view s) {
  bool plain = true;
  for (char c : s) plain = plain && static_cast<unsigned char>(c) >= 0x20 && c != '^';
  if (plain) return std::string(s);
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (static_cast<unsigned char>(c) < 0x20) {
      out += '^';
      out += static_cast<char>(c + '@');
    } else if (c == '^') {
      out += "^ ";
    } else {
      out += c;
    }
  }
  return out;
}

// Converts with iconv; returns false when a sequence cannot be converted.
bool convert(iconv_t cd, std::string_view in, std::string& out) {
  out.clear();
  if (in.empty()) return true;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::vector<char> buf(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = buf.data();
  size_t dstLeft = buf.size();
  if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) return false;
  out.assign(buf.data(), buf.size() - dstLeft);
  return true;
}

}  // namespace

TextCodec::~TextCodec() {
  close();
}

void TextCodec::close() {
  if (toUtf8_ != kNoIconv) iconv_close(toUtf8_);
  if (fromUtf8_ != kNoIconv) iconv_close(fromUtf8_);
  toUtf8_ = fromUtf8_ = kNoIconv;
}

std::string TextCodec::iconvName(std::string_view codePage) {
  std::string upper;
  for (char c : codePage) upper += static_cast<char>(toupper(static_cast<unsigned char>(c)));
  // Only the pages drawings are written in, which all keep ASCII as it is: text read in
  // another (ANSI_935 would be an EBCDIC page) would not be written back the same.
  static constexpr std::string_view kAnsiPages[] = {"874",  "932",  "936",  "949",  "950",
                                                    "1250", "1251", "1252", "1253", "1254",
                                                    "1255", "1256", "1257", "1258"};
  if (upper.rfind("ANSI_", 0) == 0) {
    std::string_view number = std::string_view(upper).substr(5);
    for (std::string_view page : kAnsiPages)
      if (number == page) return "CP" + std::string(number);
  }
  if (upper == "DOS850") return "CP850";
  if (upper == "DOS437") return "CP437";
  if (upper == "DOS932") return "CP932";
  if (upper == "GB2312") return "CP936";
  if (upper == "BIG5") return "CP950";
  return "CP1252";
}

void TextCodec::configure(bool utf8, std::string_view codePage) {
  close();
  utf8_ = utf8;
  if (utf8) return;
  std::string name = iconvName(codePage);
  toUtf8_ = iconv_open("UTF-8", name.c_str());
  fromUtf8_ = iconv_open(name.c_str(), "UTF-8");
  if (toUtf8_ == kNoIconv || fromUtf8_ == kNoIconv) {
    close();
    toUtf8_ = iconv_open("UTF-8", "CP1252");
    fromUtf8_ = iconv_open("CP1252", "UTF-8");
  }
}

std::string TextCodec::decode(std::string_view raw) const {
  if (utf8_ || isAscii(raw)) {
    return utf8_ ? decodeCarets(raw) : decodeCarets(decodeUnicodeEscapes(raw));
  }
  std::string out;
  if (toUtf8_ == kNoIconv || !convert(toUtf8_, raw, out)) {
    // Bytes the code page does not define: keep them readable rather than fail the drawing.
    out.clear();
    for (unsigned char c : raw) platform::appendUtf8(out, c);
  }
  return decodeCarets(decodeUnicodeEscapes(out));
}

void TextCodec::encodeTo(std::string& out, std::string_view utf8) const {
  // Only control characters, carets and (in a code page) non-ASCII text and backslashes need
  // escaping.
  const unsigned char limit = utf8_ ? 0xFF : 0x7F;
  bool plain = true;
  for (char c : utf8) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == '^' || u > limit || (u == '\\' && !utf8_)) {
      plain = false;
      break;
    }
  }
  if (plain) {
    out.append(utf8);
    return;
  }
  out += encode(utf8);
}

std::string TextCodec::encode(std::string_view utf8) const {
  std::string escaped = encodeCarets(utf8);
  if (utf8_) return escaped;
  std::string out;
  std::string piece;
  for (size_t i = 0; i < escaped.size();) {
    platform::Utf8Char next = platform::decodeUtf8(escaped, i);
    std::string_view seq(escaped.data() + i, next.length);
    char32_t cp = next.codePoint;
    if (escapeAt(escaped, i) >= 0) {
      out += "\\U+005C";  // text that looks like an escape keeps its backslash when read
    } else if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp != platform::kReplacementCharacter && fromUtf8_ != kNoIconv &&
               convert(fromUtf8_, seq, piece)) {
      out += piece;
    } else {
      char esc[24];
      if (cp >= 0x10000) {
        cp -= 0x10000;
        std::snprintf(esc, sizeof esc, "\\U+%04X\\U+%04X",
                      static_cast<unsigned>(0xD800 + (cp >> 10)),
                      static_cast<unsigned>(0xDC00 + (cp & 0x3FF)));
      } else {
        std::snprintf(esc, sizeof esc, "\\U+%04X", static_cast<unsigned>(cp));
      }
      out += esc;
    }
    i += next.length;
  }
  return out;
}
