// The places a hyperlink can point at inside a drawing (its layouts and named views), the
// tree built from them, and the location text that names one of them in a hyperlink.
#pragma once

#include <cstdint>
#include <vector>

#include "tz_string.h"

class TzDbDatabase;
// The listing is plain code of the module's core; only the tree functions need the toolkit,
// and their callers include it.
class wxTreeCtrl;
class wxTreeItemId;

namespace hyperlink {

struct LocationEntry {
  TzString name;        // the drawing's file name, a layout's shown name or a view's name
  bool isView = false;  // a named view
  int32_t space = 0;    // 0 the drawing entry, 1 model space, 2 paper space
};
using LocationList = std::vector<LocationEntry>;

// The name under which the model layout is shown (resource string 804, "Model").
TzString modelLayoutName();
// Appends the drawing entry, the layouts and the named views of an open database, in the
// host's order. False without a database, or when the layout dictionary cannot be walked.
bool listDrawingLocations(TzDbDatabase* database, LocationList& list);
// Reads the drawing file at path into a database of its own, lists it and discards it.
bool listFileLocations(const TzString& path, LocationList& list);
// Adds the tree of a list (drawing, its layouts, each layout's views) to an empty tree.
bool fillLocationTree(wxTreeCtrl* tree, LocationList list);
// The location text of an item other than the root.
TzString itemLocation(wxTreeCtrl* tree, wxTreeItemId item, wxTreeItemId rootItem);
// "," followed by text, or empty for an empty text.
TzString commaPrefixed(const TzString& text);

}  // namespace hyperlink
