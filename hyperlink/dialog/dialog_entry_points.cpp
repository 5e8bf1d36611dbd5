// HYPERLINK and the other ways into the Insert / Edit Hyperlink dialog.
#include "dialog/dialog_entry_points.h"

#include "commands/hyperlink_commands.h"
#include "dialog/hyperlink_frame_dialog.h"
#include "dialog/hyperlink_merge.h"
#include "model/entity_hyperlinks.h"
#include "module/module_state.h"
#include "module/resource_string.h"
#include "tzed_editor.h"

namespace hyperlink {

namespace {

void prefill(CHyperLinkFrameBaseDlg& frame, const HyperlinkData& data) {
  frame.address = data.address;
  frame.location = data.location;
  frame.flags = static_cast<uint32_t>(data.flags);
  frame.setTextToDisplay(data.description);
}

// What OK leaves in the frame, as a record to write: nothing the host composes is carried.
HyperlinkData editedHyperlink(const CHyperLinkFrameBaseDlg& frame) {
  HyperlinkData data;
  data.description = frame.textToDisplay;
  data.location = frame.location;
  data.address = frame.address;
  data.flags = static_cast<int32_t>(frame.flags);
  return data;
}

void writeHyperlink(const TzArray<TzDbObjectId>& ids, const HyperlinkData& data) {
  applyHyperlink(ids, data);
  rememberEmailLink(data.address);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void hyperlinkDlg() {
  if (!TwUiHasDisplay()) {
    ResourceString message(text::kDialogNeedsDisplay);
    tzutPrintf(u"%s", loadResourceString(message));
    return;
  }
  TzArray<TzDbObjectId> ids;
  if (selectEntities(ids, u"I") != RTNORM || ids.isEmpty()) {
    if (selectEntities(ids, u":C:P:L") != RTNORM || ids.isEmpty()) return;
  }
  HyperlinkData start;
  start.flags = 1;
  MergedHyperlink merged = mergeHyperlinks(ids, start, true);

  CHyperLinkFrameBaseDlg frame(tzedGetTzadFrame());
  frame.selectedCount = static_cast<uint32_t>(ids.size());
  frame.linkedCount = merged.linkedCount;
  prefill(frame, merged.record);
  int result = frame.DoModal();
  if (result == TZ_IDOK) writeHyperlink(ids, editedHyperlink(frame));
  if (result == CHyperLinkFrameBaseDlg::kRemoveLink) removeHyperlinks(ids, false);
}

}  // namespace hyperlink

using hyperlink::CHyperLinkFrameBaseDlg;
using hyperlink::HyperlinkData;

void hyperlinkBlkDlg(const TzArray<TzDbObjectId>& ids, HyperlinkData& data) {
  // The caller's record prefills the dialog only when there are no objects to read.
  HyperlinkData start = ids.isEmpty() ? data : HyperlinkData();
  hyperlink::MergedHyperlink merged = hyperlink::mergeHyperlinks(ids, start, false);

  CHyperLinkFrameBaseDlg frame(nullptr);
  frame.selectedCount = static_cast<uint32_t>(ids.size());
  frame.linkedCount = hyperlink::hasAnyHyperlink(ids) == 1 ? 1 : 0;
  hyperlink::prefill(frame, merged.record);
  int result = frame.DoModal();
  if (result == TZ_IDOK) {
    data = hyperlink::editedHyperlink(frame);
    hyperlink::writeHyperlink(ids, data);
  }
  if (result == CHyperLinkFrameBaseDlg::kRemoveLink) hyperlink::removeHyperlinks(ids, false);
}

bool editHyperlinkInteractive(TzString& target, TzString& text, CWnd* parent) {
  CHyperLinkFrameBaseDlg frame(parent != nullptr ? parent : tzedGetTzadFrame());
  frame.address = target;
  frame.setTextToDisplay(text);
  if (frame.DoModal() != TZ_IDOK) return false;
  target = frame.address;
  text = frame.textToDisplay;
  return true;
}

void editHyperlinkInteractive(TzString& target, TzString& text, TzDbObjectId id) {
  HyperlinkData data;
  data.address = target;
  data.description = text;
  hyperlink::writeHyperlink(TzArray<TzDbObjectId>{id}, data);
}
