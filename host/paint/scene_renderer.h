// Draws a scene into a cairo context: an image surface offscreen (tests, the benchmark) or a
// window's paint context. Only what the view shows is drawn, looked up through the scene's
// index; what would be smaller than a pixel becomes at most a dot.
#pragma once

#include <cairo.h>

#include <unordered_set>

#include "tzdb_object_id.h"
#include "view/scene.h"
#include "view/view_transform.h"

namespace tzad {

struct RenderOptions {
  ViewColor background = ViewColor::rgb(33, 40, 48);
  std::unordered_set<TzDbObjectId> selected;  // drawn highlighted
  std::unordered_set<TzDbObjectId> marked;    // drawn in linkHighlight (linked objects)
  TzDbObjectId hovered;                       // drawn thicker, when not null
  ViewColor highlight = ViewColor::rgb(255, 170, 0);
  ViewColor linkHighlight = ViewColor::rgb(0, 200, 255);
  // Above this many pixels of visible lines (their lengths added up), lines are drawn without
  // antialiasing, which costs a fraction of it.
  size_t antialiasLimit = 120000;
};

struct RenderStats {
  size_t entitiesVisible = 0;  // entities whose box met the view
  size_t segmentsDrawn = 0;
  size_t linePixels = 0;  // the drawn segments' lengths added up
  size_t dotsDrawn = 0;   // entities below a pixel, drawn as one dot
  size_t textsDrawn = 0;
};

// The foreground colour that stands out against a background: white on dark, black on light.
ViewColor foregroundFor(ViewColor background);
// Paints the whole area of `view` (background first), then the scene.
RenderStats renderScene(cairo_t* cr, const Scene& scene, const ViewTransform& view,
                        const RenderOptions& options = {});
// Paints one entity of the scene over what `cr` shows already, as renderScene would (the
// object under the mouse, highlighted, over an image of the rest): moving the mouse then costs
// one entity, not the whole drawing again.
void renderOver(cairo_t* cr, const Scene& scene, const ViewTransform& view, const SceneEntity& e,
                const RenderOptions& options);

}  // namespace tzad
