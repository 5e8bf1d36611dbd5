#include "platform/clipboard.h"

#include <cstdlib>

#include "platform/notices.h"
#include "platform/process.h"
#include "platform/regular_file.h"
#include "platform/text.h"
#include "platform/translation.h"

namespace platform {

namespace {

// How long the program that owns the clipboard has to answer: a stopped or hung owner must
// not freeze tzad.
constexpr int kAnswerMs = 2000;
// More than any link or list of files the clipboard carries.
constexpr size_t kMaxClipboardBytes = size_t(16) << 20;
constexpr char kHyperlinkType[] = "application/x-tzad-hyperlink";
constexpr char kMozUrlType[] = "text/x-moz-url";
constexpr char kUriListType[] = "text/uri-list";
constexpr char kGnomeFilesType[] = "x-special/gnome-copied-files";
// Plain text, UTF-8 first; a bare text/plain is UTF-8 on today's desktops too.
constexpr const char* kPlainTextTypes[] = {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain"};

bool isExistingFile(const std::u16string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(toUtf8(path), error);
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

void reportUnreadable(const std::string& reason) {
  notify(trf("The clipboard cannot be read: {0}", {reason}));
}

std::string reasonFor(const std::string& tool, const ProgramResult& result) {
  if (result.timedOut)
    return trf("it did not answer within {0} s ({1})", {std::to_string(kAnswerMs / 1000), tool});
  if (result.exitStatus < 0) return trf("{0} cannot be run", {tool});
  for (const std::string& line : textLines(result.errors))
    if (!line.empty()) return line;
  return trf("{0} failed", {tool});
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
  ProgramResult listed = runProgram(tool->listTypes, Capture::OutputAndErrors, kAnswerMs);
  if (listed.exitStatus == 0)
    clipboard.offered_ = textLines(listed.output);
  else if (listed.timedOut || !saysClipboardIsEmpty(listed.errors))
    reportUnreadable(reasonFor(tool->listTypes[0], listed));
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
    if (FileText file = readRegularFile(*folder_ / type, kMaxClipboardBytes); file.ok())
      it->second = std::move(file.text);
    return it->second;
  }
  std::vector<std::string> argv = readCommand_;
  argv.push_back(type);
  // The owner may have gone since the types were listed: then there is nothing to read. One
  // that stops answering is not asked again.
  ProgramResult result = runProgram(argv, Capture::OutputAndErrors, kAnswerMs);
  if (result.timedOut) {
    reportUnreadable(reasonFor(argv[0], result));
    offered_.clear();
  }
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
  return parseMozUrl(*data);
}

const std::optional<std::string>& Clipboard::plainText() {
  static const std::optional<std::string> none;
  for (const char* type : kPlainTextTypes)
    if (const std::optional<std::string>& text = read(type)) return text;
  return none;
}

std::optional<ClipboardHyperlink> Clipboard::hyperlink() {
  const std::optional<std::string>& form = readFolderForm("Hyperlink");
  const std::optional<std::string>& data = form ? form : read(kHyperlinkType);
  if (data) return parseHyperlinkForm(*data);
  // A browser's link with its page title: the title is what the link is called.
  std::optional<ClipboardHyperlink> link = mozUrl();
  if (link && !link->address.empty() && !link->description.empty() &&
      link->description != link->address)
    return link;
  return std::nullopt;
}

std::optional<std::u16string> Clipboard::webAddress() {
  if (const std::optional<std::string>& form = readFolderForm("UniformResourceLocator"))
    return firstLineOf(*form);
  if (std::optional<ClipboardHyperlink> link = mozUrl(); link && !link->address.empty())
    return link->address;
  if (const std::optional<std::string>& list = read(kUriListType))
    if (std::optional<std::u16string> address = webAddressInUriList(*list)) return address;
  if (const std::optional<std::string>& text = plainText()) return webAddressInText(*text);
  return std::nullopt;
}

std::optional<std::u16string> Clipboard::fileName() {
  if (const std::optional<std::string>& form = readFolderForm("FileNameW"))
    return firstLineOf(*form);
  for (const char* type : {kUriListType, kGnomeFilesType}) {
    if (const std::optional<std::string>& list = read(type))
      if (std::optional<std::u16string> path = filePathInUriList(*list)) return path;
  }
  // Only a path naming a file that is there: a note that starts with "/" is not pasted.
  if (const std::optional<std::string>& text = plainText())
    if (std::optional<std::u16string> path = absolutePathInText(*text);
        path && isExistingFile(*path))
      return path;
  return std::nullopt;
}

}  // namespace platform
