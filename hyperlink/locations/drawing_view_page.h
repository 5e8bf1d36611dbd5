// The dialog's page for a place inside the drawing being edited: its layouts and named
// views as a tree. A pick becomes a hyperlink to this drawing with that location.
#pragma once

#include <wx/treebase.h>

#include "tzui_dialog.h"

class wxTreeCtrl;

namespace hyperlink {

class CHyperLinkFrameBaseDlg;

class CHypLnkDwgViewDlg : public CTzUiDialog {
 public:
  static constexpr unsigned kTemplateId = 130;

  explicit CHypLnkDwgViewDlg(CHyperLinkFrameBaseDlg* frame);
  ~CHypLnkDwgViewDlg() override;

  // Preselects the layout item whose location text is location (compared ignoring case).
  void selectLocation(const TzString& location);
  // Control 1067, or null before the window exists.
  wxTreeCtrl* tree() const;
  // The item most recently selected, or the one selectLocation chose to select next.
  wxTreeItemId selectedItem;
};

}  // namespace hyperlink
