// The layouts and named views listed for drawing files and open databases, in the host's
// order, on drawings written by hand (how the host reads ezdxf's layouts and views is the
// database test's).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "location_drawings.h"
#include "locations/drawing_locations.h"
#include "test_support.h"
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

LocationEntry layout(const char16_t* name, int space) {
  return {name, false, space};
}
LocationEntry view(const char16_t* name, int space) {
  return {name, true, space};
}

// Entries a caller had in the list already: listing appends and never touches them.
const LocationEntry kEarlier{u"earlier", true, 1};

struct FileCase {
  const char* title;
  std::string fileName;
  std::string content;
  bool listed;
  LocationList entries;  // after the drawing entry, when listed
};

const char kBinaryDwg[] = "AC1032\0\0\0\0\0\x1f\x8b\x02\xff\xfe\x00\x01";

std::vector<FileCase> fileCases() {
  LocationList twoSheets = {layout(u"Model", 1), layout(u"Layout1", 2), layout(u"Layout2", 2),
                            view(u"Title", 2),   view(u"Entry", 1),     view(u"Legend", 2),
                            view(u"Garden", 1),  view(u"Notes", 2)};
  return {
      {"a drawing named .dwg that is DXF", "sheets.dwg", twoSheetDrawing(), true, twoSheets},
      {"layouts and views keep the drawing's order",
       "order.dxf",
       locationDrawing({{"Zeta", false}, {"Model", true}, {"Alpha", false}},
                       {{"Zulu", false}, {"Able", true}}),
       true,
       {layout(u"Zeta", 2), layout(u"Model", 1), layout(u"Alpha", 2), view(u"Zulu", 1),
        view(u"Able", 2)}},
      {"a lower-case model layout is shown as Model",
       "lower.dxf",
       locationDrawing({{"model", true}, {"Sheet", false}}, {}),
       true,
       {layout(u"Model", 1), layout(u"Sheet", 2)}},
      // The shown name follows the layout's name, the space its block record.
      {"name and space are decided apart",
       "apart.dxf",
       locationDrawing({{"Plan", true}, {"MODEL", false}}, {}),
       true,
       {layout(u"Plan", 1), layout(u"Model", 2)}},
      {"view names as written",
       "names.dxf",
       locationDrawing({{"Model", true}}, {{"North, upper", false}, {"立面", true}}),
       true,
       {layout(u"Model", 1), view(u"North, upper", 1), view(u"立面", 2)}},
      {"a binary drawing named .dwg",
       "binary.dwg",
       std::string(kBinaryDwg, sizeof kBinaryDwg),
       false,
       {}},
      {"an empty file", "empty.dxf", "", false, {}},
  };
}

TEST(FileLocationsOf, DrawingsAreListedOtherFilesRefused) {
  for (const FileCase& c : fileCases()) {
    SCOPED_TRACE(c.title);
    TempDir dir;
    std::string path = dir.file(c.fileName);
    writeFile(path, c.content);
    auto modified = std::filesystem::last_write_time(path);

    LocationList list = {kEarlier};
    EXPECT_EQ(listFileLocations(u16(path), list), c.listed);

    LocationList expected = {kEarlier};
    if (c.listed) {
      expected.push_back({u16(path), false, 0});
      expected.insert(expected.end(), c.entries.begin(), c.entries.end());
    }
    EXPECT_EQ(list, expected);
    // Only read: the file is as it was.
    EXPECT_EQ(readFile(path), c.content);
    EXPECT_EQ(std::filesystem::last_write_time(path), modified);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  }
}

TEST(FileLocationsOf, PathsThatAreNoFile) {
  TempDir dir;
  for (const std::string& path : {dir.file("missing.dxf"), dir.path().string(), std::string()}) {
    LocationList list = {kEarlier};
    EXPECT_FALSE(listFileLocations(u16(path), list)) << path;
    EXPECT_EQ(list, LocationList{kEarlier}) << path;
  }
}

TEST(DrawingLocations, OfDatabasesWithoutLayouts) {
  LocationList list = {kEarlier};
  EXPECT_FALSE(listDrawingLocations(nullptr, list));
  EXPECT_EQ(list, LocationList{kEarlier});

  // A database that never read a drawing has a name (empty) but no layout dictionary: the
  // drawing entry stays, and the listing fails.
  TzDbDatabase empty(false, false);
  EXPECT_FALSE(listDrawingLocations(&empty, list));
  EXPECT_EQ(list, (LocationList{kEarlier, {u"", false, 0}}));
}

}  // namespace
