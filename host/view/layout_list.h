// The layouts of a drawing in the order of their tabs: the model first, then the paper
// layouts by their tab order.
#pragma once

#include <string>
#include <vector>

#include "tzdb_object_id.h"

class TzDbDatabase;

namespace tzad {

struct LayoutEntry {
  std::u16string name;
  TzDbObjectId layout;       // the LAYOUT object, with the layout's page setup
  TzDbObjectId blockRecord;  // what the layout shows
  bool model = false;
};

// Empty when the drawing's layout dictionary cannot be read.
std::vector<LayoutEntry> layoutsInTabOrder(TzDbDatabase& db);

// The names of the drawing's named views in table order; with paperOnly, only those saved in a
// paper layout. Empty when the view table cannot be read.
std::vector<std::u16string> namedViews(TzDbDatabase& db, bool paperOnly);

}  // namespace tzad
