// The view-of-this-drawing page. Every pick is written into the frame at once, as a hyperlink
// to the drawing in hand (an empty address) with the picked place as its location.
#include "locations/drawing_view_page.h"

#include <wx/treectrl.h>

#include "dialog/hyperlink_frame_dialog.h"
#include "module/module_state.h"
#include "tzdb_database.h"

namespace hyperlink {

CHypLnkDwgViewDlg::CHypLnkDwgViewDlg(CHyperLinkFrameBaseDlg* frame)
    : CTzUiDialog(kTemplateId, frame, moduleState().resources) {
  Bind(wxEVT_TREE_SEL_CHANGED, &CHypLnkDwgViewDlg::onSelectionChanged, this,
       DrawingViewPageIds::kLocationTree);
}

CHypLnkDwgViewDlg::~CHypLnkDwgViewDlg() {
  // The tree goes with the base window, after this object: it must not call back into it.
  Unbind(wxEVT_TREE_SEL_CHANGED, &CHypLnkDwgViewDlg::onSelectionChanged, this,
         DrawingViewPageIds::kLocationTree);
}

wxTreeCtrl* CHypLnkDwgViewDlg::tree() const {
  return tree_;
}

void CHypLnkDwgViewDlg::DoDataExchange(bool save) {
  CTzUiDialog::DoDataExchange(save);
  tree_ = dynamic_cast<wxTreeCtrl*>(GetDlgItem(DrawingViewPageIds::kLocationTree));
}

bool CHypLnkDwgViewDlg::OnInitDialog() {
  CTzUiDialog::OnInitDialog();
  locations_.clear();
  if (tree_ == nullptr || tree_->GetCount() > 0) return true;
  if (!listDrawingLocations(tzdbHostApplicationServices()->workingDatabase(), locations_))
    return true;
  fillLocationTree(tree_, locations_);
  rootItem_ = tree_->GetRootItem();
  if (!rootItem_.IsOk()) return true;
  // Selecting the root here only shows where the tree starts; the frame keeps its fields.
  ignoreNextSelection_ = true;
  tree_->Expand(rootItem_);
  tree_->SelectItem(rootItem_);
  selectedItem = rootItem_;
  return true;
}

void CHypLnkDwgViewDlg::selectLocation(const TzString& location) {
  if (!rootItem_.IsOk()) {
    selectedItem = wxTreeItemId();
    return;
  }
  // Only layouts are looked for: a location naming a view keeps the page's own selection.
  wxTreeItemIdValue cookie;
  for (wxTreeItemId child = tree_->GetFirstChild(rootItem_, cookie); child.IsOk();
       child = tree_->GetNextChild(rootItem_, cookie)) {
    if (tzutEqualsNoCase(commaPrefixed(TwUiText(tree_->GetItemText(child))), location)) {
      selectedItem = child;
      return;
    }
  }
}

void CHypLnkDwgViewDlg::onSelectionChanged(wxTreeEvent& event) {
  selectedItem = event.GetItem();
  if (selectedItem == rootItem_) {
    if (ignoreNextSelection_) {
      ignoreNextSelection_ = false;
      return;
    }
    publish(TzString());
  } else {
    publish(itemLocation(tree_, selectedItem, rootItem_));
  }
  ignoreNextSelection_ = false;
}

void CHypLnkDwgViewDlg::publish(const TzString& location) {
  CHyperLinkFrameBaseDlg* target = frame();
  if (target == nullptr) return;
  target->location = location;
  target->address.clear();
  target->setTextToDisplay(location);
  target->enableOk(!target->address.empty() || !target->textToDisplay.empty() ||
                   !target->location.empty());
}

CHyperLinkFrameBaseDlg* CHypLnkDwgViewDlg::frame() const {
  return dynamic_cast<CHyperLinkFrameBaseDlg*>(GetParent());
}

}  // namespace hyperlink
