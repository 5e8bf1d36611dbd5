// Copying a hyperlink onto the clipboard. X11 hands a clipboard's contents from program to
// program on request, so whoever copies must stay to answer; a program of its own does that
// here (tzad-clipboard-owner), the way xclip does, but offering the three types at once, and
// it stays independent of tzad's event loop (tzad itself reads the clipboard through xclip
// while its loop waits).
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "clipboard_transfer.h"
#include "platform/clipboard.h"
#include "platform/folders.h"
#include "platform/text.h"
#include "platform/translation.h"

namespace platform {

namespace {

// How long the clipboard's owner has to say that it took the clipboard.
constexpr int kAnswerMs = 2000;

bool hasScheme(const std::string& address) {
  size_t colon = address.find(':');
  if (colon == std::string::npos || colon < 2) return false;  // "C:" is a drive letter
  for (size_t i = 0; i < colon; ++i) {
    auto c = static_cast<unsigned char>(address[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

std::string fileUri(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : path) {
    if (std::isalnum(c) ||
        std::string_view("/-._~").find(static_cast<char>(c)) != std::string::npos) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

// The URI of an address: itself when it has a scheme, a file URI for an absolute path, a
// relative one taken from the base it is relative to; nothing without one.
std::optional<std::string> uriOf(const std::string& address, const std::string& base) {
  if (hasScheme(address)) return address;
  if (!address.empty() && address[0] == '/') return fileUri(address);
  if (address.empty() || base.empty()) return std::nullopt;
  std::string joined = base + (base.back() == '/' ? "" : "/") + address;
  if (hasScheme(base)) return joined;
  if (base[0] != '/') return std::nullopt;
  return fileUri(std::filesystem::path(joined).lexically_normal().string());
}

// The types offered for a link, each with its bytes.
TypedData typedData(const ClipboardHyperlink& link, const std::string& base) {
  std::string address = toUtf8(link.address);
  TypedData data{{"application/x-tzad-hyperlink", hyperlinkForm(link)}};
  if (std::optional<std::string> uri = uriOf(address, base))
    data.emplace_back("text/uri-list", *uri + "\r\n");
  data.emplace_back("text/plain", address);
  return data;
}

// The names the clipboard folder can hold, so that an earlier copy does not shine through.
constexpr const char* kFolderEntries[] = {"Hyperlink",
                                          "UniformResourceLocator",
                                          "FileNameW",
                                          "text/uri-list",
                                          "x-special/gnome-copied-files",
                                          "text/x-moz-url",
                                          "text/plain",
                                          "text/plain;charset=utf-8",
                                          "UTF8_STRING",
                                          "application/x-tzad-hyperlink"};

std::optional<std::string> copyIntoFolder(const std::filesystem::path& folder,
                                          const TypedData& data) {
  std::error_code error;
  for (const char* entry : kFolderEntries) std::filesystem::remove(folder / entry, error);
  for (const auto& [type, bytes] : data) {
    std::filesystem::path file = folder / type;
    std::filesystem::create_directories(file.parent_path(), error);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!(out << bytes) || !out.flush()) return trf("{0} cannot be written", {file.string()});
  }
  return std::nullopt;
}

// Starts the clipboard's owner, a program of its own beside this library (a process forked
// from tzad could not safely use Xlib: tzad has threads), hands it the data and waits for
// its word that it took the clipboard. It detaches itself, so that it outlives tzad.
std::optional<std::string> copyOnX11(const TypedData& data) {
  std::optional<std::u16string> library =
      modulePathOf(reinterpret_cast<const void*>(&copyHyperlink));
  if (!library) return tr("the clipboard's owner cannot be found");
  std::string owner =
      (std::filesystem::path(toFileName(*library)).parent_path() / "tzad-clipboard-owner").string();
  int input[2], ready[2];
  if (pipe2(input, O_CLOEXEC) != 0) return tr("no pipe for the clipboard's owner");
  if (pipe2(ready, O_CLOEXEC) != 0) {
    close(input[0]);
    close(input[1]);
    return tr("no pipe for the clipboard's owner");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, ready[1], 3);
  char* argv[] = {owner.data(), nullptr};
  pid_t child = -1;
  int failed = posix_spawn(&child, owner.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(input[0]);
  close(ready[1]);
  std::string packed = packTypedData(data);
  bool sent = failed == 0;
  for (size_t at = 0; sent && at < packed.size();) {
    ssize_t n = write(input[1], packed.data() + at, packed.size() - at);
    sent = n > 0;
    if (sent) at += static_cast<size_t>(n);
  }
  close(input[1]);
  if (failed == 0) waitpid(child, nullptr, 0);
  // The owner says whether it took the clipboard; one that does not answer in time did not.
  pollfd answer{ready[0], POLLIN, 0};
  char taken = 0;
  bool answered = sent && poll(&answer, 1, kAnswerMs) > 0 && read(ready[0], &taken, 1) == 1;
  close(ready[0]);
  if (failed != 0) return trf("the clipboard's owner cannot be started: {0}", {owner});
  if (!answered) return tr("the display's clipboard did not answer within 2 s");
  if (!taken) return tr("the display's clipboard cannot be taken");
  return std::nullopt;
}

}  // namespace

std::optional<std::string> copyHyperlink(const ClipboardHyperlink& link,
                                         const std::u16string& base) {
  TypedData data = typedData(link, toFileName(base));
  if (const char* folder = std::getenv("TZAD_CLIPBOARD_DIR"); folder && *folder)
    return copyIntoFolder(folder, data);
  if (const char* x11 = std::getenv("DISPLAY"); x11 && *x11) return copyOnX11(data);
  return tr("no X11 display to copy to");
}

}  // namespace platform
