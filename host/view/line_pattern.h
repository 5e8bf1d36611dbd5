// Line types: the dash patterns of a drawing's LTYPE table, laid along the runs an entity
// draws, in drawing units (a dash 5 long is 5 units long whatever the zoom, as on paper).
#pragma once

#include <optional>
#include <vector>

#include "view/view_types.h"

namespace tzad {

// Dashes (positive lengths), gaps (negative) and dots (zero), repeated along a line.
struct LinePattern {
  std::vector<double> elements;
  double length = 0;  // of one repetition, its elements' absolute lengths added up
};

// The pieces of a run that the pattern, stretched by `scale`, draws: each dash a run of its
// own following the run's corners, each dot a run of one point. Nothing when the pattern would
// repeat so often along the run that it shows as a solid line anyway (the caller draws that).
std::optional<std::vector<std::vector<ViewPoint>>> dashRun(const std::vector<ViewPoint>& run,
                                                           bool closed, const LinePattern& pattern,
                                                           double scale);

}  // namespace tzad
