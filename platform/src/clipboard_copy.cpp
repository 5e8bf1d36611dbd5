// Copying a hyperlink onto the clipboard. X11 hands a clipboard's contents from program to
// program on request, so whoever copies must stay to answer; a process of its own does that
// here, the way xclip does, but offering the three types at once, and it stays independent of
// tzad's event loop (tzad itself reads the clipboard through xclip while its loop waits).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <utility>
#include <vector>

#include "platform/clipboard.h"
#include "platform/text.h"

namespace platform {

namespace {

using TypedData = std::vector<std::pair<std::string, std::string>>;

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

// The types offered for a link, each with its bytes. A relative path has no URI of its own.
TypedData typedData(const ClipboardHyperlink& link) {
  std::string address = toUtf8(link.address);
  TypedData data{{"application/x-tzad-hyperlink",
                  address + "\n" + toUtf8(link.description) + "\n" + toUtf8(link.location) + "\n"}};
  if (hasScheme(address))
    data.emplace_back("text/uri-list", address + "\r\n");
  else if (!address.empty() && address[0] == '/')
    data.emplace_back("text/uri-list", fileUri(address) + "\r\n");
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
    if (!(out << bytes) || !out.flush()) return file.string() + " cannot be written";
  }
  return std::nullopt;
}

// Answers one request for the clipboard's contents: the list of types, or one type's bytes.
void answerRequest(Display* display, const XSelectionRequestEvent& request, const TypedData& data) {
  XSelectionEvent reply{};
  reply.type = SelectionNotify;
  reply.display = request.display;
  reply.requestor = request.requestor;
  reply.selection = request.selection;
  reply.target = request.target;
  reply.time = request.time;
  // Old clients name no property: the target is then the property.
  Atom property = request.property != None ? request.property : request.target;
  reply.property = None;
  if (request.target == XInternAtom(display, "TARGETS", False)) {
    std::vector<Atom> targets{request.target};
    for (const auto& entry : data)
      targets.push_back(XInternAtom(display, entry.first.c_str(), False));
    targets.push_back(XInternAtom(display, "UTF8_STRING", False));
    XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(targets.data()),
                    static_cast<int>(targets.size()));
    reply.property = property;
  } else {
    std::string name;
    char* atomName = XGetAtomName(display, request.target);
    if (atomName) {
      name = atomName;
      XFree(atomName);
    }
    if (name == "UTF8_STRING" || name == "text/plain;charset=utf-8" || name == "STRING" ||
        name == "TEXT")
      name = "text/plain";
    for (const auto& [type, bytes] : data) {
      if (type != name) continue;
      XChangeProperty(display, request.requestor, property, request.target, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(bytes.data()),
                      static_cast<int>(bytes.size()));
      reply.property = property;
    }
  }
  XSendEvent(display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
  XFlush(display);
}

int leaveOnDisplayLoss(Display*) {
  _exit(0);
}

// In the owning process: takes the clipboard, tells the copier through ready whether it did,
// and answers requests until another program takes the clipboard.
[[noreturn]] void ownClipboard(const TypedData& data, int ready) {
  XSetIOErrorHandler(leaveOnDisplayLoss);
  Display* display = XOpenDisplay(nullptr);
  char taken = 0;
  if (display == nullptr) {
    (void)!write(ready, &taken, 1);
    _exit(1);
  }
  Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  XSetSelectionOwner(display, clipboard, window, CurrentTime);
  taken = XGetSelectionOwner(display, clipboard) == window ? 1 : 0;
  (void)!write(ready, &taken, 1);
  close(ready);
  if (!taken) _exit(1);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == SelectionClear) _exit(0);
    if (event.type == SelectionRequest) answerRequest(display, event.xselectionrequest, data);
  }
}

// Starts the owning process, detached from tzad (its parent leaves at once, so that it never
// becomes a zombie) and from tzad's output, which a reader may wait on to end.
std::optional<std::string> copyOnX11(const TypedData& data) {
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) return "no pipe for the clipboard's owner";
  std::fflush(nullptr);
  pid_t child = fork();
  if (child < 0) {
    close(ready[0]);
    close(ready[1]);
    return "the clipboard's owner cannot be started";
  }
  if (child == 0) {
    setsid();
    if (fork() != 0) _exit(0);
    int null = open("/dev/null", O_RDWR);
    for (int fd = 0; fd < 3; ++fd) dup2(null, fd);
    dup2(ready[1], 3);
    close_range(4, ~0U, 0);
    ownClipboard(data, 3);
  }
  close(ready[1]);
  waitpid(child, nullptr, 0);
  // The owner says whether it took the clipboard; one that never answers did not.
  pollfd answer{ready[0], POLLIN, 0};
  char taken = 0;
  bool answered = poll(&answer, 1, 5000) > 0 && read(ready[0], &taken, 1) == 1;
  close(ready[0]);
  if (!answered || !taken) return "the display's clipboard cannot be taken";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> copyHyperlink(const ClipboardHyperlink& link) {
  TypedData data = typedData(link);
  if (const char* folder = std::getenv("TZAD_CLIPBOARD_DIR"); folder && *folder)
    return copyIntoFolder(folder, data);
  if (const char* x11 = std::getenv("DISPLAY"); x11 && *x11) return copyOnX11(data);
  return "no X11 display to copy to";
}

}  // namespace platform
