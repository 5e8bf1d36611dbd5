#include "web/favorites_menu.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string_view>
#include <utility>

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

// The walk through the Favorites tree. Folder links may lead anywhere, back up the tree
// included, and N folders each linking to all N would be entered N^N times: so each real
// folder (device and inode) is entered once, wherever the links lead to it from, and the
// whole walk stops after kMaxFolders folders or kMaxEntries listed entries. The menu opens
// no more than 512 links anyway.
class FolderWalk {
 public:
  static constexpr int kMaxFolders = 1000;
  static constexpr int kMaxEntries = 20000;

  bool enter(const TzString& folder) {
    struct stat st {};
    if (folders_ >= kMaxFolders || ::stat(platform::toFileName(folder).c_str(), &st) != 0)
      return false;
    if (!visited_.insert({st.st_dev, st.st_ino}).second) return false;
    ++folders_;
    return true;
  }
  // Counts one listed entry; false once the walk has listed all it may.
  bool takeEntry() { return entries_++ < kMaxEntries; }

 private:
  std::set<std::pair<dev_t, ino_t>> visited_;
  int folders_ = 0;
  int entries_ = 0;
};

struct Listed {
  TzString name;
  fs::file_type type;  // of what a link leads to
};

// The folder's entries in the order the file system lists them; none when it cannot be read.
std::vector<Listed> listFolder(const TzString& folder, FolderWalk& walk) {
  std::vector<Listed> entries;
  std::error_code ec;
  fs::directory_iterator it(platform::toFileName(folder), ec);
  if (ec) return entries;
  for (; it != fs::directory_iterator() && walk.takeEntry(); it.increment(ec)) {
    if (ec) break;
    std::error_code typeError;
    entries.push_back(
        {platform::fromFileName(it->path().filename().native()), it->status(typeError).type()});
  }
  return entries;
}

int buildFolder(const TzString& folder, int first, FavoritesMenuItems& menu,
                std::vector<TzString>& urls, FolderWalk& walk) {
  if (!walk.enter(folder)) return first;
  TzString dir = folder;
  if (dir.empty() || dir.back() != u'/') dir += u'/';
  std::vector<Listed> entries = listFolder(dir, walk);

  std::vector<TzString> titles;
  int count = first;
  for (const Listed& entry : entries) {
    // A named pipe or a device given a shortcut's name is no shortcut.
    if (entry.type != fs::file_type::regular || !isShortcutName(entry.name)) continue;
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
    if (entry.type != fs::file_type::directory) continue;
    size_t placed = std::count_if(folders.begin(), folders.end(), [&](const TzString& name) {
      return !lessNoCase(entry.name, name);
    });
    FavoritesMenuItems submenu;
    int found = buildFolder(dir + entry.name, count, submenu, urls, walk);
    if (found == count) continue;
    // Inserted by position as a menu inserts: past the end means at the end.
    size_t position = std::min(placed + 1, menu.size());
    menu.insert(menu.begin() + position,
                {FavoritesMenuItem::Kind::Folder, entry.name, 0, std::move(submenu)});
    folders.push_back(entry.name);
    count = found;
  }
  return count;
}

}  // namespace

int buildFavoritesMenu(const TzString& folder, int first, FavoritesMenuItems& menu,
                       std::vector<TzString>& urls) {
  FolderWalk walk;
  return buildFolder(folder, first, menu, urls, walk);
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
