// The actions the module offers on objects that the user points at or selects in the host's
// window. Each does what one of the module's commands does once it has its objects, through
// that command's own functions; given no objects, it is the command itself.
#include <utility>

#include "commands/hyperlink_commands.h"
#include "model/entity_hyperlinks.h"
#include "model/link_targets.h"
#include "module/resource_string.h"
#include "platform/clipboard.h"
#include "platform/text.h"
#include "tzed_editor.h"
#include "tzrx_object_actions.h"

namespace hyperlink {

namespace {

// Keeps in `ids` the objects that carry a hyperlink, in their order; false when none does.
bool keepLinked(TzArray<TzDbObjectId>& ids) {
  std::erase_if(ids, [](TzDbObjectId id) {
    HyperlinkData data;
    return !readHyperlink(id, data);
  });
  return !ids.isEmpty();
}

// Keeps in `ids` the first object that carries a hyperlink, which `data` receives; false when
// none does.
bool keepFirstLinked(TzArray<TzDbObjectId>& ids, HyperlinkData& data) {
  for (TzDbObjectId id : ids) {
    if (!readHyperlink(id, data)) continue;
    ids.assign(1, id);
    return true;
  }
  ids.clear();
  return false;
}

// The objects become the pre-selection, which the next command takes (or, when there are
// none, asks for objects).
void preselect(const TzArray<TzDbObjectId>& ids) {
  tz_name set = {0, 0};
  if (tzedSSAdd(nullptr, nullptr, set) != RTNORM) return;
  for (TzDbObjectId id : ids) {
    tz_name entity;
    if (tzdbGetTwsName(entity, id) == Tzad::eOk) static_cast<void>(tzedSSAdd(entity, set, set));
  }
  static_cast<void>(tzedSSSetFirst(set, nullptr));
  tzedSSFree(set);
}

// The hyperlink dialog on the objects, as HYPERLINK opens it on the pre-selection. The dialog's
// code is reached from the actions here alone.
void editInDialog(const TzArray<TzDbObjectId>& ids) {
  preselect(ids);
  hyperlinkDlg();
}

}  // namespace

}  // namespace hyperlink

using hyperlink::HyperlinkData;

TZRX_EXPORT int openHyperlinkAction(TzArray<TzDbObjectId>& ids) {
  HyperlinkData data;
  if (hyperlink::keepFirstLinked(ids, data))
    hyperlink::followHyperlink(data.address, data.location);
  else
    hyperlink::hyperlinkopen();
  return RTNORM;
}

// A relative address is offered as a URI relative to what HYPERLINKOPEN would resolve it
// against: the drawing's hyperlink base or folder.
TZRX_EXPORT int copyHyperlinkAction(TzArray<TzDbObjectId>& ids) {
  HyperlinkData data;
  if (!hyperlink::keepFirstLinked(ids, data)) return RTERROR;
  std::optional<std::string> error = platform::copyHyperlink(
      {data.address, data.description, data.location}, hyperlink::drawingLinkBase());
  if (!error) return RTNORM;
  hyperlink::ResourceString message(hyperlink::text::kCopyFailed);
  tzutPrintf(hyperlink::loadResourceString(message), tzutFromUtf8(*error).c_str());
  return RTERROR;
}

TZRX_EXPORT int editHyperlinkAction(TzArray<TzDbObjectId>& ids) {
  hyperlink::editInDialog(ids);
  return RTNORM;
}

TZRX_EXPORT int removeHyperlinkAction(TzArray<TzDbObjectId>& ids) {
  if (ids.isEmpty()) {
    hyperlink::runHyperlinkRemove();
    return RTNORM;
  }
  // As the answer "*" to -HYPERLINK's Remove: every hyperlink listed goes, area shapes too.
  if (!hyperlink::keepLinked(ids)) return RTERROR;
  hyperlink::removeAndReport(ids, true);
  return RTNORM;
}

TZRX_EXPORT int pasteAsHyperlinkAction(TzArray<TzDbObjectId>& ids) {
  if (ids.isEmpty()) {
    hyperlink::pasteashyperlink();
    return RTNORM;
  }
  // The command clears the pre-selection before it asks for the objects; so does this.
  tz_name none = {0, 0};
  static_cast<void>(tzedSSSetFirst(none, nullptr));
  hyperlink::pasteClipboardHyperlink(ids);
  return RTNORM;
}

TZRX_EXPORT int highlightHyperlinksAction(TzArray<TzDbObjectId>& ids) {
  return hyperlink::keepLinked(ids) ? RTNORM : RTERROR;
}

TZRX_EXPORT const TzObjectActionEntry* tzrxObjectActions() {
  static const TzObjectActionEntry kActions[] = {
      {kTzrxOpenHyperlinkAction, "openHyperlinkAction"},
      {kTzrxCopyHyperlinkAction, "copyHyperlinkAction"},
      {kTzrxEditHyperlinkAction, "editHyperlinkAction"},
      {kTzrxRemoveHyperlinkAction, "removeHyperlinkAction"},
      {kTzrxPasteAsHyperlinkAction, "pasteAsHyperlinkAction"},
      {kTzrxHighlightHyperlinksAction, "highlightHyperlinksAction"},
      {nullptr, nullptr}};
  return kActions;
}
