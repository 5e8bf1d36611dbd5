// New layers and closed 3D polylines, as the area hyperlink makes them, in model and paper
// space of ezdxf's drawings, read by ezdxf (erasing them is the scripted session
// hyperlink_remove's).
#include <gtest/gtest.h>

#include "test_support.h"
#include "tzdb_database.h"
#include "tzdb_hyperlink.h"

using namespace tzt;

namespace {

TzDbObjectId layoutBlock(TzDbDatabase& db, const TzString& name) {
  TzDbDictionary* dict = nullptr;
  if (db.getLayoutDictionary(dict, TzDb::kForRead) != Tzad::eOk) return {};
  TzDbObjectId layoutId;
  EXPECT_EQ(dict->getAt(name, layoutId), Tzad::eOk);
  EXPECT_EQ(dict->close(), Tzad::eOk);
  TzDbObjectPointer<TzDbLayout> layout(layoutId, TzDb::kForRead);
  return layout ? layout->getBlockTableRecordId() : TzDbObjectId();
}

const std::vector<TzGePoint3d> kRect = {{0, 0, 0}, {0, 5, 0}, {10, 5, 0}, {10, 0, 0}};

struct Target {
  const char* release;
  const char* layout;  // the layout whose space receives the rectangle
};
std::ostream& operator<<(std::ostream& out, const Target& s) {
  return out << s.release << " " << s.layout;
}

class NewEntities : public ::testing::TestWithParam<Target> {};

TEST_P(NewEntities, ClosedPolylineOnANewRedLayer) {
  TempDir dir;
  TzDbDatabase db(false);
  std::string source = makeDrawing(dir, "rich", GetParam().release);
  ASSERT_EQ(db.readDwgFile(u16(source)), Tzad::eOk);
  // ezdxf's own older-release drawings already have findings (escaped layer names); ours
  // must add none.
  nlohmann::json baseline = ezdxfDump(source)["audit_errors"];
  TzDbObjectId layer = addLayer(db, u"URLLAYER", 1);
  ASSERT_FALSE(layer.isNull());
  EXPECT_EQ(addLayer(db, u"urllayer", 3), TzDbObjectId());  // names are unique ignoring case
  TzDbObjectId space = layoutBlock(db, u16(GetParam().layout));
  ASSERT_FALSE(space.isNull());
  TzDbObjectId rect = addPolyline(space, layer, kRect, true);
  ASSERT_FALSE(rect.isNull());
  EXPECT_EQ(setLinks(rect, {{"http://example.com/area", "Area"}}), Tzad::eOk);
  std::string saved = dir.file("rect.dxf");
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk) << u8(db.lastErrorText());

  nlohmann::json dump = ezdxfDump(saved);
  EXPECT_EQ(dump["layers"]["URLLAYER"]["color"], 1);
  EXPECT_EQ(dump["audit_errors"], baseline);
  int found = 0;
  for (const auto& e : dump["entities"]) {
    if (e["type"] != "POLYLINE" || e["layer"] != "URLLAYER") continue;
    ++found;
    EXPECT_EQ(e["space"], GetParam().layout);
    EXPECT_TRUE(e["is_3d"].get<bool>());
    EXPECT_TRUE(e["closed"].get<bool>());
    EXPECT_EQ(e["vertices"], nlohmann::json::parse("[[0,0,0],[0,5,0],[10,5,0],[10,0,0]]"));
    EXPECT_EQ(e["hyperlink"][0], "http://example.com/area");
  }
  EXPECT_EQ(found, 1);
}

INSTANTIATE_TEST_SUITE_P(Spaces, NewEntities,
                         ::testing::Values(Target{"R12", "Layout1"}, Target{"R2000", "Model"},
                                           Target{"R2018", "Layout2"}),
                         [](const auto& info) {
                           return std::string(info.param.release) + info.param.layout;
                         });

TEST(NewEntities, HandseedFollowsNewHandles) {
  TempDir dir;
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(u16(makeDrawing(dir, "plain", "R2018"))), Tzad::eOk);
  TzDbObjectId layer = addLayer(db, u"New", 2);
  std::string saved = dir.file("seed.dxf");
  ASSERT_EQ(db.saveAs(u16(saved)), Tzad::eOk);
  TzDbDatabase again(false);
  ASSERT_EQ(again.readDwgFile(u16(saved)), Tzad::eOk);
  TzDbObjectId next = addLayer(again, u"Newer", 3);
  EXPECT_GT(next.handle().value(), layer.handle().value());
}

}  // namespace
