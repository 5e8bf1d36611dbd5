#include "view/scene.h"

#include <cmath>
#include <utility>

#include "view/text_content.h"

namespace tzad {

int Scene::entityIndexOf(TzDbObjectId id) const {
  for (size_t i = 0; i < entities_.size(); ++i)
    if (entities_[i].id == id) return int(i);
  return -1;
}

size_t Scene::segmentCount() const {
  size_t count = 0;
  for (const ScenePath& p : paths_)
    if (p.pointCount > 1) count += p.pointCount - (p.closed ? 0 : 1);
  return count;
}

void Scene::beginEntity(TzDbObjectId id, ViewColor color, bool linked) {
  SceneEntity e;
  e.id = id;
  e.color = color;
  e.linked = linked;
  e.firstPath = uint32_t(paths_.size());
  e.firstText = uint32_t(texts_.size());
  entities_.push_back(e);
}

void Scene::addPath(const std::vector<ViewPoint>& points, ViewColor color, bool closed, bool filled,
                    int16_t lineWeight) {
  if (points.empty() || entities_.empty()) return;
  ScenePath p;
  p.firstPoint = uint32_t(points_.size());
  p.pointCount = uint32_t(points.size());
  p.color = color;
  p.closed = closed;
  p.filled = filled;
  p.lineWeight = lineWeight;
  points_.insert(points_.end(), points.begin(), points.end());
  paths_.push_back(p);
  SceneEntity& e = entities_.back();
  ++e.pathCount;
  for (ViewPoint pt : points) e.box.add(pt);
}

void Scene::addArea(const std::vector<std::vector<ViewPoint>>& loops, ViewColor color) {
  bool first = true;
  for (const std::vector<ViewPoint>& loop : loops) {
    if (loop.size() < 3) continue;
    addPath(loop, color, true, true);
    paths_.back().joinsPrevious = !first;
    first = false;
  }
}

std::array<ViewPoint, 4> textCorners(const SceneText& t) {
  double w = estimatedWidth(t.text, t.height, t.widthFactor), h = t.height;
  double c = std::cos(t.rotation), s = std::sin(t.rotation);
  std::array<ViewPoint, 4> corners;
  int k = 0;
  for (auto [u, v] : {std::pair{0.0, 0.0}, {w, 0.0}, {w, h}, {0.0, h}})
    corners[k++] = {t.position.x + u * c - v * s, t.position.y + u * s + v * c};
  return corners;
}

void Scene::addText(SceneText text) {
  if (entities_.empty() || text.text.empty()) return;
  for (ViewPoint corner : textCorners(text)) entities_.back().box.add(corner);
  texts_.push_back(std::move(text));
  ++entities_.back().textCount;
}

void Scene::endEntity() {
  if (entities_.empty()) return;
  const SceneEntity& e = entities_.back();
  // An entity that drew nothing is not part of the scene.
  if (e.pathCount == 0 && e.textCount == 0) entities_.pop_back();
}

void Scene::finish() {
  extents_ = ViewBox();
  std::vector<ViewBox> boxes;
  boxes.reserve(entities_.size());
  for (const SceneEntity& e : entities_) {
    extents_.add(e.box);
    boxes.push_back(e.box);
  }
  index_.build(boxes);
}

}  // namespace tzad
