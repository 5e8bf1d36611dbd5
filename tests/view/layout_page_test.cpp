// The page a layout is printed on: the sheet of its page setup (as another program wrote it)
// at its plot scale, or the drawing fitted to the paper.
#include <gtest/gtest.h>

#include "test_support.h"
#include "tzdb_database.h"
#include "view/layout_list.h"
#include "view/layout_page.h"
#include "view/scene.h"

namespace tzad {
namespace {

constexpr double kA3Width = 420 * kPointsPerMillimetre, kA3Height = 297 * kPointsPerMillimetre;

ViewPoint millimetresFromLowerLeft(const LayoutPage& page, ViewPoint world) {
  ViewPoint p = page.transform.toPage(world);
  return {p.x / kPointsPerMillimetre, (page.height - p.y) / kPointsPerMillimetre};
}

// Page setups ezdxf wrote (ezdxf_tool.py make paper): size, margins, units and scale.
TEST(LayoutPage, PaperLayoutsLieOnTheirSheetAtTheirPlotScale) {
  tzt::TempDir dir;
  std::string path = tzt::makeDrawing(dir, "paper", "R2018");
  TzDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(tzt::u16(path)), Tzad::eOk);
  struct Case {
    const char* layout;
    double width, height;  // millimetres
    ViewPoint world;       // a point of the layout
    ViewPoint onPaper;     // where it is printed, millimetres from the lower left
  } cases[] = {
      // 1:2, margins 15 left and 10 bottom: a 100-unit line is 50 mm long.
      {"Half", 297, 210, {0, 0}, {15, 10}},
      {"Half", 297, 210, {100, 0}, {65, 10}},
      // Inches at 1:1, half an inch of margin.
      {"Letter", 279.4, 215.9, {1, 1}, {38.1, 38.1}},
      {"Letter", 279.4, 215.9, {3, 1}, {88.9, 38.1}},
  };
  std::vector<LayoutEntry> layouts = layoutsInTabOrder(db);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layout);
    auto layout = std::find_if(layouts.begin(), layouts.end(),
                               [&](const LayoutEntry& l) { return tzt::u8(l.name) == c.layout; });
    ASSERT_NE(layout, layouts.end());
    LayoutPage page = layoutPage(db, *layout, buildScene(db, layout->blockRecord).extents());
    EXPECT_NEAR(page.width, c.width * kPointsPerMillimetre, 0.01);
    EXPECT_NEAR(page.height, c.height * kPointsPerMillimetre, 0.01);
    ViewPoint printed = millimetresFromLowerLeft(page, c.world);
    EXPECT_NEAR(printed.x, c.onPaper.x, 1e-6);
    EXPECT_NEAR(printed.y, c.onPaper.y, 1e-6);
  }
  // The model, fitted on the A4 portrait its page setup names: 40 x 20 units across the
  // printable width (190 mm between margins of 10), in the middle of the sheet.
  LayoutPage model = layoutPage(db, layouts.front(), buildScene(db, db.modelSpaceId()).extents());
  EXPECT_NEAR(model.width, 210 * kPointsPerMillimetre, 0.01);
  EXPECT_NEAR(model.height, 297 * kPointsPerMillimetre, 0.01);
  EXPECT_NEAR(model.transform.scale, 190.0 / 40 * kPointsPerMillimetre, 1e-9);
  ViewPoint centre = millimetresFromLowerLeft(model, {20, 10});
  EXPECT_NEAR(centre.x, 105, 1e-9);
  EXPECT_NEAR(centre.y, 148.5, 1e-9);
}

TEST(LayoutPage, FittedDrawingsFillThePrintableAreaCentred) {
  PaperSetup tall{210, 297, 20, 5, 5, 5, 0, 0, 1};
  struct Case {
    const char* what;
    std::optional<PaperSetup> paper;
    ViewBox extents;
    double width, height;  // the page, points
    double scale;          // points per unit
    ViewPoint centre;      // where the extents' centre lands, points from the top left
  } cases[] = {
      // A3 landscape without a page setup, at least 10 mm free on every side.
      {"wide",
       std::nullopt,
       ViewBox::of({0, 0}, {400, 100}),
       kA3Width,
       kA3Height,
       400 * kPointsPerMillimetre / 400,
       {kA3Width / 2, kA3Height / 2}},
      {"tall",
       std::nullopt,
       ViewBox::of({-5, -5}, {5, 95}),
       kA3Width,
       kA3Height,
       277 * kPointsPerMillimetre / 100,
       {kA3Width / 2, kA3Height / 2}},
      // A margin wider than 10 mm is kept: the area runs from 20 to 200 mm across.
      {"margins",
       tall,
       ViewBox::of({0, 0}, {180, 10}),
       210 * kPointsPerMillimetre,
       297 * kPointsPerMillimetre,
       kPointsPerMillimetre,
       {110 * kPointsPerMillimetre, 148.5 * kPointsPerMillimetre}},
      // A horizontal line is fitted by its length; a point is shown at a point per unit.
      {"line",
       std::nullopt,
       ViewBox::of({0, 5}, {800, 5}),
       kA3Width,
       kA3Height,
       400 * kPointsPerMillimetre / 800,
       {kA3Width / 2, kA3Height / 2}},
      {"point",
       std::nullopt,
       ViewBox::of({3, 4}, {3, 4}),
       kA3Width,
       kA3Height,
       1,
       {kA3Width / 2, kA3Height / 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LayoutPage page = fittedPage(c.paper, c.extents);
    EXPECT_NEAR(page.width, c.width, 1e-9);
    EXPECT_NEAR(page.height, c.height, 1e-9);
    EXPECT_NEAR(page.transform.scale, c.scale, 1e-9);
    ViewPoint centre = page.transform.toPage(
        {(c.extents.minX + c.extents.maxX) / 2, (c.extents.minY + c.extents.maxY) / 2});
    EXPECT_NEAR(centre.x, c.centre.x, 1e-6);
    EXPECT_NEAR(centre.y, c.centre.y, 1e-6);
  }
}

}  // namespace
}  // namespace tzad
