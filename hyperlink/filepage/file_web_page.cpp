#include "filepage/file_web_page.h"

#include <optional>

#include <wx/checkbox.h>
#include <wx/clntdata.h>
#include <wx/imaglist.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include "controls/list_box_ex.h"
#include "controls/list_box_hor_bar.h"
#include "dialog/hyperlink_frame_dialog.h"
#include "filepage/recent_items.h"
#include "filepage/relative_paths.h"
#include "locations/browse_drawing_dialog.h"
#include "model/link_targets.h"
#include "module/module_state.h"
#include "module/resource_string.h"
#include "platform/path_rules.h"
#include "tzap_docman.h"
#include "tzdb_database.h"
#include "tzed_editor.h"
#include "tzui_nav_dialog.h"
#include "web/url_dialog.h"

namespace hyperlink {

namespace {

// Selector entries in list order: their text and picture.
struct Source {
  const TextId& label;
  unsigned image;
};
const Source kSources[] = {
    {text::kRecentFiles, 139},
    {text::kBrowsedPages, 140},
    {text::kInsertedLinks, 134},
};
constexpr int kBrowsedPagesSource = 1;
constexpr int kInsertedLinksSource = 2;

constexpr int kSmallImage = 16;
constexpr const char16_t* kFileTypes = u"*;dwg;dxf;dwf;doc;txt;xls";

bool endsWithSeparator(const TzString& path) {
  return !path.empty() && (path.back() == u'/' || path.back() == u'\\');
}

// The drawing's own hyperlink base; nothing when there is no drawing to ask.
std::optional<TzString> drawingHyperlinkBase() {
  TzApDocManager* documents = tzDocManagerPtr();
  TzApDocument* document = documents ? documents->curDocument() : nullptr;
  TzDbDatabase* database = document ? document->database() : nullptr;
  TzString base;
  if (database == nullptr || database->getHyperlinkBase(base) != Tzad::eOk) return std::nullopt;
  return base;
}

TzString drawingFolderVariable() {
  resbuf value;
  if (tzedGetVar(u"DWGPREFIX", &value) != RTNORM || value.restype != RTSTR) return {};
  TzString folder = value.resval.rstring ? value.resval.rstring : u"";
  tzutDelBuffer(value.resval.rstring);
  return folder;
}

// The message for an address whose named locations cannot be listed, named after the host.
void reportUnreadableDrawing() {
  const char16_t* host = tzutHostName();
  TzString message = resourceText(text::kCannotOpenFile);
  size_t slot = message.find(u"%s");
  if (slot != TzString::npos) message.replace(slot, 2, host);
  TzUiMessageBox(message.c_str(), host, TZ_MB_ICONERROR, nullptr);
}

}  // namespace

CHypLnkFileWebDlg::CHypLnkFileWebDlg(CHyperLinkFrameBaseDlg* frame)
    : CTzUiDialog(kTemplateId, frame, moduleState().resources), frame_(frame) {
  // The page reports the flags with every address, already while the frame first fills it.
  optionFlag = static_cast<int>(frame->flags);
}

CHypLnkFileWebDlg::~CHypLnkFileWebDlg() {
  delete images_;
}

bool CHypLnkFileWebDlg::OnInitDialog() {
  CTzUiDialog::OnInitDialog();
  addressBox_ = static_cast<wxTextCtrl*>(GetDlgItem(FileWebPageIds::kAddressBox));
  preview_ = static_cast<wxTextCtrl*>(GetDlgItem(FileWebPageIds::kPreview));
  relativeBox_ = static_cast<wxCheckBox*>(GetDlgItem(FileWebPageIds::kRelativeBox));
  setUpSourceSelector();
  fillLists();
  findBasePath();
  if (preview_) preview_->ChangeValue(TwUiString(basePath_));
  bindEvents();
  return true;
}

void CHypLnkFileWebDlg::setUpSourceSelector() {
  images_ = new wxImageList(kSmallImage, kSmallImage, true, 1);
  for (const Source& source : kSources) {
    wxBitmapBundle picture = TwUiLoadImage(resources(), source.image, kSmallImage, kSmallImage);
    if (picture.IsOk()) images_->Add(picture.GetBitmap(wxSize(kSmallImage, kSmallImage)), *wxWHITE);
  }
  sourceSelector_ = CListBoxEx::attach(this, FileWebPageIds::kSourceSelector);
  if (sourceSelector_ == nullptr) return;
  sourceSelector_->setBackground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
  sourceSelector_->imageList = images_;
  // Half the standard image width puts the selector in its compact layout: small icons
  // beside the texts, three entries filling its height.
  sourceSelector_->iconSize = TwUiGetImageDPICx() / 2;
  sourceSelector_->itemHeight = sourceSelector_->GetClientSize().GetHeight() / 3;
  for (int i = 0; i < static_cast<int>(std::size(kSources)); ++i)
    sourceSelector_->addItem(resourceText(kSources[i].label), i, i);
  sourceSelector_->SetSelection(0);
}

void CHypLnkFileWebDlg::fillLists() {
  recentFiles_ = CListBoxHorBar::attach(this, FileWebPageIds::kRecentFiles);
  browsedPages_ = CListBoxHorBar::attach(this, FileWebPageIds::kBrowsedPages);
  insertedLinks_ = CListBoxHorBar::attach(this, FileWebPageIds::kInsertedLinks);
  if (browsedPages_) loadBrowsedPages(*browsedPages_);
  if (insertedLinks_) loadRegistryValues(kTypedUrlsKey, *insertedLinks_);
  if (recentFiles_) loadRegistryValues(kOpenSaveMruKey, *recentFiles_);
  showSourceList(0);
}

void CHypLnkFileWebDlg::findBasePath() {
  std::optional<TzString> base = drawingHyperlinkBase();
  basePath_ = base ? *base : hyperlinkBasePath();
  if (basePath_.empty()) basePath_ = drawingFolderVariable();
  if (!basePath_.empty() && !endsWithSeparator(basePath_)) basePath_ += platform::pathSeparator();
}

void CHypLnkFileWebDlg::bindEvents() {
  Bind(wxEVT_LISTBOX, [this](wxCommandEvent& event) {
    switch (event.GetId()) {
      case FileWebPageIds::kSourceSelector:
        showSourceList(event.GetSelection());
        break;
      case FileWebPageIds::kRecentFiles:
        onListPicked(recentFiles_);
        break;
      case FileWebPageIds::kBrowsedPages:
        onListPicked(browsedPages_);
        break;
      case FileWebPageIds::kInsertedLinks:
        onListPicked(insertedLinks_);
        break;
      default:
        event.Skip();
    }
  });
  Bind(
      wxEVT_TEXT, [this](wxCommandEvent&) { onAddressChanged(); }, FileWebPageIds::kAddressBox);
  if (addressBox_) {
    // An edit that takes the focus (also when its window is activated) gets all its text
    // selected with the caret at the end; the address shown keeps the caret at its start until
    // the user acts on it.
    addressBox_->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
      event.Skip();
      if (holdSelection_) CallAfter([this] { selectWholeAddress(); });
    });
    // Any button the user presses in the box (a click, a right-click's Paste, a middle-click
    // paste) acts on it: the selection is the user's from then on.
    auto userActs = [this](wxMouseEvent& event) {
      holdSelection_ = false;
      event.Skip();
    };
    addressBox_->Bind(wxEVT_LEFT_DOWN, userActs);
    addressBox_->Bind(wxEVT_RIGHT_DOWN, userActs);
    addressBox_->Bind(wxEVT_MIDDLE_DOWN, userActs);
  }
  Bind(
      wxEVT_CHECKBOX, [this](wxCommandEvent&) { onRelativeBoxClicked(); },
      FileWebPageIds::kRelativeBox);
  Bind(
      wxEVT_CHECKBOX, [this](wxCommandEvent&) { onFlagsBoxClicked(); }, FileWebPageIds::kFlagsBox);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { onBrowseFile(); }, FileWebPageIds::kBrowseFile);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { onBrowseWeb(); }, FileWebPageIds::kBrowseWeb);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { onNamedLocation(); }, FileWebPageIds::kNamedLocation);
}

void CHypLnkFileWebDlg::DoDataExchange(bool save) {
  // The address box is written even when it already shows the address: the write reports the
  // address again, so that each showing of the page previews it and hands it to the frame.
  exchangeText(FileWebPageIds::kAddressBox, addressText_, save);
  exchangeCheck(FileWebPageIds::kRelativeBox, useRelativePath_, save);
  exchangeCheck(FileWebPageIds::kFlagsBox, optionFlag, save);
}

bool CHypLnkFileWebDlg::PreTranslateKey(const wxKeyEvent& key) {
  int code = key.GetKeyCode();
  eraseKeyPressed_ = code == WXK_BACK || code == WXK_DELETE || code == WXK_NUMPAD_DELETE;
  holdSelection_ = false;
  return false;
}

void CHypLnkFileWebDlg::showSourceList(int source) {
  if (recentFiles_)
    recentFiles_->Show(source != kBrowsedPagesSource && source != kInsertedLinksSource);
  if (browsedPages_) browsedPages_->Show(source == kBrowsedPagesSource);
  if (insertedLinks_) insertedLinks_->Show(source == kInsertedLinksSource);
}

void CHypLnkFileWebDlg::onListPicked(wxListBox* list) {
  int entry = list->GetSelection();
  if (entry == wxNOT_FOUND) return;
  TzString address = TwUiText(list->GetString(entry));
  if (list == browsedPages_) {
    listTitle_ = address;
    titleFromList_ = true;
    if (auto* page = dynamic_cast<wxStringClientData*>(list->GetClientObject(entry)))
      address = TwUiText(page->GetData());
  }
  if (useRelativePath_) address = makeRelativePath(address, basePath_);
  writeAddress(address);
}

void CHypLnkFileWebDlg::onAddressChanged() {
  if (relativeToggleActive_ || addressBox_ == nullptr) return;
  TzString address = TwUiText(addressBox_->GetValue());
  if (isBareWebPrefix(address)) {
    // Writing the box reports the change again; that pass previews and publishes.
    addressBox_->SetValue(TwUiString(u"http://" + address));
    addressBox_->SetInsertionPointEnd();
    addressBox_->ShowPosition(addressBox_->GetLastPosition());
    // A typed character moves the caret behind itself once the box has reported the
    // change, which would undo the move above.
    CallAfter([box = addressBox_] { box->SetInsertionPointEnd(); });
    return;
  }
  updatePathPreview(address);
  publishAddress(address);
}

void CHypLnkFileWebDlg::writeAddress(const TzString& address) {
  holdSelection_ = false;
  settingAddress_ = true;
  if (addressBox_) addressBox_->SetValue(TwUiString(address));
  settingAddress_ = false;
}

void CHypLnkFileWebDlg::updatePathPreview(const TzString& address) {
  bool relative = isRelativeFileAddress(address);
  if (!settingAddress_) {
    useRelativePath_ = relative ? 1 : 0;
    if (relativeBox_) relativeBox_->SetValue(relative);
  }
  if (relativeBox_) relativeBox_->Enable(relative);
  if (preview_) preview_->ChangeValue(TwUiString(relative ? basePath_ + address : address));
}

void CHypLnkFileWebDlg::publishAddress(const TzString& address) {
  AddressParts parts = splitAddress(address);
  TzString description = address;
  if (titleFromList_) {
    description = listTitle_;
    titleFromList_ = false;
  }
  // Deleting characters changes the target but keeps the text the user may have written.
  if (!eraseKeyPressed_) frame_->setTextToDisplay(description);
  frame_->enableOk(!parts.target.empty() || !parts.location.empty());
  frame_->address = parts.target;
  frame_->location = parts.location;
  frame_->flags = static_cast<uint32_t>(optionFlag);
}

void CHypLnkFileWebDlg::onRelativeBoxClicked() {
  relativeToggleActive_ = true;
  UpdateData(true);
  TzString address = relativeBoxAddress(addressText_, basePath_, useRelativePath_ != 0);
  writeAddress(address);
  publishAddress(address);
  relativeToggleActive_ = false;
}

void CHypLnkFileWebDlg::onFlagsBoxClicked() {
  UpdateData(true);
  frame_->flags = static_cast<uint32_t>(optionFlag);
}

void CHypLnkFileWebDlg::onBrowseFile() {
  TzString title = resourceText(text::kBrowseWeb);
  resbuf* result = nullptr;
  int status = tzedGetFileNavDialog(title.c_str(), u"", kFileTypes, title.c_str(), TZ_NAV_OPEN_ONLY,
                                    &result);
  // A cancel may come back with any status; only a result entry carries a choice.
  if (status != RTERROR && result && result->restype == RTSTR && result->resval.rstring) {
    TzString path = result->resval.rstring;
    if (useRelativePath_) path = makeRelativePath(path, basePath_);
    writeAddress(path);
  }
  tzutRelRb(result);
}

// A web address is taken as the browser hands it back, never made relative.
void CHypLnkFileWebDlg::onBrowseWeb() {
  CUrlDialog browser;
  if (browser.DoModal() == TZ_IDOK) writeAddress(browser.resultUrl());
}

void CHypLnkFileWebDlg::onNamedLocation() {
  TzString address = TwUiText(addressBox_->GetValue());
  CHyplnkBrowerDwgDlg browser;
  bool listed = false;
  if (!address.empty()) {
    if (!isDrawingAddress(address)) return reportUnreadableDrawing();
    listed = browser.loadDrawingFile(drawingFilePath(address, basePath_));
  } else {
    browser.locations.clear();
    listed =
        listDrawingLocations(tzdbHostApplicationServices()->workingDatabase(), browser.locations);
  }
  if (!listed) return reportUnreadableDrawing();
  if (browser.DoModal() != TZ_IDOK || browser.pickedLocation.empty()) return;
  writeAddress(composeAddress(address, browser.pickedLocation));
}

void CHypLnkFileWebDlg::setAddress(const TzString& address, bool justCreated) {
  addressText_ = address;
  if (justCreated && !address.empty() && insertedLinks_)
    rememberTypedAddress(*insertedLinks_, address);
  UpdateData(false);
  if (addressBox_) {
    addressBox_->SetFocus();
    holdSelection_ = !address.empty();
    selectWholeAddress();
    // The frame writes the box once more before the page shows, and the toolkit may move the
    // caret while doing so: the selection is made again once that is over.
    if (holdSelection_) CallAfter([this] { selectWholeAddress(); });
  }
  updatePathPreview(address);
}

void CHypLnkFileWebDlg::selectWholeAddress() {
  if (!holdSelection_ || addressBox_ == nullptr) return;
  // Scrolling moves the caret and so drops a selection: scroll first, then select. The caret
  // ends at the start, so that the address's beginning is in view and typing replaces it all.
  addressBox_->ShowPosition(0);
  addressBox_->SetSelection(0, addressBox_->GetLastPosition());
}

}  // namespace hyperlink
