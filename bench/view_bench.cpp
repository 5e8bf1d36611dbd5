// The drawing view on a large drawing, offscreen at a window's size: the time from opening
// the file to the first complete paint, and each redraw after a zoom or a pan.
//   view_bench DRAWING WIDTH HEIGHT OUT.png
// Prints "NAME value" lines for run_bench.sh.
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "paint/scene_renderer.h"
#include "tz_string.h"
#include "tzdb_database.h"
#include "view/hit_test.h"
#include "view/scene.h"

using Clock = std::chrono::steady_clock;
using tzad::RenderOptions;
using tzad::ViewTransform;

namespace {

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Redraw times in milliseconds over a walk a user might take: zoom in about points off the
// centre, pan, zoom back out, and Home.
std::vector<double> redrawTimes(cairo_t* cr, const tzad::Scene& scene, ViewTransform view,
                                const RenderOptions& options) {
  std::vector<double> times;
  auto redraw = [&] {
    Clock::time_point start = Clock::now();
    tzad::renderScene(cr, scene, view, options);
    cairo_surface_flush(cairo_get_target(cr));
    times.push_back(secondsSince(start) * 1000);
  };
  // Zooming about a point of the drawing keeps it in view however far the zoom goes.
  const tzad::ViewBox& all = scene.extents();
  tzad::ViewPoint focus{all.minX + 0.3 * all.width(), all.minY + 0.3 * all.height()};
  for (int i = 0; i < 16; ++i) {
    view.zoomAbout(view.toScreen(focus), 1.5);
    redraw();
  }
  for (int i = 0; i < 12; ++i) {
    view.pan(i % 2 ? -97 : 131, i % 3 ? 53 : -71);
    redraw();
  }
  for (int i = 0; i < 16; ++i) {
    view.zoomAbout(view.toScreen(focus), 1 / 1.5);
    redraw();
  }
  view.zoomToBox(scene.extents());
  redraw();
  return times;
}

// 200,000 short lines strewn over the whole view in seven colours, in no order: every one
// visible and several pixels long at the extents, the hardest case for a redraw.
tzad::Scene strewnLines() {
  tzad::Scene scene;
  std::mt19937 random(1);
  std::uniform_real_distribution<double> place(0, 1000), step(-8, 8);
  for (int i = 0; i < 200000; ++i) {
    tzad::ViewColor color = tzad::colorOfIndex(1 + i % 7);
    scene.beginEntity(TzDbObjectId(), color, false);
    double x = place(random), y = place(random) * 0.6;
    scene.addPath({{x, y}, {x + step(random), y + step(random)}}, color);
    scene.endEntity();
  }
  scene.finish();
  return scene;
}

void report(const char* name, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%s_MEDIAN_MS %.2f\n%s_MAX_MS %.2f\n", name, times[times.size() / 2], name,
              times.back());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: view_bench DRAWING WIDTH HEIGHT OUT.png\n");
    return 2;
  }
  int width = std::stoi(argv[2]), height = std::stoi(argv[3]);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(surface);

  Clock::time_point start = Clock::now();
  TzDbDatabase db(false);
  if (db.readDwgFile(tzutFromUtf8(argv[1])) != Tzad::eOk) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  double read = secondsSince(start);
  tzad::Scene scene = tzad::buildCurrentScene(db);
  double built = secondsSince(start);
  ViewTransform view(width, height);
  view.zoomToBox(scene.extents());
  tzad::RenderStats stats = tzad::renderScene(cr, scene, view);
  cairo_surface_flush(surface);
  double painted = secondsSince(start);
  cairo_surface_write_to_png(surface, argv[4]);
  double png = secondsSince(start);

  std::printf("VIEW_ENTITIES %zu\nVIEW_READ %.3f\nVIEW_SCENE %.3f\nVIEW_FIRST_PAINT %.3f\n",
              scene.entities().size(), read, built - read, painted);
  std::printf("VIEW_TO_PNG %.3f\nVIEW_DOTS_AT_EXTENTS %zu\n", png, stats.dotsDrawn);
  report("VIEW_REDRAW", redrawTimes(cr, scene, view, {}));
  RenderOptions linked;
  for (const tzad::SceneEntity& e : scene.entities())
    if (e.linked) linked.marked.insert(e.id);
  report("VIEW_REDRAW_LINKS_HIGHLIGHTED", redrawTimes(cr, scene, view, linked));

  tzad::Scene strewn = strewnLines();
  ViewTransform strewnView(width, height);
  strewnView.zoomToBox(strewn.extents());
  report("VIEW_REDRAW_STREWN", redrawTimes(cr, strewn, strewnView, {}));

  std::vector<double> picks;
  for (int i = 0; i < 50; ++i) {
    Clock::time_point t = Clock::now();
    tzad::pickEntity(scene, view, {width * (i + 0.5) / 50.0, height / 2.0});
    picks.push_back(secondsSince(t) * 1000);
  }
  report("VIEW_PICK", picks);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return 0;
}
