// What a pick in the view answers at a prompt: the text a user would have typed for it.
#pragma once

#include <string>
#include <vector>

#include "docs/document.h"
#include "tzdb_object_id.h"

namespace tzad {

// A world point as "x,y" in the user coordinate system, the way point prompts read it.
std::string pointAnswer(double worldX, double worldY, const Ucs& ucs);
// Objects as their handles, the way "Select objects: " reads them.
std::string handlesAnswer(const std::vector<TzDbObjectId>& ids);

}  // namespace tzad
