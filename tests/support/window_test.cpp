#include "window_test.h"

#include <gdk/gdk.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <chrono>
#include <thread>

namespace tzt {

bool yieldUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    wxYieldIfNeeded();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

bool holdsFor(const std::function<bool()>& holds, int ms) {
  return !yieldUntil([&] { return !holds(); }, ms);
}

// A round trip on the toolkit's own connection brings in every event that the server made
// before it; the loop then runs until nothing is left to handle.
void settle() {
  gdk_display_sync(gdk_display_get_default());
  yieldUntil([] { return !gtk_events_pending() && !wxTheApp->HasPendingEvents(); });
}

bool waitForPointer(wxPoint screen) {
  return yieldUntil([&] { return wxGetMousePosition() == screen; });
}

bool focusControl(wxWindow* control) {
  if (control == nullptr) return false;
  // Focusing an edit again would select all its text.
  if (wxWindow::FindFocus() == control) return true;
  // Xvfb runs without a window manager: the focus follows the pointer unless set.
  wxWindow* top = wxGetTopLevelParent(control);
  top->Raise();
  wxUIActionSimulator().MouseMove(control->GetScreenRect().GetPosition() + wxPoint(2, 2));
  control->SetFocus();
  return yieldUntil([control] { return wxWindow::FindFocus() == control; });
}

bool typeText(wxWindow* control, const std::string& ascii) {
  if (!focusControl(control)) return false;
  wxUIActionSimulator().Text(ascii.c_str());
  settle();
  return true;
}

bool pressKey(wxWindow* control, int keyCode, int modifiers) {
  if (!focusControl(control)) return false;
  wxUIActionSimulator().Char(keyCode, modifiers);
  settle();
  return true;
}

void click(CTzUiDialog& dialog, int id) {
  auto* button = dynamic_cast<wxButton*>(dialog.GetDlgItem(id));
  ASSERT_NE(button, nullptr);
  wxCommandEvent event(wxEVT_BUTTON, id);
  event.SetEventObject(button);
  button->ProcessWindowEvent(event);
}

int runModal(CTzUiDialog& dialog, const std::function<void(CTzUiDialog&)>& act, int endWith) {
  wxTimer watch;
  watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    wxDialog* window = dialog.modalWindow();
    if (window == nullptr || !window->IsShownOnScreen()) return;
    watch.Stop();
    window->Raise();
    settle();
    act(dialog);
    dialog.EndDialog(endWith);
  });
  watch.Start(10);
  const int result = dialog.DoModal();
  watch.Stop();
  return result;
}

}  // namespace tzt
