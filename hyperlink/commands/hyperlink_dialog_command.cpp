// HYPERLINK: the Insert Hyperlink dialog. Where no dialog can be shown, the command says where
// the same work is done on the command line.
#include "commands/hyperlink_commands.h"
#include "module/resource_string.h"
#include "tzed_editor.h"

namespace hyperlink {

extern "C" __attribute__((visibility("default"))) void hyperlinkDlg() {
  ResourceString message(text::kDialogNeedsDisplay);
  tzutPrintf(u"%s", loadResourceString(message));
}

}  // namespace hyperlink
