// Finding entities of a scene under the mouse: the nearest one to a click, and those a
// rubber-band rectangle selects.
#pragma once

#include <optional>
#include <vector>

#include "tzdb_object_id.h"
#include "view/scene.h"
#include "view/view_transform.h"

namespace tzad {

// The entity whose drawn geometry passes nearest to the screen point, within `tolerancePixels`
// (a filled area or a text counts as hit anywhere inside); nothing when none is that close.
std::optional<TzDbObjectId> pickEntity(const Scene& scene, const ViewTransform& view,
                                       ViewPoint screen, double tolerancePixels = 4);
// The entities lying wholly inside a world box (a left-to-right drag), in drawing order.
std::vector<TzDbObjectId> entitiesInside(const Scene& scene, const ViewBox& world);
// The entities inside or touching a world box (a right-to-left drag), in drawing order.
std::vector<TzDbObjectId> entitiesCrossing(const Scene& scene, const ViewBox& world);

}  // namespace tzad
