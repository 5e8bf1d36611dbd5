// Writing a record as the dialogs' OK does, and the exported way to do it without a dialog.
#include "dialog/dialog_entry_points.h"
#include "dialog/dialog_half.h"
#include "model/entity_hyperlinks.h"
#include "module/module_state.h"

namespace hyperlink {

void writeHyperlink(const TzArray<TzDbObjectId>& ids, const HyperlinkData& data) {
  applyHyperlink(ids, data);
  rememberEmailLink(data.address);
}

}  // namespace hyperlink

void editHyperlinkInteractive(TzString& target, TzString& text, TzDbObjectId id) {
  hyperlink::HyperlinkData data;
  data.address = target;
  data.description = text;
  hyperlink::writeHyperlink(TzArray<TzDbObjectId>{id}, data);
}
