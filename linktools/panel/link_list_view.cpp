#include "panel/link_list_view.h"

#include <algorithm>
#include <iterator>

#include "panel/wx_text.h"

namespace linktools {

namespace {

// Widths at 96 dpi, in the order of kLinkColumns.
constexpr int kColumnWidths[] = {180, 110, 80, 130, 120, 80, 70};

}  // namespace

LinkListView::LinkListView(wxWindow* parent, CellText cellText)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_HRULES),
      cellText_(std::move(cellText)) {
  SetName("hyperlink list");
  for (size_t i = 0; i < std::size(kLinkColumns); ++i)
    AppendColumn(toWx(columnTitle(kLinkColumns[i])), wxLIST_FORMAT_LEFT, FromDIP(kColumnWidths[i]));
}

void LinkListView::showRows(size_t count) {
  SetItemCount(static_cast<long>(count));
  if (count > 0) RefreshItems(0, static_cast<long>(count) - 1);
  Refresh();
}

void LinkListView::showOrder(LinkOrder order) {
  const LinkColumn* shown =
      order.column ? std::find(std::begin(kLinkColumns), std::end(kLinkColumns), *order.column)
                   : std::end(kLinkColumns);
  if (shown == std::end(kLinkColumns)) return RemoveSortIndicator();
  // The indicator goes on the header where the column stands, not by the column's number.
  ShowSortIndicator(static_cast<int>(shown - std::begin(kLinkColumns)), order.ascending);
}

wxString LinkListView::OnGetItemText(long item, long column) const {
  if (column < 0 || static_cast<size_t>(column) >= std::size(kLinkColumns)) return {};
  return toWx(cellText_(item, kLinkColumns[column]));
}

}  // namespace linktools
