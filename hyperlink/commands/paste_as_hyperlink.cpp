// PASTEASHYPERLINK: what the user copied (a hyperlink, a web address, a file) becomes the
// hyperlink of the objects the user selects.
#include "commands/hyperlink_commands.h"
#include "model/entity_hyperlinks.h"
#include "platform/clipboard.h"
#include "platform/text.h"
#include "tzed_editor.h"

namespace hyperlink {

namespace {

// Web addresses arrive as 8-bit text read into 260 characters: longer ones are cut, though
// never between the halves of a surrogate pair.
constexpr size_t kWebAddressLength = 259;

// The "Hyperlink" and "UniformResourceLocator" forms; true when one of them was read.
bool readClipboardHyperlink(platform::Clipboard& clipboard, HyperlinkData& data) {
  if (auto link = clipboard.hyperlink()) {
    data.address = link->address;
    data.description = link->description;
    data.location = link->location;
    return true;
  }
  if (auto address = clipboard.webAddress()) {
    TzString cut = address->substr(0, platform::utf16CutLength(*address, kWebAddressLength));
    data.address = data.description = data.displayString = cut;
    return true;
  }
  return false;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void pasteashyperlink() {
  tz_name none = {0, 0};
  // Clearing the pre-selection only makes the user pick afresh; the command goes on either way.
  static_cast<void>(tzedSSSetFirst(none, nullptr));
  TzArray<TzDbObjectId> ids;
  if (selectEntities(ids, nullptr) != RTNORM || ids.isEmpty()) return;
  pasteClipboardHyperlink(std::move(ids));
}

void pasteClipboardHyperlink(TzArray<TzDbObjectId> ids) {
  removeHyperlinks(ids, true);
  HyperlinkData data;
  platform::Clipboard clipboard = platform::Clipboard::attach();
  if (!readClipboardHyperlink(clipboard, data)) {
    if (auto file = clipboard.fileName())
      data.address = data.description = data.displayString = *file;
  }
  if (data.description.empty() && data.location.empty() && data.address.empty()) return;
  applyHyperlink(ids, data);
}

}  // namespace hyperlink
