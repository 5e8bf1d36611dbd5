// tzad-clipboard-owner: holds a hyperlink copied in tzad on the X11 clipboard. X11 hands a
// clipboard's contents from program to program on request, so whoever copies must stay to
// answer: tzad starts this program with the types and their bytes on its standard input
// (clipboard_transfer.h) and file descriptor 3 open for its word (one byte: 1 when it took the
// clipboard). It leaves its starter at once and answers until another program copies.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "clipboard_transfer.h"

namespace {

using platform::TypedData;

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

// Takes the clipboard, tells tzad through `ready` whether it did, and answers requests until
// another program takes the clipboard.
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

}  // namespace

int main() {
  TypedData data = platform::unpackTypedData(std::cin);
  // tzad waits for this process to end; the owner goes on in a child of its own session.
  if (fork() != 0) return 0;
  setsid();
  (void)!chdir("/");  // holds no folder of tzad's busy
  ownClipboard(data, 3);
}
