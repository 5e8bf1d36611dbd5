// The file and web page's address text: joining and splitting at "#", which addresses name a
// drawing, and what the relative-path box makes of an address outside the base.
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
      {u"docs\\PLAN.DXF", true},
      {u"a.b.Dwg", true},
      {u"plan.dwg#View", false},  // the "#" part belongs to the extension
      {u"dwg", false},
  };
  for (const Case& c : cases) EXPECT_EQ(isDrawingAddress(c.address), c.drawing) << u8(c.address);
}

// Only an address that starts as the base does is made relative (the box's other ways are the
// file page's window test).
TEST_F(AddressUnderPathRules, RelativeBoxKeepsAddressesOutsideTheBase) {
  platform::setPathStyle(PathStyle::Windows);
  const TzString base = u"C:\\a\\b\\";
  EXPECT_EQ(relativeBoxAddress(u"C:\\a\\y\\x.dwg", base, true), u"..\\y\\x.dwg");
  EXPECT_EQ(relativeBoxAddress(u"c:\\a\\b\\x.dwg", base, true), u"c:\\a\\b\\x.dwg");
  EXPECT_EQ(relativeBoxAddress(u"x.dwg", u"", true), u"x.dwg");
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
