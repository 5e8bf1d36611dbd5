// An owner-drawn list of icons with texts of one or more lines: large icons above centred
// text, or (when the icon size is at most half the standard image width) small icons left
// of the text. The geometry lives in plain functions (icon_list_layout.h).
#pragma once

#include <wx/vlbox.h>

#include "tz_string.h"

class wxImageList;

namespace hyperlink {

class CListBoxEx : public wxVListBox {
 public:
  // Creates the list where the template keeps a place for control id (an XRC "unknown"
  // object) in dialog.
  static CListBoxEx* attach(wxWindow* dialog, int id);
  CListBoxEx(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size);
  ~CListBoxEx() override;

  // Inserts text at index (-1 appends) with image (negative for none); its position.
  int addItem(const TzString& text, int index, int image);

  wxImageList* imageList = nullptr;  // not owned
  int iconSize;                      // TwUiGetCtrlDPISize(32) at construction
  int itemHeight;                    // TwUiGetCtrlDPISize(72) at construction
  void setBackground(const wxColour& colour);
};

}  // namespace hyperlink
