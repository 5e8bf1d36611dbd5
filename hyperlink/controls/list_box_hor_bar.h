// A text list that scrolls horizontally as far as its widest entry reaches, so that long
// paths and web addresses can be scrolled into view. The extent is worked out each time the
// list is shown. A row shows its entry with control and bidirectional characters escaped and
// at most platform::kShownLength characters long; the entry itself is kept as added.
#pragma once

#include <wx/listbox.h>

namespace hyperlink {

class CListBoxHorBar : public wxListBox {
 public:
  // Creates the list where the template keeps a place for control id (an XRC "unknown"
  // object) in dialog; null when the template has no such place.
  static CListBoxHorBar* attach(wxWindow* dialog, int id);
  CListBoxHorBar(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size);

  // Showing the list (also when it is visible already) works the extent out afresh; hiding
  // it keeps the extent.
  bool Show(bool show = true) override;
  // The widest entry as shown plus one average character; the list scrolls that far and no further,
  // also when wider entries were added since.
  void updateHorizontalExtent();
  int horizontalExtent() const { return extent_; }

 private:
  void applyHorizontalExtent();

  int extent_ = 0;
};

}  // namespace hyperlink
