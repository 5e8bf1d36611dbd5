// Where the web browse dialog goes on screens of common sizes (its window test opens it on one).
#include <gtest/gtest.h>

#include "web/window_fit.h"

namespace hyperlink {
std::ostream& operator<<(std::ostream& out, const ScreenRect& r) {
  return out << r.width << " x " << r.height << " at " << r.x << ", " << r.y;
}
}  // namespace hyperlink

using hyperlink::ScreenRect;

namespace {

// The dialog asks for 948 x 795; 40 pixels stay clear around it.
TEST(WindowFit, FitsTheWorkAreaLessTheMargin) {
  struct Case {
    const char* what;
    ScreenRect area;
    int minimumWidth, minimumHeight;
    ScreenRect placed;
  } cases[] = {
      {"1366 x 768 below a panel of 27", {0, 27, 1366, 741}, 948, 400, {209, 67, 948, 661}},
      {"1280 x 720", {0, 0, 1280, 720}, 948, 400, {166, 40, 948, 640}},
      {"room enough, on a second screen", {1366, 0, 1920, 1080}, 948, 400, {1852, 142, 948, 795}},
      {"narrower too", {0, 0, 800, 600}, 500, 400, {40, 40, 720, 520}},
      // Kept at its minimum and at the area's top, never above it.
      {"lower than the minimum", {0, 0, 1024, 600}, 948, 700, {38, 0, 948, 700}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(hyperlink::fitWindowToArea(948, 795, c.minimumWidth, c.minimumHeight, c.area, 40),
              c.placed)
        << c.what;
  }
}

}  // namespace
