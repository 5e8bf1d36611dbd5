#include "base/translation.h"

#include <libintl.h>

#include <vector>

#include "tz_string.h"
#include "tzrx_module.h"

namespace tzad {

TextValue::TextValue(std::string_view utf8) : text_(tzutFromUtf8(utf8)) {}

const char* tr(const char* english) {
  // gettext answers the empty text with the catalog's header.
  if (english == nullptr || *english == 0) return "";
  tzutLanguage();  // the language, and so the catalog, is chosen before the first text
  return dgettext(kTextDomain, english);
}

std::u16string trf(const char* english, std::initializer_list<TextValue> values) {
  return fillPlaceholders(tzutFromUtf8(tr(english)), values);
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
  std::vector<const TextValue*> byIndex;
  for (const TextValue& v : values) byIndex.push_back(&v);
  std::u16string out;
  out.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    size_t close = pattern[i] == u'{' ? pattern.find(u'}', i) : std::u16string_view::npos;
    if (close != std::u16string_view::npos && close > i + 1 && close - i <= 3) {
      size_t index = 0;
      bool digits = true;
      for (size_t k = i + 1; k < close; ++k) {
        digits = digits && pattern[k] >= u'0' && pattern[k] <= u'9';
        index = index * 10 + (pattern[k] - u'0');
      }
      if (digits && index < byIndex.size()) {
        out += byIndex[index]->text();
        i = close;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}

}  // namespace tzad
