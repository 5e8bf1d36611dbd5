#include "dxf/dxf_tag.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "dxf/text_codec.h"

std::string_view trimLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

namespace {
bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
}  // namespace

// Hand-written: this runs for every line of a drawing, and the library's find_first_not_of
// costs a search per character.
std::string_view trimBlanks(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && isBlank(text[b])) ++b;
  while (e > b && isBlank(text[e - 1])) --e;
  return text.substr(b, e - b);
}

bool parseGroupCode(std::string_view line, int& code) {
  const char* p = line.data();
  const char* e = p + line.size();
  while (p < e && (*p == ' ' || *p == '\t')) ++p;
  while (e > p && isBlank(e[-1])) --e;
  if (p == e || e - p > 6) return false;
  bool negative = *p == '-';
  if (negative && ++p == e) return false;
  int value = 0;
  for (; p < e; ++p) {
    if (*p < '0' || *p > '9') return false;
    value = value * 10 + (*p - '0');
  }
  code = negative ? -value : value;
  return code >= -5 && code <= 1071;
}

bool parseHandle(std::string_view text, unsigned long long& handle) {
  std::string_view t = trimBlanks(text);
  if (t.empty() || t.size() > 16) return false;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), handle, 16);
  return ec == std::errc() && ptr == t.data() + t.size();
}

std::string formatHandle(unsigned long long handle) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%llX", handle);
  return buf;
}

std::string formatNumber(double value, std::chars_format format, int precision) {
  char buf[400];
  auto [end, error] = std::to_chars(buf, buf + sizeof buf, value, format, precision);
  return error == std::errc() ? std::string(buf, end) : std::string("0");
}

std::string formatReal(double value) {
  if (value == 0.0 || !std::isfinite(value)) return "0.0";
  std::string s = formatNumber(value, std::chars_format::general, 15);
  if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
  return s;
}

std::optional<double> parseReal(std::string_view text) {
  text = trimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

DxfTags parseTags(std::string_view text, const TextCodec& codec) {
  DxfTags tags;
  forEachGroup(text, [&](bool, int code, std::string_view value, std::string_view raw) {
    DxfTag tag;
    tag.code = code;
    tag.value = codec.decode(value);
    tag.raw = raw;
    tags.push_back(std::move(tag));
  });
  return tags;
}

void writeTags(const DxfTags& tags, const TextCodec& codec, std::string_view eol,
               std::string& out) {
  size_t size = out.size();
  for (const DxfTag& tag : tags) size += tag.raw.empty() ? tag.value.size() + 8 : tag.raw.size();
  out.reserve(size);
  for (const DxfTag& tag : tags) {
    if (!tag.raw.empty()) {
      out += tag.raw;
      continue;
    }
    // Group codes are right-aligned in three columns, as CAD programs write them.
    char digits[8];
    int n = 0;
    unsigned value = static_cast<unsigned>(tag.code < 0 ? -tag.code : tag.code);
    do {
      digits[n++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value);
    if (tag.code < 0) digits[n++] = '-';
    if (n < 3) out.append(static_cast<size_t>(3 - n), ' ');
    while (n) out += digits[--n];
    out += eol;
    codec.encodeTo(out, tag.value);
    out += eol;
  }
}
