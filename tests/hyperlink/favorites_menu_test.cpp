// The favorites menu built from a hostile Favorites folder: non-regular files named like
// shortcuts, and folder links that form mazes. The menu of an ordinary folder is the web browse
// dialog's window test.
#include <gtest/gtest.h>

#include <set>

#include "test_support.h"
#include "web/favorites_menu.h"
#include "web/internet_shortcut.h"

using namespace hyperlink;
using namespace tzt;
namespace fs = std::filesystem;

namespace {

void writeShortcutFile(const fs::path& path, const std::string& url) {
  writeFile(path.string(), "[InternetShortcut]\nURL=" + url + "\n");
}

std::vector<std::string> titles(const FavoritesMenuItems& menu) {
  std::vector<std::string> out;
  for (const FavoritesMenuItem& item : menu) out.push_back(u8(item.text));
  return out;
}

TEST(FavoritesMenu, NonRegularFilesNamedLikeShortcutsAreLeftOut) {
  for (NonRegularFile kind : {NonRegularFile::Fifo, NonRegularFile::LinkToDevZero}) {
    TempDir dir;
    writeShortcutFile(dir.path() / "plain.url", "http://plain.example/");
    std::string odd = dir.file("odd.url");
    makeNonRegularFile(kind, odd);
    FavoritesMenuItems menu;
    std::vector<TzString> urls;
    std::string shortcut;
    ASSERT_TRUE(returnsWithin(5000, odd, [&] {
      buildFavoritesMenu(u16(dir.path().string()), 0, menu, urls);
      shortcut = u8(readShortcutUrl(u16(odd)));
    }));
    EXPECT_EQ(titles(menu), std::vector<std::string>{"plain"});
    EXPECT_EQ(shortcut, "");
  }
}

// N folders each holding links to all N: every folder shows under its own name with its links
// to all N as submenus, each followed once: N + N × N folders, not N^N.
TEST(FavoritesMenu, FolderLinksAreFollowedAndMazesEnd) {
  constexpr int kFolders = 5;
  TempDir dir;
  for (int i = 0; i < kFolders; ++i) {
    fs::create_directory(dir.path() / ("d" + std::to_string(i)));
    writeShortcutFile(dir.path() / ("d" + std::to_string(i)) / "x.url", "http://x/");
  }
  for (int i = 0; i < kFolders; ++i)
    for (int j = 0; j < kFolders; ++j)
      fs::create_directory_symlink(
          dir.path() / ("d" + std::to_string(j)),
          dir.path() / ("d" + std::to_string(i)) / ("l" + std::to_string(j)));
  FavoritesMenuItems menu;
  std::vector<TzString> urls;
  EXPECT_EQ(buildFavoritesMenu(u16(dir.path().string()), 0, menu, urls),
            kFolders + kFolders * kFolders);
  std::set<TzString> top;
  for (const FavoritesMenuItem& item : menu) top.insert(item.text);
  EXPECT_EQ(top, (std::set<TzString>{u"d0", u"d1", u"d2", u"d3", u"d4"}));
}

// However wide the tree, the walk ends: 1,100 folders with a link each give the links of the
// first 999 folders below the top one.
TEST(FavoritesMenu, TheWalkIsCapped) {
  TempDir dir;
  for (int i = 0; i < 1100; ++i) {
    fs::path folder = dir.path() / ("f" + std::to_string(i));
    fs::create_directory(folder);
    writeShortcutFile(folder / "x.url", "http://x/");
  }
  FavoritesMenuItems menu;
  std::vector<TzString> urls;
  EXPECT_EQ(buildFavoritesMenu(u16(dir.path().string()), 0, menu, urls), 999);
}

}  // namespace
