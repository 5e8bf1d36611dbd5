#include "view/spatial_index.h"

#include <algorithm>
#include <numeric>

namespace tzad {

namespace {

// The position of a cell along a Hilbert curve over a 65536 x 65536 grid: boxes near each
// other on the curve lie near each other on the plane, so nodes filled in curve order stay
// small.
uint32_t hilbertIndex(uint32_t x, uint32_t y) {
  uint32_t d = 0;
  for (uint32_t s = 1u << 15; s > 0; s >>= 1) {
    uint32_t rx = (x & s) > 0, ry = (y & s) > 0;
    d += s * s * ((3 * rx) ^ ry);
    if (ry == 0) {
      if (rx == 1) x = s - 1 - x, y = s - 1 - y;
      std::swap(x, y);
    }
  }
  return d;
}

}  // namespace

void SpatialIndex::build(const std::vector<ViewBox>& boxes) {
  levels_.clear();
  items_.clear();
  itemBoxes_.clear();
  itemCount_ = boxes.size();
  if (boxes.empty()) return;
  ViewBox all;
  for (const ViewBox& b : boxes) all.add(b);
  double w = std::max(all.width(), 1e-300), h = std::max(all.height(), 1e-300);
  std::vector<uint32_t> keys(boxes.size());
  for (size_t i = 0; i < boxes.size(); ++i) {
    const ViewBox& b = boxes[i];
    double cx = b.empty() ? all.minX : (b.minX + b.maxX) / 2;
    double cy = b.empty() ? all.minY : (b.minY + b.maxY) / 2;
    keys[i] =
        hilbertIndex(uint32_t(65535 * (cx - all.minX) / w), uint32_t(65535 * (cy - all.minY) / h));
  }
  items_.resize(boxes.size());
  std::iota(items_.begin(), items_.end(), 0u);
  std::stable_sort(items_.begin(), items_.end(),
                   [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
  // The boxes in leaf order, so that a query reads them one after another.
  itemBoxes_.clear();
  itemBoxes_.reserve(items_.size());
  for (uint32_t item : items_) itemBoxes_.push_back(boxes[item]);

  // Leaves over items, then each level over the one below, until one node holds all.
  size_t below = items_.size();
  auto boxOfChild = [&](size_t level, uint32_t child) -> const ViewBox& {
    return level == 0 ? itemBoxes_[child] : levels_[level - 1][child].box;
  };
  for (size_t level = 0;; ++level) {
    std::vector<Node> nodes;
    nodes.reserve((below + kNodeSize - 1) / kNodeSize);
    for (size_t first = 0; first < below; first += kNodeSize) {
      Node node;
      node.first = uint32_t(first);
      node.count = uint32_t(std::min<size_t>(kNodeSize, below - first));
      for (uint32_t c = 0; c < node.count; ++c) node.box.add(boxOfChild(level, node.first + c));
      nodes.push_back(node);
    }
    below = nodes.size();
    levels_.push_back(std::move(nodes));
    if (below == 1) break;
  }
}

void SpatialIndex::query(const ViewBox& query, const std::function<void(uint32_t)>& visit) const {
  if (levels_.empty() || query.empty()) return;
  // Depth-first from the root; a stack of (level, node).
  std::vector<std::pair<uint32_t, uint32_t>> stack{{uint32_t(levels_.size() - 1), 0u}};
  while (!stack.empty()) {
    auto [level, index] = stack.back();
    stack.pop_back();
    const Node& node = levels_[level][index];
    if (!node.box.intersects(query)) continue;
    for (uint32_t c = node.first; c < node.first + node.count; ++c) {
      if (level > 0) {
        stack.emplace_back(level - 1, c);
      } else if (itemBoxes_[c].intersects(query)) {
        visit(items_[c]);
      }
    }
  }
}

std::vector<uint32_t> SpatialIndex::query(const ViewBox& box) const {
  std::vector<uint32_t> found;
  query(box, [&](uint32_t item) { found.push_back(item); });
  return found;
}

}  // namespace tzad
