#include "platform/trim.h"

namespace platform {
namespace {

template <typename View>
View trimmedEnd(View text, View blanks) {
  size_t last = text.find_last_not_of(blanks);
  return last == View::npos ? View() : text.substr(0, last + 1);
}

template <typename View>
View trimmed(View text, View blanks) {
  size_t begin = text.find_first_not_of(blanks);
  return begin == View::npos ? View() : trimmedEnd(text.substr(begin), blanks);
}

}  // namespace

std::u16string_view trimmed(std::u16string_view text, std::u16string_view blanks) {
  return trimmed<std::u16string_view>(text, blanks);
}

std::string_view trimmed(std::string_view text, std::string_view blanks) {
  return trimmed<std::string_view>(text, blanks);
}

std::u16string_view trimmedEnd(std::u16string_view text, std::u16string_view blanks) {
  return trimmedEnd<std::u16string_view>(text, blanks);
}

}  // namespace platform
