// The view-of-this-drawing page inside the hyperlink dialog, on a real working drawing.
#include <gtest/gtest.h>

#include <wx/textctrl.h>
#include <wx/treectrl.h>

#include "dialog/hyperlink_frame_dialog.h"
#include "location_windows.h"
#include "locations/drawing_view_page.h"

using namespace hyperlink;
using namespace tzt;

namespace {

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
    for (wxWindow* child : frame_->GetChildren())
      if (auto* page = dynamic_cast<CHypLnkDwgViewDlg*>(child)) return page;
    ADD_FAILURE() << "no view page";
    return nullptr;
  }
  bool okEnabled() const { return frame_->GetDlgItem(1)->IsEnabled(); }
  std::string shownText() const {
    return u8(TwUiText(static_cast<wxTextCtrl*>(frame_->GetDlgItem(1043))->GetValue()));
  }
  void expectPublished(const char16_t* location) {
    EXPECT_EQ(frame_->location, location);
    EXPECT_EQ(frame_->address, u"");
    EXPECT_EQ(frame_->textToDisplay, location);
    EXPECT_EQ(shownText(), u8(location));
    EXPECT_EQ(okEnabled(), *location != 0);
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
      {"Sheet", "Title", u"Title,Sheet"},
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

// Editing a link to this drawing: a layout's location selects that layout again; a view's
// location leaves the root selected and the frame as it was.
TEST_F(ViewPage, EditedLocationSelectsItsLayout) {
  frame_->location = u",details";
  frame_->textToDisplay = u"the stored description";
  CHypLnkDwgViewDlg* page = showPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->tree()->GetSelection(), findItem(page->tree(), "Details"));
  expectPublished(u",Details");
}

TEST_F(ViewPage, EditedViewLocationPublishesNothing) {
  frame_->location = u"Title,Details";
  frame_->textToDisplay = u"the stored description";
  CHypLnkDwgViewDlg* page = showPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->tree()->GetSelection(), page->tree()->GetRootItem());
  EXPECT_EQ(frame_->location, u"Title,Details");
  EXPECT_EQ(frame_->textToDisplay, u"the stored description");
}

TEST_F(ViewPage, WithoutAWorkingDrawingTheTreeIsEmpty) {
  tzdbHostApplicationServices()->setWorkingDatabase(nullptr);
  frame_->location = u",Sheet";
  CHypLnkDwgViewDlg* page = showPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->tree()->GetCount(), 0u);
  EXPECT_FALSE(page->selectedItem.IsOk());
  EXPECT_EQ(frame_->location, u",Sheet");
}

}  // namespace
