// A packed R-tree over fixed boxes: built once from all boxes (sorted into nodes by position),
// then asked for the boxes that meet a query box. A redraw or a pick then costs what lies in
// the view, not what the drawing holds.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "view/view_types.h"

namespace tzad {

class SpatialIndex {
 public:
  // Replaces the index with one over these boxes; item i is boxes[i].
  void build(const std::vector<ViewBox>& boxes);
  // Calls `visit` with each item whose box meets `query`, in no particular order.
  void query(const ViewBox& query, const std::function<void(uint32_t)>& visit) const;
  std::vector<uint32_t> query(const ViewBox& query) const;
  size_t size() const { return itemCount_; }

 private:
  static constexpr uint32_t kNodeSize = 16;
  struct Node {
    ViewBox box;
    uint32_t first = 0;  // first child: a node of the level below, or an item at the leaves
    uint32_t count = 0;
  };
  // Levels from the leaves (level 0, over items) up to the single root.
  std::vector<std::vector<Node>> levels_;
  std::vector<uint32_t> items_;     // item numbers in leaf order
  std::vector<ViewBox> itemBoxes_;  // in leaf order
  size_t itemCount_ = 0;
};

}  // namespace tzad
