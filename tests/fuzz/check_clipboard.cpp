#include <optional>

#include "harness.h"
#include "platform/clipboard_formats.h"
#include "tz_string.h"

namespace tzfuzz {

namespace {

bool isBlank(char16_t c) {
  return c <= u' ' || c == 0x7F;
}

bool isTrimmed(std::u16string_view text) {
  return text.empty() || (!isBlank(text.front()) && !isBlank(text.back()));
}

bool isOneLine(std::u16string_view text) {
  return text.find(u'\n') == std::u16string_view::npos;
}

std::string shown(std::u16string_view text) {
  return "\"" + tzutToUtf8(TzString(text)) + "\"";
}

std::string utf16leWithMark(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

std::string checkMozUrl(std::string_view bytes) {
  platform::ClipboardHyperlink link = platform::parseMozUrl(bytes);
  if (!isTrimmed(link.address) || !isOneLine(link.address) || !isTrimmed(link.description) ||
      !isOneLine(link.description) || !link.location.empty())
    return "x-moz-url gives an untidy link: " + shown(link.address) + " " + shown(link.description);
  // What a browser writing in UTF-16 would put on the clipboard for the same link.
  platform::ClipboardHyperlink again =
      platform::parseMozUrl(utf16leWithMark(link.address + u"\n" + link.description));
  if (again.address != link.address || again.description != link.description)
    return "x-moz-url in UTF-16 reads otherwise: " + shown(again.address) + " " +
           shown(again.description) + " instead of " + shown(link.address) + " " +
           shown(link.description);
  return {};
}

std::string checkUriList(std::string_view bytes) {
  if (std::optional<std::u16string> address = platform::webAddressInUriList(bytes)) {
    bool blank = true;
    for (char16_t c : *address) blank = blank && isBlank(c);
    if (blank || address->rfind(u"file://", 0) == 0)
      return "uri-list gives the web address " + shown(*address);
  }
  if (std::optional<std::u16string> path = platform::filePathInUriList(bytes))
    if (path->empty() || path->front() != u'/')
      return "uri-list gives the file path " + shown(*path) + ", which is not absolute";
  return {};
}

std::string checkPlainText(std::string_view bytes) {
  if (std::optional<std::u16string> address = platform::webAddressInText(bytes)) {
    for (char16_t c : *address)
      if (isBlank(c)) return "plain text gives the web address " + shown(*address);
    if (address->empty()) return "plain text gives an empty web address";
  }
  if (std::optional<std::u16string> path = platform::absolutePathInText(bytes))
    if (path->empty() || path->front() != u'/' || !isOneLine(*path) || !isTrimmed(*path))
      return "plain text gives the path " + shown(*path);
  return {};
}

}  // namespace

std::string checkClipboard(std::string_view bytes) {
  // tzad's own form escapes its fields, so a field may hold any text, line breaks included:
  // what it gives must come back the same through the form again.
  platform::ClipboardHyperlink form = platform::parseHyperlinkForm(bytes);
  platform::ClipboardHyperlink again = platform::parseHyperlinkForm(platform::hyperlinkForm(form));
  if (again.address != form.address || again.description != form.description ||
      again.location != form.location)
    return "the hyperlink form does not give back what it was given";
  if (!isOneLine(platform::firstLineOf(bytes))) return "a first line holds a line break";
  for (const std::string& failure :
       {checkMozUrl(bytes), checkUriList(bytes), checkPlainText(bytes)})
    if (!failure.empty()) return failure;
  return {};
}

}  // namespace tzfuzz
