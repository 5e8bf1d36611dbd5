// The favorites menu built from a hostile Favorites folder: special files named like
// shortcuts, and folder links that form mazes. The menu of an ordinary folder is the web browse
// dialog's window test.
#include <gtest/gtest.h>

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

TEST(FavoritesMenu, SpecialFilesNamedLikeShortcutsAreLeftOut) {
  for (SpecialFile kind : {SpecialFile::Fifo, SpecialFile::LinkToDevZero}) {
    TempDir dir;
    writeShortcutFile(dir.path() / "plain.url", "http://plain.example/");
    std::string special = dir.file("special.url");
    makeSpecialFile(kind, special);
    FavoritesMenuItems menu;
    std::vector<TzString> urls;
    std::string shortcut;
    ASSERT_TRUE(returnsWithin(5000, special, [&] {
      buildFavoritesMenu(u16(dir.path().string()), 0, menu, urls);
      shortcut = u8(readShortcutUrl(u16(special)));
    }));
    EXPECT_EQ(titles(menu), std::vector<std::string>{"plain"});
    EXPECT_EQ(shortcut, "");
  }
}

// N folders, each with a link and folder links to all N: every real folder is entered once,
// wherever the links lead to it from (without that, 326,010 folders for N = 5).
TEST(FavoritesMenu, EachRealFolderIsEnteredOnce) {
  constexpr int kFolders = 5;
  TempDir dir;
  for (int i = 0; i < kFolders; ++i) {
    fs::create_directory(dir.path() / ("d" + std::to_string(i)));
    writeShortcutFile(dir.path() / ("d" + std::to_string(i)) / "x.url", "http://x/");
  }
  for (int i = 0; i < kFolders; ++i)
    for (int j = 0; j < kFolders; ++j)
      fs::create_directory_symlink(dir.path() / ("d" + std::to_string(j)),
                                   dir.path() / ("d" + std::to_string(i)) / ("l" + std::to_string(j)));
  fs::create_directory_symlink(dir.path(), dir.path() / "top");
  FavoritesMenuItems menu;
  std::vector<TzString> urls;
  EXPECT_EQ(buildFavoritesMenu(u16(dir.path().string()), 0, menu, urls), kFolders);
  EXPECT_EQ(urls.size(), static_cast<size_t>(kFolders));
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
