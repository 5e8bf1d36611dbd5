// The browse-drawing dialog: the last layout or view picked is the result; the drawing's own
// entry picks nothing and leaves an earlier pick in place.
#include "locations/browse_drawing_dialog.h"

#include <wx/treectrl.h>

#include "module/module_state.h"

namespace hyperlink {

CHyplnkBrowerDwgDlg::CHyplnkBrowerDwgDlg()
    : CTzUiDialog(kTemplateId, nullptr, moduleState().resources) {
  Bind(wxEVT_TREE_SEL_CHANGED, &CHyplnkBrowerDwgDlg::onSelectionChanged, this,
       BrowseDrawingIds::kLocationTree);
}

CHyplnkBrowerDwgDlg::~CHyplnkBrowerDwgDlg() {
  // The tree goes with the base window, after this object: it must not call back into it.
  Unbind(wxEVT_TREE_SEL_CHANGED, &CHyplnkBrowerDwgDlg::onSelectionChanged, this,
         BrowseDrawingIds::kLocationTree);
}

bool CHyplnkBrowerDwgDlg::loadDrawingFile(const TzString& path) {
  locations.clear();
  return listFileLocations(path, locations);
}

void CHyplnkBrowerDwgDlg::DoDataExchange(bool save) {
  CTzUiDialog::DoDataExchange(save);
  tree_ = dynamic_cast<wxTreeCtrl*>(GetDlgItem(BrowseDrawingIds::kLocationTree));
}

bool CHyplnkBrowerDwgDlg::OnInitDialog() {
  CTzUiDialog::OnInitDialog();
  fillLocationTree(tree_, locations);
  rootItem_ = tree_ ? tree_->GetRootItem() : wxTreeItemId();
  if (rootItem_.IsOk()) tree_->Expand(rootItem_);
  return true;
}

void CHyplnkBrowerDwgDlg::onSelectionChanged(wxTreeEvent& event) {
  wxTreeItemId item = event.GetItem();
  if (item == rootItem_) return;
  pickedLocation = itemLocation(tree_, item, rootItem_);
}

}  // namespace hyperlink
