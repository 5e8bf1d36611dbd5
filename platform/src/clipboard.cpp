#include "platform/clipboard.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/process.h"
#include "platform/text.h"

namespace platform {

namespace {

constexpr char kHyperlinkType[] = "application/x-tzad-hyperlink";
constexpr char kMozUrlType[] = "text/x-moz-url";
constexpr char kUriListType[] = "text/uri-list";
constexpr char kGnomeFilesType[] = "x-special/gnome-copied-files";
// Plain text, UTF-8 first; a bare text/plain is UTF-8 on today's desktops too.
constexpr const char* kPlainTextTypes[] = {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain"};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
  }
  return out;
}

std::u16string firstLine(const std::string& text) {
  std::vector<std::string> all = lines(text);
  return all.empty() ? u"" : fromUtf8(all[0]);
}

bool isSpace(char16_t c) {
  return c <= u' ' || c == 0x7F;
}

std::u16string trimmed(std::u16string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && isSpace(text[begin])) ++begin;
  while (end > begin && isSpace(text[end - 1])) --end;
  return std::u16string(text.substr(begin, end - begin));
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

// text/x-moz-url: an address line, then the page's title; browsers write it in UTF-16 or UTF-8.
// Several links repeat the pair; the first one counts.
ClipboardHyperlink decodeMozUrl(const std::string& data) {
  std::u16string text = looksLikeUtf16(data) ? fromUtf16Bytes(data) : fromUtf8(data);
  while (!text.empty() && text.back() == 0) text.pop_back();
  ClipboardHyperlink link;
  size_t end = text.find(u'\n');
  link.address = trimmed(std::u16string_view(text).substr(0, end));
  if (end == std::u16string::npos) return link;
  std::u16string_view rest = std::u16string_view(text).substr(end + 1);
  link.description = trimmed(rest.substr(0, rest.find(u'\n')));
  return link;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string percentDecoded(const std::string& text) {
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
// starts with "copy" or "cut".
std::vector<std::string> uriEntries(const std::string& data) {
  std::vector<std::string> entries;
  for (const std::string& line : lines(data))
    if (!line.empty() && line[0] != '#' && line != "copy" && line != "cut") entries.push_back(line);
  return entries;
}

bool isFileUri(const std::string& uri) {
  return uri.rfind("file://", 0) == 0;
}

std::string filePathOf(const std::string& uri) {
  std::string rest = uri.substr(7);  // file://host/path or file:///path
  size_t slash = rest.find('/');
  return percentDecoded(slash == std::string::npos ? rest : rest.substr(slash));
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

// An absolute path on one line naming a file that is there: a note that only starts with "/"
// is not pasted as a link.
bool isExistingFilePath(std::u16string_view text) {
  if (text.empty() || text[0] != u'/' || text.find(u'\n') != std::u16string_view::npos)
    return false;
  std::error_code error;
  return std::filesystem::is_regular_file(toUtf8(text), error);
}

struct DesktopTool {
  std::vector<std::string> listTypes;
  std::vector<std::string> readType;  // the type to read is added
};

std::optional<DesktopTool> desktopTool() {
  if (const char* wayland = std::getenv("WAYLAND_DISPLAY"); wayland && *wayland)
    return DesktopTool{{"wl-paste", "--list-types"}, {"wl-paste", "--no-newline", "--type"}};
  if (const char* x11 = std::getenv("DISPLAY"); x11 && *x11)
    return DesktopTool{{"xclip", "-selection", "clipboard", "-out", "-target", "TARGETS"},
                       {"xclip", "-selection", "clipboard", "-out", "-target"}};
  return std::nullopt;
}

// What xclip and wl-paste say when nobody has copied anything: not a fault.
bool saysClipboardIsEmpty(const std::string& errors) {
  for (const char* empty : {"not available", "Nothing is copied", "No selection"})
    if (errors.find(empty) != std::string::npos) return true;
  return false;
}

void reportUnreadable(const std::string& tool, const ProgramResult& listed) {
  std::string reason = listed.exitStatus < 0 ? tool + " cannot be run" : "";
  for (const std::string& line : lines(listed.errors))
    if (reason.empty() && !line.empty()) reason = line;
  if (reason.empty()) reason = tool + " failed";
  std::fflush(stdout);  // after the prompts already written, also when both go to one file
  std::fprintf(stderr, "The clipboard cannot be read: %s\n", reason.c_str());
}

}  // namespace

Clipboard::Clipboard(std::filesystem::path folder) : folder_(std::move(folder)) {
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(*folder_, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
    if (it->is_regular_file(error)) offered_.push_back(it->path().lexically_relative(*folder_));
}

Clipboard Clipboard::attach() {
  if (const char* folder = std::getenv("TZAD_CLIPBOARD_DIR"); folder && *folder)
    return Clipboard(folder);
  Clipboard clipboard;
  std::optional<DesktopTool> tool = desktopTool();
  if (!tool) return clipboard;
  clipboard.readCommand_ = tool->readType;
  ProgramResult listed = runProgram(tool->listTypes, Capture::OutputAndErrors);
  if (listed.exitStatus == 0)
    clipboard.offered_ = lines(listed.output);
  else if (!saysClipboardIsEmpty(listed.errors))
    reportUnreadable(tool->listTypes[0], listed);
  return clipboard;
}

bool Clipboard::offers(const std::string& type) const {
  for (const std::string& offered : offered_)
    if (offered == type) return true;
  return false;
}

const std::optional<std::string>& Clipboard::read(const std::string& type) {
  auto [it, added] = read_.try_emplace(type);
  if (!added || !offers(type)) return it->second;
  if (folder_) {
    std::ifstream in(*folder_ / type, std::ios::binary);
    std::ostringstream data;
    if (in && data << in.rdbuf()) it->second = data.str();
    return it->second;
  }
  std::vector<std::string> argv = readCommand_;
  argv.push_back(type);
  // The owner may have gone since the types were listed: then there is nothing to read.
  ProgramResult result = runProgram(argv, Capture::OutputAndErrors);
  if (result.exitStatus == 0 && !result.output.empty()) it->second = std::move(result.output);
  return it->second;
}

const std::optional<std::string>& Clipboard::readFolderForm(const char* form) {
  static const std::optional<std::string> none;
  return folder_ ? read(form) : none;
}

std::optional<ClipboardHyperlink> Clipboard::mozUrl() {
  const std::optional<std::string>& data = read(kMozUrlType);
  if (!data) return std::nullopt;
  return decodeMozUrl(*data);
}

std::optional<std::u16string> Clipboard::plainText() {
  for (const char* type : kPlainTextTypes)
    if (const std::optional<std::string>& text = read(type)) return fromUtf8(*text);
  return std::nullopt;
}

std::optional<ClipboardHyperlink> Clipboard::hyperlink() {
  const std::optional<std::string>& form = readFolderForm("Hyperlink");
  const std::optional<std::string>& data = form ? form : read(kHyperlinkType);
  if (data) {
    std::vector<std::string> parts = lines(*data);
    parts.resize(3);
    return ClipboardHyperlink{fromUtf8(parts[0]), fromUtf8(parts[1]), fromUtf8(parts[2])};
  }
  // A browser's link with its page title: the title is what the link is called.
  std::optional<ClipboardHyperlink> link = mozUrl();
  if (link && !link->address.empty() && !link->description.empty() &&
      link->description != link->address)
    return link;
  return std::nullopt;
}

std::optional<std::u16string> Clipboard::webAddress() {
  if (const std::optional<std::string>& form = readFolderForm("UniformResourceLocator"))
    return firstLine(*form);
  if (std::optional<ClipboardHyperlink> link = mozUrl(); link && !link->address.empty())
    return link->address;
  if (const std::optional<std::string>& list = read(kUriListType))
    for (const std::string& uri : uriEntries(*list))
      if (!isFileUri(uri)) return fromUtf8(uri);
  if (std::optional<std::u16string> text = plainText()) {
    std::u16string address = trimmed(*text);
    if (isOneWebAddress(address)) return address;
  }
  return std::nullopt;
}

std::optional<std::u16string> Clipboard::fileName() {
  if (const std::optional<std::string>& form = readFolderForm("FileNameW")) return firstLine(*form);
  for (const char* type : {kUriListType, kGnomeFilesType}) {
    if (const std::optional<std::string>& list = read(type))
      for (const std::string& uri : uriEntries(*list))
        if (isFileUri(uri)) return fromUtf8(filePathOf(uri));
  }
  if (std::optional<std::u16string> text = plainText()) {
    std::u16string path = trimmed(*text);
    if (isExistingFilePath(path)) return path;
  }
  return std::nullopt;
}

}  // namespace platform
