#include "core/address_syntax.h"

#include <memory>
#include <vector>

#include "core/link_text.h"
#include "platform/display_text.h"
#include "platform/path_rules.h"

namespace linktools {

namespace {

bool startsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && tzutEqualsNoCase(text.substr(0, prefix.size()), prefix);
}

int hexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// "%40" read as "@"; escapes spell UTF-8. A "%" that starts no escape stays as it is.
TzString percentDecoded(std::u16string_view text) {
  std::string bytes;
  size_t plainFrom = 0;
  for (size_t i = 0; i + 2 < text.size(); ++i) {
    int high = hexValue(text[i + 1]), low = hexValue(text[i + 2]);
    if (text[i] != u'%' || high < 0 || low < 0) continue;
    bytes += tzutToUtf8(text.substr(plainFrom, i - plainFrom));
    bytes.push_back(static_cast<char>(high * 16 + low));
    i += 2;
    plainFrom = i + 1;
  }
  bytes += tzutToUtf8(text.substr(plainFrom));
  return tzutFromUtf8(bytes);
}

std::vector<std::u16string_view> split(std::u16string_view text, char16_t separator) {
  std::vector<std::u16string_view> parts;
  while (true) {
    size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::u16string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

std::u16string_view trimmedBlanks(std::u16string_view text) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  return text;
}

bool isAsciiAlnum(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// A character a local part may hold unquoted: letters, digits, the marks RFC 5322 allows, and
// any character past ASCII (internationalised addresses).
bool isAtomCharacter(char16_t c) {
  return isAsciiAlnum(c) || c >= 0x80 ||
         std::u16string_view(u"!#$%&'*+/=?^_`{|}~-").find(c) != std::u16string_view::npos;
}

bool isLocalPart(std::u16string_view local) {
  if (local.size() >= 2 && local.front() == u'"' && local.back() == u'"') return true;
  if (local.empty() || local.front() == u'.' || local.back() == u'.') return false;
  if (local.find(u"..") != std::u16string_view::npos) return false;
  for (char16_t c : local)
    if (c != u'.' && !isAtomCharacter(c)) return false;
  return true;
}

// A host name of two or more labels, or an address in brackets ("[192.0.2.1]").
bool isMailDomain(std::u16string_view domain) {
  if (domain.size() > 2 && domain.front() == u'[' && domain.back() == u']') return true;
  std::vector<std::u16string_view> labels = split(domain, u'.');
  if (labels.size() < 2) return false;
  for (std::u16string_view label : labels) {
    if (label.empty() || label.size() > 63 || label.front() == u'-' || label.back() == u'-')
      return false;
    for (char16_t c : label)
      if (!isAsciiAlnum(c) && c != u'-' && c < 0x80) return false;
  }
  return true;
}

bool isEmailAddress(std::u16string_view address) {
  size_t at = address.rfind(u'@');
  if (at == std::u16string_view::npos) return false;
  return isLocalPart(address.substr(0, at)) && isMailDomain(address.substr(at + 1));
}

// Why the authority of a URL ("user@host:port") names no server, or nothing when it does: a
// host name of labels (letters, digits, "-", "_", "%" escapes, letters past ASCII) or an
// address in brackets, and a port from 1 to 65535 when there is one.
std::optional<TzString> authorityProblem(std::u16string_view authority) {
  std::u16string_view host = authority.substr(authority.rfind(u'@') + 1);
  size_t bracket = host.rfind(u']');
  size_t colon = host.rfind(u':');
  std::u16string_view port;
  if (colon != std::u16string_view::npos &&
      (bracket == std::u16string_view::npos || colon > bracket)) {
    port = host.substr(colon + 1);
    host = host.substr(0, colon);
  }
  if (host.empty()) return linkText(u"The web address has no host name.");
  if (colon != std::u16string_view::npos && !port.empty()) {
    long value = 0;
    for (char16_t c : port) {
      if (c < u'0' || c > u'9' || value > 65535)
        return linkText(u"The web address has a port that is not a number from 1 to 65535.");
      value = value * 10 + (c - u'0');
    }
    if (value < 1 || value > 65535)
      return linkText(u"The web address has a port that is not a number from 1 to 65535.");
  }
  if (host.front() == u'[' && host.back() == u']') return std::nullopt;
  if (host.back() == u'.') host.remove_suffix(1);  // the root's dot
  for (std::u16string_view label : split(host, u'.')) {
    bool valid = !label.empty();
    for (char16_t c : label)
      valid = valid && (isAsciiAlnum(c) || c >= 0x80 || c == u'-' || c == u'_' || c == u'%');
    if (!valid) return linkText(u"\"%1\" is not a host name.", {platform::displayText(host, 80)});
  }
  return std::nullopt;
}

std::u16string_view schemeOf(std::u16string_view address) {
  size_t colon = address.find(u':');
  return colon == std::u16string_view::npos ? std::u16string_view() : address.substr(0, colon);
}

bool isWwwForm(std::u16string_view address) {
  return !platform::pathIsUrl(address) && startsWithNoCase(address, u"www.");
}

}  // namespace

std::optional<TzString> mailtoProblem(std::u16string_view link) {
  std::u16string_view rest = link.substr(std::min<size_t>(link.size(), 7));  // after "mailto:"
  size_t question = rest.find(u'?');
  std::vector<std::u16string_view> pieces = split(rest.substr(0, question), u',');
  if (question != std::u16string_view::npos) {
    for (std::u16string_view field : split(rest.substr(question + 1), u'&')) {
      size_t equals = field.find(u'=');
      if (equals == std::u16string_view::npos ||
          !tzutEqualsNoCase(percentDecoded(field.substr(0, equals)), u"to"))
        continue;
      for (std::u16string_view piece : split(field.substr(equals + 1), u','))
        pieces.push_back(piece);
    }
  }
  int addresses = 0;
  for (std::u16string_view piece : pieces) {
    TzString address(trimmedBlanks(percentDecoded(piece)));
    if (address.empty()) continue;
    if (!isEmailAddress(address))
      return linkText(u"\"%1\" is not an e-mail address.", {platform::displayText(address, 80)});
    ++addresses;
  }
  if (addresses == 0) return linkText(u"The link names no e-mail address.");
  return std::nullopt;
}

bool isFetchableScheme(std::u16string_view address) {
  if (isWwwForm(address)) return true;
  std::u16string_view scheme = schemeOf(address);
  for (std::u16string_view known : {u"http", u"https", u"ftp", u"ftps"})
    if (tzutEqualsNoCase(scheme, known)) return true;
  return false;
}

std::optional<std::string> webUrl(std::u16string_view address, TzString& problem) {
  for (char16_t c : address) {
    if (c == u' ' || c == u'\t' || c == 0x3000) {
      problem = linkText(u"A web address cannot hold a blank.");
      return std::nullopt;
    }
  }
  if (platform::holdsControlCharacter(address)) {
    problem = linkText(u"The address holds a control character.");
    return std::nullopt;
  }
  TzString url = isWwwForm(address) ? u"http://" + TzString(address) : TzString(address);
  if (!isFetchableScheme(address)) return tzutToUtf8(url);
  std::u16string_view rest = std::u16string_view(url).substr(url.find(u':') + 1);
  if (rest.substr(0, 2) != u"//") {
    problem = linkText(u"The web address has no host name.");
    return std::nullopt;
  }
  rest.remove_prefix(2);
  if (std::optional<TzString> why = authorityProblem(rest.substr(0, rest.find_first_of(u"/?#")))) {
    problem = *why;
    return std::nullopt;
  }
  return tzutToUtf8(url);
}

}  // namespace linktools
