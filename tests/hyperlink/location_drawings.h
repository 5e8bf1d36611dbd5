// Hand-written R2007 drawings (UTF-8 names) with chosen layouts and named views, in the order
// given, for the tests of the location lists, the view page and the browse-drawing dialog.
#pragma once

#include <string>
#include <vector>

namespace tzt {

struct DrawingLayout {
  std::string name;
  bool model = false;  // on the model space block record, else on a paper space one
};
struct DrawingView {
  std::string name;
  bool paper = false;  // defined in paper space
};

// The DXF text of a drawing with these layouts (dictionary order) and views (table order).
std::string locationDrawing(const std::vector<DrawingLayout>& layouts,
                            const std::vector<DrawingView>& views);

// Model, Layout1, Layout2; model views Entry and Garden; paper views Title, Legend, Notes,
// interleaved with the model views in the view table.
std::string twoSheetDrawing();

}  // namespace tzt
