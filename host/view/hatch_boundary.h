// The boundary loops of a hatch, read from its groups as point runs in its own plane.
#pragma once

#include <vector>

#include "view/record_groups.h"
#include "view/view_types.h"

namespace tzad {

std::vector<std::vector<ViewPoint>> hatchLoops(const RecordGroups& hatch);

}  // namespace tzad
