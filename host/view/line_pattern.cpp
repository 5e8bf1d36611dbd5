#include "view/line_pattern.h"

#include <cmath>

namespace tzad {

namespace {

// More repetitions than this along one run and the dashes are too fine to tell from a line.
constexpr double kMaxRepetitions = 2000;

double distance(ViewPoint a, ViewPoint b) {
  return std::hypot(b.x - a.x, b.y - a.y);
}

ViewPoint along(ViewPoint a, ViewPoint b, double t) {
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

}  // namespace

std::optional<std::vector<std::vector<ViewPoint>>> dashRun(const std::vector<ViewPoint>& run,
                                                           bool closed, const LinePattern& pattern,
                                                           double scale) {
  std::vector<ViewPoint> corners = run;
  if (closed && run.size() > 2) corners.push_back(run.front());
  double total = 0;
  for (size_t i = 1; i < corners.size(); ++i) total += distance(corners[i - 1], corners[i]);
  double repetition = pattern.length * scale;
  if (pattern.elements.empty() || !(repetition > 0) || !std::isfinite(total) ||
      total / repetition > kMaxRepetitions)
    return std::nullopt;

  std::vector<std::vector<ViewPoint>> pieces;
  size_t element = 0;
  double left = 0;  // of the current element
  bool down = false;
  auto begin = [&](size_t k, ViewPoint at) {
    element = k;
    left = std::abs(pattern.elements[k]) * scale;
    down = pattern.elements[k] >= 0;
    if (down) pieces.push_back({at});
  };
  // A dash's piece follows the run; a dot's stays one point.
  auto draws = [&] { return down && pattern.elements[element] > 0; };
  begin(0, corners.front());
  for (size_t i = 1; i < corners.size(); ++i) {
    ViewPoint a = corners[i - 1], b = corners[i];
    double length = distance(a, b), at = 0;
    while (length - at > left) {
      at += left;
      ViewPoint p = along(a, b, at / length);
      if (draws()) pieces.back().push_back(p);
      begin((element + 1) % pattern.elements.size(), p);
    }
    left -= length - at;
    if (draws()) pieces.back().push_back(b);
  }
  return pieces;
}

}  // namespace tzad
