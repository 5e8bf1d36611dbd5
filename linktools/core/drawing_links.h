// Every hyperlink of a drawing, one per linked object, from model space and every layout: what
// the Hyperlinks panel lists, HYPERLINKCHECK checks and tzlinks prints.
#pragma once

#include <vector>

#include "tz_string.h"
#include "tzdb_object_id.h"

class TzDbDatabase;

namespace linktools {

struct DrawingLink {
  TzDbObjectId id;
  TzString handle;  // as DXF writes it: upper-case hexadecimal ("9A")
  // The object's first hyperlink: the one other DXF programs read, and the one a user edits.
  TzString address;
  TzString location;
  TzString description;
  TzString objectType;  // the DXF type ("LWPOLYLINE")
  TzString layer;
  TzString layout;    // "Model", or the paper layout's name
  bool area = false;  // the rectangle of an area hyperlink (on URLLAYER)
};

// The linked objects in drawing order: model space first, then each layout's.
std::vector<DrawingLink> listDrawingLinks(TzDbDatabase& db);

// An address and named location as one text, the way the dialog's address box takes them:
// "other.dxf#House,Sheet", "#Garage" for a place in this drawing.
TzString addressWithLocation(const TzString& address, const TzString& location);

}  // namespace linktools
