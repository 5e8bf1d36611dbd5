#include "view/view_transform.h"

#include <algorithm>
#include <cmath>

namespace tzad {

void ViewTransform::resize(int screenWidth, int screenHeight) {
  ViewPoint centre = toWorld({width_ / 2.0, height_ / 2.0});
  width_ = std::max(1, screenWidth);
  height_ = std::max(1, screenHeight);
  left_ = centre.x - width_ / 2.0 / scale_;
  top_ = centre.y + height_ / 2.0 / scale_;
}

void ViewTransform::zoomToBox(const ViewBox& box, double marginFraction) {
  ViewBox shown = box;
  if (shown.empty()) shown = ViewBox::of({-10, -10}, {10, 10});
  // A point or a straight horizontal or vertical line still gets an area to sit in.
  double size = std::max(shown.width(), shown.height());
  double pad = size > 0 ? size * 1e-3 : 1.0;
  if (shown.width() <= 0) shown.minX -= pad, shown.maxX += pad;
  if (shown.height() <= 0) shown.minY -= pad, shown.maxY += pad;
  double usable = std::clamp(1.0 - 2 * marginFraction, 0.05, 1.0);
  scale_ = std::min(width_ * usable / shown.width(), height_ * usable / shown.height());
  double cx = (shown.minX + shown.maxX) / 2, cy = (shown.minY + shown.maxY) / 2;
  left_ = cx - width_ / 2.0 / scale_;
  top_ = cy + height_ / 2.0 / scale_;
}

void ViewTransform::zoomAbout(ViewPoint screen, double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return;
  ViewPoint fixed = toWorld(screen);
  scale_ *= factor;
  left_ = fixed.x - screen.x / scale_;
  top_ = fixed.y + screen.y / scale_;
}

void ViewTransform::pan(double dxPixels, double dyPixels) {
  left_ -= dxPixels / scale_;
  top_ += dyPixels / scale_;
}

ViewBox ViewTransform::visibleWorld() const {
  return ViewBox::of(toWorld({0, 0}), toWorld({double(width_), double(height_)}));
}

}  // namespace tzad
