#include "paint/paper_painter.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "paint/text_painter.h"
#include "view/segment_clip.h"

namespace tzad {

namespace {

// The thinnest line a plot draws (weight 0), millimetres: cairo draws no line of no width.
constexpr double kThinnestLine = 0.05;
// Points this far off the page (in points) are cut before cairo sees them: its fixed-point
// numbers overflow far out.
constexpr double kFarOff = 100000;
// Cairo works out what a stroke covers before it writes it: in strokes of this many runs that
// work stays small.
constexpr size_t kRunsPerStroke = 20000;

struct Pen {
  uint32_t color = 0;  // 0xRRGGBB
  int16_t weight = 0;  // hundredths of a millimetre
  auto operator<=>(const Pen&) const = default;
};

// What one pen draws, in drawing order: cairo's cost is per stroke and fill call far more than
// per segment, so each pen's lines go into one stroke.
struct Batch {
  std::vector<uint32_t> lines;  // scene paths
  std::vector<uint32_t> fills;  // scene paths; a further loop of an area follows its first
  std::vector<uint32_t> texts;  // scene texts
};

class PaperPainter {
 public:
  PaperPainter(cairo_t* cr, const Scene& scene, const LayoutPage& page, const PaperStyle& style)
      : cr_(cr),
        scene_(scene),
        page_(page),
        style_(style),
        pageBox_(ViewBox::of({-kFarOff, -kFarOff}, {page.width + kFarOff, page.height + kFarOff})),
        texts_(cr) {}

  void paint() {
    gather();
    cairo_save(cr_);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    // Fills lie under lines, texts over both, as in the view.
    for (const auto& [pen, batch] : batches_) drawFills(pen, batch);
    for (const auto& [pen, batch] : batches_) drawLines(pen, batch);
    for (const auto& [pen, batch] : batches_) drawTexts(pen, batch);
    cairo_restore(cr_);
  }

 private:
  // The entities that meet the page, in drawing order.
  void gather() {
    ViewPoint a = page_.transform.toWorld({0, 0});
    ViewPoint b = page_.transform.toWorld({page_.width, page_.height});
    std::vector<uint8_t> shown(scene_.entities().size());
    scene_.index().query(ViewBox::of(a, b), [&](uint32_t i) { shown[i] = 1; });
    for (size_t i = 0; i < shown.size(); ++i)
      if (shown[i]) gather(scene_.entities()[i]);
  }

  void gather(const SceneEntity& e) {
    for (uint32_t k = e.firstPath; k < e.firstPath + e.pathCount; ++k) {
      const ScenePath& path = scene_.paths()[k];
      Batch& batch = batches_[Pen{inkOf(path.color), path.filled ? int16_t(0) : path.lineWeight}];
      (path.filled && path.pointCount > 2 ? batch.fills : batch.lines).push_back(k);
    }
    for (uint32_t k = e.firstText; k < e.firstText + e.textCount; ++k)
      batches_[Pen{inkOf(scene_.texts()[k].color), 0}].texts.push_back(k);
  }

  // Colour 7 and whatever is drawn in the foreground colour print black on white paper.
  uint32_t inkOf(ViewColor c) const {
    if (style_.monochrome || c.foreground) return 0;
    return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
  }

  void setSource(uint32_t rgb) {
    cairo_set_source_rgb(cr_, double((rgb >> 16) & 0xFF) / 255, double((rgb >> 8) & 0xFF) / 255,
                         double(rgb & 0xFF) / 255);
  }

  double widthOf(int16_t weight) const {
    double millimetres = weight < 0 ? style_.defaultLineWeight : weight / 100.0;
    return std::max(millimetres, kThinnestLine) * kPointsPerMillimetre;
  }

  ViewPoint onPage(const ViewPoint& world) const { return page_.transform.toPage(world); }

  bool nearPage(ViewPoint p) const {
    return p.x >= pageBox_.minX && p.x <= pageBox_.maxX && p.y >= pageBox_.minY &&
           p.y <= pageBox_.maxY;
  }

  // Plain polygons are filled together; an area with holes by itself, by the even-odd rule,
  // so that it does not cut holes in what overlaps it.
  void drawFills(Pen pen, const Batch& batch) {
    if (batch.fills.empty()) return;
    setSource(pen.color);
    forEachArea(batch.fills, [&](size_t first, size_t end) {
      if (end - first == 1) tracePolygon(scene_.paths()[batch.fills[first]]);
    });
    cairo_fill(cr_);
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
    forEachArea(batch.fills, [&](size_t first, size_t end) {
      if (end - first == 1) return;
      for (size_t k = first; k < end; ++k) tracePolygon(scene_.paths()[batch.fills[k]]);
      cairo_fill(cr_);
    });
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
  }

  // Calls visit(first, end) for each area: a filled path and the further loops that follow it.
  template <typename Visit>
  void forEachArea(const std::vector<uint32_t>& fills, Visit visit) const {
    for (size_t first = 0; first < fills.size();) {
      size_t end = first + 1;
      while (end < fills.size() && scene_.paths()[fills[end]].joinsPrevious) ++end;
      visit(first, end);
      first = end;
    }
  }

  void tracePolygon(const ScenePath& path) {
    const ViewPoint* run = scene_.points().data() + path.firstPoint;
    for (uint32_t i = 0; i < path.pointCount; ++i) {
      ViewPoint p = clamped(onPage(run[i]));
      if (i == 0)
        cairo_move_to(cr_, p.x, p.y);
      else
        cairo_line_to(cr_, p.x, p.y);
    }
    cairo_close_path(cr_);
  }

  ViewPoint clamped(ViewPoint p) const {
    return {std::clamp(p.x, pageBox_.minX, pageBox_.maxX),
            std::clamp(p.y, pageBox_.minY, pageBox_.maxY)};
  }

  void drawLines(Pen pen, const Batch& batch) {
    if (batch.lines.empty()) return;
    setSource(pen.color);
    cairo_set_line_width(cr_, widthOf(pen.weight));
    size_t traced = 0;
    for (uint32_t k : batch.lines) {
      traceRun(scene_.paths()[k]);
      if (++traced % kRunsPerStroke == 0) cairo_stroke(cr_);
    }
    cairo_stroke(cr_);
  }

  // A run near the page goes to cairo whole; one that reaches far off it, a segment at a time
  // cut to the area around the page. A single point is a dot: a line of no length, which the
  // round cap makes round.
  void traceRun(const ScenePath& path) {
    const ViewPoint* run = scene_.points().data() + path.firstPoint;
    uint32_t n = path.pointCount;
    std::vector<ViewPoint>& points = runPoints_;
    points.clear();
    bool near = true;
    for (uint32_t i = 0; i < n; ++i) {
      points.push_back(onPage(run[i]));
      near = near && nearPage(points.back());
    }
    if (!near) return traceCut(points, path.closed);
    cairo_move_to(cr_, points[0].x, points[0].y);
    if (n == 1) cairo_line_to(cr_, points[0].x, points[0].y);
    for (uint32_t i = 1; i < n; ++i) cairo_line_to(cr_, points[i].x, points[i].y);
    if (path.closed && n > 2) cairo_close_path(cr_);
  }

  void traceCut(const std::vector<ViewPoint>& points, bool closed) {
    size_t n = points.size(), segments = closed && n > 2 ? n : n - 1;
    for (size_t i = 0; i < segments; ++i) {
      ViewPoint a = points[i], b = points[(i + 1) % n];
      auto kept = clipSegment(a, b, pageBox_);
      if (!kept) continue;
      auto [t0, t1] = *kept;
      cairo_move_to(cr_, a.x + t0 * (b.x - a.x), a.y + t0 * (b.y - a.y));
      cairo_line_to(cr_, a.x + t1 * (b.x - a.x), a.y + t1 * (b.y - a.y));
    }
  }

  void drawTexts(Pen pen, const Batch& batch) {
    if (batch.texts.empty()) return;
    setSource(pen.color);
    for (uint32_t k : batch.texts) {
      const SceneText& t = scene_.texts()[k];
      ViewPoint at = onPage(t.position);
      double size = t.height * page_.transform.scale / kCapitalsPerFontSize;
      if (!nearPage(at) || !(size > 0) || size > kFarOff) continue;
      texts_.draw(t, at, size);
    }
  }

  cairo_t* cr_;
  const Scene& scene_;
  const LayoutPage& page_;
  const PaperStyle& style_;
  ViewBox pageBox_;
  TextPainter texts_;
  std::map<Pen, Batch> batches_;
  std::vector<ViewPoint> runPoints_;
};

}  // namespace

void paintOnPaper(cairo_t* cr, const Scene& scene, const LayoutPage& page,
                  const PaperStyle& style) {
  PaperPainter(cr, scene, page, style).paint();
}

}  // namespace tzad
