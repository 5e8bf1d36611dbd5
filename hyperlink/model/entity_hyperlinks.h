// Hyperlinks on entities, through the host's hyperlink protocol extension only.
#pragma once

#include "model/hyperlink_data.h"
#include "tz_array.h"
#include "tzdb_object_id.h"

namespace hyperlink {

// Fills `out` from the entity's first hyperlink; true when it has one.
bool readHyperlink(TzDbObjectId id, HyperlinkData& out);
// Writes `data` as the hyperlink of every entity (the first entry of its collection; further
// entries stay); true when at least one was written. Entities on locked layers are skipped
// with one message.
bool applyHyperlink(TzArray<TzDbObjectId> ids, HyperlinkData data);
// Removes one hyperlink entry of every entity; the number of entities that had one. With
// eraseAreaShapes, entities on URLLAYER (area rectangles) are erased too.
int removeHyperlinks(TzArray<TzDbObjectId> ids, bool eraseAreaShapes);
// 1 when at least one entity has a hyperlink, else -1 (also for no entities).
int hasAnyHyperlink(TzArray<TzDbObjectId> ids);
// Appends the ids of the selected entities; the host's input status (RTERROR for nothing).
int selectEntities(TzArray<TzDbObjectId>& ids, const char16_t* mode);

}  // namespace hyperlink
