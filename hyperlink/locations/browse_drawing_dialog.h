// A small modal dialog that picks a layout or named view of a drawing file or of the working
// drawing; the file and web page appends the pick to its address after "#".
#pragma once

#include <wx/treebase.h>

#include "locations/browse_drawing_ids.h"
#include "locations/drawing_locations.h"
#include "tzui_dialog.h"

class wxTreeCtrl;
class wxTreeEvent;

namespace hyperlink {

class CHyplnkBrowerDwgDlg : public CTzUiDialog {
 public:
  static constexpr unsigned kTemplateId = BrowseDrawingIds::kTemplate;

  CHyplnkBrowerDwgDlg();
  ~CHyplnkBrowerDwgDlg() override;

  // Lists the drawing file at path (absolute); false when it cannot be read.
  bool loadDrawingFile(const TzString& path);
  // The location tree, or null before the window exists.
  wxTreeCtrl* tree() const { return tree_; }

  LocationList locations;   // what the tree shows; the caller may fill it directly
  TzString pickedLocation;  // the result after OK

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(bool save) override;

 private:
  void onSelectionChanged(wxTreeEvent& event);

  wxTreeCtrl* tree_ = nullptr;
  wxTreeItemId rootItem_;
};

}  // namespace hyperlink
