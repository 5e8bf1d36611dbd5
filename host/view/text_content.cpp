#include "view/text_content.h"

#include <cctype>

#include "platform/text.h"

namespace tzad {

namespace {

void appendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += char(code);
  } else if (code < 0x800) {
    out += char(0xC0 | (code >> 6));
    out += char(0x80 | (code & 0x3F));
  } else {
    out += char(0xE0 | (code >> 12));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  }
}

// "U+XXXX" at `at` (the U), with its value.
bool unicodeEscape(std::string_view text, size_t at, unsigned& value) {
  if (at + 5 >= text.size() || text[at + 1] != '+') return false;
  value = 0;
  for (size_t k = at + 2; k < at + 6; ++k) {
    const char c = text[k];
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    value = value * 16 +
            unsigned(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c | 0x20) - 'a' + 10);
  }
  return value != 0;
}

}  // namespace

std::string plainText(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%' || i + 2 >= text.size() || text[i + 1] != '%') {
      out += text[i];
      continue;
    }
    char code = char(std::tolower(static_cast<unsigned char>(text[i + 2])));
    i += 2;
    if (code == 'd')
      appendUtf8(out, 0xB0);
    else if (code == 'p')
      appendUtf8(out, 0xB1);
    else if (code == 'c')
      appendUtf8(out, 0x2300);
    else if (code == '%')
      out += '%';
    else if (std::isdigit(static_cast<unsigned char>(code))) {
      unsigned value = 0;
      size_t digits = 0;
      for (; digits < 3 && i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
           ++digits, ++i)
        value = value * 10 + unsigned(text[i] - '0');
      --i;
      if (value > 0) appendUtf8(out, value);
    }
    // %%u, %%o and unknown codes switch a style on or off: nothing to show.
  }
  return out;
}

std::vector<std::string> mtextLines(std::string_view text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '{' || c == '}') continue;
    if (c != '\\' || i + 1 >= text.size()) {
      lines.back() += c;
      continue;
    }
    char code = text[++i];
    switch (code) {
      case 'P':
        lines.emplace_back();
        break;
      case '~':
        lines.back() += ' ';
        break;
      case '\\':
      case '{':
      case '}':
        lines.back() += code;
        break;
      case 'S': {  // stacked: "a^b;", "a/b;" or "a#b;"
        size_t end = text.find(';', i);
        if (end == std::string_view::npos) end = text.size();
        for (char s : text.substr(i + 1, end - i - 1))
          lines.back() += (s == '^' || s == '#') ? '/' : s;
        i = end;
        break;
      }
      case 'L':
      case 'l':
      case 'O':
      case 'o':
      case 'K':
      case 'k':
      case 'N':
        break;   // switches without a value
      case 'U':  // \U+XXXX: a character by its number
        if (unsigned value = 0; unicodeEscape(text, i, value)) {
          appendUtf8(lines.back(), value);
          i += 5;
          break;
        }
        lines.back() += code;
        break;
      default: {  // \f...; \H...; \C...; and the others carry a value up to ';'
        size_t end = text.find(';', i);
        i = end == std::string_view::npos ? text.size() : end;
      }
    }
  }
  while (lines.size() > 1 && lines.back().empty()) lines.pop_back();
  // Multi-line text takes the special characters of single-line text too.
  for (std::string& line : lines) line = plainText(line);
  return lines;
}

namespace {

// Chinese, Japanese and Korean characters and the full-width forms: a square each.
bool isWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

double estimatedWidth(std::string_view text, double height, double widthFactor) {
  // A square is the font's whole size, of which the capitals' height is about 0.72.
  constexpr double kNarrow = 0.7, kWide = 1 / 0.72;
  double widths = 0;
  for (size_t at = 0; at < text.size();) {
    platform::Utf8Char c = platform::decodeUtf8(text, at);
    widths += isWide(c.codePoint) ? kWide : kNarrow;
    at += c.length;
  }
  return height * widthFactor * widths;
}

}  // namespace tzad
