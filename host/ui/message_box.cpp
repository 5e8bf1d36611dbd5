// Messages in a window when there is a display. Loading this library installs the window in
// place of the command line; unloading it gives the command line back.
#include <wx/msgdlg.h>

#include "editor/window_message_box.h"
#include "tzui_dialog.h"

namespace {

long iconStyle(unsigned style) {
  switch (style & 0xF0) {
    case TZ_MB_ICONERROR:
      return wxICON_ERROR;
    case TZ_MB_ICONEXCLAMATION:
      return wxICON_WARNING;
    default:
      return wxICON_NONE;  // a plain message, as style 0 asks
  }
}

int showMessageWindow(const char16_t* text, const char16_t* caption, unsigned style, CWnd* owner) {
  if (!TwUiHasDisplay()) return 0;
  wxString title = caption && *caption ? TwUiString(caption) : wxString("tzad");
  wxMessageDialog box(owner, TwUiString(text ? text : u""), title, wxOK | iconStyle(style));
  box.ShowModal();
  return TZ_IDOK;
}

struct MessageWindowInstaller {
  MessageWindowInstaller() { setWindowMessageBox(&showMessageWindow); }
  ~MessageWindowInstaller() { setWindowMessageBox(nullptr); }
};
const MessageWindowInstaller installer;

}  // namespace
