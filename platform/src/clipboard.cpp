#include "platform/clipboard.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/process.h"
#include "platform/text.h"

namespace platform {

namespace {

constexpr char kHyperlinkType[] = "application/x-tzad-hyperlink";

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

const char* clipboardFolder() {
  const char* dir = std::getenv("TZAD_CLIPBOARD_DIR");
  return dir && *dir ? dir : nullptr;
}

std::optional<std::string> readFolderFormat(const char* folder, const char* format) {
  std::ifstream in(std::filesystem::path(folder) / format, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// The clipboard's content as one MIME type, through the desktop's tool.
std::optional<std::string> readMimeType(const std::string& type) {
  std::vector<std::string> argv;
  if (const char* wayland = std::getenv("WAYLAND_DISPLAY"); wayland && *wayland)
    argv = {"wl-paste", "--no-newline", "--type", type};
  else if (const char* x11 = std::getenv("DISPLAY"); x11 && *x11)
    argv = {"xclip", "-selection", "clipboard", "-out", "-target", type};
  else
    return std::nullopt;
  ProgramResult result = runProgram(argv, true);
  if (result.exitStatus != 0 || result.output.empty()) return std::nullopt;
  return result.output;
}

std::vector<std::string> offeredTypes() {
  std::vector<std::string> argv;
  if (const char* wayland = std::getenv("WAYLAND_DISPLAY"); wayland && *wayland)
    argv = {"wl-paste", "--list-types"};
  else if (const char* x11 = std::getenv("DISPLAY"); x11 && *x11)
    argv = {"xclip", "-selection", "clipboard", "-out", "-target", "TARGETS"};
  else
    return {};
  ProgramResult result = runProgram(argv, true);
  return result.exitStatus == 0 ? lines(result.output) : std::vector<std::string>{};
}

std::optional<std::string> readType(const std::string& type) {
  for (const std::string& offered : offeredTypes())
    if (offered == type) return readMimeType(type);
  return std::nullopt;
}

// Firefox writes text/x-moz-url in UTF-16: the address, a line feed, the page title.
std::u16string decodeMozUrl(const std::string& data) {
  bool utf16 = data.size() >= 2 && data.find('\0') != std::string::npos;
  if (!utf16) return fromUtf8(lines(data).empty() ? "" : lines(data)[0]);
  std::u16string text;
  for (size_t i = 0; i + 1 < data.size(); i += 2)
    text += static_cast<char16_t>(static_cast<unsigned char>(data[i]) |
                                  (static_cast<unsigned char>(data[i + 1]) << 8));
  if (!text.empty() && text[0] == 0xFEFF) text.erase(0, 1);
  return validUtf16(text.substr(0, text.find(u'\n')));
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

// The entries of a text/uri-list (comments left out).
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

}  // namespace

std::optional<ClipboardHyperlink> clipboardHyperlink() {
  std::optional<std::string> data;
  if (const char* folder = clipboardFolder())
    data = readFolderFormat(folder, "Hyperlink");
  else
    data = readType(kHyperlinkType);
  if (!data) return std::nullopt;
  std::vector<std::string> parts = lines(*data);
  parts.resize(3);
  return ClipboardHyperlink{fromUtf8(parts[0]), fromUtf8(parts[1]), fromUtf8(parts[2])};
}

std::optional<std::u16string> clipboardWebAddress() {
  if (const char* folder = clipboardFolder()) {
    auto data = readFolderFormat(folder, "UniformResourceLocator");
    if (!data) return std::nullopt;
    return fromUtf8(lines(*data).empty() ? "" : lines(*data)[0]);
  }
  if (auto moz = readType("text/x-moz-url")) return decodeMozUrl(*moz);
  if (auto list = readType("text/uri-list"))
    for (const std::string& uri : uriEntries(*list))
      if (!isFileUri(uri)) return fromUtf8(uri);
  return std::nullopt;
}

std::optional<std::u16string> clipboardFileName() {
  if (const char* folder = clipboardFolder()) {
    auto data = readFolderFormat(folder, "FileNameW");
    if (!data) return std::nullopt;
    return fromUtf8(lines(*data).empty() ? "" : lines(*data)[0]);
  }
  for (const char* type : {"text/uri-list", "x-special/gnome-copied-files"}) {
    if (auto list = readType(type))
      for (const std::string& uri : uriEntries(*list))
        if (isFileUri(uri)) return fromUtf8(filePathOf(uri));
  }
  return std::nullopt;
}

}  // namespace platform
