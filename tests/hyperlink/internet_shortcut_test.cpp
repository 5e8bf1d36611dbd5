// Shortcut files as other programs write them, read for the favorites menu (the menu, the
// Favorites folder and the address handed back are the web browse dialog's window test).
#include <gtest/gtest.h>

#include "test_support.h"
#include "web/internet_shortcut.h"

using namespace hyperlink;
using namespace tzt;

namespace {

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
      {"long", "[InternetShortcut]\nURL=http://x/" + std::string(3000, 'a') + "\n",
       "http://x/" + std::string(2047 - 9, 'a')},
  };
  TempDir dir;
  for (const ShortcutCase& c : cases) {
    std::string path = dir.file(std::string(c.name) + ".url");
    writeFile(path, c.content);
    EXPECT_EQ(u8(readShortcutUrl(u16(path))), c.url) << c.name;
  }
  // Larger than any shortcut: not one.
  writeFile(dir.file("huge.url"), "[InternetShortcut]\nURL=http://h/\n" + std::string(70000, ';'));
  EXPECT_EQ(u8(readShortcutUrl(u16(dir.file("huge.url")))), "");
  // An address that would add a line of its own is not written.
  EXPECT_FALSE(writeShortcut(u16(dir.file("two.url")), u"http://a/\nURL=http://b/"));
}

}  // namespace
