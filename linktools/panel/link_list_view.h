// The Hyperlinks panel's list: a virtual report list, which asks for the text of the rows it
// draws only, so that a hundred thousand rows cost nothing until they scroll into view.
#pragma once

#include <wx/listctrl.h>

#include <functional>

#include "core/link_table.h"

namespace linktools {

class LinkListView : public wxListCtrl {
 public:
  using CellText = std::function<TzString(long row, LinkColumn column)>;
  LinkListView(wxWindow* parent, CellText cellText);
  // The list holds this many rows now; what they show is asked for again.
  void showRows(size_t count);
  // The column header marks the order.
  void showOrder(LinkOrder order);

 private:
  wxString OnGetItemText(long item, long column) const override;
  CellText cellText_;
};

}  // namespace linktools
