#include "base/translation.h"

#include <libintl.h>

#include <vector>

#include "platform/translation.h"
#include "tz_string.h"
#include "tzrx_module.h"

namespace tzad {

TextValue::TextValue(std::string_view utf8) : text_(tzutFromUtf8(utf8)) {}

const char* tr(const char* english) {
  tzutLanguage();  // the language, and so the catalog, is chosen before the first text
  return platform::tr(english);
}

std::u16string trf(const char* english, std::initializer_list<TextValue> values) {
  return fillPlaceholders(tzutFromUtf8(tr(english)), values);
}

std::string tr8(const char* english, std::initializer_list<std::string_view> values) {
  return platform::fillPlaceholders(tr(english), std::vector<std::string_view>(values));
}

std::u16string trn(const char* singular, const char* plural, unsigned long count,
                   std::initializer_list<TextValue> values) {
  tzutLanguage();
  return fillPlaceholders(tzutFromUtf8(dngettext(kTextDomain, singular, plural, count)), values);
}

std::u16string keywordList(const char* english) {
  return tzutFromUtf8(tr(english)) + u" _" + tzutFromUtf8(english);
}

std::u16string fillPlaceholders(std::u16string_view pattern,
                                std::initializer_list<TextValue> values) {
  std::vector<std::string> utf8;
  for (const TextValue& v : values) utf8.push_back(tzutToUtf8(v.text()));
  std::vector<std::string_view> views(utf8.begin(), utf8.end());
  return tzutFromUtf8(platform::fillPlaceholders(tzutToUtf8(pattern), views));
}

}  // namespace tzad
