// The location tree and the browse-drawing dialog, as real windows on a real drawing.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <functional>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/textctrl.h>
#include <wx/treectrl.h>

#include "location_drawings.h"
#include "locations/browse_drawing_dialog.h"
#include "locations/drawing_locations.h"
#include "model/link_targets.h"
#include "module/module_state.h"
#include "modules/module_loader.h"
#include "test_support.h"
#include "tzdb_database.h"
#include "window_test.h"

using namespace hyperlink;
using namespace tzt;

namespace {

// The item reached from the root by the texts of a layout and, when given, one of its views.
wxTreeItemId findItem(wxTreeCtrl* tree, const std::string& layout, const std::string& view = "") {
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
std::string outline(wxTreeCtrl* tree) {
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

// The two-sheet drawing, read from a temporary folder, as the working drawing; the module's
// resource library loaded as the module loads it.
class Locations : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.file("sheets.dxf");
    writeFile(path_, twoSheetDrawing());
    ASSERT_EQ(db_.readDwgFile(u16(path_)), Tzad::eOk);
    previous_ = tzdbHostApplicationServices()->workingDatabase();
    tzdbHostApplicationServices()->setWorkingDatabase(&db_);
    useLibrary(TZT_HYPERLINK_RESOURCES);
    window_ = new wxFrame(nullptr, wxID_ANY, "test");
  }
  void TearDown() override {
    window_->Destroy();
    wxTheApp->ProcessPendingEvents();
    tzdbHostApplicationServices()->setWorkingDatabase(previous_);
    useLibrary(nullptr);
    setHostLanguage("");
  }
  void useLibrary(const char* path) {
    if (moduleState().resources) dlclose(moduleState().resources);
    moduleState().resources = path ? dlopen(path, RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (path) {
      ASSERT_NE(moduleState().resources, nullptr) << dlerror();
    }
  }
  wxTreeCtrl* newTree() { return new wxTreeCtrl(window_, wxID_ANY); }
  LocationList drawingList() {
    LocationList list;
    EXPECT_TRUE(listDrawingLocations(&db_, list));
    return list;
  }

  TempDir dir_;
  std::string path_;
  TzDbDatabase db_{false, false};
  TzDbDatabase* previous_ = nullptr;
  wxFrame* window_ = nullptr;
};

// --- the tree and location texts -----------------------------------------------------------

TEST_F(Locations, TreeHasEachSpacesViewsUnderItsLayouts) {
  wxTreeCtrl* tree = newTree();
  EXPECT_TRUE(fillLocationTree(tree, drawingList()));
  EXPECT_EQ(outline(tree), path_ +
                               "\n"
                               "  Model\n    Entry\n    Garden\n"
                               "  Layout1\n    Title\n    Legend\n    Notes\n"
                               "  Layout2\n    Title\n    Legend\n    Notes\n");
}

TEST_F(Locations, TreeStaysEmptyWithoutADrawingEntryFirst) {
  LocationList list = drawingList();
  LocationList layoutFirst(list.begin() + 1, list.end());
  for (const LocationList& bad : {LocationList(), layoutFirst}) {
    wxTreeCtrl* tree = newTree();
    EXPECT_FALSE(fillLocationTree(tree, bad));
    EXPECT_EQ(tree->GetCount(), 0u);
  }
  wxTreeCtrl unmade;
  EXPECT_FALSE(fillLocationTree(&unmade, list));
  EXPECT_FALSE(fillLocationTree(nullptr, list));
}

// Each picked item's text, and how HYPERLINKOPEN reads it back.
TEST_F(Locations, ItemTextsReadBackAsThePickedPlace) {
  struct Case {
    const char* layout;
    const char* view;
    const char16_t* location;
    const char16_t* viewReadBack;
    const char16_t* layoutReadBack;
  };
  const Case cases[] = {
      {"Model", "", u",Model", u"", u"Model"},
      {"Layout1", "", u",Layout1", u"", u"Layout1"},
      {"Model", "Garden", u"Garden", u"Garden", u"Model"},
      {"Layout1", "Legend", u"Legend,Layout1", u"Legend", u"Layout1"},
      {"Layout2", "Legend", u"Legend,Layout2", u"Legend", u"Layout2"},
  };
  wxTreeCtrl* tree = newTree();
  fillLocationTree(tree, drawingList());
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.layout) + "/" + c.view);
    wxTreeItemId item = findItem(tree, c.layout, c.view);
    ASSERT_TRUE(item.IsOk());
    TzString location = itemLocation(tree, item, tree->GetRootItem());
    EXPECT_EQ(location, c.location);
    TzString view, layout;
    splitLocation(location, view, layout);
    EXPECT_EQ(view, c.viewReadBack);
    EXPECT_EQ(layout, c.layoutReadBack);
  }
  EXPECT_EQ(itemLocation(tree, tree->GetRootItem(), tree->GetRootItem()), u"");
}

// A library that names the model layout otherwise: its views are still named alone.
TEST_F(Locations, ModelViewsUnderTheLibrarysModelName) {
  useLibrary(TZT_TEST_RESOURCES);
  wxTreeCtrl* tree = newTree();
  fillLocationTree(tree, drawingList());
  wxTreeItemId model = findItem(tree, "模型");
  ASSERT_TRUE(model.IsOk());
  EXPECT_EQ(itemLocation(tree, model, tree->GetRootItem()), u",模型");
  EXPECT_EQ(itemLocation(tree, findItem(tree, "模型", "Entry"), tree->GetRootItem()), u"Entry");
}

// --- the browse-drawing dialog -------------------------------------------------------------

// Runs the dialog; once it shows, picks the items (layout and view; an empty layout is the
// root) in turn and clicks button.
int runBrowse(CHyplnkBrowerDwgDlg& dialog,
              const std::vector<std::pair<std::string, std::string>>& picks, int button) {
  return runModal(dialog, [&](CTzUiDialog&) {
    wxTreeCtrl* tree = dialog.tree();
    for (auto& [layout, view] : picks)
      tree->SelectItem(layout.empty() ? tree->GetRootItem() : findItem(tree, layout, view));
    wxWindow* control = dialog.GetDlgItem(button);
    wxCommandEvent click(wxEVT_BUTTON, button);
    click.SetEventObject(control);
    control->ProcessWindowEvent(click);
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
      {"OK without a pick", {}, 1, 1, u""},
      {"a layout, then the root", {{"Layout1", ""}, {"", ""}}, 1, 1, u",Layout1"},
      {"one view under two layouts",
       {{"Layout1", "Title"}, {"Layout2", "Title"}},
       1,
       1,
       u"Title,Layout2"},
      {"a model view", {{"Model", "Garden"}}, 1, 1, u"Garden"},
      {"cancel after a pick", {{"Layout2", ""}}, 2, 2, nullptr},
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
  writeFile(dir_.file("notes.dwg"), "not a drawing");
  CHyplnkBrowerDwgDlg dialog;
  EXPECT_FALSE(dialog.loadDrawingFile(u16(dir_.file("notes.dwg"))));
  EXPECT_TRUE(dialog.locations.empty());
  EXPECT_EQ(runBrowse(dialog, {}, 1), 1);
  EXPECT_EQ(dialog.tree()->GetCount(), 0u);
  EXPECT_EQ(dialog.pickedLocation, u"");
}

// The working drawing, listed by the caller; the title in each language.
TEST_F(Locations, BrowseDialogOfTheWorkingDrawing) {
  for (const char* language : {"zh", "en"}) {
    setHostLanguage(language);
    CHyplnkBrowerDwgDlg dialog;
    ASSERT_TRUE(listDrawingLocations(&db_, dialog.locations));
    std::string title, tree;
    EXPECT_EQ(runModal(dialog,
                       [&](CTzUiDialog&) {
                         title = dialog.modalWindow()->GetTitle().utf8_string();
                         tree = outline(dialog.tree());
                       }),
              2);
    EXPECT_EQ(tree.substr(0, path_.size() + 9), path_ + "\n  Model\n");
    EXPECT_EQ(title,
              std::string(language) == "zh" ? "选择文档中的位置" : "Select Place in Document");
  }
}

}  // namespace
