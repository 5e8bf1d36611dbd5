#include "platform/clipboard_formats.h"

#include <sstream>
#include <vector>

#include "platform/text.h"
#include "platform/trim.h"

namespace platform {

namespace {

// Space, the control characters and DEL: none of them belongs in an address.
constexpr std::string_view kSpaceBytes(
    "\0\1\2\3\4\5\6\7\10\11\12\13\14\15\16\17\20\21\22\23\24\25\26\27\30\31\32\33\34\35\36\37 \177",
    34);
constexpr std::u16string_view kSpaces(
    u"\0\1\2\3\4\5\6\7\10\11\12\13\14\15\16\17\20\21\22\23\24\25\26\27\30\31\32\33\34\35\36\37 "
    u"\177",
    34);

bool isSpace(char16_t c) {
  return kSpaces.find(c) != std::u16string_view::npos;
}

std::u16string trimmedText(std::u16string_view text) {
  return std::u16string(trimmed(text, kSpaces));
}

// Bytes of UTF-16 text as Firefox writes it: little-endian unless a byte-order mark says
// otherwise.
std::u16string fromUtf16Bytes(std::string_view data) {
  bool bigEndian = data.size() >= 2 && static_cast<unsigned char>(data[0]) == 0xFE &&
                   static_cast<unsigned char>(data[1]) == 0xFF;
  std::u16string text;
  for (size_t i = 0; i + 1 < data.size(); i += 2) {
    auto first = static_cast<unsigned char>(data[i]);
    auto second = static_cast<unsigned char>(data[i + 1]);
    text += static_cast<char16_t>(bigEndian ? (first << 8) | second : first | (second << 8));
  }
  if (!text.empty() && text[0] == 0xFEFF) text.erase(0, 1);
  return validUtf16(text);
}

// A web address starts with an ASCII letter, so one of its first two bytes is zero in UTF-16;
// UTF-8 text holds no zero bytes at all.
bool looksLikeUtf16(std::string_view data) {
  if (data.size() < 2) return false;
  auto first = static_cast<unsigned char>(data[0]);
  auto second = static_cast<unsigned char>(data[1]);
  return first == 0 || second == 0 || (first == 0xFF && second == 0xFE) ||
         (first == 0xFE && second == 0xFF);
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string percentDecoded(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
        hexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The entries of a text/uri-list (comments left out), or of the file manager's list, which
// starts with "copy" or "cut". A URI holds no blanks: a line of only blanks is no entry.
std::vector<std::string> uriEntries(std::string_view data) {
  std::vector<std::string> entries;
  for (const std::string& line : textLines(data)) {
    std::string entry(trimmed(line, kSpaceBytes));
    if (!entry.empty() && entry[0] != '#' && entry != "copy" && entry != "cut")
      entries.push_back(entry);
  }
  return entries;
}

bool isFileUri(std::string_view uri) {
  return uri.rfind("file://", 0) == 0;
}

// The path of file://host/path or file:///path; a URI that names only a host has none.
std::optional<std::string> filePathOf(std::string_view uri) {
  std::string_view rest = uri.substr(7);
  size_t slash = rest.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  return percentDecoded(rest.substr(slash));
}

bool startsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool isSchemeCharacter(char16_t c, bool first) {
  bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
  if (first) return letter;
  return letter || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
}

// One address and nothing else: "scheme://" with something after it (file:// names a file,
// not a page), or "mailto:" with an address. Text with spaces or line breaks in it is prose
// that merely mentions an address.
bool isOneWebAddress(std::u16string_view text) {
  for (char16_t c : text)
    if (isSpace(c)) return false;
  if (startsWithNoCase(text, u"mailto:")) return text.size() > 7;
  size_t colon = text.find(u"://");
  if (colon == std::u16string_view::npos || colon < 2 || colon + 3 == text.size()) return false;
  for (size_t i = 0; i < colon; ++i)
    if (!isSchemeCharacter(text[i], i == 0)) return false;
  return !startsWithNoCase(text, u"file:");
}

// The first line of tzad's escaped hyperlink form.
constexpr std::string_view kEscapedFormLine = "tzad-hyperlink 2";

std::string escapedLine(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out;
}

// A backslash before anything else (which tzad never writes) is kept as it stands.
std::string unescapedLine(std::string_view line) {
  std::string out;
  for (size_t i = 0; i < line.size(); ++i) {
    char next = i + 1 < line.size() ? line[i + 1] : '\0';
    if (line[i] != '\\' || (next != '\\' && next != 'n' && next != 'r')) {
      out += line[i];
      continue;
    }
    out += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
    ++i;
  }
  return out;
}

}  // namespace

std::vector<std::string> textLines(std::string_view text) {
  std::vector<std::string> out;
  std::istringstream in{std::string(text)};
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
  }
  return out;
}

std::string hyperlinkForm(const ClipboardHyperlink& link) {
  std::string form = std::string(kEscapedFormLine) + "\n";
  for (const std::u16string* field : {&link.address, &link.description, &link.location})
    form += escapedLine(toUtf8(*field)) + "\n";
  return form;
}

ClipboardHyperlink parseHyperlinkForm(std::string_view data) {
  std::vector<std::string> parts = textLines(data);
  bool escaped = !parts.empty() && parts.front() == kEscapedFormLine;
  if (escaped) parts.erase(parts.begin());
  parts.resize(3);
  if (escaped)
    for (std::string& part : parts) part = unescapedLine(part);
  return ClipboardHyperlink{fromUtf8(parts[0]), fromUtf8(parts[1]), fromUtf8(parts[2])};
}

// Several links repeat the address and title lines; the first one counts.
ClipboardHyperlink parseMozUrl(std::string_view data) {
  std::u16string text = looksLikeUtf16(data) ? fromUtf16Bytes(data) : fromUtf8(data);
  while (!text.empty() && text.back() == 0) text.pop_back();
  ClipboardHyperlink link;
  size_t end = text.find(u'\n');
  link.address = trimmedText(std::u16string_view(text).substr(0, end));
  if (end == std::u16string::npos) return link;
  std::u16string_view rest = std::u16string_view(text).substr(end + 1);
  link.description = trimmedText(rest.substr(0, rest.find(u'\n')));
  return link;
}

std::optional<std::u16string> webAddressInUriList(std::string_view data) {
  for (const std::string& uri : uriEntries(data)) {
    if (isFileUri(uri)) continue;
    // Blank as characters, whatever its bytes were: no address.
    if (std::u16string address = trimmedText(fromUtf8(uri)); !address.empty()) return address;
  }
  return std::nullopt;
}

std::optional<std::u16string> filePathInUriList(std::string_view data) {
  for (const std::string& uri : uriEntries(data))
    if (std::optional<std::string> path = isFileUri(uri) ? filePathOf(uri) : std::nullopt)
      return fromUtf8(*path);
  return std::nullopt;
}

std::optional<std::u16string> webAddressInText(std::string_view data) {
  std::u16string address = trimmedText(fromUtf8(data));
  if (isOneWebAddress(address)) return address;
  return std::nullopt;
}

// A note that only starts with "/" is no path: one line, nothing else.
std::optional<std::u16string> absolutePathInText(std::string_view data) {
  std::u16string path = trimmedText(fromUtf8(data));
  if (path.empty() || path[0] != u'/' || path.find(u'\n') != std::u16string::npos)
    return std::nullopt;
  return path;
}

std::u16string firstLineOf(std::string_view data) {
  std::vector<std::string> all = textLines(data);
  return all.empty() ? u"" : fromUtf8(all[0]);
}

}  // namespace platform
