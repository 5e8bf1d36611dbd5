// The location tree and the browse-drawing dialog, as real windows on a real drawing (the
// location text of each pick is the view page's test).
#include <gtest/gtest.h>

#include <wx/treectrl.h>

#include "location_windows.h"
#include "locations/browse_drawing_dialog.h"
#include "locations/drawing_locations.h"
#include "window_test.h"

using namespace hyperlink;
using namespace tzt;

namespace {

TEST_F(Locations, TreeHasEachSpacesViewsUnderItsLayoutsOrNothing) {
  wxTreeCtrl* tree = newTree();
  EXPECT_TRUE(fillLocationTree(tree, drawingList()));
  EXPECT_EQ(outline(tree), path_ +
                               "\n"
                               "  Model\n    Overview\n    House\n    Garage\n"
                               "  Sheet\n    Title\n"
                               "  Details\n    Title\n");

  // A list that does not start with the drawing's entry leaves a tree empty.
  LocationList list = drawingList();
  for (const LocationList& bad : {LocationList(), LocationList(list.begin() + 1, list.end())}) {
    wxTreeCtrl* empty = newTree();
    EXPECT_FALSE(fillLocationTree(empty, bad));
    EXPECT_EQ(empty->GetCount(), 0u);
  }
  wxTreeCtrl unmade;
  EXPECT_FALSE(fillLocationTree(&unmade, list));
  EXPECT_FALSE(fillLocationTree(nullptr, list));
}

// A library that names the model layout otherwise: its views are still named alone.
TEST_F(Locations, ModelViewsUnderTheLibrarysModelName) {
  useLibrary(TZT_TEST_RESOURCES);
  wxTreeCtrl* tree = newTree();
  fillLocationTree(tree, drawingList());
  wxTreeItemId model = findItem(tree, "模型");
  ASSERT_TRUE(model.IsOk());
  EXPECT_EQ(itemLocation(tree, model, tree->GetRootItem()), u",模型");
  EXPECT_EQ(itemLocation(tree, findItem(tree, "模型", "House"), tree->GetRootItem()), u"House");
}

// Runs the dialog; once it shows, picks the items (layout and view; an empty layout is the
// root) in turn and clicks button.
int runBrowse(CHyplnkBrowerDwgDlg& dialog,
              const std::vector<std::pair<std::string, std::string>>& picks, int button) {
  return runModal(dialog, [&](CTzUiDialog&) {
    wxTreeCtrl* tree = dialog.tree();
    for (auto& [layout, view] : picks)
      tree->SelectItem(layout.empty() ? tree->GetRootItem() : findItem(tree, layout, view));
    click(dialog, button);
  });
}

TEST_F(Locations, BrowseDialogReturnsTheLastPick) {
  struct Case {
    const char* title;
    std::vector<std::pair<std::string, std::string>> picks;
    int button;
    int result;
    const char16_t* picked;
  };
  const Case cases[] = {
      {"a layout, then the root", {{"Sheet", ""}, {"", ""}}, 1, 1, u",Sheet"},
      {"one view under two layouts",
       {{"Sheet", "Title"}, {"Details", "Title"}},
       1,
       1,
       u"Title,Details"},
      {"cancel after a pick", {{"Details", ""}}, 2, 2, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    CHyplnkBrowerDwgDlg dialog;
    ASSERT_TRUE(dialog.loadDrawingFile(u16(path_)));
    EXPECT_EQ(runBrowse(dialog, c.picks, c.button), c.result);
    if (c.picked) {
      EXPECT_EQ(dialog.pickedLocation, c.picked);
    }
  }
}

TEST_F(Locations, BrowseDialogOfAnUnreadableFileShowsNothing) {
  writeFile(s_.dir().file("notes.dwg"), "not a drawing");
  CHyplnkBrowerDwgDlg dialog;
  EXPECT_FALSE(dialog.loadDrawingFile(u16(s_.dir().file("notes.dwg"))));
  EXPECT_TRUE(dialog.locations.empty());
  EXPECT_EQ(runBrowse(dialog, {}, 1), 1);
  EXPECT_EQ(dialog.tree()->GetCount(), 0u);
  EXPECT_EQ(dialog.pickedLocation, u"");
}

// The working drawing, listed by the caller.
TEST_F(Locations, BrowseDialogOfTheWorkingDrawing) {
  tzad::setHostLanguage("en");
  CHyplnkBrowerDwgDlg dialog;
  ASSERT_TRUE(listDrawingLocations(db_, dialog.locations));
  std::string title, tree;
  EXPECT_EQ(runModal(dialog,
                     [&](CTzUiDialog&) {
                       title = dialog.modalWindow()->GetTitle().utf8_string();
                       tree = outline(dialog.tree());
                     }),
            2);
  EXPECT_EQ(tree.substr(0, path_.size() + 9), path_ + "\n  Model\n");
  EXPECT_EQ(title, "Select Place in Document");
}

}  // namespace
