// Listing a drawing's hyperlinks: one row per linked object, from model space and every
// layout, in drawings of tzad, of ezdxf, and of R12 without layouts.
#include <gtest/gtest.h>

#include "core/drawing_links.h"
#include "session.h"

using namespace linktools;
using namespace tzt;

namespace {

struct Row {
  std::string handle, address, location, description, type, layer, layout;
  bool area;
  bool operator==(const Row&) const = default;
};

std::vector<Row> rowsOf(TzDbDatabase& db) {
  std::vector<Row> rows;
  for (const DrawingLink& l : listDrawingLinks(db))
    rows.push_back({u8(l.handle), u8(l.address), u8(l.location), u8(l.description),
                    u8(l.objectType), u8(l.layer), u8(l.layout), l.area});
  return rows;
}

TEST(DrawingLinks, OfTheSample) {
  Session s;
  s.openSample();
  std::vector<Row> expected = {
      {"91", "docs/house-details.pdf", "", "House details", "LWPOLYLINE", "Buildings", "Model",
       false},
      {"93", "", "Garage,Details", "Garage detail", "LWPOLYLINE", "Buildings", "Model", false},
      {"95", "https://www.openstreetmap.org/", "", "Street map", "LINE", "Roads", "Model", false},
      {"98", "mailto:architect@example.com", "", "Ask the architect", "TEXT", "Text", "Model",
       false},
  };
  EXPECT_EQ(rowsOf(*tzdbHostApplicationServices()->workingDatabase()), expected);
}

// An area hyperlink is its rectangle on URLLAYER; a second hyperlink of an object is not a
// row of its own (other programs see only the first).
TEST(DrawingLinks, AreasAndFurtherHyperlinks) {
  Session s;
  s.openSample();
  TzDbDatabase& db = *tzdbHostApplicationServices()->workingDatabase();
  TzDbObjectId area = addPolyline(db.modelSpaceId(), addLayer(db, u"URLLAYER"),
                                  {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}, {0, 5, 0}}, true);
  ASSERT_EQ(setLinks(area, {{"http://example.com/area", "Area"}}), Tzad::eOk);
  TzDbObjectId road = db.objectIdOf(TzDbHandle(0x95));
  ASSERT_EQ(setLinks(road, {{"first"}, {"second"}}), Tzad::eOk);
  std::vector<Row> rows = rowsOf(db);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[2].address, "first");
  EXPECT_EQ(rows.back().address, "http://example.com/area");
  EXPECT_EQ(rows.back().layer, "URLLAYER");
  EXPECT_TRUE(rows.back().area);
}

// Model space first, then each layout's objects under the layout's name; objects inside block
// definitions are not the drawing's links.
TEST(DrawingLinks, EveryLayoutOfAnEzdxfDrawing) {
  TempDir dir;
  TzDbDatabase db(false, true);
  ASSERT_EQ(db.readDwgFile(u16(makeDrawing(dir, "rich", "R2018"))), Tzad::eOk);
  std::vector<Row> rows = rowsOf(db);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].address, "http://example.com/plan");
  EXPECT_EQ(rows[0].location, "Entry,Layout1");
  EXPECT_EQ(rows[1].address, "docs\\说明.txt");
  EXPECT_EQ(rows[1].layer, "墙体");
  EXPECT_EQ(rows[2].address, "mailto:a@b.c");
  EXPECT_EQ(rows[2].layout, "Layout2");
  for (const Row& row : rows) EXPECT_EQ(row.handle, u8(u16(row.handle)));
}

TEST(DrawingLinks, AnR12DrawingWithoutLayouts) {
  TempDir dir;
  TzDbDatabase db(false, true);
  ASSERT_EQ(db.readDwgFile(u16(makeDrawing(dir, "rich", "R12"))), Tzad::eOk);
  std::vector<Row> rows = rowsOf(db);
  ASSERT_EQ(rows.size(), 2u);
  for (const Row& row : rows) EXPECT_EQ(row.layout, "Model");
}

}  // namespace
