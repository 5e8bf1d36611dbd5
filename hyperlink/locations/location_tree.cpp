// The tree of a drawing's places and the location text of a tree item. Items carry their
// text only: a location is rebuilt from an item's text and its parent's.
#include <wx/treectrl.h>

#include "locations/drawing_locations.h"
#include "tzui_dialog.h"

namespace hyperlink {

namespace {

TzString itemText(wxTreeCtrl* tree, wxTreeItemId item) {
  return TwUiText(tree->GetItemText(item));
}

}  // namespace

bool fillLocationTree(wxTreeCtrl* tree, LocationList list) {
  if (tree == nullptr || tree->GetHandle() == nullptr || list.empty()) return false;
  if (list.front().space != 0) return false;
  wxTreeItemId root = tree->AddRoot(TwUiString(list.front().name));
  // Views belong to a space, not to a layout: every paper layout gets all paper-space views.
  for (size_t i = 1; i < list.size(); ++i) {
    const LocationEntry& layout = list[i];
    if (layout.isView) continue;
    wxTreeItemId layoutItem = tree->AppendItem(root, TwUiString(layout.name));
    for (const LocationEntry& view : list)
      if (view.isView && view.space == layout.space)
        tree->AppendItem(layoutItem, TwUiString(view.name));
  }
  return true;
}

TzString itemLocation(wxTreeCtrl* tree, wxTreeItemId item, wxTreeItemId rootItem) {
  if (tree == nullptr || !item.IsOk()) return {};
  wxTreeItemId parent = tree->GetItemParent(item);
  if (!parent.IsOk()) return {};
  TzString text = itemText(tree, item);
  if (parent == rootItem) return commaPrefixed(text);
  TzString layout = itemText(tree, parent);
  // A view of the model layout is named alone: that is what a location without a layout means.
  if (tzutEqualsNoCase(layout, modelLayoutName())) return text;
  return text + commaPrefixed(layout);
}

}  // namespace hyperlink
