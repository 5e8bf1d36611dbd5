#include <charconv>
#include <cmath>

#include "db/object_data.h"
#include "dxf/dxf_codes.h"
#include "tzdb_database.h"

namespace {

// Where a new group of the AcDbEntity part goes: after the subclass marker, else after the
// handle and owner groups, else right after the type.
size_t entityInsertPos(const DxfTags& tags) {
  size_t pos = 1;
  for (size_t i = 0; i < tags.size(); ++i) {
    if (tags[i].code == DxfCode::kSubclass) return i + 1;
    if (tags[i].code == DxfCode::kHandle || tags[i].code == DxfCode::kOwner) pos = i + 1;
  }
  return std::min(pos, tags.size());
}

void setEntityTag(TzDbObjectData& d, int code, const std::string& value) {
  d.bodyChanged = true;
  if (DxfTag* t = d.find(code)) {
    t->set(value);
    return;
  }
  size_t pos = entityInsertPos(d.tags());
  if (code == DxfCode::kColor) {  // colour follows the layer
    for (size_t i = 0; i < d.tags().size(); ++i)
      if (d.tags()[i].code == DxfCode::kLayer) pos = i + 1;
  }
  d.tags().insert(d.tags().begin() + static_cast<long>(pos), DxfTag(code, value));
}

}  // namespace

TzDbEntity::TzDbEntity() {
  dataOf(this).tags() = {DxfTag(0, ""), DxfTag(8, "0")};
}

TzString TzDbEntity::layer() const {
  return tzutFromUtf8(dataOf(this).layerName());
}

TzDbObjectId TzDbEntity::layerId() const {
  if (dataOf(this).db == nullptr) return {};
  return dataOf(this).db->idOf(dataOf(this).db->findTableRecord("LAYER", layer()));
}

Tzad::ErrorStatus TzDbEntity::setLayer(TzDbObjectId layerId, bool, bool) {
  if (!isWriteEnabled()) return Tzad::eNotOpenForWrite;
  TzDbStub* stub = TzDbInternals::stub(layerId);
  if (stub == nullptr) return Tzad::eNullObjectId;
  if (stub->db()->typeName(*stub) != "LAYER") return Tzad::eNotThatKindOfClass;
  if (dataOf(this).db && stub->db() != dataOf(this).db) return Tzad::eInvalidInput;
  setEntityTag(dataOf(this), 8, tzutToUtf8(stub->db()->recordName(stub->index())));
  return Tzad::eOk;
}

Tzad::ErrorStatus TzDbEntity::setLayer(const TzString& layerName, bool) {
  if (!isWriteEnabled()) return Tzad::eNotOpenForWrite;
  if (dataOf(this).db && dataOf(this).db->findTableRecord("LAYER", layerName) == kNoRecord)
    return Tzad::eKeyNotFound;
  setEntityTag(dataOf(this), 8, tzutToUtf8(layerName));
  return Tzad::eOk;
}

int TzDbEntity::colorIndex() const {
  return dataOf(this).getInt(DxfCode::kColor, 256);
}

Tzad::ErrorStatus TzDbEntity::setColorIndex(int index) {
  if (!isWriteEnabled()) return Tzad::eNotOpenForWrite;
  if (index < 0 || index > 257) return Tzad::eInvalidInput;
  setEntityTag(dataOf(this), 62, std::to_string(index));
  return Tzad::eOk;
}

void TzDbEntity::setDatabaseDefaults(TzDbDatabase* db) {
  if (db == nullptr)
    db = database() ? database() : tzdbHostApplicationServices()->workingDatabase();
  if (db == nullptr) return;
  std::string layerName =
      std::string(trimBlanks(TzDbInternals::impl(*db).headerVar("$CLAYER").value_or("0")));
  if (TzDbInternals::impl(*db).findTableRecord("LAYER", tzutFromUtf8(layerName)) == kNoRecord)
    layerName = "0";
  setEntityTag(dataOf(this), 8, layerName);
}

bool TzDbEntity::isInPaperSpace() const {
  std::string_view v = trimBlanks(dataOf(this).firstValue(DxfCode::kPaperSpace));
  int space = 0;
  std::from_chars(v.data(), v.data() + v.size(), space);
  return space == 1;
}

// --- TzDb3dPolyline ---------------------------------------------------------------------

TzDb3dPolyline::TzDb3dPolyline() : TzDb3dPolyline(TzDb::k3dSimplePoly, {}, false) {}

TzDb3dPolyline::TzDb3dPolyline(TzDb::Poly3dType type, const std::vector<TzGePoint3d>& vertices,
                               bool closed) {
  TzDbObjectData& d = dataOf(this);
  d.type = "POLYLINE";
  d.tags() = {DxfTag(0, "POLYLINE"),
              DxfTag(8, "0"),
              DxfTag(66, "1"),
              DxfTag(10, "0.0"),
              DxfTag(20, "0.0"),
              DxfTag(30, "0.0"),
              DxfTag(70, std::to_string(kPolyline3d | (closed ? kPolylineClosed : 0))),
              DxfTag(75, std::to_string(type == TzDb::k3dQuadSplinePoly    ? 5
                                        : type == TzDb::k3dCubicSplinePoly ? 6
                                                                           : 0))};
  d.newVertices = vertices;
}

TzDb::Poly3dType TzDb3dPolyline::polyType() const {
  int curve = dataOf(this).getInt(DxfCode::kCurveType, 0);
  return curve == 5   ? TzDb::k3dQuadSplinePoly
         : curve == 6 ? TzDb::k3dCubicSplinePoly
                      : TzDb::k3dSimplePoly;
}

bool TzDb3dPolyline::isClosed() const {
  return (dataOf(this).getInt(DxfCode::kFlags) & kPolylineClosed) != 0;
}

Tzad::ErrorStatus TzDb3dPolyline::makeClosed() {
  if (!isWriteEnabled()) return Tzad::eNotOpenForWrite;
  dataOf(this).set(DxfCode::kFlags,
                   std::to_string(dataOf(this).getInt(DxfCode::kFlags) | kPolylineClosed));
  return Tzad::eOk;
}

Tzad::ErrorStatus TzDb3dPolyline::makeOpen() {
  if (!isWriteEnabled()) return Tzad::eNotOpenForWrite;
  dataOf(this).set(DxfCode::kFlags,
                   std::to_string(dataOf(this).getInt(DxfCode::kFlags) & ~kPolylineClosed));
  return Tzad::eOk;
}

std::vector<TzGePoint3d> TzDb3dPolyline::vertices() const {
  const TzDbObjectData& d = dataOf(this);
  if (d.isNew()) return d.newVertices;
  std::vector<TzGePoint3d> points;
  TzDbDatabaseImpl& db = *d.db;
  for (uint32_t i = db.at(d.record).next; i != kNoRecord && db.at(i).has(kRecSubEntity);
       i = db.at(i).next) {
    if (db.typeName(db.at(i)) != "VERTEX") break;
    TzDbObjectData v;
    loadObjectData(v, db, i);
    points.push_back({v.getReal(DxfCode::kX), v.getReal(DxfCode::kY), v.getReal(DxfCode::kZ)});
  }
  return points;
}
