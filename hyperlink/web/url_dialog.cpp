#include "web/url_dialog.h"

#include <wx/combobox.h>
#include <wx/control.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/gauge.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

#include <algorithm>
#include <filesystem>

#include "module/module_state.h"
#include "module/resource_string.h"
#include "platform/text.h"
#include "tzed_editor.h"
#include "tzui_nav_dialog.h"
#include "web/favorites_folder.h"
#include "web/internet_shortcut.h"
#include "web/result_url.h"
#include "web/web_browser.h"
#include "web/window_fit.h"

namespace hyperlink {

namespace {

bool progressShown = false;

constexpr int kPictureSize = 32;
constexpr int kButtonCount = 6;
constexpr size_t kTooltipCapacity = 80;
constexpr unsigned kNormalPictures = 144;
constexpr unsigned kHotPictures = 145;
// Room around the dialog for the frame and title bar that the desktop draws.
constexpr int kScreenMargin = 40;
// What the page keeps when the dialog has to give up height or width to fit the screen.
constexpr int kSmallestPageWidth = 240;
constexpr int kSmallestPageHeight = 160;

const TextId kTooltips[kButtonCount] = {text::kTipBack,    text::kTipForward, text::kTipStop,
                                        text::kTipRefresh, text::kTipHome,    text::kTipFavorites};

// The six pictures of a strip, in button order; blank pictures where the library has none.
std::vector<wxBitmap> picturesOf(unsigned id) {
  std::vector<wxBitmap> pictures;
  wxBitmapBundle strip =
      TwUiLoadImage(moduleState().resources, id, kButtonCount * kPictureSize, kPictureSize);
  wxBitmap whole = strip.IsOk() ? strip.GetBitmap(strip.GetDefaultSize()) : wxBitmap();
  int size = whole.IsOk() ? whole.GetHeight() : kPictureSize;
  for (int i = 0; i < kButtonCount; ++i) {
    if (whole.IsOk() && whole.GetWidth() >= (i + 1) * size) {
      pictures.push_back(whole.GetSubBitmap(wxRect(i * size, 0, size, size)));
    } else {
      wxBitmap blank(size, size, 32);
      blank.UseAlpha();
      pictures.push_back(blank);
    }
  }
  return pictures;
}

bool startsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && tzutEqualsNoCase(text.substr(0, prefix.size()), prefix);
}

void fillMenu(wxMenu* menu, const FavoritesMenuItems& items) {
  for (const FavoritesMenuItem& item : items) {
    wxString label = wxControl::EscapeMnemonics(TwUiString(item.text));
    switch (item.kind) {
      case FavoritesMenuItem::Kind::AddFavorite:
        menu->Append(item.command, label);
        break;
      case FavoritesMenuItem::Kind::Link:
        // A link past the last command the dialog opens is listed under an id of no meaning.
        menu->Append(item.command <= kLastFavoriteCommand ? item.command : wxID_ANY, label);
        break;
      case FavoritesMenuItem::Kind::Folder: {
        auto* submenu = new wxMenu;
        fillMenu(submenu, item.items);
        menu->AppendSubMenu(submenu, label);
        break;
      }
    }
  }
}

}  // namespace

bool webProgressShown() {
  return progressShown;
}

CUrlDialog::CUrlDialog() : CTzUiDialog(kTemplateId, nullptr, moduleState().resources) {}

CUrlDialog::~CUrlDialog() {
  delete favoritesMenu_;
}

bool CUrlDialog::OnInitDialog() {
  CTzUiDialog::OnInitDialog();
  // The address box has the template's own number, so the search starts below the dialog.
  for (wxWindow* child : GetChildren()) {
    if (addressBox_ == nullptr)
      addressBox_ = wxDynamicCast(child->FindWindow(UrlDialogIds::kAddressBox), wxComboBox);
  }
  progressBar_ = wxDynamicCast(GetDlgItem(UrlDialogIds::kProgressBar), wxGauge);
  browser_ = new CWeb;
  if (browser_->Create(this, UrlDialogIds::kBrowser, wxRect())) {
    wxXmlResource::Get()->AttachUnknownControl(wxString::Format("%d", UrlDialogIds::kBrowser),
                                               browser_, this);
  }
  browser_->onCommandStateChange = [this](int command, bool enable) {
    onCommandStateChange(command, enable);
  };
  browser_->onTitleChange = [this](const TzString& title) { onTitleChange(title); };
  browser_->onProgressChange = [this](int progress, int maximum) {
    onProgressChange(progress, maximum);
  };
  browser_->onEnterKey = [this] {
    openTypedAddress();
    return true;
  };
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, UrlDialogIds::kOk);
  Bind(wxEVT_MENU, [this](wxCommandEvent& e) { onCommand(e.GetId()); });

  const bool toolBar = createToolBar();
  fitToScreen();
  if (!toolBar) return true;
  if (progressBar_ != nullptr) progressBar_->Disable();
  favoritesMenu_ = new wxMenu;
  favoritesFolder_ = readFavoritesFolder();
  if (!favoritesFolder_) return false;
  rebuildFavoritesMenu();
  TzString home = homeAddress();
  navigateTo(home);
  if (addressBox_ != nullptr) addressBox_->Append(TwUiString(home));
  return true;
}

bool CUrlDialog::createToolBar() {
  toolBar_ = new wxToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                           wxTB_FLAT | wxTB_HORIZONTAL | wxTB_NODIVIDER | wxBORDER_NONE);
  normalPictures_ = picturesOf(kNormalPictures);
  hotPictures_ = picturesOf(kHotPictures);
  toolBar_->SetToolBitmapSize(normalPictures_.front().GetSize());
  for (int i = 0; i < kButtonCount; ++i) {
    TzString tip = resourceText(kTooltips[i]);
    tip.resize(platform::utf16CutLength(tip, kTooltipCapacity - 1));
    toolBar_->AddTool(UrlDialogIds::kBack + i, wxEmptyString, normalPictures_[i], TwUiString(tip));
  }
  if (!toolBar_->Realize()) {
    toolBar_->Destroy();
    toolBar_ = nullptr;
    return false;
  }
  if (GetSizer() != nullptr) GetSizer()->Prepend(toolBar_, 0, wxEXPAND | wxLEFT | wxTOP, 2);
  toolBar_->Bind(wxEVT_TOOL, [this](wxCommandEvent& e) { onCommand(e.GetId()); });
  // The toolbar of the desktop has no pictures of its own for the button under the mouse.
  toolBar_->Bind(wxEVT_TOOL_ENTER, [this](wxCommandEvent& e) { onToolEnter(e.GetSelection()); });
  return true;
}

// The template's page is larger than the screens of small laptops: the page gives up what the
// dialog has to, and the dialog stays on the screen it opens on.
void CUrlDialog::fitToScreen() {
  wxDialog* window = modalWindow();
  // The template's place for the page, which the browser fills.
  wxWindow* page = browser_ != nullptr ? browser_->GetParent() : nullptr;
  if (window == nullptr || window->GetSizer() == nullptr || page == nullptr || page == this) return;
  // Without a parent the dialog belongs where the user is working: the screen of the pointer.
  const int display = window->GetParent() ? wxDisplay::GetFromWindow(window->GetParent())
                                          : wxDisplay::GetFromPoint(wxGetMousePosition());
  const wxRect area =
      wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
  const wxSize wanted = window->GetBestSize();
  const wxSize pageMinimum = page->GetMinSize();
  const wxSize spare(std::max(0, pageMinimum.x - TwUiGetCtrlDPISize(kSmallestPageWidth)),
                     std::max(0, pageMinimum.y - TwUiGetCtrlDPISize(kSmallestPageHeight)));
  const ScreenRect placed =
      fitWindowToArea(wanted.x, wanted.y, wanted.x - spare.x, wanted.y - spare.y,
                      {area.x, area.y, area.width, area.height}, TwUiGetCtrlDPISize(kScreenMargin));
  page->SetMinSize(pageMinimum - wxSize(wanted.x - placed.width, wanted.y - placed.height));
  window->GetSizer()->SetSizeHints(window);
  window->SetSize(placed.x, placed.y, placed.width, placed.height);
}

void CUrlDialog::onToolEnter(int command) {
  if (hotTool_ >= UrlDialogIds::kBack)
    toolBar_->SetToolNormalBitmap(hotTool_, normalPictures_[hotTool_ - UrlDialogIds::kBack]);
  hotTool_ = command >= UrlDialogIds::kBack && command <= UrlDialogIds::kFavorites ? command : -1;
  if (hotTool_ >= UrlDialogIds::kBack)
    toolBar_->SetToolNormalBitmap(hotTool_, hotPictures_[hotTool_ - UrlDialogIds::kBack]);
}

void CUrlDialog::DoDataExchange(bool save) {
  exchangeText(UrlDialogIds::kLinkText, linkText_, save);
}

void CUrlDialog::OnOK() {
  CTzUiDialog::OnOK();
}

bool CUrlDialog::PreTranslateKey(const wxKeyEvent& key) {
  if (key.GetKeyCode() != WXK_RETURN && key.GetKeyCode() != WXK_NUMPAD_ENTER) return false;
  openTypedAddress();
  return true;
}

void CUrlDialog::openTypedAddress() {
  if (addressBox_ == nullptr) return;
  TzString typed = TwUiText(addressBox_->GetValue());
  navigateTo(typed);
  for (unsigned i = 0; i < addressBox_->GetCount(); ++i) {
    if (startsWithNoCase(TwUiText(addressBox_->GetString(i)), typed)) return;
  }
  addressBox_->Append(TwUiString(typed));
}

void CUrlDialog::onCommand(int command) {
  switch (command) {
    case UrlDialogIds::kBack:
      browser_->goBack();
      return;
    case UrlDialogIds::kForward:
      browser_->goForward();
      return;
    case UrlDialogIds::kStop:
      browser_->stop();
      return;
    case UrlDialogIds::kRefresh:
      browser_->refresh();
      return;
    case UrlDialogIds::kHome:
      navigateTo(homeAddress());
      return;
    case UrlDialogIds::kFavorites:
      showFavoritesMenu();
      return;
    case kAddFavoriteCommand:
      addToFavorites();
      return;
  }
  if (command >= kFirstFavoriteCommand && command <= kLastFavoriteCommand) openFavorite(command);
}

TzString CUrlDialog::homeAddress() const {
  TzString home;
  if (tzedGetVarText(u"INETLOCATION", home) != RTNORM) home.clear();
  return home;
}

void CUrlDialog::navigateTo(const TzString& url) {
  currentUrl_ = url;
  if (addressBox_ != nullptr) addressBox_->ChangeValue(TwUiString(url));
  browser_->navigate(url);
}

TzString CUrlDialog::resultUrl() {
  return hyperlink::resultUrl(currentUrl_, linkText_);
}

void CUrlDialog::onCommandStateChange(int command, bool enable) {
  if (toolBar_ == nullptr) return;
  if (command == CWeb::kCommandForward) toolBar_->EnableTool(UrlDialogIds::kForward, enable);
  if (command == CWeb::kCommandBack) toolBar_->EnableTool(UrlDialogIds::kBack, enable);
}

// The title itself is not shown; its report says that another page is shown.
void CUrlDialog::onTitleChange(const TzString&) {
  currentUrl_ = browser_->locationUrl();
  if (addressBox_ == nullptr) return;
  addressBox_->ChangeValue(TwUiString(currentUrl_));
  // As in a browser, the address of a page shown while the box has the focus is selected, so
  // that typing replaces it.
  if (addressBox_->HasFocus()) addressBox_->SelectAll();
}

void CUrlDialog::onProgressChange(int progress, int maximum) {
  if (progressBar_ == nullptr) return;
  if (progress >= 1 && maximum >= 1) {
    if (!progressShown) {
      progressShown = true;
      progressBar_->Show();
      progressBar_->SetRange(maximum);
    }
    progressBar_->SetValue(std::min(progress, progressBar_->GetRange()));
    return;
  }
  if (browser_->readyState() != CWeb::kReadyStateComplete) return;
  progressBar_->SetValue(0);
  progressBar_->Hide();
  progressShown = false;
}

void CUrlDialog::rebuildFavoritesMenu() {
  delete favoritesMenu_;
  favoritesMenu_ = new wxMenu;
  if (favoritesFolder_) {
    favorites_ = favoritesMenuOf(*favoritesFolder_);
  } else {
    favorites_ = {};
    favorites_.items.push_back({FavoritesMenuItem::Kind::AddFavorite,
                                resourceText(text::kAddToFavoritesMenu),
                                kAddFavoriteCommand,
                                {}});
  }
  fillMenu(favoritesMenu_, favorites_.items);
}

void CUrlDialog::showFavoritesMenu() {
  rebuildFavoritesMenu();
  PopupMenu(favoritesMenu_);
}

void CUrlDialog::openFavorite(int command) {
  size_t i = command - kFirstFavoriteCommand;
  if (i >= favorites_.urls.size()) return;
  TzString url = favorites_.urls[i];
  if (addressBox_ != nullptr) addressBox_->ChangeValue(TwUiString(url));
  navigateTo(url);
}

void CUrlDialog::addToFavorites() {
  TzString folder = readFavoritesFolder().value_or(u"");
  if (!folder.empty()) {
    // The default folder does not exist until the first shortcut goes into it.
    std::error_code ec;
    std::filesystem::create_directories(platform::toFileName(folder), ec);
    if (folder.back() != u'/') folder += u'/';
  }
  CNavFilterArray filters{{resourceText(text::kInternetShortcuts), {u"url"}}};
  CTzUiNavDialog save(resourceText(text::kAddToFavorites),
                      folder + resourceText(text::kShortcutName), filters, TZ_NAV_SAVE, this);
  if (save.DoModal() != TZ_IDOK || save.files().size() != 1) return;
  TzString path = save.files().front();
  if (path.empty()) return;
  if (path.size() < 4 || path.substr(path.size() - 4) != u".url") path += u".url";
  writeShortcut(path, currentUrl_);
}

}  // namespace hyperlink
