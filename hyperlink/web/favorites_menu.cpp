#include "web/favorites_menu.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "module/resource_string.h"
#include "platform/text.h"
#include "web/internet_shortcut.h"

namespace fs = std::filesystem;

namespace hyperlink {

namespace {

bool lessNoCase(std::u16string_view a, std::u16string_view b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char16_t x, char16_t y) { return tzutFoldCase(x) < tzutFoldCase(y); });
}

bool isShortcutName(std::u16string_view name) {
  return name.size() >= 4 && name.substr(name.size() - 4) == u".url" && name.front() != u'.';
}

// Real folders from the Favorites folder down to the one being built. A folder link that
// leads back into this chain is followed once: a folder is entered while it stands on the
// chain at most once already, which bounds the depth whatever the links form.
class FolderChain {
 public:
  bool enter(const TzString& folder) {
    std::error_code ec;
    fs::path real = fs::canonical(platform::toFileName(folder), ec);
    if (ec) real = platform::toFileName(folder);
    if (std::count(folders_.begin(), folders_.end(), real) >= 2) return false;
    folders_.push_back(real);
    return true;
  }
  void leave() { folders_.pop_back(); }

 private:
  std::vector<fs::path> folders_;
};

struct Listed {
  TzString name;
  bool isFolder;
};

// The folder's entries in the order the file system lists them; none when it cannot be read.
std::vector<Listed> listFolder(const TzString& folder) {
  std::vector<Listed> entries;
  std::error_code ec;
  fs::directory_iterator it(platform::toFileName(folder), ec);
  if (ec) return entries;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::error_code typeError;
    entries.push_back(
        {platform::fromFileName(it->path().filename().native()), it->is_directory(typeError)});
  }
  return entries;
}

int buildFolder(const TzString& folder, int first, FavoritesMenuItems& menu,
                std::vector<TzString>& urls, FolderChain& chain) {
  if (!chain.enter(folder)) return first;
  TzString dir = folder;
  if (dir.empty() || dir.back() != u'/') dir += u'/';
  std::vector<Listed> entries = listFolder(dir);

  std::vector<TzString> titles;
  int count = first;
  for (const Listed& entry : entries) {
    if (entry.isFolder || !isShortcutName(entry.name)) continue;
    TzString title = entry.name.substr(0, entry.name.size() - 4);
    auto at =
        std::upper_bound(titles.begin(), titles.end(), title,
                         [](const TzString& a, const TzString& b) { return lessNoCase(a, b); });
    size_t k = at - titles.begin();
    urls.insert(urls.begin() + first + k, readShortcutUrl(dir + entry.name));
    titles.insert(at, std::move(title));
    ++count;
  }
  for (size_t k = 0; k < titles.size(); ++k) {
    int command = kFirstFavoriteCommand + first + static_cast<int>(k);
    menu.push_back({FavoritesMenuItem::Kind::Link, titles[k], command, {}});
  }

  std::vector<TzString> folders;
  for (const Listed& entry : entries) {
    if (!entry.isFolder) continue;
    size_t placed = std::count_if(folders.begin(), folders.end(), [&](const TzString& name) {
      return !lessNoCase(entry.name, name);
    });
    FavoritesMenuItems submenu;
    int found = buildFolder(dir + entry.name, count, submenu, urls, chain);
    if (found == count) continue;
    // Inserted by position as a menu inserts: past the end means at the end.
    size_t position = std::min(placed + 1, menu.size());
    menu.insert(menu.begin() + position,
                {FavoritesMenuItem::Kind::Folder, entry.name, 0, std::move(submenu)});
    folders.push_back(entry.name);
    count = found;
  }
  chain.leave();
  return count;
}

}  // namespace

int buildFavoritesMenu(const TzString& folder, int first, FavoritesMenuItems& menu,
                       std::vector<TzString>& urls) {
  FolderChain chain;
  return buildFolder(folder, first, menu, urls, chain);
}

FavoritesMenu favoritesMenuOf(const TzString& folder) {
  FavoritesMenu menu;
  menu.items.push_back({FavoritesMenuItem::Kind::AddFavorite,
                        resourceText(text::kAddToFavoritesMenu),
                        kAddFavoriteCommand,
                        {}});
  buildFavoritesMenu(folder, 0, menu.items, menu.urls);
  return menu;
}

}  // namespace hyperlink
