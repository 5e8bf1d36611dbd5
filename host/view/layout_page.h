// Where a layout lands on a page of paper: the page's size and the transformation from the
// layout's coordinates to the page's (points, from the top left corner, y downwards, as cairo
// draws on a PDF page).
#pragma once

#include <optional>

#include "view/layout_list.h"
#include "view/page_setup.h"
#include "view/view_types.h"

namespace tzad {

// A uniform scale and the layout's point at the page's top left corner.
struct PageTransform {
  double scale = 1;  // points per drawing unit
  double left = 0;
  double top = 0;

  ViewPoint toPage(ViewPoint world) const {
    return {(world.x - left) * scale, (top - world.y) * scale};
  }
  ViewPoint toWorld(ViewPoint page) const { return {left + page.x / scale, top - page.y / scale}; }
};

struct LayoutPage {
  double width = 0;  // points
  double height = 0;
  PageTransform transform;
};

// The sheet of a paper layout at its plot scale: the layout's origin at the printable area's
// corner plus the plot origin. A layout scaled to fit is fitted as the model is.
LayoutPage paperPage(const PaperSetup& paper, const ViewBox& extents);
// What the extents hold, as large as fits the printable area and centred in it: on the paper
// the page setup names, else on A3 landscape.
LayoutPage fittedPage(const std::optional<PaperSetup>& paper, const ViewBox& extents);
// The page of a layout whose scene has these extents: a paper layout on its sheet, the model
// (and a layout without a page setup) fitted.
LayoutPage layoutPage(TzDbDatabase& db, const LayoutEntry& layout, const ViewBox& extents);

}  // namespace tzad
