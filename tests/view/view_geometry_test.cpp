// The view's geometry without a drawing: the transform, the spatial index, splines and text.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "view/curves.h"
#include "view/spatial_index.h"
#include "view/text_content.h"
#include "view/view_transform.h"

namespace tzad {
namespace {

TEST(ViewTransform, ZoomToBoxFitsAndCentresEvenDegenerateBoxes) {
  struct Case {
    const char* name;
    ViewBox box;
  };
  const Case cases[] = {
      {"wide", ViewBox::of({0, 0}, {100, 10})},
      {"tall", ViewBox::of({-5, -50}, {5, 50})},
      {"point", ViewBox::of({7, 7}, {7, 7})},
      {"empty", ViewBox()},
  };
  for (const Case& c : cases) {
    ViewTransform view(400, 300);
    view.zoomToBox(c.box, 0.05);
    EXPECT_TRUE(std::isfinite(view.scale()) && view.scale() > 0) << c.name;
    if (c.box.empty()) continue;
    ViewPoint low = view.toScreen({c.box.minX, c.box.minY});
    ViewPoint high = view.toScreen({c.box.maxX, c.box.maxY});
    EXPECT_NEAR((low.x + high.x) / 2, 200, 1e-6) << c.name;
    EXPECT_NEAR((low.y + high.y) / 2, 150, 1e-6) << c.name;
    EXPECT_GE(low.x, 19.99) << c.name;
    EXPECT_LE(high.x, 380.01) << c.name;
    EXPECT_LE(low.y, 285.01) << c.name;  // world y up, screen y down
    EXPECT_GE(high.y, 14.99) << c.name;
  }
}

TEST(ViewTransform, ZoomKeepsThePointUnderTheCursorAndResizeTheCentre) {
  ViewTransform view(640, 480);
  view.zoomToBox(ViewBox::of({0, 0}, {64, 48}), 0);
  ViewPoint cursor{100, 50};
  ViewPoint before = view.toWorld(cursor);
  view.zoomAbout(cursor, 3);
  ViewPoint after = view.toWorld(cursor);
  EXPECT_NEAR(after.x, before.x, 1e-9);
  EXPECT_NEAR(after.y, before.y, 1e-9);
  EXPECT_NEAR(view.scale(), 30, 1e-9);

  ViewPoint centre = view.toWorld({320, 240});
  view.resize(320, 240);
  EXPECT_NEAR(view.toScreen(centre).x, 160, 1e-9);
  EXPECT_NEAR(view.toScreen(centre).y, 120, 1e-9);
}

TEST(SpatialIndex, FindsWhatABruteForceSearchFinds) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> place(0, 1000), size(0, 20);
  std::vector<ViewBox> boxes;
  for (int i = 0; i < 5000; ++i) {
    double x = place(random), y = place(random);
    boxes.push_back(ViewBox::of({x, y}, {x + size(random), y + size(random)}));
  }
  SpatialIndex index;
  index.build(boxes);
  for (int q = 0; q < 50; ++q) {
    double x = place(random), y = place(random), s = size(random) * 10;
    ViewBox query = ViewBox::of({x, y}, {x + s, y + s});
    std::vector<uint32_t> found = index.query(query), expected;
    for (uint32_t i = 0; i < boxes.size(); ++i)
      if (boxes[i].intersects(query)) expected.push_back(i);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected);
  }
  index.build({});
  EXPECT_TRUE(index.query(ViewBox::of({0, 0}, {1, 1})).empty());
}

TEST(Curves, SplinesPassThroughTheirEndsAndFitPoints) {
  // A clamped quadratic B-spline starts and ends on its end control points.
  std::vector<ViewPoint> curve = tessellateSpline(2, {{0, 0}, {1, 2}, {2, 0}}, {}, {});
  EXPECT_NEAR(curve.front().x, 0, 1e-12);
  EXPECT_NEAR(curve.back().x, 2, 1e-12);
  EXPECT_NEAR(curve[curve.size() / 2].y, 1, 1e-9);  // halfway between polygon and chord
  // Equal weights leave the curve as it was.
  std::vector<ViewPoint> weighted =
      tessellateSpline(2, {{0, 0}, {1, 2}, {2, 0}}, {0, 0, 0, 1, 1, 1}, {3, 3, 3});
  EXPECT_NEAR(weighted[weighted.size() / 2].y, 1, 1e-9);

  std::vector<ViewPoint> fit{{0, 0}, {1, 1}, {3, 0}};
  std::vector<ViewPoint> through = curveThrough(fit, false);
  for (ViewPoint p : fit)
    EXPECT_TRUE(std::any_of(through.begin(), through.end(), [&](ViewPoint q) {
      return std::hypot(p.x - q.x, p.y - q.y) < 1e-9;
    })) << p.x;
}

TEST(TextContent, ControlAndFormattingCodesBecomePlainText) {
  EXPECT_EQ(plainText("%%c50 %%d %%p0.1 100%%% %%uunder%%u %%065"),
            "\u230050 \u00b0 \u00b10.1 100% under A");
  struct Case {
    const char* mtext;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"Plain", {"Plain"}},
      {"One\\PTwo", {"One", "Two"}},
      {"{\\fArial|b1;Bold} and {\\H2.5x;\\C1;red}", {"Bold and red"}},
      {"1\\S1^2; in\\~x \\\\ \\{b\\}", {"11/2 in x \\ {b}"}},
      {"\\LUnder\\l\\P\\P", {"Under"}},
      {"40\\U+00B0 and %%c5 \\U+4E2D\\U+zz", {"40\u00b0 and \u23005 \u4e2dU+zz"}},
  };
  for (const Case& c : cases) EXPECT_EQ(mtextLines(c.mtext), c.lines) << c.mtext;
}

}  // namespace
}  // namespace tzad
