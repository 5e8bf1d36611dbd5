// HYPERLINK and the other ways into the Insert / Edit Hyperlink dialog.
#include "dialog/dialog_half.h"

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

}  // namespace

void runHyperlinkDialog() {
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

void runBlockDialog(const TzArray<TzDbObjectId>& ids, HyperlinkData& data) {
  // The caller's record prefills the dialog only when there are no objects to read.
  HyperlinkData start = ids.isEmpty() ? data : HyperlinkData();
  MergedHyperlink merged = mergeHyperlinks(ids, start, false);

  CHyperLinkFrameBaseDlg frame(nullptr);
  frame.selectedCount = static_cast<uint32_t>(ids.size());
  frame.linkedCount = hasAnyHyperlink(ids) == 1 ? 1 : 0;
  prefill(frame, merged.record);
  int result = frame.DoModal();
  if (result == TZ_IDOK) {
    data = editedHyperlink(frame);
    writeHyperlink(ids, data);
  }
  if (result == CHyperLinkFrameBaseDlg::kRemoveLink) removeHyperlinks(ids, false);
}

bool runTargetEditor(TzString& target, TzString& text, CWnd* parent) {
  CHyperLinkFrameBaseDlg frame(parent != nullptr ? parent : tzedGetTzadFrame());
  frame.address = target;
  frame.setTextToDisplay(text);
  if (frame.DoModal() != TZ_IDOK) return false;
  target = frame.address;
  text = frame.textToDisplay;
  return true;
}

}  // namespace hyperlink

extern "C" __attribute__((visibility("default"))) const hyperlink::DialogHalf*
hyperlinkDialogHalf() {
  static const hyperlink::DialogHalf kHalf{&hyperlink::runHyperlinkDialog,
                                           &hyperlink::runBlockDialog, &hyperlink::runTargetEditor};
  return &kHalf;
}
