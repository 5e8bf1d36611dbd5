// One-pixel lines without antialiasing, set straight into an image's pixels and then laid over
// a cairo context in one paint. When a view shows hundreds of thousands of short lines,
// cairo's stroker costs several times what the lines' pixels do.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tzad {

class LineLayer {
 public:
  LineLayer(int width, int height);
  ~LineLayer();
  LineLayer(const LineLayer&) = delete;
  LineLayer& operator=(const LineLayer&) = delete;

  // Draws segments given as x1 y1 x2 y2 ... in pixels (a pixel's square holds coordinates
  // from its corner up to the next) in an opaque colour 0xRRGGBB.
  void draw(const std::vector<float>& segments, uint32_t rgb);
  // Lays what was drawn over the context's target; nothing when nothing was drawn.
  void paintOnto(cairo_t* cr);

 private:
  void set(int x, int y, uint32_t pixel) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) row(y)[x] = pixel;
  }
  uint32_t* row(int y) { return reinterpret_cast<uint32_t*>(data_ + std::ptrdiff_t(y) * stride_); }
  int width_, height_;
  cairo_surface_t* surface_;
  unsigned char* data_ = nullptr;
  int stride_ = 0;
  bool used_ = false;
};

}  // namespace tzad
