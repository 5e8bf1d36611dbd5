#include "platform/translation.h"

#include <libintl.h>

namespace platform {

const char* tr(const char* english) {
  // gettext answers the empty text with the catalog's header.
  if (english == nullptr || *english == 0) return "";
  return dgettext("tzad", english);
}

std::string trf(const char* english, std::initializer_list<std::string_view> values) {
  return fillPlaceholders(tr(english), std::vector<std::string_view>(values));
}

std::string fillPlaceholders(std::string_view pattern,
                             const std::vector<std::string_view>& values) {
  std::string out;
  out.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    size_t close = pattern[i] == '{' ? pattern.find('}', i) : std::string_view::npos;
    if (close != std::string_view::npos && close > i + 1 && close - i <= 3) {
      size_t index = 0;
      bool digits = true;
      for (size_t k = i + 1; k < close; ++k) {
        digits = digits && pattern[k] >= '0' && pattern[k] <= '9';
        index = index * 10 + static_cast<size_t>(pattern[k] - '0');
      }
      if (digits && index < values.size()) {
        out += values[index];
        i = close;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}

}  // namespace platform
