// One group of a DXF file: a group code and its value.
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TextCodec;

struct DxfTag {
  int code = 0;
  std::string value;     // UTF-8
  std::string_view raw;  // both lines as the file holds them; empty once changed or when new

  DxfTag() = default;
  DxfTag(int c, std::string v) : code(c), value(std::move(v)) {}
  void set(std::string v) {
    if (v == value && !raw.empty()) return;
    value = std::move(v);
    raw = {};
  }
};

using DxfTags = std::vector<DxfTag>;

// Splits an object's text (as stored by the database, already validated) into tags.
DxfTags parseTags(std::string_view text, const TextCodec& codec);
// Writes tags; unchanged tags are copied as they were, new ones use the given line ending.
void writeTags(const DxfTags& tags, const TextCodec& codec, std::string_view eol, std::string& out);
// The position of the next line feed at or after `from`, or npos. DXF lines are mostly a few
// characters long, where a plain loop beats a library search call.
inline size_t findLineEnd(std::string_view text, size_t from) {
  for (size_t i = from; i < text.size(); ++i)
    if (text[i] == '\n') return i;
  return std::string_view::npos;
}
// The value of a group line with its trailing carriage return removed.
std::string_view trimLineEnd(std::string_view line);
// Parses a group code; false when the line is not a whole number in the DXF range.
bool parseGroupCode(std::string_view line, int& code);
// Calls visit(parsed, code, value, raw) for each group of an object's text, in order: whether
// the code line parsed, the code, the value without its line end, and the group's two lines.
template <typename Visit>
void forEachGroup(std::string_view text, Visit visit) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t codeEnd = findLineEnd(text, pos);
    if (codeEnd == std::string_view::npos) break;
    size_t valueEnd = findLineEnd(text, codeEnd + 1);
    size_t stop = valueEnd == std::string_view::npos ? text.size() : valueEnd + 1;
    int code = 0;
    const bool parsed = parseGroupCode(text.substr(pos, codeEnd - pos), code);
    visit(parsed, code, trimLineEnd(text.substr(codeEnd + 1, stop - codeEnd - 1)),
          text.substr(pos, stop - pos));
    pos = stop;
  }
}
// Leading and trailing blanks removed (group code lines and numbers are padded).
std::string_view trimBlanks(std::string_view text);
// Parses a hexadecimal handle of up to 16 digits; false for anything else.
bool parseHandle(std::string_view text, unsigned long long& handle);
std::string formatHandle(unsigned long long handle);
// Numbers as DXF text and back, the same under every locale (a library that sets LC_NUMERIC
// to a decimal comma changes nothing here): the one place that turns numbers into text.
std::string formatReal(double value);
// Blanks around and a leading "+" allowed; nothing when the text is no finite number.
std::optional<double> parseReal(std::string_view text);
// printf's "%.<precision>f" or "%.<precision>g" (general), in the C locale.
std::string formatNumber(double value, std::chars_format format, int precision);
