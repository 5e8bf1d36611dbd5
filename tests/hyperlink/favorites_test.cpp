// The favorites menu built from real folders, the Favorites folder's lookup, shortcut files
// read and written, and the address the web browse dialog hands back: the cases the dialog's
// window test does not reach.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "test_support.h"
#include "web/favorites_folder.h"
#include "web/favorites_menu.h"
#include "web/internet_shortcut.h"
#include "web/result_url.h"

using namespace hyperlink;
using namespace tzt;
namespace fs = std::filesystem;

namespace {

std::string shortcutText(const std::string& url) {
  return "[InternetShortcut]\nURL=" + url + "\n";
}

// Makes the entries of a folder tree: "a/b.url" a shortcut to "http://x/a/b.url", "a/" a
// folder, "a -> b" a folder link to b (relative to the top).
void makeTree(const fs::path& top, const std::vector<std::string>& entries) {
  for (const std::string& entry : entries) {
    size_t arrow = entry.find(" -> ");
    if (arrow != std::string::npos) {
      fs::create_directory_symlink(top / entry.substr(arrow + 4), top / entry.substr(0, arrow));
    } else if (entry.back() == '/') {
      fs::create_directories(top / entry);
    } else {
      fs::create_directories((top / entry).parent_path());
      writeFile((top / entry).string(), shortcutText("http://x/" + entry));
    }
  }
}

// The menu as text: "+" for the add entry, "title#n" for the link with command 3584 + n,
// "name{...}" for a submenu.
std::string render(const FavoritesMenuItems& items) {
  std::string out;
  for (const FavoritesMenuItem& item : items) {
    if (!out.empty()) out += " ";
    switch (item.kind) {
      case FavoritesMenuItem::Kind::AddFavorite:
        out += "+";
        break;
      case FavoritesMenuItem::Kind::Link:
        out += u8(item.text) + "#" + std::to_string(item.command - kFirstFavoriteCommand);
        break;
      case FavoritesMenuItem::Kind::Folder:
        out += u8(item.text) + "{" + render(item.items) + "}";
        break;
    }
  }
  return out;
}

TEST(FavoritesMenu, OfAFolderTree) {
  const struct {
    const char* name;
    std::vector<std::string> entries;
    std::string menu;
  } cases[] = {
      {"CapitalEndingAndEmptyFoldersLeftOut",
       {"b.url", "A.url", "c.URL", "empty/deeper/", "empty/notes.txt", "sub/s.url"},
       "+ sub{s#2} A#0 b#1"},
      {"SubfolderAfterFirstLink", {"S/x.url", "S/y.url", "S/z/w.url"}, "+ S{x#0 z{w#2} y#1}"},
      {"LinkBackFollowedOnce", {"a.url", "loop -> ."}, "+ loop{a#1} a#0"},
      {"LinkToSiblingsParent", {"p/q.url", "p/up -> ."}, "+ p{q#0 up{p{q#1}}}"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    makeTree(dir.path(), c.entries);
    FavoritesMenu menu = favoritesMenuOf(u16(dir.path().string()));
    EXPECT_EQ(render(menu.items), c.menu);
  }
}

struct FolderCase {
  std::optional<std::string> stored;
  const char* dataHome;
  std::optional<std::string> folder;
};

TEST(FavoritesFolder, FromStoredValueOrDefault) {
  ScopedEnvironment env;
  env.set("HOME", "/home/u");
  env.set("FAV_ROOT", "/srv/fav");
  env.set("FAV_UNSET_FOR_TEST", nullptr);
  const std::string long259(259 - 5, 'a');
  const FolderCase cases[] = {
      {std::nullopt, "/data", "/data/tzad/Favorites"},
      {"~/Fav", "/data", "/home/u/Fav"},
      {"$FAV_UNSET_FOR_TEST/%FAV_UNSET_FOR_TEST%/100% ${} $1", "/data",
       "$FAV_UNSET_FOR_TEST/%FAV_UNSET_FOR_TEST%/100% ${} $1"},
      {"/" + long259.substr(1) + "/abcd", "/data", "/" + long259.substr(1) + "/abcd"},
      {"$FAV_ROOT/" + long259, "/data", std::nullopt},
  };
  for (const FolderCase& c : cases) {
    env.set("XDG_DATA_HOME", c.dataHome);
    std::optional<TzString> stored;
    if (c.stored) stored = u16(*c.stored);
    std::optional<TzString> folder = favoritesFolderFrom(stored);
    SCOPED_TRACE(c.stored.value_or("(none)"));
    ASSERT_EQ(folder.has_value(), c.folder.has_value());
    if (folder) {
      EXPECT_EQ(u8(*folder), *c.folder);
    }
  }
}

struct ShortcutCase {
  const char* name;
  std::string content;
  std::string url;
};

TEST(InternetShortcut, ReadsTheAddress) {
  const ShortcutCase cases[] = {
      {"windows",
       "[DEFAULT]\r\nBASEURL=http://base/\r\n[InternetShortcut]\r\nURL=http://example.com/a\r\n"
       "IDList=\r\nHotKey=0\r\n[{000214A0-0000-0000-C000-000000000046}]\r\nProp3=19,11\r\n",
       "http://example.com/a"},
      {"byteOrderMarkAndComments",
       "\xEF\xBB\xBF; saved by hand\r\n[InternetShortcut]\r\nstray line\r\nURL=http://d/\r\n",
       "http://d/"},
      {"otherSection", "[Other]\nURL=http://c/\n", ""},
      {"long", shortcutText("http://x/" + std::string(3000, 'a')),
       "http://x/" + std::string(2047 - 9, 'a')},
  };
  TempDir dir;
  for (const ShortcutCase& c : cases) {
    std::string path = dir.file(std::string(c.name) + ".url");
    writeFile(path, c.content);
    EXPECT_EQ(u8(readShortcutUrl(u16(path))), c.url) << c.name;
  }
  // An address that would add a line of its own is not written.
  EXPECT_FALSE(writeShortcut(u16(dir.file("two.url")), u"http://a/\nURL=http://b/"));
}

// The address handed back: a link text that names a page of its own, or one joined to the page
// shown, whose trailing slashes go.
TEST(ResultUrl, OfTheLinkTextAndThePageShown) {
  TzString current = u"http://h/p///";
  EXPECT_EQ(resultUrl(current, u"doc.html"), u"http://h/p/doc.html");
  EXPECT_EQ(current, u"http://h/p");
  EXPECT_EQ(resultUrl(current, u"www.example.com"), u"www.example.com");
  EXPECT_EQ(resultUrl(current, u"www.example"), u"http://h/p/www.example");
  current = u"";
  EXPECT_EQ(resultUrl(current, u"x"), u"/x");
}

}  // namespace
