// Area hyperlinks: a closed rectangle on URLLAYER, drawn from two corners, that carries the
// hyperlink.
#include <memory>
#include <vector>

#include "commands/answers.h"
#include "commands/hyperlink_commands.h"
#include "model/entity_hyperlinks.h"
#include "tzdb_database.h"

namespace {

constexpr char16_t kAreaLayer[] = u"URLLAYER";

// The id of URLLAYER, made (with colour index 1) when the drawing has none yet.
TzDbObjectId areaLayer(TzDbDatabase& db) {
  TzDbLayerTable* table = nullptr;
  if (db.getSymbolTable(table, TzDb::kForWrite) != Tzad::eOk) return {};
  TzDbObjectId id;
  if (table->getIdAt(kAreaLayer, id) != Tzad::eOk) {
    auto layer = std::make_unique<TzDbLayerTableRecord>();
    layer->setName(kAreaLayer);
    TzCmColor red;
    red.setColorIndex(1);
    layer->setColor(red);
    if (table->add(id, layer.get()) == Tzad::eOk) layer.release()->close();
  }
  table->close();
  return id;
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

TzGePoint3d toWorld(double x, double y, double z) {
  double ucs[3] = {x, y, z}, wcs[3];
  tzdbUcs2Wcs(ucs, wcs, false);
  return {wcs[0], wcs[1], wcs[2]};
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
  std::vector<TzGePoint3d> corners = {
      toWorld(first[0], first[1], first[2]), toWorld(first[0], other[1], first[2]),
      toWorld(other[0], other[1], other[2]), toWorld(other[0], first[1], other[2])};
  auto rectangle = std::make_unique<TzDb3dPolyline>(TzDb::k3dSimplePoly, corners, true);
  TzDbObjectId id;
  if (!appendToCurrentSpace(rectangle.get(), layerId, id)) return RTERROR;
  rectangle.release();  // the drawing owns it now
  TzArray<TzDbObjectId> ids;
  ids.append(id);
  int status = promptHyperlinkFields(ids);
  if (status == RTNORM) return RTNORM;
  if (status == RTCAN) printText(text::kAreaCancelled);
  TzDbObjectPointer<TzDbEntity> drawn(id, TzDb::kForWrite);
  if (drawn) drawn->erase();
  return RTERROR;
}

bool appendToCurrentSpace(TzDbEntity* entity, TzDbObjectId layer, TzDbObjectId& id) {
  TzDbDatabase* db = tzdbHostApplicationServices()->workingDatabase();
  if (db == nullptr || entity == nullptr) return false;
  entity->setDatabaseDefaults(db);
  if (!layer.isNull()) entity->setLayer(layer, true, false);
  TzDbBlockTableRecord* space = nullptr;
  if (tzdbOpenObject(space, db->currentSpaceId(), TzDb::kForWrite) != Tzad::eOk) return false;
  if (space->appendTzDbEntity(id, entity) != Tzad::eOk) {
    space->close();
    return false;
  }
  entity->close();
  space->close();
  tz_name name;
  if (tzdbGetTwsName(name, id) == Tzad::eOk) tzdbEntUpd(name);
  return true;
}
