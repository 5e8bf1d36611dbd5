// The dialog's page for a place inside the drawing being edited: its layouts and named
// views as a tree. A pick becomes a hyperlink to this drawing with that location.
#pragma once

#include <wx/treebase.h>

#include "locations/drawing_locations.h"
#include "locations/drawing_view_page_ids.h"
#include "tzui_dialog.h"

class wxTreeCtrl;
class wxTreeEvent;

namespace hyperlink {

class CHyperLinkFrameBaseDlg;

class CHypLnkDwgViewDlg : public CTzUiDialog {
 public:
  static constexpr unsigned kTemplateId = DrawingViewPageIds::kTemplate;

  explicit CHypLnkDwgViewDlg(CHyperLinkFrameBaseDlg* frame);
  ~CHypLnkDwgViewDlg() override;

  // Preselects the layout item whose location text is location (compared ignoring case).
  void selectLocation(const TzString& location);
  // The location tree, or null before the window exists.
  wxTreeCtrl* tree() const;
  // The item most recently selected, or the one selectLocation chose to select next.
  wxTreeItemId selectedItem;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(bool save) override;

 private:
  void onSelectionChanged(wxTreeEvent& event);
  // Writes a place into the frame: an empty location stands for no place at all.
  void publish(const TzString& location);
  CHyperLinkFrameBaseDlg* frame() const;

  LocationList locations_;  // the working drawing's places, read once
  wxTreeCtrl* tree_ = nullptr;
  wxTreeItemId rootItem_;
  bool ignoreNextSelection_ = false;  // the page's own selection of the root publishes nothing
};

}  // namespace hyperlink
