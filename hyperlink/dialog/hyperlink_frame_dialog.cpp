#include "dialog/hyperlink_frame_dialog.h"

#include <wx/imaglist.h>
#include <wx/textctrl.h>
#include <wx/treectrl.h>

#include "controls/list_box_ex.h"
#include "dialog/email_page.h"
#include "filepage/address_text.h"
#include "filepage/file_web_page.h"
#include "locations/drawing_view_page.h"
#include "model/link_targets.h"
#include "module/module_state.h"
#include "module/resource_string.h"

namespace hyperlink {

namespace {

constexpr int kFileWebPage = 0;
constexpr int kDrawingViewPage = 1;
constexpr int kEmailPage = 2;
constexpr size_t kMaxFieldLength = 255;
constexpr unsigned kLinkTypeImages[] = {136, 137, 138};

void setLabel(wxWindow* label, const TextId& format, uint32_t count) {
  if (label == nullptr) return;
  label->SetLabel(wxString::Format(TwUiString(resourceText(format)), static_cast<int>(count)));
}

// A page created on first use, hidden until the frame shows it; null when its template is
// missing.
template <typename Page>
Page* createPage(CHyperLinkFrameBaseDlg* frame) {
  auto* page = new Page(frame);
  if (!page->Create(frame)) {
    delete page;
    return nullptr;
  }
  frame->placePage(page);
  return page;
}

}  // namespace

CHyperLinkFrameBaseDlg::CHyperLinkFrameBaseDlg(CWnd* parent)
    : CTzUiDialog(kTemplateId, parent, moduleState().resources) {}

CHyperLinkFrameBaseDlg::~CHyperLinkFrameBaseDlg() {
  delete fileWebPage_;
  delete emailPage_;
  delete drawingViewPage_;
  if (linkTypeList_ != nullptr) linkTypeList_->imageList = nullptr;
  delete images_;
}

void CHyperLinkFrameBaseDlg::setTextToDisplay(const TzString& text) {
  textToDisplay = text;
  if (auto* box = dynamic_cast<wxTextCtrl*>(GetDlgItem(HyperlinkFrameIds::kTextToDisplay)))
    box->ChangeValue(TwUiString(text));
}

void CHyperLinkFrameBaseDlg::enableOk(bool enable) {
  if (wxWindow* ok = GetDlgItem(HyperlinkFrameIds::kOk)) ok->Enable(enable);
}

bool CHyperLinkFrameBaseDlg::OnInitDialog() {
  CTzUiDialog::OnInitDialog();
  setLabel(GetDlgItem(HyperlinkFrameIds::kSelectedLabel), text::kObjectsSelected, selectedCount);
  setLabel(GetDlgItem(HyperlinkFrameIds::kLinkedLabel), text::kObjectsWithLinks, linkedCount);

  // The pictures are transparent where the list's background is to show through.
  int side = TwUiGetImageDPICx(32);
  images_ = new wxImageList(side, side, true, 3);
  for (unsigned id : kLinkTypeImages)
    images_->Add(TwUiLoadImage(resources(), id, 32, 32).GetBitmap(wxSize(side, side)));

  linkTypeList_ = CListBoxEx::attach(this, HyperlinkFrameIds::kLinkTypeList);
  if (linkTypeList_ != nullptr) {
    linkTypeList_->imageList = images_;
    linkTypeList_->iconSize = TwUiGetCtrlDPISize(32);
    linkTypeList_->itemHeight = TwUiGetCtrlDPISize(72);
    linkTypeList_->addItem(resourceText(text::kFileOrWebPage), 0, 0);
    linkTypeList_->addItem(resourceText(text::kViewOfDrawing), 1, 1);
    linkTypeList_->addItem(resourceText(text::kEmailAddress), 2, 2);
    linkTypeList_->Bind(wxEVT_LISTBOX,
                        [this](wxCommandEvent& event) { selectPage(event.GetSelection()); });
  }
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { EndDialog(kRemoveLink); },
      HyperlinkFrameIds::kRemoveLink);

  bool editing = linkedCount != 0;
  if (editing) {
    if (address.empty() && !location.empty()) currentPage = kDrawingViewPage;
    if (isMailtoLink(address)) currentPage = kEmailPage;
    SetWindowText(resourceText(text::kEditTitle));
    enableOk(!address.empty() || !location.empty());
  } else {
    SetWindowText(resourceText(text::kInsertTitle));
    currentPage = kFileWebPage;
    enableOk(false);
  }
  if (wxWindow* remove = GetDlgItem(HyperlinkFrameIds::kRemoveLink)) remove->Show(editing);
  // A link into this drawing is best described by the place it leads to.
  if (currentPage == kDrawingViewPage) textToDisplay = location;
  UpdateData(false);
  Layout();
  return true;
}

void CHyperLinkFrameBaseDlg::DoDataExchange(bool save) {
  exchangeText(HyperlinkFrameIds::kTextToDisplay, textToDisplay, save);
}

void CHyperLinkFrameBaseDlg::OnShowWindow(bool show) {
  CTzUiDialog::OnShowWindow(show);
  if (!show) return;
  selectPage(currentPage);
  if (wxWindow* box = GetDlgItem(HyperlinkFrameIds::kTextToDisplay)) box->Show();
}

bool CHyperLinkFrameBaseDlg::selectPage(int index) {
  if (index == kDrawingViewPage) {
    hidePage(fileWebPage_);
    hidePage(emailPage_);
    showDrawingViewPage();
  } else if (index == kEmailPage) {
    hidePage(fileWebPage_);
    hidePage(drawingViewPage_);
    showEmailPage();
  } else {
    index = kFileWebPage;
    hidePage(emailPage_);
    hidePage(drawingViewPage_);
    showFileWebPage();
  }
  currentPage = index;
  if (linkTypeList_ == nullptr) return false;
  linkTypeList_->SetSelection(index);
  return linkTypeList_->GetSelection() == index;
}

void CHyperLinkFrameBaseDlg::placePage(CTzUiDialog* page) {
  // The list may sit inside the template's placeholder window: measure it on the screen.
  wxWindow* list =
      linkTypeList_ != nullptr ? linkTypeList_ : GetDlgItem(HyperlinkFrameIds::kLinkTypeList);
  if (list == nullptr) return;
  wxRect rect = list->GetScreenRect();
  rect.SetPosition(ScreenToClient(rect.GetPosition()));
  wxSize size = page->GetClientSize();
  page->SetSize(rect.GetRight() + 1, rect.GetTop() - TwUiGetCtrlDPISize(3), size.x, size.y);
  page->Refresh();
}

void CHyperLinkFrameBaseDlg::hidePage(CTzUiDialog* page) {
  if (page != nullptr) page->Hide();
}

void CHyperLinkFrameBaseDlg::showFileWebPage() {
  bool justCreated = fileWebPage_ == nullptr;
  if (justCreated) fileWebPage_ = createPage<CHypLnkFileWebDlg>(this);
  if (fileWebPage_ == nullptr) return;
  // Filling the page's address box reports the address, which becomes the text to display.
  fileWebPage_->setAddress(composeAddress(address, location), justCreated);
  fileWebPage_->optionFlag = static_cast<int>(flags);
  fileWebPage_->UpdateData(false);
  fileWebPage_->Show();
}

void CHyperLinkFrameBaseDlg::showDrawingViewPage() {
  if (drawingViewPage_ == nullptr) drawingViewPage_ = createPage<CHypLnkDwgViewDlg>(this);
  if (drawingViewPage_ == nullptr) return;
  drawingViewPage_->Show();
  drawingViewPage_->SetFocus();
  if (address.empty()) drawingViewPage_->selectLocation(location);
  wxTreeCtrl* tree = drawingViewPage_->tree();
  if (tree == nullptr || !drawingViewPage_->selectedItem.IsOk()) return;
  tree->SetFocus();
  tree->SelectItem(drawingViewPage_->selectedItem);
}

void CHyperLinkFrameBaseDlg::showEmailPage() {
  UpdateData(true);
  if (emailPage_ == nullptr) emailPage_ = createPage<CHypLnkEmailDlg>(this);
  if (emailPage_ == nullptr) return;
  // Filling the page rewrites the text to display with the target; a text the user already
  // had is worth more.
  TzString kept = textToDisplay;
  emailPage_->setEmailUrl(composeAddress(address, location));
  emailPage_->Show();
  // Focus first: GTK selects the whole text of an edit that takes the focus.
  wxTextCtrl* box = emailPage_->addressBox();
  if (box) box->SetFocus();
  if (box && !emailPage_->emailAddress.empty()) {
    // The address as it was handed over, with the caret at its start (and in view) so that
    // typing replaces it; where the page put "mailto:" in front, that is the first characters only.
    long length = static_cast<long>(emailPage_->emailAddress.size());
    box->SetSelection(0, length);
  }
  if (!kept.empty()) setTextToDisplay(kept);
}

void CHyperLinkFrameBaseDlg::OnOK() {
  UpdateData(true);
  const TextId* refusal = nullptr;
  if (address.size() > kMaxFieldLength) refusal = &text::kUrlTooLong;
  if (textToDisplay.size() > kMaxFieldLength) refusal = &text::kTextTooLong;
  if (location.size() > kMaxFieldLength) refusal = &text::kLocationTooLong;
  if (refusal != nullptr) {
    TzUiMessageBox(resourceText(*refusal).c_str(), nullptr, TZ_MB_OK);
    return;
  }
  EndDialog(TZ_IDOK);
}

}  // namespace hyperlink
