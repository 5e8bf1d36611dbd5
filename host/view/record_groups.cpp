#include "view/record_groups.h"

#include <charconv>
#include <string>

#include "dxf/dxf_tag.h"

namespace tzad {

void RecordGroups::read(std::string_view text) {
  groups_.clear();
  forEachGroup(text, [this](bool parsed, int code, std::string_view value, std::string_view) {
    if (parsed) groups_.push_back(RawGroup{code, value});
  });
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
  return parseReal(value).value_or(fallback);
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
