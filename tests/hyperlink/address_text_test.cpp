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
TEST_F(AddressUnderPathRules, RelativeBoxAndNamedLocationsOfRelativeDrawings) {
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

}  // namespace
