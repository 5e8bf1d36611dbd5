// The file and web page's address text: joining and splitting at "#", which addresses name a
// drawing, and what the relative-path box makes of an address under both path rules.
#include <gtest/gtest.h>

#include "filepage/address_text.h"
#include "platform/path_rules.h"
#include "test_support.h"

using namespace hyperlink;
using platform::PathStyle;
using tzt::u8;

namespace {

class AddressUnderPathRules : public ::testing::Test {
 protected:
  void TearDown() override { platform::setPathStyle(PathStyle::Posix); }
};

TEST(AddressText, SplitsAtTheFirstHashOnly) {
  struct Case {
    const char16_t *address, *target, *location;
  } cases[] = {
      {u"plan.dxf#View1,Layout1", u"plan.dxf", u"View1,Layout1"},
      {u"#View", u"", u"View"},
      {u"a#b#c", u"a", u"b#c"},
      {u"plan.dxf#", u"plan.dxf", u""},
      {u"http://example.com/", u"http://example.com/", u""},
  };
  for (const Case& c : cases) {
    AddressParts parts = splitAddress(c.address);
    EXPECT_EQ(parts.target, c.target) << u8(c.address);
    EXPECT_EQ(parts.location, c.location) << u8(c.address);
  }
  EXPECT_EQ(composeAddress(u"", u"View"), u"#View");
  EXPECT_EQ(composeAddress(u"plan.dxf", u""), u"plan.dxf");
}

TEST(AddressText, DrawingsAreKnownByTheTextAfterTheLastDot) {
  struct Case {
    const char16_t* address;
    bool drawing;
  } cases[] = {
      {u"plan.dwg", true},       {u"docs\\PLAN.DXF", true}, {u"a.b.Dwg", true},
      {u"plan.dwg#View", false},  // the "#" part belongs to the extension
      {u"plan.dwf", false},      {u"dwg", false},           {u"http://example.com/plan.dxf", true},
  };
  for (const Case& c : cases) EXPECT_EQ(isDrawingAddress(c.address), c.drawing) << u8(c.address);
}

TEST_F(AddressUnderPathRules, RelativeBoxUnderWindowsRules) {
  platform::setPathStyle(PathStyle::Windows);
  const TzString base = u"C:\\a\\b\\";
  EXPECT_EQ(relativeBoxAddress(u".\\c\\x.dwg", base, false), u"C:\\a\\b\\.\\c\\x.dwg");
  EXPECT_EQ(relativeBoxAddress(u"C:\\a\\b\\.\\c\\x.dwg", base, true), u".\\c\\x.dwg");
  EXPECT_EQ(relativeBoxAddress(u"C:\\a\\y\\x.dwg", base, true), u"..\\y\\x.dwg");
  // Another drive, or an address that does not start like the base, stays as it is.
  EXPECT_EQ(relativeBoxAddress(u"D:\\x.dwg", base, true), u"D:\\x.dwg");
  EXPECT_EQ(relativeBoxAddress(u"c:\\a\\b\\x.dwg", base, true), u"c:\\a\\b\\x.dwg");
  EXPECT_EQ(relativeBoxAddress(u"", base, true), u"");
  EXPECT_EQ(relativeBoxAddress(u"x.dwg", u"", true), u"x.dwg");
}

TEST_F(AddressUnderPathRules, RelativeBoxUnderPosixRules) {
  platform::setPathStyle(PathStyle::Posix);
  const TzString base = u"/a/b/";
  EXPECT_EQ(relativeBoxAddress(u"./c/x.dwg", base, false), u"/a/b/./c/x.dwg");
  EXPECT_EQ(relativeBoxAddress(u"/a/b/./c/x.dwg", base, true), u"./c/x.dwg");
  EXPECT_EQ(relativeBoxAddress(u"/a/b/c/x.dwg", base, true), u"./c/x.dwg");
  EXPECT_EQ(relativeBoxAddress(u"http://example.com/x.dwg", base, true),
            u"http://example.com/x.dwg");
}

TEST_F(AddressUnderPathRules, NamedLocationsAreReadFromTheBaseFolderForRelativeDrawings) {
  platform::setPathStyle(PathStyle::Posix);
  EXPECT_EQ(drawingFilePath(u"docs\\a.dxf", u"/p/"), u"/p/docs/a.dxf");
  EXPECT_EQ(drawingFilePath(u"/q/a.dxf", u"/p/"), u"/q/a.dxf");
  platform::setPathStyle(PathStyle::Windows);
  EXPECT_EQ(drawingFilePath(u"docs\\a.dwg", u"C:\\p\\"), u"C:\\p\\docs\\a.dwg");
  EXPECT_EQ(drawingFilePath(u"D:\\a.dwg", u"C:\\p\\"), u"D:\\a.dwg");
}

}  // namespace
