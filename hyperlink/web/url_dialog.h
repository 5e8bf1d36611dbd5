// CUrlDialog: the web browse dialog. The user browses in an embedded browser, may type a link
// text, and on OK the dialog hands back one web address (resultUrl). A toolbar moves back and
// forward, stops, reloads, goes home (INETLOCATION) and opens the favorites menu, which mirrors
// the user's Favorites folder and adds the page shown to it.
#pragma once

#include <optional>
#include <vector>

#include "tzui_dialog.h"
#include "web/favorites_menu.h"
#include "web/url_dialog_ids.h"

class wxComboBox;
class wxGauge;
class wxMenu;
class wxToolBar;

namespace hyperlink {

class CWeb;

class CUrlDialog : public CTzUiDialog {
 public:
  static constexpr unsigned kTemplateId = UrlDialogIds::kTemplate;

  CUrlDialog();
  ~CUrlDialog() override;

  // The address to hand back after OK.
  TzString resultUrl();
  void navigateTo(const TzString& url);

  // The favorites menu's commands.
  void showFavoritesMenu();
  void openFavorite(int command);
  void addToFavorites();

  // The browser's three reports.
  void onCommandStateChange(int command, bool enable);
  void onTitleChange(const TzString& title);
  void onProgressChange(int progress, int maximum);

  const TzString& currentUrl() const { return currentUrl_; }
  CWeb* browser() const { return browser_; }
  wxToolBar* toolBar() const { return toolBar_; }
  wxComboBox* addressBox() const { return addressBox_; }
  // The menu last built, as data, and the addresses of its links.
  const FavoritesMenu& favorites() const { return favorites_; }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(bool save) override;
  bool PreTranslateKey(const wxKeyEvent& key) override;
  void OnOK() override;

 private:
  bool createToolBar();
  void fitToScreen();
  void onToolEnter(int command);
  void onCommand(int command);
  void openTypedAddress();
  void rebuildFavoritesMenu();
  TzString homeAddress() const;

  wxToolBar* toolBar_ = nullptr;
  std::vector<wxBitmap> normalPictures_, hotPictures_;
  int hotTool_ = -1;
  CWeb* browser_ = nullptr;
  wxComboBox* addressBox_ = nullptr;
  wxGauge* progressBar_ = nullptr;
  TzString currentUrl_;
  TzString linkText_;
  std::optional<TzString> favoritesFolder_;
  FavoritesMenu favorites_;
  wxMenu* favoritesMenu_ = nullptr;
};

// Whether the progress bar of the web browse dialog is shown; one for the whole module.
bool webProgressShown();

}  // namespace hyperlink
