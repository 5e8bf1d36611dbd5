// The host's and the window's own texts in the language tzad runs in, from the gettext
// catalog "tzad" (po/). The English text is the key and the fallback: a text the catalog lacks
// shows in English. xgettext finds the texts by these functions' names (po/CMakeLists.txt).
#pragma once

#include <concepts>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tzad {

inline constexpr char kTextDomain[] = "tzad";

// A value put into a translated text in place of {0}, {1}, ...
class TextValue {
 public:
  TextValue(std::u16string_view text) : text_(text) {}
  TextValue(const std::u16string& text) : text_(text) {}
  TextValue(const char16_t* text) : text_(text) {}
  TextValue(std::string_view utf8);
  TextValue(const std::string& utf8) : TextValue(std::string_view(utf8)) {}
  TextValue(const char* utf8) : TextValue(std::string_view(utf8)) {}
  template <std::integral N>
  TextValue(N number) : TextValue(std::to_string(number)) {}
  const std::u16string& text() const { return text_; }

 private:
  std::u16string text_;
};

// Marks a text for the catalog where it is kept to be translated later, by tr or trf.
constexpr const char* markedText(const char* english) {
  return english;
}
// The text in the user's language (UTF-8).
const char* tr(const char* english);
// The same with {0}, {1}, ... replaced by the values; a translation may reorder them.
std::u16string trf(const char* english, std::initializer_list<TextValue> values = {});
// The same as UTF-8, for messages made of UTF-8 texts (file names, system errors).
std::string tr8(const char* english, std::initializer_list<std::string_view> values);
// The singular or plural form that `count` takes in the user's language, with its values.
std::u16string trn(const char* singular, const char* plural, unsigned long count,
                   std::initializer_list<TextValue> values = {});
// A keyword list in the host's form for English keywords ("Yes No"): the user's language's
// keywords, "_", and the English ones, which answer in every language.
std::u16string keywordList(const char* english);
// {0}, {1}, ... of a pattern replaced by the values; other braces stay as they are.
std::u16string fillPlaceholders(std::u16string_view pattern,
                                std::initializer_list<TextValue> values);

}  // namespace tzad
