// Area hyperlinks: a closed rectangle on URLLAYER, drawn from two corners, that carries the
// hyperlink.
#include <memory>
#include <vector>

#include "commands/answers.h"
#include "commands/hyperlink_commands.h"
#include "model/entity_hyperlinks.h"
#include "tzdb_database.h"

namespace hyperlink {

namespace {

constexpr char16_t kAreaLayer[] = u"URLLAYER";

// Adds URLLAYER with colour index 1 to the layer table.
Tzad::ErrorStatus addAreaLayer(TzDbLayerTable& table, TzDbObjectId& id) {
  auto layer = std::make_unique<TzDbLayerTableRecord>();
  TzCmColor red;
  Tzad::ErrorStatus es = layer->setName(kAreaLayer);
  if (es == Tzad::eOk) es = red.setColorIndex(1);
  if (es == Tzad::eOk) es = layer->setColor(red);
  if (es != Tzad::eOk) return es;
  return tzdbAddNewObject(table, std::move(layer), id);
}

// The id of URLLAYER, made when the drawing has none yet; null when neither works.
TzDbObjectId areaLayer(TzDbDatabase& db) {
  TzDbLayerTable* opened = nullptr;
  if (db.getSymbolTable(opened, TzDb::kForWrite) != Tzad::eOk) return {};
  TzDbObjectPointer<TzDbLayerTable> table(opened);
  TzDbObjectId id;
  if (table->getIdAt(kAreaLayer, id) != Tzad::eOk && addAreaLayer(*table.get(), id) != Tzad::eOk)
    id = {};
  if (table.close() != Tzad::eOk) return {};
  return id;
}

// Takes a drawn rectangle out again. When that fails too, the rectangle stays without a
// hyperlink, which the user sees and can erase.
void eraseEntity(TzDbObjectId id) {
  TzDbObjectPointer<TzDbEntity> drawn(id, TzDb::kForWrite);
  if (drawn) static_cast<void>(drawn->erase());
}

// Asks for a corner until one is given; RTCAN when cancelled.
int askCorner(const TextId& prompt, const double* from, double* point) {
  ResourceString question(prompt);
  loadResourceString(question);
  while (true) {
    int status = from ? tzedGetCorner(from, question.text, point)
                      : tzedGetPoint(nullptr, question.text, point);
    if (status == RTNORM || status == RTCAN) return status;
  }
}

bool toWorld(double x, double y, double z, std::vector<TzGePoint3d>& corners) {
  double ucs[3] = {x, y, z}, wcs[3];
  if (tzdbUcs2Wcs(ucs, wcs, false) != RTNORM) return false;
  corners.push_back({wcs[0], wcs[1], wcs[2]});
  return true;
}

}  // namespace

int insertAreaHyperlink() {
  TzDbDatabase* db = tzdbHostApplicationServices()->workingDatabase();
  if (db == nullptr) return RTERROR;
  TzDbObjectId layerId = areaLayer(*db);
  {
    TzDbObjectPointer<TzDbLayerTableRecord> layer(layerId, TzDb::kForRead);
    if (layer && layer->isFrozen()) {
      printText(text::kUrlLayerFrozen);
      return RTERROR;
    }
    if (layer && layer->isLocked()) {
      printText(text::kUrlLayerLocked);
      return RTERROR;
    }
  }
  double first[3], other[3];
  if (askCorner(text::kFirstCorner, nullptr, first) == RTCAN) return RTCAN;
  if (askCorner(text::kOtherCorner, first, other) == RTCAN) return RTCAN;
  std::vector<TzGePoint3d> corners;
  if (!toWorld(first[0], first[1], first[2], corners) ||
      !toWorld(first[0], other[1], first[2], corners) ||
      !toWorld(other[0], other[1], other[2], corners) ||
      !toWorld(other[0], first[1], other[2], corners))
    return RTERROR;
  TzDbObjectId id;
  if (!appendToCurrentSpace(std::make_unique<TzDb3dPolyline>(TzDb::k3dSimplePoly, corners, true),
                            layerId, id))
    return RTERROR;
  TzArray<TzDbObjectId> ids;
  ids.append(id);
  int status = promptHyperlinkFields(ids);
  if (status == RTNORM) return RTNORM;
  if (status == RTCAN) printText(text::kAreaCancelled);
  eraseEntity(id);
  return RTERROR;
}

bool appendToCurrentSpace(std::unique_ptr<TzDbEntity> entity, TzDbObjectId layer,
                          TzDbObjectId& id) {
  id = {};
  TzDbDatabase* db = tzdbHostApplicationServices()->workingDatabase();
  if (db == nullptr || entity == nullptr) return false;
  entity->setDatabaseDefaults(db);
  if (!layer.isNull() && entity->setLayer(layer, true, false) != Tzad::eOk) return false;
  TzDbObjectPointer<TzDbBlockTableRecord> space(db->currentSpaceId(), TzDb::kForWrite);
  if (!space) return false;
  Tzad::ErrorStatus es = tzdbAddNewObject(*space.get(), std::move(entity), id);
  Tzad::ErrorStatus closed = space.close();
  if (es == Tzad::eOk) es = closed;
  if (es != Tzad::eOk) {
    if (!id.isNull()) eraseEntity(id);
    return false;
  }
  tz_name name;
  // A redraw that cannot be asked for leaves the drawing as it is.
  if (tzdbGetTwsName(name, id) == Tzad::eOk) static_cast<void>(tzdbEntUpd(name));
  return true;
}

}  // namespace hyperlink
