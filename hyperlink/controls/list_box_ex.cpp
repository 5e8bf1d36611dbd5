#include "controls/list_box_ex.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/imaglist.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include "controls/icon_list_layout.h"
#include "controls/template_placeholder.h"
#include "tzui.h"
#include "tzui_dialog.h"

namespace hyperlink {

namespace {

wxRect toWxRect(const LayoutRect& r) {
  return wxRect(r.left, r.top, r.width(), r.height());
}

void fill(wxDC& dc, const LayoutRect& r, const wxColour& colour) {
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(colour));
  dc.DrawRectangle(toWxRect(r));
}

IconListMetrics displayMetrics() {
  return {TwUiGetCtrlDPISize(1), TwUiGetCtrlDPISize(3), TwUiGetCtrlDPISize(5),
          TwUiGetCtrlDPISize(6), TwUiGetImageDPICx(),   TwUiGetImageDPICy()};
}

}  // namespace

CListBoxEx* CListBoxEx::attach(wxWindow* dialog, int id) {
  wxWindow* placeholder = findTemplatePlaceholder(dialog, id);
  if (placeholder == nullptr) return nullptr;
  auto* list = new CListBoxEx(placeholder->GetParent(), id, placeholder->GetPosition(),
                              placeholder->GetSize());
  replaceTemplatePlaceholder(placeholder, list);
  return list;
}

CListBoxEx::CListBoxEx(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size)
    : wxVListBox(parent, id, pos, size),
      iconSize(TwUiGetCtrlDPISize(32)),
      itemHeight(TwUiGetCtrlDPISize(72)),
      background_(128, 128, 128) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetBackgroundColour(background_);
  Bind(wxEVT_PAINT, &CListBoxEx::onPaint, this);
  // The focus marker comes and goes with the keyboard focus.
  auto repaint = [this](wxFocusEvent& event) {
    Refresh();
    event.Skip();
  };
  Bind(wxEVT_SET_FOCUS, repaint);
  Bind(wxEVT_KILL_FOCUS, repaint);
}

CListBoxEx::~CListBoxEx() = default;

int CListBoxEx::addItem(const TzString& text, int index, int image) {
  const int count = static_cast<int>(items_.size());
  if (index > count) return -1;
  const int position = index < 0 ? count : index;
  items_.insert(items_.begin() + position, IconListItem{image, iconListItemText(text),
                                                        static_cast<std::uint16_t>(itemHeight)});
  SetItemCount(items_.size());
  return position;
}

void CListBoxEx::setBackground(const wxColour& colour) {
  background_ = colour;
  SetBackgroundColour(colour);
  Refresh();
}

wxCoord CListBoxEx::OnMeasureItem(size_t n) const {
  return items_[n].height;
}

// Each item fills its own background in OnDrawItem, from its own top, so that it leaves the
// frame that the item above may draw below that item's row.
void CListBoxEx::OnDrawBackground(wxDC&, const wxRect&, size_t) const {}

void CListBoxEx::OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const {
  drawItem(dc, rect, n);
}

IconListItemDrawing CListBoxEx::drawItem(wxDC& dc, const wxRect& rect, size_t n) const {
  const IconListItem& item = items_[n];
  const bool hasImage =
      imageList != nullptr && item.image >= 0 && item.image < imageList->GetImageCount();
  dc.SetFont(GetFont());
  dc.SetTextForeground(GetForegroundColour());
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  // A run is measured on one line: a line feed inside it has no width of its own.
  auto measure = [&dc](std::u16string_view run) {
    wxString text = TwUiString(TzString(run));
    text.Replace("\n", "");
    wxSize size = dc.GetTextExtent(text);
    return LayoutSize{size.x, size.y};
  };
  const LayoutRect row{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
  IconListItemDrawing d = layoutIconListItem({row, n, hasImage, IsSelected(n), item.text}, iconSize,
                                             displayMetrics(), measure);
  fill(dc, d.background, background_);
  if (d.drawIcon) drawIcon(dc, item.image, toWxRect(d.icon));
  if (d.drawFrame) {
    FrameEdges edges = sunkenFrameEdges(d.frame);
    const wxColour light = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT);
    fill(dc, edges.top, *wxBLACK);
    fill(dc, edges.left, *wxBLACK);
    fill(dc, edges.bottom, light);
    fill(dc, edges.right, light);
  }
  if (!d.drawText || d.text.width() <= 0 || d.text.height() <= 0) return d;
  const wxRect textRect = toWxRect(d.text);
  wxDCClipper clip(dc, textRect);
  dc.DrawLabel(TwUiString(item.text), textRect,
               wxALIGN_TOP | (d.centredText ? wxALIGN_CENTRE_HORIZONTAL : wxALIGN_LEFT));
  return d;
}

void CListBoxEx::drawIcon(wxDC& dc, int image, const wxRect& where) const {
  wxBitmap bitmap = imageList->GetBitmap(image);
  if (!bitmap.IsOk()) return;
  if (bitmap.GetSize() != where.GetSize())
    bitmap =
        wxBitmap(bitmap.ConvertToImage().Scale(where.width, where.height, wxIMAGE_QUALITY_HIGH));
  dc.DrawBitmap(bitmap, where.GetPosition(), true);
}

// Rows are drawn top to bottom without clipping each to its row: a large item's frame may
// reach below its row, and the next item, drawn lower by d6, leaves it in place.
void CListBoxEx::onPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(background_));
  dc.Clear();
  wxRect row(0, 0, GetClientSize().x, 0);
  for (size_t n = GetVisibleRowsBegin(); n < GetVisibleRowsEnd(); ++n) {
    row.height = OnGetRowHeight(n);
    IconListItemDrawing d = drawItem(dc, row, n);
    // The selection frame alone does not tell that the keys go to this list.
    if (HasFocus() && IsCurrent(n))
      wxRendererNative::Get().DrawFocusRect(this, dc, toWxRect(d.focus));
    row.y += row.height;
  }
}

// Since an item draws beyond its row, a change of one item repaints them all.
void CListBoxEx::RefreshRow(size_t) {
  Refresh();
}

void CListBoxEx::RefreshRows(size_t, size_t) {
  Refresh();
}

}  // namespace hyperlink
