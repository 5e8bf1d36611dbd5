// What the window tests of the location tree, the view page and the browse-drawing dialog
// share: the sample site plan as the working drawing, and items found by their texts.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/treectrl.h>

#include "locations/drawing_locations.h"
#include "module/module_state.h"
#include "modules/module_loader.h"
#include "session.h"
#include "tzdb_database.h"
#include "tzui_dialog.h"

namespace tzt {

// The item reached from the root by the texts of a layout and, when given, one of its views.
inline wxTreeItemId findItem(wxTreeCtrl* tree, const std::string& layout,
                             const std::string& view = "") {
  auto child = [tree](wxTreeItemId parent, const std::string& text) {
    wxTreeItemIdValue cookie;
    for (wxTreeItemId c = tree->GetFirstChild(parent, cookie); c.IsOk();
         c = tree->GetNextChild(parent, cookie))
      if (u8(TwUiText(tree->GetItemText(c))) == text) return c;
    return wxTreeItemId();
  };
  wxTreeItemId item = child(tree->GetRootItem(), layout);
  return view.empty() || !item.IsOk() ? item : child(item, view);
}

// The tree as text: each item on a line, indented by its depth.
inline std::string outline(wxTreeCtrl* tree) {
  std::string text;
  std::function<void(wxTreeItemId, int)> add = [&](wxTreeItemId item, int depth) {
    text += std::string(2 * depth, ' ') + u8(TwUiText(tree->GetItemText(item))) + "\n";
    wxTreeItemIdValue cookie;
    for (wxTreeItemId c = tree->GetFirstChild(item, cookie); c.IsOk();
         c = tree->GetNextChild(item, cookie))
      add(c, depth + 1);
  };
  if (tree->GetRootItem().IsOk()) add(tree->GetRootItem(), 0);
  return text;
}

// The sample site plan as the working drawing (layouts Model, Sheet and Details; model views
// Overview, House and Garage; the paper view Title); the module's resource library loaded as
// the module loads it.
class Locations : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = s_.openSample()->database();
    path_ = s_.dir().file("plan.dxf");
    useLibrary(TZT_HYPERLINK_RESOURCES);
    window_ = new wxFrame(nullptr, wxID_ANY, "test");
  }
  void TearDown() override {
    window_->Destroy();
    wxTheApp->ProcessPendingEvents();
    useLibrary(nullptr);
    tzad::setHostLanguage("");
  }
  void useLibrary(const char* path) {
    if (hyperlink::moduleState().resources) dlclose(hyperlink::moduleState().resources);
    hyperlink::moduleState().resources = path ? dlopen(path, RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (path) {
      ASSERT_NE(hyperlink::moduleState().resources, nullptr) << dlerror();
    }
  }
  wxTreeCtrl* newTree() { return new wxTreeCtrl(window_, wxID_ANY); }
  hyperlink::LocationList drawingList() {
    hyperlink::LocationList list;
    EXPECT_TRUE(hyperlink::listDrawingLocations(db_, list));
    return list;
  }

  Session s_;
  TzDbDatabase* db_ = nullptr;
  std::string path_;
  wxFrame* window_ = nullptr;
};

}  // namespace tzt
