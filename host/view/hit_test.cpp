#include "view/hit_test.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "view/segment_clip.h"

namespace tzad {

namespace {

double distanceToSegment(ViewPoint p, ViewPoint a, ViewPoint b) {
  double dx = b.x - a.x, dy = b.y - a.y;
  double length2 = dx * dx + dy * dy;
  double t =
      length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool insidePolygon(ViewPoint p, const ViewPoint* pts, uint32_t n) {
  bool inside = false;
  for (uint32_t i = 0, j = n - 1; i < n; j = i++) {
    if ((pts[i].y > p.y) != (pts[j].y > p.y) &&
        p.x < (pts[j].x - pts[i].x) * (p.y - pts[i].y) / (pts[j].y - pts[i].y) + pts[i].x)
      inside = !inside;
  }
  return inside;
}

// A filled area counts as hit anywhere inside, its holes not: inside an odd number of the
// area's loops.
double distanceToEntity(const Scene& scene, const SceneEntity& e, ViewPoint p) {
  double best = std::numeric_limits<double>::infinity();
  const ViewPoint* pts = scene.points().data();
  bool insideArea = false;
  for (uint32_t k = e.firstPath; k < e.firstPath + e.pathCount; ++k) {
    const ScenePath& path = scene.paths()[k];
    const ViewPoint* run = pts + path.firstPoint;
    if (path.pointCount == 1) best = std::min(best, std::hypot(p.x - run->x, p.y - run->y));
    for (uint32_t i = 1; i < path.pointCount; ++i)
      best = std::min(best, distanceToSegment(p, run[i - 1], run[i]));
    if (path.closed && path.pointCount > 2)
      best = std::min(best, distanceToSegment(p, run[path.pointCount - 1], run[0]));
    if (!path.filled || path.pointCount <= 2) continue;
    if (!path.joinsPrevious) {
      if (insideArea) return 0;
      insideArea = false;
    }
    if (insidePolygon(p, run, path.pointCount)) insideArea = !insideArea;
  }
  if (insideArea) return 0;
  for (uint32_t k = e.firstText; k < e.firstText + e.textCount; ++k) {
    auto corners = textCorners(scene.texts()[k]);
    if (insidePolygon(p, corners.data(), 4)) return 0;
  }
  return best;
}

bool segmentMeetsBox(ViewPoint a, ViewPoint b, const ViewBox& box) {
  return clipSegment(a, b, box).has_value();
}

bool runMeetsBox(const ViewPoint* run, uint32_t n, bool closed, const ViewBox& box) {
  if (n == 1) return box.contains(ViewBox::of(run[0], run[0]));
  for (uint32_t i = 1; i < n; ++i)
    if (segmentMeetsBox(run[i - 1], run[i], box)) return true;
  return closed && n > 2 && segmentMeetsBox(run[n - 1], run[0], box);
}

bool entityTouches(const Scene& scene, const SceneEntity& e, const ViewBox& box) {
  const ViewPoint* pts = scene.points().data();
  ViewPoint centre{(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2};
  for (uint32_t k = e.firstPath; k < e.firstPath + e.pathCount; ++k) {
    const ScenePath& path = scene.paths()[k];
    const ViewPoint* run = pts + path.firstPoint;
    if (runMeetsBox(run, path.pointCount, path.closed || path.filled, box)) return true;
    if (path.filled && path.pointCount > 2 && insidePolygon(centre, run, path.pointCount))
      return true;
  }
  for (uint32_t k = e.firstText; k < e.firstText + e.textCount; ++k) {
    auto corners = textCorners(scene.texts()[k]);
    if (runMeetsBox(corners.data(), 4, true, box) || insidePolygon(centre, corners.data(), 4))
      return true;
  }
  return false;
}

std::vector<TzDbObjectId> inDrawingOrder(const Scene& scene, std::vector<uint32_t> found) {
  std::sort(found.begin(), found.end());
  std::vector<TzDbObjectId> ids;
  ids.reserve(found.size());
  for (uint32_t i : found) ids.push_back(scene.entities()[i].id);
  return ids;
}

}  // namespace

std::optional<TzDbObjectId> pickEntity(const Scene& scene, const ViewTransform& view,
                                       ViewPoint screen, double tolerancePixels) {
  ViewPoint p = view.toWorld(screen);
  double reach = tolerancePixels / view.scale();
  ViewBox around = ViewBox::of({p.x - reach, p.y - reach}, {p.x + reach, p.y + reach});
  double best = std::numeric_limits<double>::infinity();
  uint32_t bestIndex = 0;
  scene.index().query(around, [&](uint32_t i) {
    if (scene.entities()[i].id.isNull()) return;
    double d = distanceToEntity(scene, scene.entities()[i], p);
    // Of two at the same distance, the one drawn last lies on top.
    if (d < best || (d == best && i > bestIndex)) best = d, bestIndex = i;
  });
  if (!(best <= reach)) return std::nullopt;
  return scene.entities()[bestIndex].id;
}

std::vector<TzDbObjectId> entitiesInside(const Scene& scene, const ViewBox& world) {
  std::vector<uint32_t> found;
  scene.index().query(world, [&](uint32_t i) {
    const SceneEntity& e = scene.entities()[i];
    if (!e.id.isNull() && world.contains(e.box)) found.push_back(i);
  });
  return inDrawingOrder(scene, std::move(found));
}

std::vector<TzDbObjectId> entitiesCrossing(const Scene& scene, const ViewBox& world) {
  std::vector<uint32_t> found;
  scene.index().query(world, [&](uint32_t i) {
    const SceneEntity& e = scene.entities()[i];
    if (e.id.isNull()) return;
    if (world.contains(e.box) || entityTouches(scene, e, world)) found.push_back(i);
  });
  return inDrawingOrder(scene, std::move(found));
}

}  // namespace tzad
