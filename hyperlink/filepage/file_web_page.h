// The dialog's page for existing files and web pages: the address box with its preview and
// relative-path box, the three recent-item lists, the file dialog and the named-location
// button.
#pragma once

#include "tzui_dialog.h"

namespace hyperlink {

class CHyperLinkFrameBaseDlg;

// target alone when location is empty, else target "#" location.
TzString composeAddress(const TzString& target, const TzString& location);

class CHypLnkFileWebDlg : public CTzUiDialog {
 public:
  static constexpr unsigned kTemplateId = 129;

  // Created by the frame (Create(frame)) the first time the page is shown.
  explicit CHypLnkFileWebDlg(CHyperLinkFrameBaseDlg* frame);
  ~CHypLnkFileWebDlg() override;

  // The frame's target (composed with its location); justCreated when the page window was
  // created by the same showing.
  void setAddress(const TzString& address, bool justCreated);

  int optionFlag = 0;  // check box 1060; the frame sets it from its flags before showing
};

}  // namespace hyperlink
