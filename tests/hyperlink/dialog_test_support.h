// What the hyperlink dialog's window tests share: the module's resource library in the
// language under test, and ways to reach the dialog's controls and pages.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>
#include <wx/vlbox.h>

#include <string>

#include "base/language.h"
#include "dialog/hyperlink_frame_dialog.h"
#include "module/module_state.h"
#include "module/resource_string.h"
#include "session.h"
#include "window_test.h"

namespace tzt {

// Runs a test in English (a test whose texts it checks sets the language it wants), with the
// module's resource library loaded and no e-mail targets remembered.
class HyperlinkDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tzad::setHostLanguage("en");
    useLibrary(TZT_HYPERLINK_RESOURCES);
    hyperlink::recentEmailLinks().clear();
  }
  void TearDown() override {
    hyperlink::recentEmailLinks().clear();
    useLibrary(nullptr);
    tzad::setHostLanguage("");
  }
  // Loads a resource library as the module's, in place of the one it had (none: unloads it).
  void useLibrary(const char* path) {
    if (hyperlink::moduleState().resources) dlclose(hyperlink::moduleState().resources);
    hyperlink::moduleState().resources = path ? dlopen(path, RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (path) {
      ASSERT_NE(hyperlink::moduleState().resources, nullptr) << dlerror();
    }
  }
  // The text of a string in the language under test.
  static std::string text(const hyperlink::TextId& id) { return u8(hyperlink::resourceText(id)); }

  Session s;
};

inline std::string labelOf(CTzUiDialog& dialog, int id) {
  return dialog.GetDlgItem(id)->GetLabel().utf8_string();
}

inline wxTextCtrl* editOf(CTzUiDialog& dialog, int id) {
  return dynamic_cast<wxTextCtrl*>(dialog.GetDlgItem(id));
}

inline std::string valueOf(CTzUiDialog& dialog, int id) {
  return editOf(dialog, id)->GetValue().utf8_string();
}

// Selects an entry of a list, or of the link-type or source selector, as a click does.
inline void pickEntry(wxWindow* list, int entry) {
  if (auto* selector = dynamic_cast<wxVListBox*>(list)) selector->SetSelection(entry);
  if (auto* texts = dynamic_cast<wxListBox*>(list)) texts->SetSelection(entry);
  wxCommandEvent event(wxEVT_LISTBOX, list->GetId());
  event.SetEventObject(list);
  event.SetInt(entry);
  list->ProcessWindowEvent(event);
}

// The first window of type T among the descendants of window (a page of the frame: null when
// it has not been created).
template <typename T>
T* findChild(wxWindow* window) {
  for (wxWindow* child : window->GetChildren()) {
    if (auto* found = dynamic_cast<T*>(child)) return found;
    if (T* found = findChild<T>(child)) return found;
  }
  return nullptr;
}

}  // namespace tzt
