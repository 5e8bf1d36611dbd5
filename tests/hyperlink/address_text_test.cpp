// The file and web page's address text under Windows rules (as links made on Windows are
// written) and POSIX rules (as tzad uses by default): splitting at "#", which addresses name a
// drawing or a relative file, and absolute paths rewritten relative to the base folder.
#include <gtest/gtest.h>

#include "filepage/address_text.h"
#include "filepage/relative_paths.h"
#include "platform/path_rules.h"
#include "test_support.h"

using namespace hyperlink;
using platform::PathStyle;
using tzt::u8;

namespace {

class PathRules : public ::testing::Test {
 protected:
  void TearDown() override { platform::setPathStyle(PathStyle::Posix); }
};

// Splitting at the first "#" only, and drawings known by the text after the last dot, "#"
// part and all (the usual cases are the file page's window test).
TEST(AddressText, SplitsAtTheFirstHashAndKnowsDrawingsByTheirExtension) {
  AddressParts parts = splitAddress(u"a#b#c");
  EXPECT_EQ(parts.target, u"a");
  EXPECT_EQ(parts.location, u"b#c");
  struct Case {
    const char16_t* address;
    bool drawing;
  } cases[] = {
      {u"docs\\PLAN.DXF", true},
      {u"a.b.Dwg", true},
      {u"plan.dwg#View", false},
      {u"dwg", false},
  };
  for (const Case& c : cases) EXPECT_EQ(isDrawingAddress(c.address), c.drawing) << u8(c.address);
}

// Only an address that starts as the base does is made relative (the box's other ways are the
// file page's window test); a relative drawing's named locations are read from the base
// folder.
TEST_F(PathRules, RelativeBoxAndNamedLocationsOfRelativeDrawings) {
  platform::setPathStyle(PathStyle::Windows);
  const TzString base = u"C:\\a\\b\\";
  EXPECT_EQ(relativeBoxAddress(u"C:\\a\\y\\x.dwg", base, true), u"..\\y\\x.dwg");
  EXPECT_EQ(relativeBoxAddress(u"c:\\a\\b\\x.dwg", base, true), u"c:\\a\\b\\x.dwg");
  EXPECT_EQ(relativeBoxAddress(u"x.dwg", u"", true), u"x.dwg");
  EXPECT_EQ(drawingFilePath(u"docs\\a.dwg", u"C:\\p\\"), u"C:\\p\\docs\\a.dwg");
  EXPECT_EQ(drawingFilePath(u"D:\\a.dwg", u"C:\\p\\"), u"D:\\a.dwg");
  platform::setPathStyle(PathStyle::Posix);
  EXPECT_EQ(drawingFilePath(u"docs\\a.dxf", u"/p/"), u"/p/docs/a.dxf");
}

TEST_F(PathRules, RelativeFileAddresses) {
  struct Case {
    const char16_t* address;
    bool windows, posix;
  } cases[] = {
      {u"docs\\a.dwg", true, true},
      {u"\\docs\\a.dwg", true, true},  // one leading backslash: relative to the drive's root
      {u"/srv/a.dxf", true, false},
      {u"#docs\\a.dwg", false, false},
      {u"C:\\plans\\a.dwg", false, false},
      {u"http://example.com/a.dwg", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(u8(c.address));
    platform::setPathStyle(PathStyle::Windows);
    EXPECT_EQ(isRelativeFileAddress(c.address), c.windows);
    platform::setPathStyle(PathStyle::Posix);
    EXPECT_EQ(isRelativeFileAddress(c.address), c.posix);
  }
}

TEST_F(PathRules, RelativePathsUnderBothRules) {
  constexpr PathStyle kWindows = PathStyle::Windows, kPosix = PathStyle::Posix;
  const struct {
    PathStyle style;
    const char16_t *path, *base, *result;
  } cases[] = {
      {kWindows, u"C:\\z\\x.dwg", u"C:\\a\\b\\", u"..\\..\\z\\x.dwg"},
      {kWindows, u"D:\\x.dwg", u"C:\\a\\b\\", u"D:\\x.dwg"},
      {kWindows, u"C:\\x\\a\\f.dwg", u"a\\", u"C:\\x\\a\\f.dwg"},
      {kWindows, u"c:\\a\\x.dwg", u"C:\\A\\", u"c:\\a\\x.dwg"},
      {kWindows, u"C:\\a\\b\\", u"C:\\a\\b\\", u".\\"},
      {kPosix, u"/a/b/./c/x.dxf", u"/a/b/", u"./c/x.dxf"},
      {kPosix, u"/home/A/x.dxf", u"/home/a/", u"../A/x.dxf"},
      {kPosix, u"C:\\a\\x.dwg", u"/a/b/", u"C:\\a\\x.dwg"},
  };
  for (const auto& c : cases) {
    platform::setPathStyle(c.style);
    EXPECT_EQ(u8(makeRelativePath(c.path, c.base)), u8(c.result))
        << u8(c.path) << " from " << u8(c.base);
  }
}

}  // namespace
