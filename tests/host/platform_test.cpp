// The platform's path splitting and the opener's refusal.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/opener.h"
#include "platform/path_rules.h"

namespace {

TEST(SplitPath, LikeTheCRuntime) {
  struct Case {
    const char16_t* path;
    const char16_t *drive, *folder, *name, *extension;
  } cases[] = {
      {u"C:\\plans\\site.DWG", u"C:", u"\\plans\\", u"site", u".DWG"},
      {u"/srv/plans/site.tar.gz", u"", u"/srv/plans/", u"site.tar", u".gz"},
      {u"docs\\a b/readme", u"", u"docs\\a b/", u"readme", u""},
      {u"plans.v2/site", u"", u"plans.v2/", u"site", u""},
      {u"http://example.com/a.dwg", u"", u"http://example.com/", u"a", u".dwg"},
      {u".hidden", u"", u"", u"", u".hidden"},
      {u"", u"", u"", u"", u""},
  };
  for (const Case& c : cases) {
    platform::SplitPath parts = platform::splitPath(c.path);
    EXPECT_EQ(parts.drive, c.drive);
    EXPECT_EQ(parts.folder, c.folder);
    EXPECT_EQ(parts.name, c.name);
    EXPECT_EQ(parts.extension, c.extension);
  }
}

TEST(Opener, ReportsAnOpenerThatIsNotThereOrFails) {
  setenv("TZAD_OPEN_COMMAND", "/nonexistent/opener", 1);
  EXPECT_FALSE(platform::openWithDefaultProgram(u"a.pdf"));
  setenv("TZAD_OPEN_COMMAND", "false", 1);
  EXPECT_FALSE(platform::openWithDefaultProgram(u"a.pdf"));
  setenv("TZAD_OPEN_COMMAND", "true", 1);
  EXPECT_TRUE(platform::openWithDefaultProgram(u"a.pdf"));
  unsetenv("TZAD_OPEN_COMMAND");
}

}  // namespace
