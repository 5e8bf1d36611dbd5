#include "paint/line_layer.h"

#include <cmath>
#include <cstdlib>

namespace tzad {

LineLayer::LineLayer(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) return;
  cairo_surface_flush(surface_);
  data_ = cairo_image_surface_get_data(surface_);
  stride_ = cairo_image_surface_get_stride(surface_);
}

LineLayer::~LineLayer() {
  cairo_surface_destroy(surface_);
}

void LineLayer::draw(const std::vector<float>& segments, uint32_t rgb) {
  if (data_ == nullptr || segments.empty()) return;
  used_ = true;
  uint32_t pixel = 0xFF000000u | rgb;
  for (size_t i = 0; i + 3 < segments.size(); i += 4) {
    // Bresenham between the pixels holding the two ends.
    int x0 = int(std::floor(segments[i])), y0 = int(std::floor(segments[i + 1]));
    int x1 = int(std::floor(segments[i + 2])), y1 = int(std::floor(segments[i + 3]));
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
      set(x0, y0, pixel);
      if (x0 == x1 && y0 == y1) break;
      int twice = 2 * error;
      if (twice >= dy) error += dy, x0 += sx;
      if (twice <= dx) error += dx, y0 += sy;
    }
  }
}

void LineLayer::paintOnto(cairo_t* cr) {
  if (!used_) return;
  cairo_surface_mark_dirty(surface_);
  cairo_save(cr);
  cairo_set_source_surface(cr, surface_, 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace tzad
