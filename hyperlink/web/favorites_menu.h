// The favorites menu as data: the add entry, then the Favorites folder's subfolders as
// submenus and its shortcut files as links, each link numbered with its command. The web
// browse dialog turns it into a popup menu and keeps the addresses, one per link command.
#pragma once

#include <vector>

#include "tz_string.h"

namespace hyperlink {

constexpr int kAddFavoriteCommand = 1070;
// Links are numbered from here; the dialog opens those up to kLastFavoriteCommand.
constexpr int kFirstFavoriteCommand = 3584;
constexpr int kLastFavoriteCommand = 4095;

struct FavoritesMenuItem {
  enum class Kind { AddFavorite, Link, Folder };
  Kind kind;
  TzString text;                         // a link's title, a folder's name
  int command = 0;                       // the add entry's or a link's command
  std::vector<FavoritesMenuItem> items;  // a folder's submenu
};
using FavoritesMenuItems = std::vector<FavoritesMenuItem>;

struct FavoritesMenu {
  FavoritesMenuItems items;
  std::vector<TzString> urls;  // urls[i] is the address of command kFirstFavoriteCommand + i
};

// Adds the links and subfolders of folder to menu, numbering links from first, and inserts
// each link's address into urls (which holds `first` addresses on entry). Links come in title
// order ignoring case, after the menu's first entry come the subfolders in name order, and a
// subfolder without a link anywhere below it is left out. Files whose names start with "." are
// hidden; folders are listed whatever their names; only regular files are shortcuts. Each
// real folder is entered once however many folder links lead to it, and the walk is capped
// (1000 folders, 20000 entries). The result is first plus the links found in this folder and
// below.
int buildFavoritesMenu(const TzString& folder, int first, FavoritesMenuItems& menu,
                       std::vector<TzString>& urls);

// The whole menu: the add entry, then the folder's tree.
FavoritesMenu favoritesMenuOf(const TzString& folder);

}  // namespace hyperlink
