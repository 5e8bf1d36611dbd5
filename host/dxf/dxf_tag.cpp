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

std::string_view trimBlanks(std::string_view text) {
  size_t b = text.find_first_not_of(" \t\r\n");
  if (b == std::string_view::npos) return {};
  size_t e = text.find_last_not_of(" \t\r\n");
  return text.substr(b, e - b + 1);
}

bool parseGroupCode(std::string_view line, int& code) {
  std::string_view t = trimBlanks(line);
  if (t.empty() || t.size() > 6) return false;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), code);
  return ec == std::errc() && ptr == t.data() + t.size() && code >= -5 && code <= 1071;
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

std::string formatReal(double value) {
  if (value == 0.0 || !std::isfinite(value)) return "0.0";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  std::string s = buf;
  if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
  return s;
}

DxfTags parseTags(std::string_view text, const TextCodec& codec) {
  DxfTags tags;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t codeEnd = text.find('\n', pos);
    if (codeEnd == std::string_view::npos) break;
    size_t valueEnd = text.find('\n', codeEnd + 1);
    size_t stop = valueEnd == std::string_view::npos ? text.size() : valueEnd + 1;
    DxfTag tag;
    parseGroupCode(text.substr(pos, codeEnd - pos), tag.code);
    std::string_view value = trimLineEnd(text.substr(codeEnd + 1, stop - codeEnd - 1));
    tag.value = codec.decode(value);
    tag.raw = text.substr(pos, stop - pos);
    tags.push_back(std::move(tag));
    pos = stop;
  }
  return tags;
}

void writeTags(const DxfTags& tags, const TextCodec& codec, std::string_view eol,
               std::string& out) {
  char code[16];
  for (const DxfTag& tag : tags) {
    if (!tag.raw.empty()) {
      out += tag.raw;
      continue;
    }
    std::snprintf(code, sizeof code, "%3d", tag.code);
    out += code;
    out += eol;
    out += codec.encode(tag.value);
    out += eol;
  }
}
