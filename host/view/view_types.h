// Plain geometry and colour values the drawing view works with: points and boxes in world
// (drawing) or screen coordinates, and colours already resolved to red, green and blue.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tzad {

struct ViewPoint {
  double x = 0;
  double y = 0;
};

// An axis-aligned box; empty until a point is added.
struct ViewBox {
  double minX = std::numeric_limits<double>::infinity();
  double minY = std::numeric_limits<double>::infinity();
  double maxX = -std::numeric_limits<double>::infinity();
  double maxY = -std::numeric_limits<double>::infinity();

  bool empty() const { return minX > maxX || minY > maxY; }
  double width() const { return empty() ? 0 : maxX - minX; }
  double height() const { return empty() ? 0 : maxY - minY; }
  void add(ViewPoint p) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
  }
  void add(const ViewBox& b) {
    if (b.empty()) return;
    add(ViewPoint{b.minX, b.minY});
    add(ViewPoint{b.maxX, b.maxY});
  }
  bool intersects(const ViewBox& b) const {
    return minX <= b.maxX && b.minX <= maxX && minY <= b.maxY && b.minY <= maxY;
  }
  bool contains(const ViewBox& b) const {
    return minX <= b.minX && b.maxX <= maxX && minY <= b.minY && b.maxY <= maxY;
  }
  // The box of two corners given in any order (a rubber band dragged either way).
  static ViewBox of(ViewPoint a, ViewPoint b) {
    ViewBox box;
    box.add(a);
    box.add(b);
    return box;
  }
};

// A colour resolved from the drawing: red, green and blue, or the foreground colour (index 7,
// drawn white on a dark background and black on a light one).
struct ViewColor {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool foreground = true;

  static ViewColor rgb(uint8_t r, uint8_t g, uint8_t b) { return {r, g, b, false}; }
  static ViewColor contrast() { return {}; }
  bool operator==(const ViewColor&) const = default;
};

// The red, green and blue of an AutoCAD colour index (1..255); index 7 and anything out of
// range give the foreground colour.
ViewColor colorOfIndex(int index);

}  // namespace tzad
