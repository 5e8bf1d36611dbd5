// Clipping a segment to a box, shared by picking (does a pick window meet a line?) and painting
// (only the part of a line near the screen is handed to cairo).
#pragma once

#include <algorithm>
#include <optional>
#include <utility>

#include "view/view_types.h"

namespace tzad {

// The part of the segment a-b inside `box`, as parameters along it (0 at a, 1 at b), by
// Liang-Barsky clipping; nothing when the segment misses the box.
inline std::optional<std::pair<double, double>> clipSegment(ViewPoint a, ViewPoint b,
                                                            const ViewBox& box) {
  double t0 = 0, t1 = 1, dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - box.minX, box.maxX - a.x, a.y - box.minY, box.maxY - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return std::nullopt;
      continue;
    }
    double r = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, r);
    else
      t1 = std::min(t1, r);
    if (t0 > t1) return std::nullopt;
  }
  return std::pair{t0, t1};
}

}  // namespace tzad
