// The browse-drawing dialog's template and controls, by the ids its templates
// (resources/templates/132.*.xrc) give them. The dialog and its tests name them from here.
#pragma once

namespace hyperlink {

struct BrowseDrawingIds {
  static constexpr unsigned kTemplate = 132;
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;
  static constexpr int kLocationTree = 1068;  // the drawing's layouts and named views
};

}  // namespace hyperlink
