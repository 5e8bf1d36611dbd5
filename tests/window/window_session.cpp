#include "window_session.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <chrono>
#include <optional>

#include "editor/editor.h"
#include "window/command_panel.h"
#include "window/main_frame.h"
#include "window/window_input.h"
#include "window_test.h"

namespace tzt {

using tzad::MainFrame;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto kStepTime = std::chrono::seconds(30);
Clock::time_point lastClick;

}  // namespace

// What a late session leaves open and would keep its loop from ending: a menu's loop (ended by
// the Escape key) and modal dialogs.
void closeWhatBlocks() {
  wxUIActionSimulator().Char(WXK_ESCAPE);
  for (wxWindow* window : wxTopLevelWindows) {
    auto* dialog = dynamic_cast<wxDialog*>(window);
    if (dialog != nullptr && dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
  }
}

void runSteps(std::vector<Step> steps) {
  size_t next = 0;
  bool busy = false;
  bool late = false;
  auto deadline = Clock::now() + kStepTime;
  wxTimer timer;
  timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    if (busy) return;  // a step that lets events through lets the timer in again
    busy = true;
    if (late) {
      closeWhatBlocks();
    } else if (next < steps.size() && steps[next]()) {
      ++next;
      deadline = Clock::now() + kStepTime;
    } else if (next < steps.size() && Clock::now() > deadline) {
      late = true;
      ADD_FAILURE() << "step " << next << " never finished; the session said:\n"
                    << windowTranscript();
      closeWhatBlocks();
    }
    if (next == steps.size() || late) MainFrame::current()->input().end();
    if (next == steps.size()) timer.Stop();
    busy = false;
  });
  timer.Start(40);
  tzad::Editor::instance().runLoop();
}

std::string windowTranscript() {
  return MainFrame::current()->panel()->transcript()->GetValue().utf8_string();
}

bool windowAtPrompt(const std::string& prompt) {
  MainFrame* frame = MainFrame::current();
  return frame->input().waiting() && frame->panel()->promptText() == prompt;
}

Step typedLine(const std::string& line) {
  return [line, typed = false]() mutable {
    wxTextCtrl* input = MainFrame::current()->panel()->inputLine();
    if (!typed) typed = typeText(input, line);
    return typed && pressKey(input, WXK_RETURN);
  };
}

Step pointerTo(std::function<wxPoint()> screen) {
  return [screen, target = std::optional<wxPoint>()]() mutable {
    if (!target) {
      target = screen();
      wxUIActionSimulator().MouseMove(*target);
    }
    return wxGetMousePosition() == *target;
  };
}

Step handled() {
  return [synced = false]() mutable {
    if (!synced) {
      gdk_display_sync(gdk_display_get_default());
      synced = true;
    }
    return !gtk_events_pending() && !wxTheApp->HasPendingEvents();
  };
}

Step clickHere(wxMouseButton button, int modifiers) {
  Step click = [button, modifiers] {
    wxUIActionSimulator mouse;
    if (modifiers & wxMOD_CONTROL) mouse.KeyDown(WXK_CONTROL);
    mouse.MouseClick(button);
    if (modifiers & wxMOD_CONTROL) mouse.KeyUp(WXK_CONTROL);
    lastClick = Clock::now();
    return true;
  };
  return [click, done = handled(), clicked = false]() mutable {
    if (!clicked) clicked = click();
    return done();
  };
}

Step pastDoubleClick() {
  return [] {
    int doubleClickMs = 400;
    g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &doubleClickMs, nullptr);
    return Clock::now() - lastClick > std::chrono::milliseconds(doubleClickMs + 50);
  };
}

}  // namespace tzt
