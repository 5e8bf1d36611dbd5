// Selection sets, and what the selection prompt understands.
#pragma once

#include <vector>

#include "tzdb_object_id.h"

namespace tzad {

class Document;

// The entities of the current space a user can pick: not erased, not on a frozen layer.
std::vector<TzDbObjectId> selectableEntities(Document& doc);
bool isOnLockedLayer(TzDbObjectId id);

}  // namespace tzad
