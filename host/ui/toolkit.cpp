// Starting wxWidgets inside a process that began on the command line: the first window starts
// it, on the display the environment names, and the process's exit ends it.
#include <wx/app.h>
#include <wx/filesys.h>
#include <wx/fs_mem.h>
#include <wx/init.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/xrc/xmlres.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "base/language.h"
#include "base/translation.h"
#include "tzed_editor.h"
#include "tzrx_module.h"
#include "tzui.h"

namespace {

// The host has no application object of its own: commands run their dialogs modally from
// the command line, each in its own event loop.
class ToolkitApp : public wxApp {
 public:
  bool OnInit() override { return true; }
  // What an event handler throws is reported on the command line, and the window goes on.
  bool OnExceptionInMainLoop() override {
    report();
    return true;
  }
  void OnUnhandledException() override { report(); }

 private:
  static void report() {
    std::string what = tzad::tr("an unknown error");
    try {
      throw;
    } catch (const std::exception& e) {
      what = e.what();
    } catch (...) {
    }
    TzString text = tzad::trf("*Error* {0}; the action was cancelled.\n", {what});
    tzutPrintf(u"%s", text.c_str());
  }
};

enum class ToolkitState { notTried, running, unavailable };
ToolkitState state = ToolkitState::notTried;

void stopToolkit() {
  if (state != ToolkitState::running) return;
  state = ToolkitState::unavailable;
  wxEntryCleanup();
}

// The toolkit's own texts (stock buttons, message boxes, the file dialog's buttons) in the
// language tzad runs in, from wxWidgets' catalog; GTK's come through LANGUAGE, set when the
// language was chosen.
void useToolkitLanguage() {
  auto* translations = new wxTranslations;
  translations->SetLanguage(wxString::FromUTF8(tzad::catalogLanguage(tzutLanguage())));
  translations->AddStdCatalog();
  wxTranslations::Set(translations);
}

bool startToolkit() {
  static char programName[] = "tzad";
  static char* argv[] = {programName, nullptr};
  static int argc = 1;
  wxApp::SetInstance(new ToolkitApp);
  // A failed start deletes the application object itself.
  if (!wxEntryStart(argc, argv)) return false;
  if (!wxTheApp->CallOnInit()) {
    wxEntryCleanup();
    return false;
  }
  // A wx error would otherwise open a modal box that nobody expects.
  delete wxLog::SetActiveTarget(new wxLogStderr);
  useToolkitLanguage();
  wxXmlResource::Get()->InitAllHandlers();
  wxFileSystem::AddHandler(new wxMemoryFSHandler);
  std::atexit(stopToolkit);
  return true;
}

}  // namespace

// libtzad loads this library and calls this on the first TwUiHasDisplay() where a display is
// named (base/host_library.h names it).
extern "C" __attribute__((visibility("default"))) bool tzuiHasDisplay() {
  if (state == ToolkitState::notTried) {
    state = startToolkit() ? ToolkitState::running : ToolkitState::unavailable;
  }
  return state == ToolkitState::running;
}
