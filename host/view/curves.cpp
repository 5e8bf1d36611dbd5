#include "view/curves.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tzad {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// Segments for a sweep: 72 for a whole turn, at least 2.
int segmentsFor(double sweep) {
  return std::clamp(int(std::ceil(std::abs(sweep) / kTwoPi * 72)), 2, 72);
}

}  // namespace

void appendArc(std::vector<ViewPoint>& out, ViewPoint centre, double radius, double startAngle,
               double sweep) {
  int n = segmentsFor(sweep);
  for (int i = 0; i <= n; ++i) {
    double a = startAngle + sweep * i / n;
    out.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
  }
}

void appendEllipse(std::vector<ViewPoint>& out, ViewPoint centre, ViewPoint majorAxis, double ratio,
                   double startParameter, double endParameter) {
  double sweep = endParameter - startParameter;
  while (sweep <= 0) sweep += kTwoPi;
  if (sweep > kTwoPi) sweep = kTwoPi;
  ViewPoint minor{-majorAxis.y * ratio, majorAxis.x * ratio};
  int n = segmentsFor(sweep);
  for (int i = 0; i <= n; ++i) {
    double t = startParameter + sweep * i / n, c = std::cos(t), s = std::sin(t);
    out.push_back(
        {centre.x + majorAxis.x * c + minor.x * s, centre.y + majorAxis.y * c + minor.y * s});
  }
}

void appendBulge(std::vector<ViewPoint>& out, ViewPoint from, ViewPoint to, double bulge) {
  double chord = std::hypot(to.x - from.x, to.y - from.y);
  if (std::abs(bulge) < 1e-9 || chord == 0) {
    out.push_back(to);
    return;
  }
  double sweep = 4 * std::atan(bulge);
  double radius = chord / (2 * std::sin(std::abs(sweep) / 2));
  // The centre lies on the chord's perpendicular bisector: left of the chord for a
  // counter-clockwise arc (positive bulge) shorter than a half circle.
  double offset = chord * (1 - bulge * bulge) / (4 * bulge);
  double nx = -(to.y - from.y) / chord, ny = (to.x - from.x) / chord;
  ViewPoint centre{(from.x + to.x) / 2 + nx * offset, (from.y + to.y) / 2 + ny * offset};
  double start = std::atan2(from.y - centre.y, from.x - centre.x);
  std::vector<ViewPoint> arc;
  appendArc(arc, centre, radius, start, sweep);
  arc.back() = to;
  out.insert(out.end(), arc.begin() + 1, arc.end());
}

std::vector<ViewPoint> bulgedPolyline(const std::vector<ViewPoint>& vertices,
                                      const std::vector<double>& bulges, bool closed) {
  if (vertices.empty()) return {};
  std::vector<ViewPoint> out{vertices[0]};
  for (size_t i = 1; i < vertices.size(); ++i)
    appendBulge(out, vertices[i - 1], vertices[i], bulges[i - 1]);
  if (closed && vertices.size() >= 2 && bulges.back() != 0) {
    appendBulge(out, vertices.back(), vertices.front(), bulges.back());
    out.pop_back();  // the closing point is the first one again
  }
  return out;
}

std::vector<ViewPoint> tessellateSpline(int degree, const std::vector<ViewPoint>& control,
                                        std::vector<double> knots,
                                        const std::vector<double>& weights) {
  size_t n = control.size();
  if (n < 2) return control;
  degree = std::clamp(degree, 1, int(n) - 1);
  size_t order = size_t(degree) + 1;
  if (knots.size() != n + order) {
    knots.assign(n + order, 0);
    for (size_t i = 0; i < knots.size(); ++i)
      knots[i] = double(std::clamp<long>(long(i) - degree, 0, long(n) - degree));
  }
  bool rational = weights.size() == n;
  double t0 = knots[degree], t1 = knots[n];
  size_t samples = std::clamp<size_t>(n * 8, 16, 2000);
  std::vector<ViewPoint> out;
  out.reserve(samples + 1);
  std::vector<double> dx(order), dy(order), dw(order);
  for (size_t s = 0; s <= samples; ++s) {
    double t = t0 + (t1 - t0) * double(s) / double(samples);
    // The knot span holding t, then de Boor's algorithm in homogeneous coordinates.
    size_t k = size_t(degree);
    while (k + 1 < n && knots[k + 1] <= t) ++k;
    for (size_t j = 0; j < order; ++j) {
      size_t i = k - size_t(degree) + j;
      double w = rational ? weights[i] : 1.0;
      dx[j] = control[i].x * w;
      dy[j] = control[i].y * w;
      dw[j] = w;
    }
    for (size_t r = 1; r <= size_t(degree); ++r) {
      for (size_t j = size_t(degree); j >= r; --j) {
        size_t i = k - size_t(degree) + j;
        double span = knots[i + order - r] - knots[i];
        double a = span > 0 ? (t - knots[i]) / span : 0;
        dx[j] = (1 - a) * dx[j - 1] + a * dx[j];
        dy[j] = (1 - a) * dy[j - 1] + a * dy[j];
        dw[j] = (1 - a) * dw[j - 1] + a * dw[j];
      }
    }
    double w = dw[degree] != 0 ? dw[degree] : 1;
    out.push_back({dx[degree] / w, dy[degree] / w});
  }
  return out;
}

std::vector<ViewPoint> curveThrough(const std::vector<ViewPoint>& points, bool closed) {
  size_t n = points.size();
  if (n < 3) return points;
  auto at = [&](long i) {
    if (closed) return points[size_t((i % long(n) + long(n)) % long(n))];
    return points[size_t(std::clamp(i, 0L, long(n) - 1))];
  };
  constexpr int kSteps = 12;
  std::vector<ViewPoint> out{points[0]};
  long spans = long(n) - (closed ? 0 : 1);
  for (long i = 0; i < spans; ++i) {
    ViewPoint p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
    for (int s = 1; s <= kSteps; ++s) {
      double t = double(s) / kSteps, t2 = t * t, t3 = t2 * t;
      auto blend = [&](double a, double b, double c, double d) {
        return 0.5 * (2 * b + (c - a) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                      (3 * b - a - 3 * c + d) * t3);
      };
      out.push_back({blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)});
    }
  }
  return out;
}

}  // namespace tzad
