#include "view/hatch_boundary.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dxf/dxf_codes.h"
#include "view/curves.h"

namespace tzad {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// Reads the groups in order. Optional groups are taken only when they come next, so a loop
// written without them still reads.
class GroupCursor {
 public:
  explicit GroupCursor(const RecordGroups& groups, size_t from) : g_(groups), i_(from) {}
  bool atEnd() const { return i_ >= g_.size(); }
  int peekCode() const { return atEnd() ? -1 : g_[i_].code; }
  // The next group's value when it has this code (consumed), else the fallback.
  double real(int code, double fallback = 0) {
    if (peekCode() != code) return fallback;
    return realOf(g_[i_++].value, fallback);
  }
  int integer(int code, int fallback = 0) {
    if (peekCode() != code) return fallback;
    return integerOf(g_[i_++].value, fallback);
  }
  ViewPoint point(int xCode) {
    double x = real(xCode);
    return {x, real(dxfYCode(xCode))};
  }
  // Moves to the next group with this code before any group with code `stop`.
  bool seek(int code, int stop) {
    while (!atEnd() && g_[i_].code != code) {
      if (g_[i_].code == stop) return false;
      ++i_;
    }
    return !atEnd();
  }

 private:
  const RecordGroups& g_;
  size_t i_;
};

// An arc or elliptical arc edge: angles in degrees, clockwise ones mirrored.
void appendArcEdge(std::vector<ViewPoint>& loop, GroupCursor& c, bool elliptic) {
  ViewPoint centre = c.point(DxfCode::kCenter);
  ViewPoint major{};
  double radius = 1, ratio = 1;
  if (elliptic) {
    major = c.point(DxfCode::kMajorAxisEndPoint);
    ratio = c.real(DxfCode::kAxisRatio, 1);
  } else {
    radius = c.real(DxfCode::kRadius);
  }
  double start = c.real(DxfCode::kStartAngle) * kDegree;
  double end = c.real(DxfCode::kEndAngle) * kDegree;
  bool counterClockwise = c.integer(DxfCode::kCounterclockwise, 1) != 0;
  double sweep = end - start;
  while (sweep <= 0) sweep += 2 * std::numbers::pi;
  if (sweep > 2 * std::numbers::pi) sweep = 2 * std::numbers::pi;
  // A clockwise edge gives its angles mirrored: it runs from -start back to -end.
  std::vector<ViewPoint> arc;
  if (!elliptic) {
    appendArc(arc, centre, radius, counterClockwise ? start : -start,
              counterClockwise ? sweep : -sweep);
  } else if (counterClockwise) {
    appendEllipse(arc, centre, major, ratio, start, start + sweep);
  } else {
    appendEllipse(arc, centre, major, ratio, -start - sweep, -start);
    std::reverse(arc.begin(), arc.end());
  }
  loop.insert(loop.end(), arc.begin(), arc.end());
}

void appendSplineEdge(std::vector<ViewPoint>& loop, GroupCursor& c) {
  int degree = c.integer(DxfCode::kSplineDegree, 3);
  bool rational = c.integer(DxfCode::kRational) != 0;
  c.integer(DxfCode::kPeriodic);
  int knotCount = c.integer(DxfCode::kKnotCount);
  int controlCount = c.integer(DxfCode::kControlPointCount);
  std::vector<double> knots, weights;
  for (int k = 0; k < knotCount && c.peekCode() == DxfCode::kKnotValue; ++k)
    knots.push_back(c.real(DxfCode::kKnotValue));
  std::vector<ViewPoint> control;
  for (int k = 0; k < controlCount && c.peekCode() == DxfCode::kControlPoint; ++k) {
    control.push_back(c.point(DxfCode::kControlPoint));
    // A rational spline edge gives each control point's weight after it.
    if (rational && c.peekCode() == DxfCode::kEdgeWeight)
      weights.push_back(c.real(DxfCode::kEdgeWeight, 1));
  }
  std::vector<ViewPoint> curve = tessellateSpline(degree, control, knots, weights);
  loop.insert(loop.end(), curve.begin(), curve.end());
}

std::vector<ViewPoint> polylineLoop(GroupCursor& c) {
  bool hasBulge = c.integer(DxfCode::kHasBulge) != 0;
  bool closed = c.integer(DxfCode::kIsClosed, 1) != 0;
  int count = c.integer(DxfCode::kVertexCount);
  std::vector<ViewPoint> vertices;
  std::vector<double> bulges;
  for (int k = 0; k < count && c.peekCode() == DxfCode::kVertex; ++k) {
    vertices.push_back(c.point(DxfCode::kVertex));
    bulges.push_back(hasBulge ? c.real(DxfCode::kBulge) : 0);
  }
  return bulgedPolyline(vertices, bulges, closed);
}

std::vector<ViewPoint> edgeLoop(GroupCursor& c) {
  int edges = c.integer(DxfCode::kEdgeCount);
  std::vector<ViewPoint> loop;
  for (int e = 0; e < edges && c.peekCode() == DxfCode::kEdgeType; ++e) {
    switch (c.integer(DxfCode::kEdgeType)) {
      case kLineEdge: {
        ViewPoint a = c.point(DxfCode::kStartPoint), b = c.point(DxfCode::kEndPoint);
        loop.push_back(a);
        loop.push_back(b);
        break;
      }
      case kCircularArcEdge:
        appendArcEdge(loop, c, false);
        break;
      case kEllipticArcEdge:
        appendArcEdge(loop, c, true);
        break;
      case kSplineEdge:
        appendSplineEdge(loop, c);
        break;
      default:
        return loop;
    }
    // Anything this edge carries beyond what is read (fit points, tangents) is passed over.
    while (!c.atEnd() && c.peekCode() != DxfCode::kEdgeType &&
           c.peekCode() != DxfCode::kSourceObjectCount &&
           c.peekCode() != DxfCode::kBoundaryPathType)
      c.real(c.peekCode());
  }
  return loop;
}

}  // namespace

std::vector<std::vector<ViewPoint>> hatchLoops(const RecordGroups& hatch) {
  std::vector<std::vector<ViewPoint>> loops;
  size_t first = 0;
  while (first < hatch.size() && hatch[first].code != DxfCode::kBoundaryPathCount) ++first;
  if (first == hatch.size()) return loops;
  int count = integerOf(hatch[first].value);
  GroupCursor c(hatch, first + 1);
  for (int l = 0; l < count && c.seek(DxfCode::kBoundaryPathType, DxfCode::kHatchStyle); ++l) {
    int type = c.integer(DxfCode::kBoundaryPathType);
    std::vector<ViewPoint> loop = (type & kBoundaryPolyline) ? polylineLoop(c) : edgeLoop(c);
    if (loop.size() >= 2) loops.push_back(std::move(loop));
  }
  return loops;
}

}  // namespace tzad
