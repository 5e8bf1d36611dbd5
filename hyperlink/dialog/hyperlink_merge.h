// The one hyperlink that the dialog shows for several objects: each text as the first object
// has it, or empty where another linked object differs.
#pragma once

#include <cstdint>

#include "model/hyperlink_data.h"
#include "tz_array.h"
#include "tzdb_object_id.h"

namespace hyperlink {

struct MergedHyperlink {
  HyperlinkData record;
  uint32_t linkedCount = 0;  // objects whose hyperlink could be read
};

// Starts from `start`; the first object, when it carries a hyperlink, gives the whole record;
// every later linked object empties the texts it disagrees with (letter case ignored). With
// laterFlagsOfOne, a later object whose flags are 1 makes the merged flags 1.
MergedHyperlink mergeHyperlinks(const TzArray<TzDbObjectId>& ids, const HyperlinkData& start,
                                bool laterFlagsOfOne);

}  // namespace hyperlink
