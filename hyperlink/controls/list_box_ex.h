// An owner-drawn list of icons with texts of one or more lines: large icons above centred
// text, or (when the icon size is at most half the standard image width) small icons left
// of the text. The geometry lives in plain functions (icon_list_layout.h).
#pragma once

#include <wx/colour.h>
#include <wx/vlbox.h>

#include <cstdint>
#include <vector>

#include "controls/icon_list_layout.h"
#include "tz_string.h"

class wxImageList;
class wxPaintEvent;

namespace hyperlink {

struct IconListItem {
  int image = -1;  // index into the list's imageList; negative for none
  TzString text;   // at most 128 characters; a line feed starts a new line
  std::uint16_t height = 0;
};

class CListBoxEx : public wxVListBox {
 public:
  // Creates the list where the template keeps a place for control id (an XRC "unknown"
  // object) in dialog; null when the template has no such place.
  static CListBoxEx* attach(wxWindow* dialog, int id);
  CListBoxEx(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size);
  ~CListBoxEx() override;

  // Inserts text at index (-1 appends) with image (negative for none); its position, or -1
  // for an index past the end. The item is as high as itemHeight at the time.
  int addItem(const TzString& text, int index, int image);

  wxImageList* imageList = nullptr;  // not owned
  int iconSize;                      // TwUiGetCtrlDPISize(32) at construction
  int itemHeight;                    // TwUiGetCtrlDPISize(72) at construction
  // The colour that fills the list and every item; RGB(128, 128, 128) at construction.
  void setBackground(const wxColour& colour);

 protected:
  void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override;
  void OnDrawBackground(wxDC& dc, const wxRect& rect, size_t n) const override;
  wxCoord OnMeasureItem(size_t n) const override;
  void RefreshRow(size_t row) override;
  void RefreshRows(size_t from, size_t to) override;

 private:
  void onPaint(wxPaintEvent& event);
  // Draws item n into its row; where its parts went.
  IconListItemDrawing drawItem(wxDC& dc, const wxRect& rect, size_t n) const;
  void drawIcon(wxDC& dc, int image, const wxRect& where) const;

  std::vector<IconListItem> items_;
  wxColour background_;
};

}  // namespace hyperlink
