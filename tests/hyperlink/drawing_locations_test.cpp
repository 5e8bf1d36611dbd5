// The layouts and named views listed for drawing files and open databases, in the drawing's
// order, on the sample site plan and a copy of it with layouts renamed.
#include <gtest/gtest.h>

#include <filesystem>

#include "locations/drawing_locations.h"
#include "session.h"
#include "tzdb_database.h"

using namespace hyperlink;
using namespace tzt;

namespace hyperlink {
bool operator==(const LocationEntry& a, const LocationEntry& b) {
  return a.name == b.name && a.isView == b.isView && a.space == b.space;
}
std::ostream& operator<<(std::ostream& out, const LocationEntry& e) {
  return out << "{" << u8(e.name) << ", " << (e.isView ? "view" : "layout") << ", " << e.space
             << "}";
}
}  // namespace hyperlink

namespace {

// Entries a caller had in the list already: listing appends and never touches them.
const LocationEntry kEarlier{u"earlier", true, 1};

// The sample with a layout's name replaced where the layout dictionary and the layout hold it.
std::string renamed(std::string text, const std::string& from, const std::string& to) {
  for (const char* code : {"\n  3\n", "\n  1\n"}) {
    size_t at = text.find(code + from + "\n");
    if (at != std::string::npos) text.replace(at + 5, from.size(), to);
  }
  return text;
}

TEST(FileLocationsOf, DrawingsAreListedOtherFilesRefused) {
  const std::string sample = readFile(samplePath());
  const LocationList views = {
      {u"Overview", true, 1}, {u"House", true, 1}, {u"Garage", true, 1}, {u"Title", true, 2}};
  const struct {
    const char* title;
    std::string fileName, content;
    LocationList layouts;  // after the drawing entry; none: refused
  } cases[] = {
      {"a drawing named .dwg that is DXF",
       "plan.dwg",
       sample,
       {{u"Model", false, 1}, {u"Sheet", false, 2}, {u"Details", false, 2}}},
      // The shown name follows the layout's name, the space its block record.
      {"a model layout in other letters' case is shown as Model",
       "renamed.dxf",
       renamed(renamed(sample, "Model", "model"), "Sheet", "MODEL"),
       {{u"Model", false, 1}, {u"Model", false, 2}, {u"Details", false, 2}}},
      {"a binary drawing named .dwg", "binary.dwg", std::string("AC1032\0\x1f\x8b", 9), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    TempDir dir;
    std::string path = dir.file(c.fileName);
    writeFile(path, c.content);

    LocationList list = {kEarlier};
    EXPECT_EQ(listFileLocations(u16(path), list), !c.layouts.empty());

    LocationList expected = {kEarlier};
    if (!c.layouts.empty()) {
      expected.push_back({u16(path), false, 0});
      expected.insert(expected.end(), c.layouts.begin(), c.layouts.end());
      expected.insert(expected.end(), views.begin(), views.end());
    }
    EXPECT_EQ(list, expected);
    // Only read: the file is as it was.
    EXPECT_EQ(readFile(path), c.content);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  }
}

TEST(DrawingLocations, OfPathsThatAreNoFileAndDatabasesWithoutLayouts) {
  TempDir dir;
  LocationList list = {kEarlier};
  for (const std::string& path : {dir.file("missing.dxf"), dir.path().string(), std::string()}) {
    EXPECT_FALSE(listFileLocations(u16(path), list)) << path;
    EXPECT_EQ(list, LocationList{kEarlier}) << path;
  }
  EXPECT_FALSE(listDrawingLocations(nullptr, list));
  EXPECT_EQ(list, LocationList{kEarlier});

  // A database that never read a drawing has a name (empty) but no layout dictionary: the
  // drawing entry stays, and the listing fails.
  TzDbDatabase empty(false, false);
  EXPECT_FALSE(listDrawingLocations(&empty, list));
  EXPECT_EQ(list, (LocationList{kEarlier, {u"", false, 0}}));
}

}  // namespace
