// The name of a record as modules hold it (an entity's name in a selection set): the record's
// database and its number in it, never its address, so that a name that is stale, of a closed
// drawing, or made up finds no record instead of reading memory.
#pragma once

#include <cstdint>

#include "tzdb_object_id.h"

int64_t recordNameOf(TzDbObjectId id);
// The record a name names, or a null id.
TzDbObjectId recordOfName(int64_t name);
