// The web browse dialog's template and controls, by the ids its templates
// (resources/templates/143.*.xrc) give them, and the ids of the tools its code adds. The dialog
// and its tests name them from here.
#pragma once

namespace hyperlink {

struct UrlDialogIds {
  static constexpr unsigned kTemplate = 143;
  static constexpr int kCancel = 2;
  static constexpr int kAddressBox = 143;
  static constexpr int kLinkText = 13001;
  static constexpr int kProgressBar = 13002;
  static constexpr int kBrowser = 13003;  // a placeholder the web view takes the place of
  static constexpr int kOk = 13004;
  static constexpr int kAddressLabel = 13005;
  static constexpr int kLinkTextLabel = 13006;
  // The toolbar's tools.
  static constexpr int kBack = 1061;
  static constexpr int kForward = 1062;
  static constexpr int kStop = 1063;
  static constexpr int kRefresh = 1064;
  static constexpr int kHome = 1065;
  static constexpr int kFavorites = 1066;
};

}  // namespace hyperlink
