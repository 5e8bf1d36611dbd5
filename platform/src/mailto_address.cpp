#include "platform/mailto_address.h"

#include <cctype>

#include "platform/text.h"

namespace platform {

namespace {

constexpr std::u16string_view kScheme = u"mailto:";

bool isUnreservedOrDelimiter(unsigned char c) {
  // Letters, digits, "-._~" and the delimiters a mailto: URI keeps inside its fields.
  return std::isalnum(c) ||
         std::string_view("-._~!$'()*+,;:@").find(char(c)) != std::string_view::npos;
}

bool startsWithScheme(std::u16string_view address) {
  if (address.size() < kScheme.size()) return false;
  for (size_t i = 0; i < kScheme.size(); ++i) {
    char16_t c = address[i];
    if ((c >= u'A' && c <= u'Z' ? c + 32 : c) != kScheme[i]) return false;
  }
  return true;
}

bool isEncoding(std::string_view text, size_t at) {
  return at + 2 < text.size() && text[at] == '%' &&
         std::isxdigit(static_cast<unsigned char>(text[at + 1])) &&
         std::isxdigit(static_cast<unsigned char>(text[at + 2]));
}

std::string encoded(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (isUnreservedOrDelimiter(c) || isEncoding(text, i)) {
      out += char(c);
      continue;
    }
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  return out;
}

// Where the field that starts at `at` names itself: "subject=" gives the position of "=".
// A "&" that is not followed by a name and "=" belongs to the value before it ("Plan 2 & notes").
size_t fieldNameEnd(std::string_view query, size_t at) {
  size_t equals = query.find('=', at);
  if (equals == std::string_view::npos || equals == at) return std::string_view::npos;
  for (size_t i = at; i < equals; ++i)
    if (!isUnreservedOrDelimiter(static_cast<unsigned char>(query[i])))
      return std::string_view::npos;
  return equals;
}

// "name=value&name=value": names and values encoded, the separators kept.
std::string encodedFields(std::string_view query) {
  std::string out;
  size_t start = 0;
  while (start <= query.size()) {
    size_t equals = fieldNameEnd(query, start);
    size_t end = query.find('&', equals == std::string_view::npos ? start : equals);
    while (end != std::string_view::npos && fieldNameEnd(query, end + 1) == std::string_view::npos)
      end = query.find('&', end + 1);
    std::string_view field = query.substr(start, end == std::string_view::npos ? end : end - start);
    if (equals == std::string_view::npos)
      out += encoded(field);
    else
      out += encoded(field.substr(0, equals - start)) + "=" +
             encoded(field.substr(equals - start + 1));
    if (end == std::string_view::npos) break;
    out += '&';
    start = end + 1;
  }
  return out;
}

}  // namespace

std::u16string encodedMailto(std::u16string_view address) {
  if (!startsWithScheme(address)) return std::u16string(address);
  std::string rest = toUtf8(address.substr(kScheme.size()));
  size_t query = rest.find('?');
  // The scheme in lower case: openers look their handler up by it as it is written.
  std::string uri = "mailto:" + encoded(std::string_view(rest).substr(0, query));
  if (query != std::string::npos)
    uri += "?" + encodedFields(std::string_view(rest).substr(query + 1));
  return fromUtf8(uri);
}

}  // namespace platform
