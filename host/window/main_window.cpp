#include "window/main_window.h"

#include <wx/app.h>
#include <wx/textctrl.h>

#include <cstdio>
#include <memory>

#include "editor/editor.h"
#include "platform/opener.h"
#include "tzui.h"
#include "window/command_panel.h"
#include "window/main_frame.h"
#include "window/window_input.h"

namespace tzad {

bool openMainWindow(const std::string& version) {
  if (!TwUiHasDisplay()) return false;
  auto input = std::make_unique<WindowInput>([](const std::string& prompt, PromptKind kind) {
    if (MainFrame* frame = MainFrame::current()) frame->showPrompt(prompt, kind);
  });
  auto* frame = new MainFrame(*input, version);
  Editor& editor = Editor::instance();
  editor.setInput(std::move(input));
  // The transcript also goes to standard output, where a terminal that started tzad or a log
  // keeps it.
  editor.setOutput([](std::string_view text) {
    if (MainFrame* shown = MainFrame::current()) shown->append(text);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
  });
  // While an opener starts, the window goes on answering: drawn, moved, typed into.
  platform::setOpenerWaitHook([] { wxYield(); });
  frame->Show();
  frame->panel()->inputLine()->SetFocus();
  return true;
}

void closeMainWindow() {
  MainFrame* frame = MainFrame::current();
  if (frame == nullptr) return;
  platform::setOpenerWaitHook(nullptr);
  frame->closeForGood();
  // A destroyed window goes at the next idle time, which a session that ends has no more of.
  wxTheApp->ProcessIdle();
}

}  // namespace tzad

// tzad opens and closes its main window through these when it loads this library
// (base/host_library.h names them).
extern "C" __attribute__((visibility("default"))) bool tzuiOpenMainWindow(const char* version) {
  return tzad::openMainWindow(version);
}

extern "C" __attribute__((visibility("default"))) void tzuiCloseMainWindow() {
  tzad::closeMainWindow();
}
