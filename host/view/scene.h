// What the drawing view draws: the entities of one layout (model space or a paper layout)
// flattened into drawable primitives in world coordinates, each with its top-level entity and
// its resolved colour. Block references are expanded with their transformations (nested),
// curves tessellated, and entities that cannot be shown (frozen or off layers, types the view
// does not know) left out. A scene is a snapshot: rebuild it when the drawing changes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tzdb_object_id.h"
#include "view/spatial_index.h"
#include "view/view_types.h"

class TzDbDatabase;

namespace tzad {

// A line weight in hundredths of a millimetre on paper, or the drawing's default ($LWDEFAULT).
constexpr int16_t kDefaultLineWeight = -3;

// A run of points drawn as one stroke (a line is a run of two), or a filled polygon.
struct ScenePath {
  uint32_t firstPoint = 0;
  uint32_t pointCount = 0;
  ViewColor color;
  // What the drawing gives for paper (the view draws every line one pixel wide).
  int16_t lineWeight = kDefaultLineWeight;
  bool closed = false;
  bool filled = false;
  // A further loop of the filled path before it (an area with holes and islands): the loops
  // are filled together, by the even-odd rule.
  bool joinsPrevious = false;
};

// A single-line text: its first character's baseline start, its height and rotation (radians,
// counter-clockwise), the text as plain UTF-8.
struct SceneText {
  ViewPoint position;
  double height = 0;
  double rotation = 0;
  double widthFactor = 1;
  ViewColor color;
  std::string text;
};

// The corners of the box a text covers, counter-clockwise from its insertion point. The width
// is estimated from the number of characters: enough to find the text, cull it and pick it.
std::array<ViewPoint, 4> textCorners(const SceneText& text);

// A top-level entity of the layout with what it draws: a block reference owns everything its
// block holds, so that picking it picks the reference.
struct SceneEntity {
  TzDbObjectId id;  // null for what shows but is not picked: model space in a viewport
  ViewBox box;      // world extents of all its primitives
  uint32_t firstPath = 0;
  uint32_t pathCount = 0;
  uint32_t firstText = 0;
  uint32_t textCount = 0;
  ViewColor color;      // its own resolved colour (a block reference's, for its ByBlock parts)
  bool linked = false;  // carries a hyperlink
};

// A model-space object with a hyperlink as a paper layout's viewport shows it: where it lies on
// the sheet, cut to the viewport's frame. The viewport's contents are one entity of the scene,
// so these are what a printed sheet can link its objects by.
struct SceneLinkArea {
  TzDbObjectId id;
  ViewBox box;
};

class Scene {
 public:
  const std::vector<SceneEntity>& entities() const { return entities_; }
  const std::vector<ScenePath>& paths() const { return paths_; }
  const std::vector<SceneText>& texts() const { return texts_; }
  const std::vector<ViewPoint>& points() const { return points_; }
  const std::vector<SceneLinkArea>& viewportLinks() const { return viewportLinks_; }
  // The world box of everything drawn; empty for a layout with nothing to show.
  const ViewBox& extents() const { return extents_; }
  // Whether the drawing held more through its block references than a scene draws: the rest
  // is left out.
  bool cutShort() const { return cutShort_; }
  void markCutShort() { cutShort_ = true; }
  // Entities by world box (indexes into entities()).
  const SpatialIndex& index() const { return index_; }
  // The position of an entity in entities(), or -1 when the scene does not show it.
  int entityIndexOf(TzDbObjectId id) const;
  size_t segmentCount() const;

  // Building, used by buildScene and by tests that make a scene by hand: open an entity, add
  // its primitives, close it; finish() computes the extents and the index.
  void beginEntity(TzDbObjectId id, ViewColor color, bool linked);
  void addPath(const std::vector<ViewPoint>& points, ViewColor color, bool closed = false,
               bool filled = false, int16_t lineWeight = kDefaultLineWeight);
  // A filled area of one or more loops; a loop inside another is a hole, one inside a hole an
  // island.
  void addArea(const std::vector<std::vector<ViewPoint>>& loops, ViewColor color);
  void addText(SceneText text);
  void addViewportLink(SceneLinkArea area) { viewportLinks_.push_back(area); }
  void endEntity();
  void finish();

 private:
  bool cutShort_ = false;
  std::vector<SceneEntity> entities_;
  std::vector<ScenePath> paths_;
  std::vector<SceneText> texts_;
  std::vector<ViewPoint> points_;
  std::vector<SceneLinkArea> viewportLinks_;
  ViewBox extents_;
  SpatialIndex index_;
};

// What a scene is for: the view shows every layer that is on and thawed; paper leaves out the
// layers that do not plot.
enum class SceneUse { View, Paper };

// The scene of a layout, given by its block record (the database's model space or a paper
// layout's block record). A paper layout shows its own entities, the frames of its viewports
// and what they show of model space. Nothing in the drawing makes this fail: what cannot be read is
// skipped.
Scene buildScene(TzDbDatabase& db, TzDbObjectId layoutBlockRecord, SceneUse use = SceneUse::View);
// The scene of the database's current space.
Scene buildCurrentScene(TzDbDatabase& db);

}  // namespace tzad
