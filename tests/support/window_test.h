// Tests with real windows. Link a test binary with tzad_window_test_main (it starts the
// toolkit, or skips every test when there is no display) and register it with
// tzad_add_window_test (tests/support/WindowTests.cmake), which runs it under Xvfb.
#pragma once

#include <functional>
#include <string>

#include <wx/defs.h>
#include <wx/testing.h>

#include "tzui_dialog.h"

namespace tzt {

// Runs dialog modally. Once its window is on screen and has the focus, act(dialog) runs inside
// the dialog's own event loop; when act returns and the dialog still runs, it ends with
// endWith. The result of DoModal.
int runModal(CTzUiDialog& dialog, const std::function<void(CTzUiDialog&)>& act, int endWith = 2);

// Handles events until done() holds or timeoutMs passes; whether it held.
bool yieldUntil(const std::function<bool()>& done, int timeoutMs = 2000);
// Handles events for ms milliseconds as long as holds() holds; whether it held throughout. For
// a state that must last (a page that stays after its load failed), not for waiting.
bool holdsFor(const std::function<bool()>& holds, int ms);
// Returns once the toolkit has handled everything the X server and the program itself had for
// it: what keys, pointer moves and repaints caused.
void settle();
// Returns once the pointer, moved through the X server, is at `screen`; whether it got there.
bool waitForPointer(wxPoint screen);

// Real key strokes through the X server, as a person types them: unless the control has the
// focus already, its window is raised, the pointer moved onto it and the focus set (which
// selects all of an edit's text, as GTK does); then the keys go to whatever has the focus, and
// each returns once the toolkit has handled them: whether the control had the focus.
bool focusControl(wxWindow* control);
bool typeText(wxWindow* control, const std::string& ascii);
bool pressKey(wxWindow* control, int keyCode, int modifiers = wxMOD_NONE);

// A modal dialog of type T that a test expects (see wxTEST_DIALOG): answer looks at it and
// gives the result it ends with. Expect<T>(...).Optional() may not come at all.
template <typename T>
class Expect : public wxExpectModalBase<T, Expect<T>> {
 public:
  explicit Expect(std::function<int(T*)> answer) : answer_(std::move(answer)) {}

 protected:
  int OnInvoked(T* dialog) const override { return answer_(dialog); }

 private:
  std::function<int(T*)> answer_;
};

// Clicks the button of a dialog or page as the toolkit reports a click.
void click(CTzUiDialog& dialog, int id);

}  // namespace tzt
