// The location tree, the browse-drawing dialog and the view-of-this-drawing page, as real
// windows on the sample site plan as the working drawing (layouts Model, Sheet and Details;
// model views Overview, House and Garage; the paper view Title).
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/treectrl.h>

#include <functional>

#include "dialog/hyperlink_frame_ids.h"
#include "dialog_test_support.h"
#include "locations/browse_drawing_dialog.h"
#include "locations/drawing_locations.h"
#include "locations/drawing_view_page.h"
#include "tzdb_database.h"

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

class Locations : public HyperlinkDialogTest {
 protected:
  void SetUp() override {
    HyperlinkDialogTest::SetUp();
    db_ = s.openSample()->database();
    path_ = s.dir().file("plan.dxf");
    window_ = new wxFrame(nullptr, wxID_ANY, "test");
  }
  void TearDown() override {
    window_->Destroy();
    wxTheApp->ProcessPendingEvents();
    HyperlinkDialogTest::TearDown();
  }
  wxTreeCtrl* newTree() { return new wxTreeCtrl(window_, wxID_ANY); }
  LocationList drawingList() {
    LocationList list;
    EXPECT_TRUE(listDrawingLocations(db_, list));
    return list;
  }

  TzDbDatabase* db_ = nullptr;
  std::string path_;
  wxFrame* window_ = nullptr;
};

TEST_F(Locations, TreeHasEachSpacesViewsUnderItsLayouts) {
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

  // A library that names the model layout otherwise: its views are still named alone.
  useLibrary(TZT_TEST_RESOURCES);
  tree = newTree();
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

// The dialog hands back the last layout or view picked (the root does not count); a file that
// is no drawing shows nothing.
TEST_F(Locations, BrowseDialogReturnsTheLastPick) {
  CHyplnkBrowerDwgDlg dialog;
  ASSERT_TRUE(dialog.loadDrawingFile(u16(path_)));
  EXPECT_EQ(runBrowse(dialog, {{"Sheet", "Title"}, {"Details", "Title"}, {"", ""}}, 1), 1);
  EXPECT_EQ(dialog.pickedLocation, u"Title,Details");

  writeFile(s.dir().file("notes.dwg"), "not a drawing");
  CHyplnkBrowerDwgDlg unreadable;
  EXPECT_FALSE(unreadable.loadDrawingFile(u16(s.dir().file("notes.dwg"))));
  EXPECT_TRUE(unreadable.locations.empty());
  EXPECT_EQ(runBrowse(unreadable, {}, 1), 1);
  EXPECT_EQ(unreadable.tree()->GetCount(), 0u);
  EXPECT_EQ(unreadable.pickedLocation, u"");
}

class ViewPage : public Locations {
 protected:
  void SetUp() override {
    Locations::SetUp();
    frame_ = new CHyperLinkFrameBaseDlg(window_);
  }
  // Creates the frame's window and shows the view page, as a click on its list entry does.
  CHypLnkDwgViewDlg* showPage() {
    EXPECT_TRUE(frame_->Create(window_));
    frame_->selectPage(1);
    return findChild<CHypLnkDwgViewDlg>(frame_);
  }
  void expectPublished(const char16_t* location) {
    EXPECT_EQ(frame_->location, location);
    EXPECT_EQ(frame_->address, u"");
    EXPECT_EQ(frame_->textToDisplay, location);
    EXPECT_EQ(valueOf(*frame_, HyperlinkFrameIds::kTextToDisplay), u8(location));
    EXPECT_EQ(frame_->GetDlgItem(1)->IsEnabled(), *location != 0);
  }

  CHyperLinkFrameBaseDlg* frame_ = nullptr;  // a child of window_
};

// Opens on the root without touching the link; each pick publishes its location; the root
// after a view empties the link.
TEST_F(ViewPage, OpensOnTheRootAndPublishesEachPick) {
  struct Case {
    const char* layout;  // "": the root
    const char* view;
    const char16_t* location;
  };
  const Case picks[] = {
      {"Model", "House", u"House"},
      {"Details", "Title", u"Title,Details"},
      {"Model", "", u",Model"},
      {"", "", u""},
  };
  frame_->address = u"http://example.com/typed-on-the-file-page";
  frame_->textToDisplay = u"kept";
  CHypLnkDwgViewDlg* page = showPage();
  ASSERT_NE(page, nullptr);
  wxTreeCtrl* tree = page->tree();
  EXPECT_EQ(tree->GetSelection(), tree->GetRootItem());
  EXPECT_TRUE(tree->IsExpanded(tree->GetRootItem()));
  EXPECT_FALSE(tree->IsExpanded(findItem(tree, "Sheet")));
  EXPECT_EQ(frame_->textToDisplay, u"kept");
  EXPECT_EQ(frame_->location, u"");
  for (const Case& c : picks) {
    SCOPED_TRACE(u8(c.location));
    wxTreeItemId item = *c.layout ? findItem(tree, c.layout, c.view) : tree->GetRootItem();
    ASSERT_TRUE(item.IsOk());
    tree->SelectItem(item);
    EXPECT_EQ(page->selectedItem, item);
    expectPublished(c.location);
  }
}

// Editing a link to this drawing: a layout's location selects that layout again.
TEST_F(ViewPage, EditedLocationSelectsItsLayout) {
  frame_->location = u",details";
  frame_->textToDisplay = u"the stored description";
  CHypLnkDwgViewDlg* page = showPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->tree()->GetSelection(), findItem(page->tree(), "Details"));
  expectPublished(u",Details");
}

}  // namespace
