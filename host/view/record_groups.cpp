#include "view/record_groups.h"

#include <charconv>
#include <string>

#include "dxf/dxf_tag.h"

namespace tzad {

void RecordGroups::read(std::string_view text) {
  groups_.clear();
  size_t pos = 0;
  while (pos < text.size()) {
    size_t codeEnd = findLineEnd(text, pos);
    if (codeEnd == std::string_view::npos) break;
    size_t valueEnd = findLineEnd(text, codeEnd + 1);
    size_t next = valueEnd == std::string_view::npos ? text.size() : valueEnd + 1;
    RawGroup g;
    if (parseGroupCode(text.substr(pos, codeEnd - pos), g.code)) {
      g.value = trimLineEnd(text.substr(codeEnd + 1, next - codeEnd - 1));
      groups_.push_back(g);
    }
    pos = next;
  }
}

const RawGroup* RecordGroups::find(int code) const {
  for (const RawGroup& g : groups_)
    if (g.code == code) return &g;
  return nullptr;
}

double RecordGroups::real(int code, double fallback) const {
  const RawGroup* g = find(code);
  return g ? realOf(g->value, fallback) : fallback;
}

int RecordGroups::integer(int code, int fallback) const {
  const RawGroup* g = find(code);
  return g ? integerOf(g->value, fallback) : fallback;
}

std::string_view RecordGroups::text(int code) const {
  const RawGroup* g = find(code);
  return g ? g->value : std::string_view();
}

double realOf(std::string_view value, double fallback) {
  value = trimBlanks(value);
  if (!value.empty() && value.front() == '+') value.remove_prefix(1);
  double result = fallback;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), result);
  return error == std::errc() ? result : fallback;
}

int integerOf(std::string_view value, int fallback) {
  value = trimBlanks(value);
  if (!value.empty() && value.front() == '+') value.remove_prefix(1);
  int result = fallback;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), result);
  return error == std::errc() ? result : fallback;
}

std::string upperAscii(std::string_view name) {
  std::string upper(trimBlanks(name));
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return upper;
}

}  // namespace tzad
