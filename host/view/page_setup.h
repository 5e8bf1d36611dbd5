// The sheet a layout is plotted on, from the page setup its LAYOUT object carries: paper size,
// unprintable margins, plot origin and plot scale.
#pragma once

#include <optional>

#include "tzdb_object_id.h"

class TzDbDatabase;

namespace tzad {

constexpr double kPointsPerMillimetre = 72 / 25.4;

struct PaperSetup {
  double width = 0;  // millimetres, as the layout shows the sheet
  double height = 0;
  double left = 0;  // the unprintable margins, millimetres
  double bottom = 0;
  double right = 0;
  double top = 0;
  // Where the layout's origin lies from the printable area's lower left corner, millimetres.
  double originX = 0;
  double originY = 0;
  // Millimetres on paper per drawing unit; 0 when the layout is scaled to fit the paper.
  double millimetresPerUnit = 1;
};

// Nothing when the layout has no page setup (a drawing from before layouts, or one whose
// writer left it out) or names no usable paper.
std::optional<PaperSetup> paperSetupOf(TzDbDatabase& db, TzDbObjectId layout);

}  // namespace tzad
