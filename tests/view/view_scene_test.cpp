// The view on a drawing written by ezdxf (ezdxf_tool.py make view): what the scene of a layout
// holds, the pixels it paints into an image, and what clicks and rubber bands select.
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <future>
#include <map>
#include <memory>
#include <optional>

#include "paint/scene_renderer.h"
#include "test_support.h"
#include "tzdb_symbol_table.h"
#include "view/hit_test.h"
#include "view/scene.h"

namespace tzad {
namespace {

using tzt::u16;

// The drawing, read once for all tests: writing it with ezdxf takes a good part of a second.
struct ViewDrawing {
  tzt::TempDir dir;
  std::map<std::string, uint64_t> handles;
  TzDbDatabase db{false};
  Scene model;
  bool loaded = false;

  ViewDrawing() {
    std::string path = dir.file("view.dxf");
    std::string output = tzt::runEzdxf("make view R2018 '" + path + "'");
    nlohmann::json names = nlohmann::json::parse(output, nullptr, false);
    if (!names.is_object()) return;
    for (const auto& item : names.items())
      handles[item.key()] = std::stoull(item.value().get<std::string>(), nullptr, 16);
    if (db.readDwgFile(u16(path)) != Tzad::eOk) return;
    model = buildScene(db, db.modelSpaceId());
    loaded = true;
  }
};

class ViewScene : public testing::Test {
 protected:
  void SetUp() override {
    static ViewDrawing drawing;
    ASSERT_TRUE(drawing.loaded) << "the view drawing was not made or read";
    drawing_ = &drawing;
    model_ = &drawing.model;
  }

  static TzDbObjectId idOf(const std::string& name) {
    return drawing_->db.objectIdOf(TzDbHandle(drawing_->handles.at(name)));
  }
  static const SceneEntity* entity(const Scene& scene, const std::string& name) {
    int i = scene.entityIndexOf(idOf(name));
    return i < 0 ? nullptr : &scene.entities()[size_t(i)];
  }
  static std::vector<ViewColor> pathColors(const Scene& scene, const std::string& name) {
    std::vector<ViewColor> colors;
    if (const SceneEntity* e = entity(scene, name))
      for (uint32_t k = e->firstPath; k < e->firstPath + e->pathCount; ++k)
        colors.push_back(scene.paths()[k].color);
    return colors;
  }

  static inline ViewDrawing* drawing_ = nullptr;
  static inline Scene* model_ = nullptr;
};

const ViewColor kRed = ViewColor::rgb(255, 0, 0), kGreen = ViewColor::rgb(0, 255, 0),
                kBlue = ViewColor::rgb(0, 0, 255), kMagenta = ViewColor::rgb(255, 0, 255);

TEST_F(ViewScene, ColoursResolveByLayerByBlockByIndexAndTrueColour) {
  struct Case {
    const char* entity;
    std::vector<ViewColor> colors;
  };
  const Case cases[] = {
      {"rectangle", {kRed}},
      {"bylayer", {kGreen}},
      {"index", {kBlue}},
      {"truecolor", {ViewColor::rgb(0x12, 0x34, 0x56)}},
      {"circle", {ViewColor::contrast()}},
      // The block's ByBlock line takes the reference's magenta, its layer-0 line the
      // reference's layer, its line on Green stays green.
      {"insert", {kMagenta, kGreen, kGreen}},
      // Nested: the inner reference is ByLayer on layer 0, so on the outer one's URLLAYER.
      {"nested", {kRed, kRed, kGreen}},
      // On an off layer only what the block holds on other layers shows.
      {"offinsert", {kGreen}},
  };
  for (const Case& c : cases) EXPECT_EQ(pathColors(*model_, c.entity), c.colors) << c.entity;
}

TEST_F(ViewScene, HiddenLayersUnknownTypesAndOtherLayoutsAreLeftOut) {
  for (const char* name : {"frozen", "off", "xline", "mesh", "sheetcircle", "viewport"})
    EXPECT_EQ(entity(*model_, name), nullptr) << name;
  for (const char* name : {"hatch", "polyline2d", "bulge", "spline", "solid", "text"})
    EXPECT_NE(entity(*model_, name), nullptr) << name;
  EXPECT_TRUE(entity(*model_, "rectangle")->linked);
  EXPECT_FALSE(entity(*model_, "bylayer")->linked);
}

TEST_F(ViewScene, GeometryLandsWhereItsTransformationsPutIt) {
  struct Case {
    const char* entity;
    ViewBox box;
  };
  const Case cases[] = {
      // HOLDER at (80,30) holds PART (base 1,1) turned 90 degrees and doubled.
      {"nested", ViewBox::of({76, 30}, {80, 38})},
      // A positive bulge bends the arc to the right of its way, here below the chord.
      {"bulge", ViewBox::of({20, 43}, {24, 45})},
      // Two columns 10 apart and two rows 5 apart of a block 4 wide and 2 high.
      {"array", ViewBox::of({70, 20}, {84, 27})},
      // Anchored bottom left: the second line's baseline on the insertion point, the first
      // a line spacing (5/3 of the height) above it.
      {"mtext", ViewBox::of({60, 48}, {61.4, 48 + 1 + 5.0 / 3})},
      // A block holding itself is drawn once, not followed.
      {"loop", ViewBox::of({60, 40}, {61, 40})},
  };
  for (const Case& c : cases) {
    const SceneEntity* e = entity(*model_, c.entity);
    ASSERT_NE(e, nullptr) << c.entity;
    EXPECT_NEAR(e->box.minX, c.box.minX, 1e-6) << c.entity;
    EXPECT_NEAR(e->box.minY, c.box.minY, 1e-6) << c.entity;
    EXPECT_NEAR(e->box.maxX, c.box.maxX, 1e-6) << c.entity;
    EXPECT_NEAR(e->box.maxY, c.box.maxY, 1e-6) << c.entity;
  }
}

TEST_F(ViewScene, PaperLayoutShowsItsEntitiesAndViewportsWithTheirViewOfTheModel) {
  TzDbBlockTable* blocks = nullptr;
  ASSERT_EQ(drawing_->db.getSymbolTable(blocks, TzDb::kForRead), Tzad::eOk);
  TzDbObjectId sheet;
  // Layout1 is *Paper_Space; the layout made next is *Paper_Space0.
  EXPECT_EQ(blocks->getAt(u"*Paper_Space0", sheet), Tzad::eOk);
  EXPECT_EQ(blocks->close(), Tzad::eOk);
  Scene paper = buildScene(drawing_->db, sheet);
  ASSERT_NE(entity(paper, "sheetcircle"), nullptr);
  const SceneEntity* frame = entity(paper, "viewport");
  ASSERT_NE(frame, nullptr);
  EXPECT_NEAR(frame->box.minX, 40, 1e-9);
  EXPECT_NEAR(frame->box.maxY, 55, 1e-9);
  EXPECT_EQ(entity(paper, "rectangle"), nullptr);

  // The viewport's view: the model at 0.6, its centre (50,25) on the viewport's (60,40), cut
  // at the frame (the rectangle's (10,10)-(30,20) lands on x 36..48, y 31..37), without the
  // layer frozen in the viewport, and not picked in the layout.
  auto view = std::find_if(paper.entities().begin(), paper.entities().end(),
                           [](const SceneEntity& e) { return e.id.isNull(); });
  ASSERT_NE(view, paper.entities().end());
  EXPECT_TRUE(frame->box.contains(view->box));
  bool cutRectangle = false;
  for (uint32_t k = view->firstPath; k < view->firstPath + view->pathCount; ++k) {
    const ScenePath& path = paper.paths()[k];
    EXPECT_NE(path.color, ViewColor::rgb(0x12, 0x34, 0x56));
    for (uint32_t i = 0; i < path.pointCount; ++i) {
      ViewPoint p = paper.points()[path.firstPoint + i];
      if (path.color == colorOfIndex(1) && std::abs(p.x - 40) < 1e-9 && std::abs(p.y - 31) < 1e-9)
        cutRectangle = true;
    }
  }
  EXPECT_TRUE(cutRectangle);
  EXPECT_TRUE(entitiesCrossing(paper, ViewBox::of({41, 30}, {49, 38})).empty());
}

// An image at 200 x 100 pixels on black: of the scene's extents with a margin, or of the box.
class Picture {
 public:
  Picture(const Scene& scene, RenderOptions options, std::optional<ViewBox> box = std::nullopt)
      : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 200, 100), cairo_surface_destroy),
        view_(200, 100) {
    view_.zoomToBox(box.value_or(scene.extents()), box ? 0 : 0.05);
    options.background = ViewColor::rgb(0, 0, 0);
    cairo_t* cr = cairo_create(surface_.get());
    stats = renderScene(cr, scene, view_, options);
    cairo_destroy(cr);
    cairo_surface_flush(surface_.get());
  }
  ViewColor at(ViewPoint world) const {
    ViewPoint p = view_.toScreen(world);
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    int stride = cairo_image_surface_get_stride(surface_.get());
    uint32_t pixel = *reinterpret_cast<const uint32_t*>(data + int(p.y) * stride + int(p.x) * 4);
    return ViewColor::rgb(uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel));
  }
  RenderStats stats;

 private:
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface_;
  ViewTransform view_;
};

TEST_F(ViewScene, TheRedRectangleLandsOnThePixelsItsCoordinatesGive) {
  RenderOptions options;
  options.antialiasLimit = 0;
  Picture picture(*model_, options);
  for (ViewPoint edge : {ViewPoint{20, 10}, {30, 15}, {20, 20}, {10, 15}})
    EXPECT_EQ(picture.at(edge), kRed) << edge.x << "," << edge.y;
  const ViewColor black = ViewColor::rgb(0, 0, 0);
  EXPECT_EQ(picture.at({20, 15}), black);                          // inside: nothing drawn
  EXPECT_EQ(picture.at({50, 30}), black);                          // the frozen line
  EXPECT_EQ(picture.at({42, 46}), ViewColor::rgb(0, 255, 255));    // inside the filled solid
  EXPECT_EQ(picture.at({8, 1}), ViewColor::rgb(255, 255, 0));      // inside the solid hatch
  EXPECT_EQ(picture.at({5, 2}), black);                            // in the hatch's hole
  EXPECT_EQ(picture.at({42, 24}), ViewColor::rgb(255, 255, 255));  // a dash of the dashed line
  EXPECT_EQ(picture.at({45, 24}), black);                          // and a gap

  // A selected filled area keeps its fill, in the highlight's colour.
  options.selected = {idOf("solid")};
  EXPECT_EQ(Picture(*model_, options).at({42, 46}), options.highlight);
}

TEST_F(ViewScene, ClicksPickTheNearestEntityWithinTheTolerance) {
  ViewTransform view(200, 100);
  view.zoomToBox(model_->extents(), 0.05);
  auto pickAt = [&](ViewPoint world, double dx = 0) {
    ViewPoint s = view.toScreen(world);
    return pickEntity(*model_, view, {s.x + dx, s.y}, 3);
  };
  EXPECT_EQ(pickAt({10, 15}, -2.5), idOf("rectangle"));
  EXPECT_EQ(pickAt({10, 15}, -4), std::nullopt);
  EXPECT_EQ(pickAt({90, 10}), std::nullopt);   // the middle of a circle is empty
  EXPECT_EQ(pickAt({42, 46}), idOf("solid"));  // a filled solid is hit inside
  EXPECT_EQ(pickAt({11, 41}), idOf("text"));
  EXPECT_EQ(pickAt({50, 30}), std::nullopt);  // the frozen line is not there to pick

  // Close up, the solid hatch is hit inside but not in its hole.
  ViewTransform close(200, 100);
  close.zoomToBox(ViewBox::of({0, 0}, {10, 5}), 0);
  EXPECT_EQ(pickEntity(*model_, close, close.toScreen({8, 1}), 3), idOf("hatch"));
  EXPECT_EQ(pickEntity(*model_, close, close.toScreen({5, 2}), 3), std::nullopt);
}

// A crossing box in the rectangle's hollow touches none of it (boxes inside and across are the
// main window test's drags).
TEST_F(ViewScene, ACrossingBoxInAHollowShapeTakesNothing) {
  EXPECT_TRUE(entitiesCrossing(*model_, ViewBox::of({12, 12}, {28, 18})).empty());
}

// A line a million times longer than the view, seen from close by, still draws, with and
// without antialiasing.
TEST(ViewSceneRendering, CloseZoomsStillDrawTheLinesThatCrossTheView) {
  Scene scene;
  scene.beginEntity(TzDbObjectId(), kRed, false);
  scene.addPath({{-1e7, 5.05}, {1e7, 5.05}}, kRed);
  scene.endEntity();
  scene.finish();
  for (size_t limit : {size_t(0), size_t(1) << 30}) {
    RenderOptions options;
    options.antialiasLimit = limit;
    Picture picture(scene, options, ViewBox::of({0, 0}, {20, 10}));
    EXPECT_EQ(picture.stats.segmentsDrawn, 1u) << limit;
    EXPECT_EQ(picture.at({10, 5.05}), kRed) << limit;
  }
}

}  // namespace
}  // namespace tzad

namespace tzad {
namespace {

// Blocks built to explode (eight levels of 100-column array references, ezdxf_tool.py make
// exploding): a tree that draws nothing costs nothing, and one that draws is cut short at the
// scene's budget instead of holding the window. A scene that still runs after a minute fails
// the test instead of hanging it.
TEST(ExplodingBlocks, TheSceneIsBuiltWhateverTheBlocksHold) {
  tzt::TempDir dir;
  std::string path = dir.file("exploding.dxf");
  tzt::runEzdxf("make exploding 7 '" + path + "'");
  for (bool thawed : {false, true}) {
    SCOPED_TRACE(thawed ? "the innermost line shows" : "the innermost line is frozen");
    TzDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(u16(path)), Tzad::eOk);
    if (thawed) {
      TzDbLayerTable* opened = nullptr;
      ASSERT_EQ(db.getSymbolTable(opened, TzDb::kForRead), Tzad::eOk);
      TzDbObjectPointer<TzDbLayerTable> layers(opened);
      TzDbObjectId id;
      ASSERT_EQ(layers->getIdAt(u"Cold", id), Tzad::eOk);
      TzDbObjectPointer<TzDbLayerTableRecord> cold(id, TzDb::kForWrite);
      ASSERT_TRUE(cold);
      ASSERT_EQ(cold->setIsFrozen(false), Tzad::eOk);
    }
    auto built = std::async(std::launch::async, [&] { return buildScene(db, db.modelSpaceId()); });
    if (built.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
      ADD_FAILURE() << "the scene was still being built after a minute";
      std::_Exit(1);
    }
    Scene scene = built.get();
    EXPECT_EQ(scene.cutShort(), thawed);
    // The line beside the reference, and the reference when what it holds shows.
    EXPECT_EQ(scene.entities().size(), thawed ? 2u : 1u);
  }
}

}  // namespace
}  // namespace tzad
