// The module's exported dialog functions. The dialogs themselves are in the dialog library
// (dialog/dialog_half.h), loaded from the module's folder on the first call that shows one.
#include <dlfcn.h>

#include "commands/hyperlink_commands.h"
#include "dialog/dialog_entry_points.h"
#include "dialog/dialog_half.h"
#include "module/module_state.h"
#include "module/resource_string.h"
#include "platform/folders.h"
#include "platform/text.h"
#include "tzed_editor.h"

namespace hyperlink {
namespace {

std::string dialogLibraryPath() {
  std::u16string own =
      platform::modulePathOf(reinterpret_cast<const void*>(&moduleEntry)).value_or(u"");
  std::string path = platform::toFileName(own);
  size_t slash = path.rfind('/');
  return (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/" +
         kDialogLibrary;
}

// The dialog library's table; null, after saying why, when it cannot be loaded.
const DialogHalf* dialogHalf() {
  ModuleState& state = moduleState();
  if (state.dialogs == nullptr) {
    // Once loaded it stays, as the toolkit beneath it does: what the toolkit keeps for the life
    // of the process was made by the dialogs' code, which must stay where it was.
    state.dialogs = dlopen(dialogLibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (state.dialogs == nullptr) {
      const char* why = dlerror();
      tzutPrintf(u"%s\n", tzutFromUtf8(why ? why : kDialogLibrary).c_str());
      return nullptr;
    }
  }
  auto table = reinterpret_cast<const DialogHalf* (*)()>(dlsym(state.dialogs, kDialogHalfSymbol));
  return table ? table() : nullptr;
}

// Dialogs need a display; without one the user is told on the command line and nothing loads.
const DialogHalf* dialogHalfOnDisplay() {
  if (TwUiHasDisplay()) return dialogHalf();
  ResourceString message(text::kDialogNeedsDisplay);
  tzutPrintf(u"%s", loadResourceString(message));
  return nullptr;
}

}  // namespace

__attribute__((visibility("default"))) void hyperlinkDlg() {
  if (const DialogHalf* half = dialogHalfOnDisplay()) half->hyperlinkDialog();
}

}  // namespace hyperlink

void hyperlinkBlkDlg(const TzArray<TzDbObjectId>& ids, hyperlink::HyperlinkData& data) {
  if (const hyperlink::DialogHalf* half = hyperlink::dialogHalfOnDisplay())
    half->blockDialog(ids, data);
}

bool editHyperlinkInteractive(TzString& target, TzString& text, CWnd* parent) {
  const hyperlink::DialogHalf* half = hyperlink::dialogHalfOnDisplay();
  return half != nullptr && half->editTarget(target, text, parent);
}
