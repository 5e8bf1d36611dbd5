#include "paint/scene_renderer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <vector>

#include "paint/line_layer.h"
#include "paint/text_painter.h"
#include "view/segment_clip.h"
#include "view/text_content.h"

namespace tzad {

namespace {

// Coordinates beyond this many pixels off the screen are cut before cairo sees them: its
// fixed-point numbers overflow far out when a user zooms deep into a long line.
constexpr double kClipMargin = 64;
// Texts smaller than this many pixels high are drawn as their baseline.
constexpr double kSmallestText = 3;

uint32_t keyOf(ViewColor c) {
  return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
}

void setSource(cairo_t* cr, uint32_t key) {
  cairo_set_source_rgb(cr, double((key >> 16) & 0xFF) / 255, double((key >> 8) & 0xFF) / 255,
                       double(key & 0xFF) / 255);
}

// How a group of primitives is drawn: colour and line width (1, or wider when highlighted).
struct Pen {
  uint32_t color = 0;
  int width = 1;
  auto operator<=>(const Pen&) const = default;
};

// What one pen draws, gathered over all visible entities and drawn in one go: cairo's cost
// is per stroke and fill call far more than per segment.
// A filled polygon; an area with holes holds its loops one after another, each after a
// kLoopBreak.
struct Fill {
  std::vector<ViewPoint> points;
  bool loops = false;
};

constexpr ViewPoint kLoopBreak{std::numeric_limits<double>::quiet_NaN(), 0};

struct Batch {
  std::vector<float> segments;  // x1 y1 x2 y2 ...
  std::vector<float> dots;      // x y ...
  std::vector<Fill> fills;
  std::vector<uint32_t> texts;  // indexes into the scene's texts
};

// One bit per screen pixel: where a dot has been drawn already.
class PixelMask {
 public:
  PixelMask(int width, int height)
      : width_(width), height_(height), bits_(size_t(width) * size_t(height)) {}
  // True the first time a pixel on the screen is claimed.
  bool claim(ViewPoint p) {
    if (!(p.x >= 0 && p.y >= 0 && p.x < width_ && p.y < height_)) return false;
    size_t cell = size_t(p.y) * size_t(width_) + size_t(p.x);
    if (bits_[cell]) return false;
    bits_[cell] = true;
    return true;
  }

 private:
  int width_, height_;
  std::vector<bool> bits_;
};

class Painter {
 public:
  Painter(cairo_t* cr, const Scene& scene, const ViewTransform& view, const RenderOptions& options)
      : cr_(cr),
        scene_(scene),
        view_(view),
        options_(options),
        foreground_(keyOf(foregroundFor(options.background))),
        clip_(ViewBox::of({-kClipMargin, -kClipMargin},
                          {view.screenWidth() + kClipMargin, view.screenHeight() + kClipMargin})),
        plainDots_(view.screenWidth(), view.screenHeight()),
        highlightDots_(view.screenWidth(), view.screenHeight()),
        texts_(cr) {}

  RenderStats paint() {
    paintBackground();
    ViewBox visible = view_.visibleWorld();
    double pixel = 1 / view_.scale();
    visible = ViewBox::of({visible.minX - pixel, visible.minY - pixel},
                          {visible.maxX + pixel, visible.maxY + pixel});
    // Marked first, then gathered in drawing order: entities, paths and points are then read
    // one after another, and what is drawn later lies on top.
    std::vector<uint8_t> shown(scene_.entities().size());
    scene_.index().query(visible, [&](uint32_t i) { shown[i] = 1; });
    for (size_t i = 0; i < shown.size(); ++i)
      if (shown[i]) gather(scene_.entities()[i]);
    drawBatches();
    return stats_;
  }

  void paintOver(const SceneEntity& e) {
    gather(e);
    drawBatches();
  }

 private:
  void drawBatches() {
    bool aliased = stats_.linePixels > options_.antialiasLimit;
    cairo_save(cr_);
    cairo_set_antialias(cr_, aliased ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_DEFAULT);
    for (auto& [pen, batch] : batches_)
      if (pen.width == 1) drawFills(pen, batch);
    if (aliased) {
      // Many lines: set into pixels directly, the whole layer laid on at once.
      LineLayer layer(view_.screenWidth(), view_.screenHeight());
      for (auto& [pen, batch] : batches_)
        if (pen.width == 1) layer.draw(batch.segments, pen.color);
      layer.paintOnto(cr_);
    }
    for (auto& [pen, batch] : batches_) {
      if (pen.width > 1) continue;
      if (!aliased) drawSegments(pen, batch);
      drawDots(pen, batch);
      drawTexts(pen, batch);
    }
    // Highlighted entities come last, so that they lie on top.
    for (auto& [pen, batch] : batches_) {
      if (pen.width == 1) continue;
      drawFills(pen, batch);
      drawSegments(pen, batch);
      drawDots(pen, batch);
      drawTexts(pen, batch);
    }
    cairo_restore(cr_);
  }

  uint32_t resolve(ViewColor c) const { return c.foreground ? foreground_ : keyOf(c); }

  // Neighbouring entities mostly share a pen: the last one is kept at hand.
  Batch& batchOf(Pen pen) {
    if (lastBatch_ == nullptr || pen != lastPen_) {
      lastPen_ = pen;
      lastBatch_ = &batches_[pen];
    }
    return *lastBatch_;
  }

  void paintBackground() {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    setSource(cr_, keyOf(options_.background));
    cairo_rectangle(cr_, 0, 0, view_.screenWidth(), view_.screenHeight());
    cairo_fill(cr_);
    cairo_restore(cr_);
  }

  // The pen of a highlighted entity, or none.
  std::optional<Pen> highlightOf(const SceneEntity& e) const {
    if (!options_.hovered.isNull() && e.id == options_.hovered)
      return Pen{keyOf(options_.highlight), 3};
    if (!options_.selected.empty() && options_.selected.contains(e.id))
      return Pen{keyOf(options_.highlight), 2};
    if (!options_.marked.empty() && options_.marked.contains(e.id))
      return Pen{keyOf(options_.linkHighlight), 2};
    return std::nullopt;
  }

  void gather(const SceneEntity& e) {
    ++stats_.entitiesVisible;
    std::optional<Pen> highlight = highlightOf(e);
    double scale = view_.scale();
    if (e.box.width() * scale < 1 && e.box.height() * scale < 1) return addDot(e, highlight);
    for (uint32_t k = e.firstPath; k < e.firstPath + e.pathCount; ++k) {
      const ScenePath& path = scene_.paths()[k];
      addPath(path, batchOf(highlight.value_or(Pen{resolve(path.color)})));
    }
    for (uint32_t k = e.firstText; k < e.firstText + e.textCount; ++k)
      addText(k, highlight.value_or(Pen{resolve(scene_.texts()[k].color)}));
  }

  // An entity below a pixel is one dot; of several on the same pixel only the first is drawn.
  void addDot(const SceneEntity& e, std::optional<Pen> highlight) {
    ViewPoint p = view_.toScreen({(e.box.minX + e.box.maxX) / 2, (e.box.minY + e.box.maxY) / 2});
    if (!(highlight ? highlightDots_ : plainDots_).claim(p)) return;
    ViewColor color = e.pathCount   ? scene_.paths()[e.firstPath].color
                      : e.textCount ? scene_.texts()[e.firstText].color
                                    : e.color;
    Batch& b = batchOf(highlight.value_or(Pen{resolve(color)}));
    b.dots.insert(b.dots.end(), {float(std::floor(p.x)), float(std::floor(p.y))});
    ++stats_.dotsDrawn;
  }

  // A filled area stays filled when highlighted, in the highlight's colour.
  void addPath(const ScenePath& path, Batch& batch) {
    const ViewPoint* run = scene_.points().data() + path.firstPoint;
    if (path.filled && path.pointCount > 2) {
      // A further loop of the same area goes into its polygon, after a break.
      bool joins = path.joinsPrevious && !batch.fills.empty();
      if (!joins) batch.fills.emplace_back();
      Fill& polygon = batch.fills.back();
      if (joins) {
        polygon.points.push_back(kLoopBreak);
        polygon.loops = true;
      }
      for (uint32_t i = 0; i < path.pointCount; ++i)
        polygon.points.push_back(clamped(view_.toScreen(run[i])));
      return;
    }
    if (path.pointCount == 1) {
      ViewPoint p = view_.toScreen(run[0]);
      if (clip_.contains(ViewBox::of(p, p))) {
        batch.dots.insert(batch.dots.end(), {float(std::floor(p.x)), float(std::floor(p.y))});
        ++stats_.dotsDrawn;
      }
      return;
    }
    // Points closer than half a pixel to the last one drawn are passed over.
    ViewPoint last = view_.toScreen(run[0]);
    uint32_t n = path.pointCount + (path.closed && path.pointCount > 2 ? 1 : 0);
    for (uint32_t i = 1; i < n; ++i) {
      ViewPoint p = view_.toScreen(run[i % path.pointCount]);
      bool end = i + 1 == n;
      if (!end && std::abs(p.x - last.x) < 0.5 && std::abs(p.y - last.y) < 0.5) continue;
      addSegment(batch.segments, last, p);
      last = p;
    }
  }

  static ViewPoint clamped(ViewPoint p) {
    constexpr double kFar = 1 << 20;
    return {std::clamp(p.x, -kFar, kFar), std::clamp(p.y, -kFar, kFar)};
  }

  // Cuts the segment to the area around the screen and keeps what is left.
  void addSegment(std::vector<float>& out, ViewPoint a, ViewPoint b) {
    auto kept = clipSegment(a, b, clip_);
    if (!kept) return;
    auto [t0, t1] = *kept;
    double dx = b.x - a.x, dy = b.y - a.y;
    out.insert(out.end(), {float(a.x + t0 * dx), float(a.y + t0 * dy), float(a.x + t1 * dx),
                           float(a.y + t1 * dy)});
    ++stats_.segmentsDrawn;
    stats_.linePixels += size_t(std::max(std::abs(dx), std::abs(dy)) * (t1 - t0)) + 1;
  }

  void addText(uint32_t k, Pen pen) {
    const SceneText& t = scene_.texts()[k];
    Batch& batch = batchOf(pen);
    if (t.height * view_.scale() >= kSmallestText) {
      batch.texts.push_back(k);
      return;
    }
    // Too small to read: its baseline stands for it.
    double w = estimatedWidth(t.text, t.height, t.widthFactor);
    ViewPoint end{t.position.x + w * std::cos(t.rotation), t.position.y + w * std::sin(t.rotation)};
    addSegment(batch.segments, view_.toScreen(t.position), view_.toScreen(end));
  }

  // Plain polygons are filled together; an area with holes by itself, by the even-odd rule,
  // so that it does not cut holes in what overlaps it.
  void drawFills(Pen pen, const Batch& batch) {
    if (batch.fills.empty()) return;
    setSource(cr_, pen.color);
    for (const Fill& polygon : batch.fills)
      if (!polygon.loops) traceLoops(polygon.points);
    cairo_fill(cr_);
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
    for (const Fill& polygon : batch.fills) {
      if (!polygon.loops) continue;
      traceLoops(polygon.points);
      cairo_fill(cr_);
    }
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
  }

  void traceLoops(const std::vector<ViewPoint>& points) {
    bool start = true;
    for (ViewPoint p : points) {
      if (std::isnan(p.x)) {
        cairo_close_path(cr_);
        start = true;
        continue;
      }
      if (start)
        cairo_move_to(cr_, p.x, p.y);
      else
        cairo_line_to(cr_, p.x, p.y);
      start = false;
    }
    cairo_close_path(cr_);
  }

  void drawSegments(Pen pen, const Batch& batch) {
    const std::vector<float>& s = batch.segments;
    if (s.empty()) return;
    setSource(cr_, pen.color);
    cairo_set_line_width(cr_, pen.width);
    cairo_set_line_cap(cr_, pen.width > 1 ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
    for (size_t i = 0; i + 3 < s.size(); i += 4) {
      cairo_move_to(cr_, s[i], s[i + 1]);
      cairo_line_to(cr_, s[i + 2], s[i + 3]);
    }
    cairo_stroke(cr_);
  }

  void drawDots(Pen pen, const Batch& batch) {
    if (batch.dots.empty()) return;
    setSource(cr_, pen.color);
    int width = pen.width;
    double offset = (width - 1) / 2.0;
    for (size_t i = 0; i + 1 < batch.dots.size(); i += 2)
      cairo_rectangle(cr_, batch.dots[i] - offset, batch.dots[i + 1] - offset, width, width);
    cairo_fill(cr_);
  }

  void drawTexts(Pen pen, const Batch& batch) {
    if (batch.texts.empty()) return;
    setSource(cr_, pen.color);
    for (uint32_t k : batch.texts) {
      const SceneText& t = scene_.texts()[k];
      const double size = t.height * view_.scale() / kCapitalsPerFontSize;
      if (size < 1.0) continue;
      texts_.draw(t, view_.toScreen(t.position), size);
      ++stats_.textsDrawn;
    }
  }

  cairo_t* cr_;
  const Scene& scene_;
  const ViewTransform& view_;
  const RenderOptions& options_;
  uint32_t foreground_;
  ViewBox clip_;
  PixelMask plainDots_;
  PixelMask highlightDots_;
  std::map<Pen, Batch> batches_;  // nodes stay where they are as pens are added
  TextPainter texts_;
  Pen lastPen_;
  Batch* lastBatch_ = nullptr;
  RenderStats stats_;
};

}  // namespace

ViewColor foregroundFor(ViewColor background) {
  double luminance = 0.299 * background.r + 0.587 * background.g + 0.114 * background.b;
  return luminance > 140 ? ViewColor::rgb(0, 0, 0) : ViewColor::rgb(255, 255, 255);
}

RenderStats renderScene(cairo_t* cr, const Scene& scene, const ViewTransform& view,
                        const RenderOptions& options) {
  return Painter(cr, scene, view, options).paint();
}

void renderOver(cairo_t* cr, const Scene& scene, const ViewTransform& view, const SceneEntity& e,
                const RenderOptions& options) {
  Painter(cr, scene, view, options).paintOver(e);
}

}  // namespace tzad
