// Walks a layout's entities in drawing order and turns each into scene primitives. Block
// references recurse into their blocks with the reference's transformation, colour (for
// ByBlock) and layer (for what lies on layer 0).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/database_impl.h"
#include "db/internals.h"
#include "dxf/dxf_codes.h"
#include "dxf/dxf_tag.h"
#include "tzdb_database.h"
#include "view/curves.h"
#include "view/hatch_boundary.h"
#include "view/line_pattern.h"
#include "view/record_groups.h"
#include "view/scene.h"
#include "view/segment_clip.h"
#include "view/text_content.h"

namespace tzad {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
// Block references nest at most this deep; deeper ones, and a block that holds itself, are
// left out rather than followed for ever.
constexpr int kMaxDepth = 24;
// A multiple reference array bigger than this is drawn as its first element only.
constexpr long long kMaxArrayElements = 10000;
// Blocks that hold many references to blocks that hold many more multiply: one entity stops
// adding to the scene past this many points, so that a drawing still opens.
constexpr size_t kMaxPointsPerEntity = 4'000'000;
// Dashed lines add a run per dash: past this many points in a scene, lines are drawn solid.
constexpr size_t kMaxDashPoints = 4'000'000;
// Entities and array elements visited below the top level (in blocks, through viewports) in one
// scene: past this the rest is left out, so that no drawing, however its blocks are built,
// holds the window for more than about a second.
constexpr size_t kMaxNestedWork = 4'000'000;

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 normalized(Vec3 v) {
  double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return length > 0 ? Vec3{v.x / length, v.y / length, v.z / length} : Vec3{0, 0, 1};
}

// x' = m * (x, y, z, 1)
struct Affine {
  double m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};

  static Affine columns(Vec3 x, Vec3 y, Vec3 z, Vec3 origin) {
    Affine a;
    const Vec3 cols[4] = {x, y, z, origin};
    for (int c = 0; c < 4; ++c) a.m[0][c] = cols[c].x, a.m[1][c] = cols[c].y, a.m[2][c] = cols[c].z;
    return a;
  }
  Vec3 apply(Vec3 p) const {
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3],
            m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3],
            m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]};
  }
  ViewPoint flat(Vec3 p) const {
    Vec3 w = apply(p);
    return {w.x, w.y};
  }
  // This transformation after `inner`.
  Affine after(const Affine& inner) const {
    Affine r;
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 4; ++j) {
        double v = j == 3 ? m[i][3] : 0;
        for (int k = 0; k < 3; ++k) v += m[i][k] * inner.m[k][j];
        r.m[i][j] = v;
      }
    return r;
  }
};

// The object coordinate system of an extrusion direction (the arbitrary axis algorithm).
Affine objectToWorld(Vec3 normal) {
  Vec3 n = normalized(normal);
  if (n.x == 0 && n.y == 0 && n.z > 0) return Affine();
  Vec3 ax = std::abs(n.x) < 1.0 / 64 && std::abs(n.y) < 1.0 / 64 ? cross({0, 1, 0}, n)
                                                                 : cross({0, 0, 1}, n);
  ax = normalized(ax);
  return Affine::columns(ax, cross(n, ax), n, {});
}

struct LayerLook {
  ViewColor color;
  const LinePattern* pattern = nullptr;  // null: continuous
  int16_t lineWeight = kDefaultLineWeight;
  bool frozen = false;
  bool off = false;
  bool plots = true;  // its plot flag (group 290); Defpoints never plots
};

const LayerLook kDefaultLayer{};

// What entities inside a block reference take from the reference that shows them.
struct Context {
  Affine toWorld;
  ViewColor blockColor = ViewColor::contrast();
  const LayerLook* blockLayer = nullptr;         // for entities on layer 0; null at the top
  const LinePattern* blockPattern = nullptr;     // for entities drawn with the line type ByBlock
  int16_t blockLineWeight = kDefaultLineWeight;  // for entities with the line weight ByBlock
  int depth = 0;
};

struct BlockLook {
  uint32_t begin = kNoRecord;
  uint32_t end = kNoRecord;
  Vec3 base;
};

ViewColor trueColor(int rgb) {
  return ViewColor::rgb(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb));
}

Vec3 pointOf(const RecordGroups& g, int xCode, Vec3 fallback = {}) {
  const RawGroup* x = g.find(xCode);
  if (!x) return fallback;
  return {realOf(x->value), g.real(dxfYCode(xCode)), g.real(dxfZCode(xCode))};
}

Vec3 extrusionOf(const RecordGroups& g) {
  return pointOf(g, DxfCode::kExtrusion, {0, 0, 1});
}

// A line weight: hundredths of a millimetre, or -1 ByLayer, -2 ByBlock, -3 the default. The
// weights a drawing may name run from 0 to 2.11 mm; anything else counts as the default.
constexpr int kLineWeightByLayer = -1;
constexpr int kLineWeightByBlock = -2;
constexpr int kLargestLineWeight = 211;

int16_t lineWeightCode(int code) {
  return code >= kLineWeightByBlock && code <= kLargestLineWeight ? int16_t(code)
                                                                  : kDefaultLineWeight;
}

class SceneBuilder {
 public:
  SceneBuilder(TzDbDatabaseImpl& db, Scene& scene, SceneUse use)
      : db_(db), scene_(scene), use_(use) {
    readLinePatterns();
    readLayers();
    readBlocks();
    groups_.resize(kMaxDepth + 2);
  }

  void addLayout(uint32_t blockRecord) {
    uint32_t from = kNoRecord, to = kNoRecord;
    bool modelOrPaper = blockRecord == db_.modelSpace || blockRecord == db_.paperSpace;
    bool wantPaper = blockRecord == db_.paperSpace;
    if (modelOrPaper) {
      from = db_.entitiesBegin;
      to = db_.entitiesEnd;
    } else if (uint32_t b = db_.blockOfRecord(blockRecord); b != kNoRecord) {
      from = db_.blocks[b].begin;
      to = db_.blocks[b].end;
    }
    if (from == kNoRecord) return;
    paperLayout_ = !(blockRecord == db_.modelSpace);
    for (uint32_t i = db_.at(from).next; i != kNoRecord && i != to; i = db_.at(i).next) {
      const TzDbStub& r = db_.at(i);
      if (!r.has(kRecEntity) || r.has(kRecErased)) continue;
      if (modelOrPaper && r.has(kRecPaper) != wantPaper) continue;
      addTopLevel(i);
      if (paperLayout_ && db_.typeName(r) == "VIEWPORT") addViewportContents(i);
    }
  }

 private:
  void readLinePatterns() {
    double ltscale = realOf(db_.headerVar("$LTSCALE").value_or("1"), 1);
    if (ltscale > 0) ltscale_ = ltscale;
    forEachTableRecord("LTYPE", [&](uint32_t, const RecordGroups& g) {
      LinePattern pattern;
      for (const RawGroup& group : g.all()) {
        if (group.code != DxfCode::kDashLength) continue;
        pattern.elements.push_back(realOf(group.value));
        pattern.length += std::abs(pattern.elements.back());
      }
      if (pattern.length > 0)
        linePatterns_[upperAscii(g.text(DxfCode::kName))] = std::move(pattern);
    });
  }

  // Calls visit(record, its groups) for each record of a symbol table that is not erased.
  template <typename Visit>
  void forEachTableRecord(std::string_view tableName, Visit visit) {
    TableIndex* table = db_.table(tableName);
    if (!table) return;
    RecordGroups g;
    for (uint32_t record : table->records) {
      if (db_.at(record).has(kRecErased)) continue;
      g.read(db_.text.view(db_.at(record).body));
      visit(record, g);
    }
  }

  // An entity's line type: its own, its layer's (ByLayer, or none given) or its block
  // reference's (ByBlock); null for a continuous line.
  const LinePattern* patternOf(const RecordGroups& g, const LayerLook& layer,
                               const Context& ctx) const {
    std::string name = upperAscii(g.text(DxfCode::kLinetypeName));
    if (name.empty() || name == "BYLAYER") return layer.pattern;
    if (name == "BYBLOCK") return ctx.blockPattern;
    auto found = linePatterns_.find(name);
    return found == linePatterns_.end() ? nullptr : &found->second;
  }

  static int16_t lineWeightOf(const RecordGroups& g, const LayerLook& layer, const Context& ctx) {
    int16_t weight = lineWeightCode(g.integer(DxfCode::kLineweight, kLineWeightByLayer));
    if (weight == kLineWeightByLayer) return layer.lineWeight;
    if (weight == kLineWeightByBlock) return ctx.blockLineWeight;
    return weight;
  }

  // The line type, its scale and the line weight of the entity about to be drawn.
  void useLineStyle(const RecordGroups& g, const LayerLook& layer, const Context& ctx) {
    pattern_ = patternOf(g, layer, ctx);
    patternScale_ = ltscale_ * g.real(DxfCode::kLinetypeScale, 1);
    lineWeight_ = lineWeightOf(g, layer, ctx);
  }

  void readLayers() {
    forEachTableRecord("LAYER", [&](uint32_t record, const RecordGroups& g) {
      LayerLook look;
      int color = g.integer(DxfCode::kColor, 7);
      look.off = color < 0;
      look.frozen = (g.integer(DxfCode::kFlags) & kLayerFrozen) != 0;
      look.plots = g.integer(DxfCode::kPlotFlag, 1) != 0 &&
                   upperAscii(g.text(DxfCode::kName)) != "DEFPOINTS";
      look.color = g.find(DxfCode::kTrueColor) ? trueColor(g.integer(DxfCode::kTrueColor))
                                               : colorOfIndex(std::abs(color));
      int16_t weight = lineWeightCode(g.integer(DxfCode::kLineweight, kDefaultLineWeight));
      look.lineWeight = weight < 0 ? kDefaultLineWeight : weight;
      auto pattern = linePatterns_.find(upperAscii(g.text(DxfCode::kLinetypeName)));
      if (pattern != linePatterns_.end()) look.pattern = &pattern->second;
      LayerLook& stored = layers_[upperAscii(g.text(DxfCode::kName))];
      stored = look;
      layersByHandle_[db_.at(record).handle] = &stored;
    });
  }

  // What a paper layout's viewport shows of model space, drawn at the viewport's scale and cut
  // to its frame. It cannot be picked in the layout: model space is worked on in the model
  // tab, as in other CAD programs.
  void addViewportContents(uint32_t record) {
    RecordGroups& g = groups_[0];
    g.read(db_.text.view(db_.at(record).body));
    std::optional<Affine> view = viewportView(g);
    if (!view || db_.entitiesBegin == kNoRecord) return;
    Vec3 c = pointOf(g, DxfCode::kCenter);
    double w = g.real(DxfCode::kPaperWidth) / 2, h = g.real(DxfCode::kPaperHeight) / 2;
    clip_ = ViewBox::of({c.x - w, c.y - h}, {c.x + w, c.y + h});
    frozenInViewport_ = frozenLayersOf(g);
    Context inside;
    inside.toWorld = *view;
    inside.depth = 1;
    scene_.beginEntity(TzDbObjectId(), ViewColor::contrast(), false);
    entityFirstPoint_ = scene_.points().size();
    for (uint32_t i = db_.at(db_.entitiesBegin).next; i != kNoRecord && i != db_.entitiesEnd;
         i = db_.at(i).next) {
      const TzDbStub& r = db_.at(i);
      if (!r.has(kRecEntity) || r.has(kRecErased) || r.has(kRecPaper)) continue;
      if (scene_.points().size() - entityFirstPoint_ > kMaxPointsPerEntity) break;
      size_t firstPoint = scene_.points().size(), firstText = scene_.texts().size();
      addNested(i, inside);
      if (isLinked(r)) noteViewportLink(i, firstPoint, firstText);
    }
    scene_.endEntity();
    clip_.reset();
    frozenInViewport_.clear();
  }

  // Where a linked model object drawn into a viewport from `firstPoint` and `firstText` on
  // lies on the sheet, within the viewport's frame.
  void noteViewportLink(uint32_t record, size_t firstPoint, size_t firstText) {
    ViewBox box;
    for (size_t k = firstPoint; k < scene_.points().size(); ++k) box.add(scene_.points()[k]);
    for (size_t k = firstText; k < scene_.texts().size(); ++k)
      for (ViewPoint corner : textCorners(scene_.texts()[k])) box.add(corner);
    if (box.empty() || !box.intersects(*clip_)) return;
    ViewBox cut;
    cut.minX = std::max(box.minX, clip_->minX);
    cut.minY = std::max(box.minY, clip_->minY);
    cut.maxX = std::min(box.maxX, clip_->maxX);
    cut.maxY = std::min(box.maxY, clip_->maxY);
    scene_.addViewportLink({db_.idOf(record), cut});
  }

  // Model space to paper for a viewport that shows a plan view: the view centre (in the
  // viewport's own coordinates, whose origin is the view target, turned by the twist angle)
  // lands on the viewport's centre. Nothing for the sheet's own viewport, one turned off, or
  // one looking at the model from another direction.
  static std::optional<Affine> viewportView(const RecordGroups& g) {
    if (g.integer(DxfCode::kViewportId) == 1 || g.integer(DxfCode::kViewportStatus, 1) < 1 ||
        (g.integer(DxfCode::kViewportStatusFlags) & kViewportOff))
      return std::nullopt;
    Vec3 direction = normalized(pointOf(g, DxfCode::kViewDirection, {0, 0, 1}));
    if (std::abs(direction.x) > 1e-9 || std::abs(direction.y) > 1e-9 || direction.z < 0)
      return std::nullopt;
    double viewHeight = g.real(DxfCode::kViewHeight), height = g.real(DxfCode::kPaperHeight);
    if (!(viewHeight > 0 && height > 0 && g.real(DxfCode::kPaperWidth) > 0)) return std::nullopt;
    double scale = height / viewHeight, twist = g.real(DxfCode::kTwistAngle) * kDegree;
    double cs = std::cos(twist) * scale, sn = std::sin(twist) * scale;
    Vec3 centre = pointOf(g, DxfCode::kCenter), target = pointOf(g, DxfCode::kViewTarget);
    Vec3 origin{centre.x - g.real(DxfCode::kViewCenterX) * scale,
                centre.y - g.real(DxfCode::kViewCenterY) * scale, 0};
    return Affine::columns({cs, sn, 0}, {-sn, cs, 0}, {0, 0, scale}, origin)
        .after(Affine::columns({1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {-target.x, -target.y, -target.z}));
  }

  // The layers a viewport freezes for itself, by their handles.
  std::vector<const LayerLook*> frozenLayersOf(const RecordGroups& g) const {
    std::vector<const LayerLook*> frozen;
    for (const RawGroup& group : g.all()) {
      unsigned long long handle = 0;
      if (group.code != DxfCode::kFrozenLayer || !parseHandle(trimBlanks(group.value), handle))
        continue;
      auto found = layersByHandle_.find(handle);
      if (found != layersByHandle_.end()) frozen.push_back(found->second);
    }
    return frozen;
  }

  bool hidden(const LayerLook& layer) const {
    return hiddenEverywhere(layer) || std::find(frozenInViewport_.begin(), frozenInViewport_.end(),
                                                &layer) != frozenInViewport_.end();
  }

  bool hiddenEverywhere(const LayerLook& layer) const {
    return layer.frozen || (use_ == SceneUse::Paper && !layer.plots);
  }

  void readBlocks() {
    RecordGroups g;
    for (const BlockIndex& b : db_.blocks) {
      if (b.begin == kNoRecord) continue;
      g.read(db_.text.view(db_.at(b.begin).body));
      blocks_[upperAscii(g.text(DxfCode::kName))] = {b.begin, b.end,
                                                     pointOf(g, DxfCode::kBasePoint)};
    }
  }

  const LayerLook& layerOf(const RecordGroups& g, const Context& ctx) {
    std::string_view raw = g.text(DxfCode::kLayer);
    if (raw.empty() || raw == "0") {
      if (ctx.blockLayer) return *ctx.blockLayer;
      raw = "0";
    }
    // Consecutive entities mostly share a layer.
    if (raw != lastLayerName_) {
      lastLayerName_.assign(raw);
      auto found = layers_.find(upperAscii(raw));
      lastLayer_ = found == layers_.end() ? &kDefaultLayer : &found->second;
    }
    return *lastLayer_;
  }

  static ViewColor colorOf(const RecordGroups& g, const LayerLook& layer, const Context& ctx) {
    if (const RawGroup* rgb = g.find(DxfCode::kTrueColor)) return trueColor(integerOf(rgb->value));
    int index = g.integer(DxfCode::kColor, 256);
    if (index == 0) return ctx.blockColor;
    if (index == 256 || index < 0 || index > 256) return layer.color;
    return colorOfIndex(index);
  }

  bool isLinked(const TzDbStub& r) const { return recordHasHyperlink(db_, r); }

  void addTopLevel(uint32_t record) {
    const TzDbStub& r = db_.at(record);
    RecordGroups& g = groups_[0];
    g.read(db_.text.view(r.body));
    Context top;
    const LayerLook& layer = layerOf(g, top);
    if (hiddenEverywhere(layer) || g.integer(DxfCode::kVisibility) == 1) return;
    ViewColor color = colorOf(g, layer, top);
    useLineStyle(g, layer, top);
    scene_.beginEntity(db_.idOf(record), color, isLinked(r));
    entityFirstPoint_ = scene_.points().size();
    drawEntity(record, g, layer, color, top);
    scene_.endEntity();
  }

  // Counts one piece of work done through a block reference; false once the scene's budget is
  // spent, and the scene says it is cut short.
  bool spend() {
    if (++nestedWork_ <= kMaxNestedWork) return true;
    scene_.markCutShort();
    return false;
  }

  // Whether drawing the block can show anything: an entity that is neither invisible nor on a
  // frozen or off layer (one on layer 0 takes its reference's layer), or a reference to such a
  // block. Known once per block, so that references to blocks that draw nothing cost nothing
  // however many they are; a block that holds itself draws nothing through itself.
  bool drawsSomething(const BlockLook& block) {
    if (auto known = drawable_.find(block.begin); known != drawable_.end()) return known->second;
    drawable_[block.begin] = false;
    bool draws = false;
    RecordGroups g;
    for (uint32_t i = db_.at(block.begin).next; !draws && i != kNoRecord && i != block.end;
         i = db_.at(i).next) {
      const TzDbStub& r = db_.at(i);
      if (!r.has(kRecEntity) || r.has(kRecErased)) continue;
      g.read(db_.text.view(r.body));
      if (g.integer(DxfCode::kVisibility) == 1) continue;
      const std::string& type = db_.typeName(r);
      auto layer = layers_.find(upperAscii(g.text(DxfCode::kLayer)));
      bool hidden = layer != layers_.end() && hiddenEverywhere(layer->second);
      bool off = layer != layers_.end() && layer->second.off;
      if (hidden) continue;
      if (type == "INSERT" || type == "DIMENSION") {
        auto inner = blocks_.find(upperAscii(g.text(DxfCode::kBlockName)));
        draws = inner != blocks_.end() && drawsSomething(inner->second);
      } else {
        draws = !off;
      }
    }
    drawable_[block.begin] = draws;
    return draws;
  }

  void addNested(uint32_t record, const Context& ctx) {
    if (!spend()) return;
    RecordGroups& g = groups_[size_t(ctx.depth)];
    g.read(db_.text.view(db_.at(record).body));
    const LayerLook& layer = layerOf(g, ctx);
    if (hidden(layer) || g.integer(DxfCode::kVisibility) == 1) return;
    useLineStyle(g, layer, ctx);
    drawEntity(record, g, layer, colorOf(g, layer, ctx), ctx);
  }

  // An entity on an off layer still shows the parts of its block that lie on other layers;
  // what it draws itself is hidden.
  void drawEntity(uint32_t record, const RecordGroups& g, const LayerLook& layer, ViewColor color,
                  const Context& ctx) {
    const std::string& type = db_.typeName(db_.at(record));
    if (type == "INSERT") return drawInsert(record, g, layer, color, ctx);
    if (layer.off) return;
    if (type == "LINE") return drawLine(g, color, ctx);
    if (type == "LWPOLYLINE") return drawLwPolyline(g, color, ctx);
    if (type == "CIRCLE" || type == "ARC") return drawArc(g, color, ctx, type == "CIRCLE");
    if (type == "ELLIPSE") return drawEllipse(g, color, ctx);
    if (type == "POLYLINE") return drawPolyline(record, g, color, ctx);
    if (type == "POINT") return addRun({ctx.toWorld.flat(pointOf(g, DxfCode::kLocation))}, color);
    if (type == "SPLINE") return drawSpline(g, color, ctx);
    if (type == "TEXT" || type == "ATTRIB") return drawText(g, color, ctx, type == "ATTRIB");
    if (type == "MTEXT") return drawMText(g, color, ctx);
    if (type == "SOLID" || type == "TRACE") return drawSolid(g, color, ctx, true);
    if (type == "3DFACE") return drawSolid(g, color, ctx, false);
    if (type == "HATCH") return drawHatch(g, color, ctx);
    if (type == "DIMENSION") return drawDimension(g, layer, color, ctx);
    if (type == "LEADER") return drawLeader(g, color, ctx);
    if (type == "VIEWPORT" && paperLayout_) return drawViewportFrame(g, color, ctx);
  }

  // A line drawn with a line type adds its dashes.
  void addRun(std::vector<ViewPoint> points, ViewColor color, bool closed = false,
              bool filled = false) {
    if (pattern_ && !filled && points.size() >= 2) {
      if (auto dashes = dashRun(points, closed, *pattern_, patternScale_)) {
        size_t count = 0;
        for (const std::vector<ViewPoint>& dash : *dashes) count += dash.size();
        if (count <= dashPointsLeft_) {
          dashPointsLeft_ -= count;
          for (std::vector<ViewPoint>& dash : *dashes)
            addVisible(std::move(dash), color, false, false);
          return;
        }
      }
    }
    addVisible(std::move(points), color, closed, filled);
  }

  void addVisible(std::vector<ViewPoint> points, ViewColor color, bool closed, bool filled) {
    if (!clip_) return scene_.addPath(points, color, closed, filled, lineWeight_);
    ViewBox box;
    for (ViewPoint p : points) box.add(p);
    if (clip_->contains(box)) return scene_.addPath(points, color, closed, filled, lineWeight_);
    if (clip_->intersects(box)) addClippedOutline(points, color, closed || filled);
  }

  // The parts of a run inside the viewport's frame, each a run of its own; an area cut by the
  // frame shows as its outline.
  void addClippedOutline(const std::vector<ViewPoint>& points, ViewColor color, bool closed) {
    std::vector<ViewPoint> piece;
    auto flush = [&] {
      if (piece.size() >= 2) scene_.addPath(piece, color, false, false, lineWeight_);
      piece.clear();
    };
    size_t n = points.size(), segments = closed ? n : n - 1;
    for (size_t i = 0; i < segments; ++i) {
      ViewPoint a = points[i], b = points[(i + 1) % n];
      auto kept = clipSegment(a, b, *clip_);
      if (!kept) {
        flush();
        continue;
      }
      auto [t0, t1] = *kept;
      if (piece.empty() || t0 > 0) {
        flush();
        piece.push_back({a.x + t0 * (b.x - a.x), a.y + t0 * (b.y - a.y)});
      }
      piece.push_back({a.x + t1 * (b.x - a.x), a.y + t1 * (b.y - a.y)});
      if (t1 < 1) flush();
    }
    flush();
  }

  // The object coordinate system of this entity, placed in the world.
  static Affine ocs(const RecordGroups& g, const Context& ctx) {
    return ctx.toWorld.after(objectToWorld(extrusionOf(g)));
  }

  void drawLine(const RecordGroups& g, ViewColor color, const Context& ctx) {
    addRun({ctx.toWorld.flat(pointOf(g, DxfCode::kStartPoint)),
            ctx.toWorld.flat(pointOf(g, DxfCode::kEndPoint))},
           color);
  }

  void drawArc(const RecordGroups& g, ViewColor color, const Context& ctx, bool whole) {
    double radius = g.real(DxfCode::kRadius);
    if (!(radius > 0)) return;
    Vec3 c = pointOf(g, DxfCode::kCenter);
    double start = whole ? 0 : g.real(DxfCode::kStartAngle) * kDegree;
    double sweep = whole ? 2 * std::numbers::pi : g.real(DxfCode::kEndAngle) * kDegree - start;
    while (sweep <= 0) sweep += 2 * std::numbers::pi;
    std::vector<ViewPoint> local;
    appendArc(local, {c.x, c.y}, radius, start, sweep);
    addRun(placed(local, ocs(g, ctx), c.z), color, whole);
  }

  static std::vector<ViewPoint> placed(const std::vector<ViewPoint>& local, const Affine& to,
                                       double z = 0) {
    std::vector<ViewPoint> out;
    out.reserve(local.size());
    for (ViewPoint p : local) out.push_back(to.flat({p.x, p.y, z}));
    return out;
  }

  void drawEllipse(const RecordGroups& g, ViewColor color, const Context& ctx) {
    Vec3 c = pointOf(g, DxfCode::kCenter), major = pointOf(g, DxfCode::kMajorAxisEndPoint);
    Vec3 n = normalized(extrusionOf(g));
    double ratio = g.real(DxfCode::kAxisRatio, 1);
    double t0 = g.real(DxfCode::kStartParameter, 0);
    double t1 = g.real(DxfCode::kEndParameter, 2 * std::numbers::pi);
    std::vector<ViewPoint> unit;
    appendEllipse(unit, {0, 0}, {1, 0}, ratio, t0, t1);
    Affine frame = Affine::columns(major, cross(n, major), n, c);
    bool whole = std::abs(t1 - t0 - 2 * std::numbers::pi) < 1e-9;
    addRun(placed(unit, ctx.toWorld.after(frame)), color, whole);
  }

  void drawLwPolyline(const RecordGroups& g, ViewColor color, const Context& ctx) {
    std::vector<ViewPoint> vertices;
    std::vector<double> bulges;
    for (const RawGroup& group : g.all()) {
      if (group.code == DxfCode::kVertex) {
        vertices.push_back({realOf(group.value), 0});
        bulges.push_back(0);
      } else if (group.code == dxfYCode(DxfCode::kVertex) && !vertices.empty()) {
        vertices.back().y = realOf(group.value);
      } else if (group.code == DxfCode::kBulge && !bulges.empty()) {
        bulges.back() = realOf(group.value);
      }
    }
    bool closed = (g.integer(DxfCode::kFlags) & kPolylineClosed) != 0;
    addRun(
        placed(bulgedPolyline(vertices, bulges, closed), ocs(g, ctx), g.real(DxfCode::kElevation)),
        color, closed);
  }

  // A POLYLINE's vertices follow it as records of their own, up to its SEQEND.
  void drawPolyline(uint32_t record, const RecordGroups& g, ViewColor color, const Context& ctx) {
    int flags = g.integer(DxfCode::kFlags);
    if (flags & kPolygonMesh) return;  // polygon meshes are not drawn
    bool is3d = (flags & kPolyline3d) != 0, polyface = (flags & kPolyfaceMesh) != 0;
    std::vector<Vec3> vertices;
    std::vector<double> bulges;
    std::vector<std::array<int, 4>> faces;
    RecordGroups v;
    for (uint32_t i = db_.at(record).next; i != kNoRecord && db_.at(i).has(kRecSubEntity);
         i = db_.at(i).next) {
      if (db_.typeName(db_.at(i)) != "VERTEX") break;
      v.read(db_.text.view(db_.at(i).body));
      int vflags = v.integer(DxfCode::kFlags);
      if (polyface && (vflags & kVertexOfPolyfaceMesh) && !(vflags & kVertexOfPolygonMesh)) {
        faces.push_back({v.integer(DxfCode::kFaceVertex1), v.integer(DxfCode::kFaceVertex2),
                         v.integer(DxfCode::kFaceVertex3), v.integer(DxfCode::kFaceVertex4)});
        continue;
      }
      if (vflags & kVertexSplineFrame) continue;  // a spline's frame point, not on the curve
      vertices.push_back(pointOf(v, DxfCode::kLocation));
      bulges.push_back(v.real(DxfCode::kBulge));
    }
    if (polyface) return drawPolyface(vertices, faces, color, ctx);
    bool closed = (flags & kPolylineClosed) != 0;
    if (is3d) {
      std::vector<ViewPoint> out;
      for (Vec3 p : vertices) out.push_back(ctx.toWorld.flat(p));
      return addRun(out, color, closed);
    }
    std::vector<ViewPoint> flat;
    for (Vec3 p : vertices) flat.push_back({p.x, p.y});
    double elevation = g.real(DxfCode::kElevationZ);
    addRun(placed(bulgedPolyline(flat, bulges, closed), ocs(g, ctx), elevation), color, closed);
  }

  void drawPolyface(const std::vector<Vec3>& vertices, const std::vector<std::array<int, 4>>& faces,
                    ViewColor color, const Context& ctx) {
    for (const auto& face : faces) {
      std::vector<ViewPoint> outline;
      for (int index : face) {
        int k = std::abs(index);
        if (k >= 1 && size_t(k) <= vertices.size())
          outline.push_back(ctx.toWorld.flat(vertices[size_t(k) - 1]));
      }
      if (outline.size() >= 2) addRun(outline, color, outline.size() > 2);
    }
  }

  void drawSpline(const RecordGroups& g, ViewColor color, const Context& ctx) {
    std::vector<ViewPoint> control, fit;
    std::vector<double> knots, weights;
    for (size_t i = 0; i < g.size(); ++i) {
      const RawGroup& group = g[i];
      if (group.code == DxfCode::kControlPoint || group.code == DxfCode::kFitPoint) {
        Vec3 p{realOf(group.value), 0, 0};
        if (i + 1 < g.size() && g[i + 1].code == dxfYCode(group.code)) p.y = realOf(g[i + 1].value);
        if (i + 2 < g.size() && g[i + 2].code == dxfZCode(group.code)) p.z = realOf(g[i + 2].value);
        (group.code == DxfCode::kControlPoint ? control : fit).push_back(ctx.toWorld.flat(p));
      } else if (group.code == DxfCode::kKnotValue) {
        knots.push_back(realOf(group.value));
      } else if (group.code == DxfCode::kWeight) {
        weights.push_back(realOf(group.value));
      }
    }
    bool closed = (g.integer(DxfCode::kFlags) & kSplineClosed) != 0;
    if (control.size() >= 2)
      return addRun(tessellateSpline(g.integer(DxfCode::kDegree, 3), control, knots, weights),
                    color);
    if (fit.size() >= 2) addRun(curveThrough(fit, closed), color, closed);
  }

  // A text as the scene holds it: its frame (position, direction, up) mapped into the world.
  void addPlacedText(std::string text, Vec3 start, double height, double rotation,
                     double widthFactor, const Affine& to, ViewColor color) {
    if (text.empty() || !(height > 0)) return;
    Vec3 along{std::cos(rotation), std::sin(rotation), 0},
        up{-std::sin(rotation), std::cos(rotation), 0};
    ViewPoint p = to.flat(start);
    ViewPoint a = to.flat({start.x + along.x, start.y + along.y, start.z});
    ViewPoint u = to.flat({start.x + up.x * height, start.y + up.y * height, start.z});
    SceneText t;
    t.position = p;
    t.height = std::hypot(u.x - p.x, u.y - p.y);
    t.rotation = std::atan2(a.y - p.y, a.x - p.x);
    double alongLength = std::hypot(a.x - p.x, a.y - p.y);
    t.widthFactor = widthFactor * (t.height > 0 ? alongLength * height / t.height : 1);
    t.color = color;
    t.text = std::move(text);
    if (clip_) {
      ViewBox box;
      for (ViewPoint corner : textCorners(t)) box.add(corner);
      if (!clip_->contains(box)) return;  // a text cut by a viewport's frame is left out
    }
    scene_.addText(std::move(t));
  }

  void drawText(const RecordGroups& g, ViewColor color, const Context& ctx, bool attribute) {
    if (attribute && (g.integer(DxfCode::kFlags) & kAttributeInvisible)) return;
    std::string text = plainText(db_.codec.decode(g.text(DxfCode::kText)));
    double height = g.real(DxfCode::kTextHeight, 1);
    double rotation = g.real(DxfCode::kRotation) * kDegree;
    double widthFactor = g.real(DxfCode::kRelativeXScale, 1);
    int horizontal = g.integer(DxfCode::kHorizontalJustification);
    int vertical = g.integer(DxfCode::kAttributeVerticalJustification,
                             g.integer(DxfCode::kTextVerticalJustification));
    Vec3 start = pointOf(g, DxfCode::kFirstAlignmentPoint);
    if ((horizontal != kJustifyLeft || vertical != kJustifyBaseline) &&
        horizontal != kJustifyAligned && horizontal != kJustifyFit &&
        g.find(DxfCode::kSecondAlignmentPoint)) {
      // Aligned by another point than the start: move back by the estimated width and height.
      Vec3 ref = pointOf(g, DxfCode::kSecondAlignmentPoint);
      double width = estimatedWidth(text, height, widthFactor);
      double dx = horizontal == kJustifyCenter || horizontal == kJustifyMiddle ? -width / 2
                  : horizontal == kJustifyRight                                ? -width
                                                                               : 0;
      double dy = horizontal == kJustifyMiddle || vertical == kJustifyVerticalMiddle ? -height / 2
                  : vertical == kJustifyTop                                          ? -height
                                                                                     : 0;
      start = {ref.x + dx * std::cos(rotation) - dy * std::sin(rotation),
               ref.y + dx * std::sin(rotation) + dy * std::cos(rotation), ref.z};
    }
    addPlacedText(std::move(text), start, height, rotation, widthFactor, ocs(g, ctx), color);
  }

  void drawMText(const RecordGroups& g, ViewColor color, const Context& ctx) {
    std::string raw;
    for (const RawGroup& group : g.all())
      if (group.code == DxfCode::kAdditionalText) raw += db_.codec.decode(group.value);
    raw += db_.codec.decode(g.text(DxfCode::kText));
    std::vector<std::string> lines = mtextLines(raw);
    double height = g.real(DxfCode::kTextHeight, 1);
    double spacing = height * 5.0 / 3.0 * g.real(DxfCode::kLineSpacingFactor, 1);
    int attachment = std::clamp(g.integer(DxfCode::kAttachmentPoint, 1), 1, 9);
    Vec3 insertion = pointOf(g, DxfCode::kInsertionPoint), n = normalized(extrusionOf(g));
    // The text's x direction: given in world coordinates, else the rotation in its plane.
    Affine plane = objectToWorld(n);
    double rotation = g.real(DxfCode::kRotation) * kDegree;
    Vec3 xDir = g.find(DxfCode::kXAxisDirection)
                    ? normalized(pointOf(g, DxfCode::kXAxisDirection))
                    : plane.apply({std::cos(rotation), std::sin(rotation), 0});
    Vec3 yDir = cross(n, xDir);
    Affine frame = ctx.toWorld.after(Affine::columns(xDir, yDir, n, insertion));
    double blockHeight = height + spacing * double(lines.size() > 0 ? lines.size() - 1 : 0);
    int row = (attachment - 1) / 3, column = (attachment - 1) % 3;
    double top = row == 0 ? 0 : row == 1 ? blockHeight / 2 : blockHeight;
    for (size_t i = 0; i < lines.size(); ++i) {
      double width = estimatedWidth(lines[i], height, 1);
      double x = column == 0 ? 0 : column == 1 ? -width / 2 : -width;
      double y = top - height - spacing * double(i);
      addPlacedText(std::move(lines[i]), {x, y, 0}, height, 0, 1, frame, color);
    }
  }

  void drawSolid(const RecordGroups& g, ViewColor color, const Context& ctx, bool filled) {
    Vec3 c[4] = {pointOf(g, DxfCode::kFirstCorner), pointOf(g, DxfCode::kSecondCorner),
                 pointOf(g, DxfCode::kThirdCorner),
                 pointOf(g, DxfCode::kFourthCorner, pointOf(g, DxfCode::kThirdCorner))};
    // A solid's third and fourth corners run the other way round than an outline's.
    Affine to = filled ? ocs(g, ctx) : ctx.toWorld;
    std::vector<ViewPoint> outline =
        filled ? std::vector<ViewPoint>{to.flat(c[0]), to.flat(c[1]), to.flat(c[3]), to.flat(c[2])}
               : std::vector<ViewPoint>{to.flat(c[0]), to.flat(c[1]), to.flat(c[2]), to.flat(c[3])};
    addRun(outline, color, true, filled);
  }

  void drawLeader(const RecordGroups& g, ViewColor color, const Context& ctx) {
    std::vector<ViewPoint> points;
    for (size_t i = 0; i < g.size(); ++i)
      if (g[i].code == DxfCode::kVertex) {
        Vec3 p{realOf(g[i].value),
               i + 1 < g.size() && g[i + 1].code == dxfYCode(DxfCode::kVertex)
                   ? realOf(g[i + 1].value)
                   : 0,
               0};
        points.push_back(ctx.toWorld.flat(p));
      }
    if (points.size() >= 2) addRun(points, color);
  }

  void drawViewportFrame(const RecordGroups& g, ViewColor color, const Context& ctx) {
    if (g.integer(DxfCode::kViewportId) == 1) return;  // the sheet's own viewport has no frame
    Vec3 c = pointOf(g, DxfCode::kCenter);
    double w = g.real(DxfCode::kPaperWidth) / 2, h = g.real(DxfCode::kPaperHeight) / 2;
    if (!(w > 0 && h > 0)) return;
    addRun({ctx.toWorld.flat({c.x - w, c.y - h, c.z}), ctx.toWorld.flat({c.x + w, c.y - h, c.z}),
            ctx.toWorld.flat({c.x + w, c.y + h, c.z}), ctx.toWorld.flat({c.x - w, c.y + h, c.z})},
           color, true);
  }

  // A solid hatch fills its boundary loops; any other pattern shows as the loops' outlines.
  void drawHatch(const RecordGroups& g, ViewColor color, const Context& ctx) {
    Affine to = ocs(g, ctx);
    double elevation = g.real(DxfCode::kElevationZ);
    std::vector<std::vector<ViewPoint>> loops;
    ViewBox box;
    for (const std::vector<ViewPoint>& loop : hatchLoops(g)) {
      loops.push_back(placed(loop, to, elevation));
      for (ViewPoint p : loops.back()) box.add(p);
    }
    bool solid = g.integer(DxfCode::kSolidFill) == 1;
    if (solid && (!clip_ || clip_->contains(box))) return scene_.addArea(loops, color);
    for (std::vector<ViewPoint>& loop : loops) addRun(std::move(loop), color, true);
  }

  // A dimension's block shows it as a block reference on its layer would.
  void drawDimension(const RecordGroups& g, const LayerLook& layer, ViewColor color,
                     const Context& ctx) {
    auto found = blocks_.find(upperAscii(g.text(DxfCode::kBlockName)));
    if (found == blocks_.end() || !drawsSomething(found->second)) return;
    Context inner = ctx;
    inner.blockColor = color;
    inner.blockLayer = &layer;
    inner.blockPattern = pattern_;
    inner.blockLineWeight = lineWeight_;
    drawBlock(found->second, inner, ctx.toWorld);
  }

  void drawInsert(uint32_t record, const RecordGroups& g, const LayerLook& layer, ViewColor color,
                  const Context& ctx) {
    auto found = blocks_.find(upperAscii(g.text(DxfCode::kBlockName)));
    Context inner;
    inner.blockColor = color;
    inner.blockLayer = &layer;
    inner.blockPattern = pattern_;
    inner.blockLineWeight = lineWeight_;
    inner.depth = ctx.depth;
    if (found != blocks_.end() && ctx.depth < kMaxDepth && drawsSomething(found->second)) {
      const BlockLook& block = found->second;
      Vec3 at = pointOf(g, DxfCode::kInsertionPoint);
      double sx = g.real(DxfCode::kXScale, 1), sy = g.real(DxfCode::kYScale, 1);
      double sz = g.real(DxfCode::kZScale, 1);
      double rotation = g.real(DxfCode::kRotation) * kDegree;
      double c = std::cos(rotation), s = std::sin(rotation);
      int columns = std::max(1, g.integer(DxfCode::kColumnCount, 1));
      int rows = std::max(1, g.integer(DxfCode::kRowCount, 1));
      if (static_cast<long long>(columns) * rows > kMaxArrayElements) columns = rows = 1;
      double dx = g.real(DxfCode::kColumnSpacing), dy = g.real(DxfCode::kRowSpacing);
      Affine place = ocs(g, ctx);
      for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
          if (!spend() || pointsSpent()) return;
          // Rotate, scale and move the block's base point to the insertion point (plus this
          // element's offset in the array, which turns with the reference but is not scaled).
          double ox = column * dx, oy = row * dy;
          Vec3 origin{at.x + ox * c - oy * s, at.y + ox * s + oy * c, at.z};
          Affine local =
              Affine::columns({c * sx, s * sx, 0}, {-s * sy, c * sy, 0}, {0, 0, sz}, origin)
                  .after(Affine::columns({1, 0, 0}, {0, 1, 0}, {0, 0, 1},
                                         {-block.base.x, -block.base.y, -block.base.z}));
          drawBlock(block, inner, place.after(local));
        }
    }
    if (layer.off || g.integer(DxfCode::kAttributesFollow) != 1) return;
    // Attributes follow the reference; they are placed in the world already.
    for (uint32_t i = db_.at(record).next; i != kNoRecord && db_.at(i).has(kRecSubEntity);
         i = db_.at(i).next) {
      if (db_.typeName(db_.at(i)) != "ATTRIB") break;
      Context attributes = ctx;
      attributes.blockColor = color;
      attributes.depth = ctx.depth + 1;
      addNested(i, attributes);
    }
  }

  // The current top-level entity has added all the points it may.
  bool pointsSpent() const {
    return scene_.points().size() - entityFirstPoint_ > kMaxPointsPerEntity;
  }

  void drawBlock(const BlockLook& block, Context inner, const Affine& toWorld) {
    if (inner.depth >= kMaxDepth) return;
    if (std::find(expanding_.begin(), expanding_.end(), block.begin) != expanding_.end()) return;
    inner.toWorld = toWorld;
    inner.depth += 1;
    expanding_.push_back(block.begin);
    for (uint32_t i = db_.at(block.begin).next; i != kNoRecord && i != block.end;
         i = db_.at(i).next) {
      const TzDbStub& r = db_.at(i);
      if (!r.has(kRecEntity) || r.has(kRecErased)) continue;
      if (pointsSpent()) break;
      addNested(i, inner);
    }
    expanding_.pop_back();
  }

  TzDbDatabaseImpl& db_;
  Scene& scene_;
  SceneUse use_;
  std::unordered_map<std::string, LayerLook> layers_;
  std::unordered_map<std::string, BlockLook> blocks_;
  std::vector<RecordGroups> groups_;             // one per nesting depth, reused
  std::vector<uint32_t> expanding_;              // the blocks being drawn, outermost first
  std::unordered_map<uint32_t, bool> drawable_;  // by block: whether it draws anything
  size_t nestedWork_ = 0;
  size_t entityFirstPoint_ = 0;  // where the current top-level entity's points start
  std::string lastLayerName_;
  const LayerLook* lastLayer_ = &kDefaultLayer;
  bool paperLayout_ = false;
  std::unordered_map<uint64_t, const LayerLook*> layersByHandle_;
  std::unordered_map<std::string, LinePattern> linePatterns_;
  double ltscale_ = 1;                       // the drawing's line type scale
  const LinePattern* pattern_ = nullptr;     // the entity being drawn: its line type
  double patternScale_ = 1;                  // and that line type's scale
  int16_t lineWeight_ = kDefaultLineWeight;  // and its line weight
  size_t dashPointsLeft_ = kMaxDashPoints;
  std::optional<ViewBox> clip_;                     // a viewport's frame while drawing its view
  std::vector<const LayerLook*> frozenInViewport_;  // the layers that viewport freezes
};

}  // namespace

Scene buildScene(TzDbDatabase& database, TzDbObjectId layoutBlockRecord, SceneUse use) {
  Scene scene;
  TzDbDatabaseImpl& db = TzDbInternals::impl(database);
  uint32_t record = db.indexOf(layoutBlockRecord);
  if (record != kNoRecord) SceneBuilder(db, scene, use).addLayout(record);
  scene.finish();
  return scene;
}

Scene buildCurrentScene(TzDbDatabase& db) {
  return buildScene(db, db.currentSpaceId());
}

}  // namespace tzad
