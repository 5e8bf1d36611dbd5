// The two list controls in real windows: what a paint of the icon list puts on the screen, and
// how far the text list scrolls sideways (their taking the place a template keeps for them is
// the dialogs' window tests').
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/imaglist.h>

#include <memory>

#include "controls/list_box_ex.h"
#include "controls/list_box_hor_bar.h"
#include "dialog/hyperlink_frame_ids.h"
#include "filepage/file_web_page_ids.h"
#include "tzui.h"
#include "window_test.h"

using namespace hyperlink;

namespace {

const wxColour kColours[] = {{40, 90, 200}, {30, 160, 70}, {210, 120, 20}};

std::unique_ptr<wxImageList> squares(int size) {
  auto images = std::make_unique<wxImageList>(size, size, true, 3);
  for (const wxColour& colour : kColours) {
    wxBitmap bitmap(size, size);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(colour));
    dc.Clear();
    dc.SelectObject(wxNullBitmap);
    images->Add(bitmap);
  }
  return images;
}

// What the screen shows at a point of a window's client area, read from the X server (a
// wxScreenDC may hand back what it read before).
wxColour shownAt(wxWindow* window, int x, int y) {
  const wxPoint at = window->ClientToScreen(wxPoint(x, y));
  GdkPixbuf* pixel = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), at.x, at.y, 1, 1);
  if (pixel == nullptr) return wxNullColour;
  const guchar* rgb = gdk_pixbuf_get_pixels(pixel);
  wxColour colour(rgb[0], rgb[1], rgb[2]);
  g_object_unref(pixel);
  return colour;
}

class ListControls : public ::testing::Test {
 protected:
  void SetUp() override { frame_ = new wxFrame(nullptr, wxID_ANY, "lists"); }
  void TearDown() override {
    frame_->Destroy();
    tzt::settle();
  }
  void show() {
    frame_->Fit();
    frame_->Show();
    tzt::yieldUntil([&] { return frame_->IsShownOnScreen(); });
    tzt::settle();
  }

  wxFrame* frame_ = nullptr;
};

TEST_F(ListControls, IconListShowsItsIconsAndFramesTheSelection) {
  auto* list =
      new CListBoxEx(frame_, HyperlinkFrameIds::kLinkTypeList, wxDefaultPosition, wxSize(100, 240));
  show();
  auto images = squares(32);
  list->imageList = images.get();
  list->addItem(u"Existing file or\nweb page", 0, 0);
  list->addItem(u"View of this\ndrawing", 1, 1);
  list->addItem(u"E-mail address", 2, 2);
  list->SetSelection(1);

  const int width = list->GetClientSize().x, row = list->itemHeight;
  const int d3 = TwUiGetCtrlDPISize(3), d6 = TwUiGetCtrlDPISize(6);
  auto top = [&](int n) { return n * row + (n > 0 ? d6 : 0); };
  const int iconCentre = (width - list->iconSize) / 2 + TwUiGetImageDPICx() / 2;
  const wxColour grey(128, 128, 128);
  // Painted once the selected row's frame shows.
  tzt::yieldUntil([&] { return shownAt(list, 0, top(1) + d3) == *wxBLACK; });
  for (int n = 0; n < 3; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(shownAt(list, iconCentre, top(n) + d3 + TwUiGetImageDPICy() / 2), kColours[n]);
    EXPECT_EQ(shownAt(list, 0, top(n) + d3), n == 1 ? *wxBLACK : grey);  // left edge
  }
  EXPECT_EQ(shownAt(list, width / 2, top(1)), *wxBLACK);  // top edge
}

// The sideways extent is worked out when the list shows: a wider entry added while it shows
// waits for the next showing.
TEST_F(ListControls, TextListScrollsAsFarAsItsWidestEntryWhenShown) {
  auto* list =
      new CListBoxHorBar(frame_, FileWebPageIds::kRecentFiles, wxDefaultPosition, wxSize(160, 150));
  show();
  GtkAdjustment* scroll =
      gtk_scrolled_window_get_hadjustment(GTK_SCROLLED_WINDOW(list->GetHandle()));
  // How far GTK lets the list scroll, once it is `expected` or two seconds have passed: GTK
  // sizes the list in a layout pass of its own after the showing.
  auto range = [&](int expected) {
    tzt::yieldUntil([&] { return gtk_adjustment_get_upper(scroll) == expected; });
    return static_cast<int>(gtk_adjustment_get_upper(scroll));
  };
  list->Append("short.dxf");
  list->Append("/home/user/drawings/site/a-very-long-folder-name/plan_final_v3.dxf");
  list->Show();
  const int first = list->horizontalExtent();
  EXPECT_GT(first, list->GetClientSize().x);
  EXPECT_EQ(range(first), first);

  list->Append("/home/user/drawings/site/a-very-long-folder-name/and-a-longer-one/plan_v4.dxf");
  tzt::settle();
  EXPECT_TRUE(tzt::holdsFor([&] { return gtk_adjustment_get_upper(scroll) == first; }, 300))
      << gtk_adjustment_get_upper(scroll);
  list->Hide();
  list->Show();
  EXPECT_GT(list->horizontalExtent(), first);
  EXPECT_EQ(range(list->horizontalExtent()), list->horizontalExtent());
}

// What a row shows, as its renderer is given it.
std::string shownRow(CListBoxHorBar* list, int row) {
  GtkTreeView* view = GTK_TREE_VIEW(gtk_bin_get_child(GTK_BIN(list->GetHandle())));
  GtkTreeModel* model = gtk_tree_view_get_model(view);
  GtkTreeIter iter;
  if (!gtk_tree_model_iter_nth_child(model, &iter, nullptr, row)) return "(no row)";
  GtkTreeViewColumn* column = gtk_tree_view_get_column(view, 0);
  gtk_tree_view_column_cell_set_cell_data(column, model, &iter, FALSE, FALSE);
  GList* renderers = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(column));
  gchar* text = nullptr;
  g_object_get(renderers->data, "text", &text, nullptr);
  g_list_free(renderers);
  std::string shown = text ? text : "";
  g_free(text);
  return shown;
}

// Entries from other programs: a file name whose right-to-left override makes "gnp.exe" read
// "exe.png", and a page title of two million characters. Rows show them escaped and cut; the
// entries are kept as they came, and the scroll range follows what is shown.
TEST_F(ListControls, TextListRowsShowEntriesEscapedAndCut) {
  auto* list =
      new CListBoxHorBar(frame_, FileWebPageIds::kRecentFiles, wxDefaultPosition, wxSize(160, 150));
  show();
  const wxString spoofed = wxString::FromUTF8("/srv/\u202Egnp.exe");
  const wxString huge(wxUniChar('x'), 2'000'000);
  list->Append(spoofed);
  list->Append(huge);
  list->Show();
  EXPECT_EQ(shownRow(list, 0), "/srv/<U+202E>gnp.exe");
  EXPECT_EQ(shownRow(list, 1), std::string(299, 'x') + "\u2026");
  EXPECT_EQ(list->GetString(0), spoofed);
  EXPECT_EQ(list->GetString(1).length(), 2'000'000u);
  EXPECT_LT(list->horizontalExtent(), list->GetTextExtent(wxString(wxUniChar('x'), 400)).x);
}

}  // namespace
