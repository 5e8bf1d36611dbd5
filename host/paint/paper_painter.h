// Paints a scene onto a page of paper as a plot does: every line as a vector, as wide as its
// line weight, colours as on white paper, texts as text in embedded fonts. Unlike the screen,
// nothing is left out for being small.
#pragma once

#include <cairo.h>

#include "view/layout_page.h"
#include "view/scene.h"

namespace tzad {

struct PaperStyle {
  bool monochrome = false;          // everything black
  double defaultLineWeight = 0.25;  // millimetres, for lines with the default weight
};

// Paints what of the scene falls on the page (its size in points) into `cr`, whose
// coordinates are the page's points from the top left corner.
void paintOnPaper(cairo_t* cr, const Scene& scene, const LayoutPage& page, const PaperStyle& style);

}  // namespace tzad
