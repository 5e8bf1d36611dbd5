// The page of this drawing's views: its template and control, by the ids its templates
// (resources/templates/130.*.xrc) give them. The page and its tests name them from here.
#pragma once

namespace hyperlink {

struct DrawingViewPageIds {
  static constexpr unsigned kTemplate = 130;
  static constexpr int kLocationTree = 1067;  // layouts and their named views
};

}  // namespace hyperlink
