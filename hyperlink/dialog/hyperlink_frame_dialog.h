// The Insert Hyperlink / Edit Hyperlink dialog: the hyperlink being edited, the counts of
// selected and linked objects, the link-type list and one visible page beside it. The pages
// write the edited values straight into the frame; the frame never touches the drawing.
#pragma once

#include <cstdint>

#include "dialog/hyperlink_frame_ids.h"
#include "tzui_dialog.h"

class wxImageList;

namespace hyperlink {

class CListBoxEx;
class CHypLnkFileWebDlg;
class CHypLnkDwgViewDlg;
class CHypLnkEmailDlg;

class CHyperLinkFrameBaseDlg : public CTzUiDialog {
 public:
  static constexpr unsigned kTemplateId = HyperlinkFrameIds::kTemplate;
  // What the dialog returns after Remove Link: the button's id.
  static constexpr int kRemoveLink = HyperlinkFrameIds::kRemoveLink;

  explicit CHyperLinkFrameBaseDlg(CWnd* parent);
  ~CHyperLinkFrameBaseDlg() override;

  // The edited hyperlink, set by the entry point before the run and read after it; the pages
  // write address, location and flags directly.
  TzString address;
  TzString location;
  TzString textToDisplay;
  uint32_t flags = 1;
  uint32_t selectedCount = 0;
  uint32_t linkedCount = 0;  // non-zero: edit mode
  int currentPage = 0;       // 0 file or web page, 1 view of this drawing, 2 e-mail

  // Stores the text to display and, once the window exists, shows it in its box.
  void setTextToDisplay(const TzString& text);
  // The OK button's state, as each page's rule decides it.
  void enableOk(bool enable);
  // Shows the page of index (1 view, 2 e-mail, anything else the file or web page).
  bool selectPage(int index);
  // Moves a newly created page next to the link-type list.
  void placePage(CTzUiDialog* page);

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(bool save) override;
  void OnShowWindow(bool show) override;
  void OnOK() override;

 private:
  void showFileWebPage();
  void showDrawingViewPage();
  void showEmailPage();
  void hidePage(CTzUiDialog* page);

  CHypLnkFileWebDlg* fileWebPage_ = nullptr;  // child windows: destroyed with the frame
  CHypLnkDwgViewDlg* drawingViewPage_ = nullptr;
  CHypLnkEmailDlg* emailPage_ = nullptr;
  CListBoxEx* linkTypeList_ = nullptr;
  wxImageList* images_ = nullptr;  // owned
};

}  // namespace hyperlink
