#include "db/object_data.h"
#include "dxf/dxf_codes.h"
#include "tzdb_database.h"

namespace {

// The groups of a new entity's AcDbEntity part.
DxfTags entityGroups(const TzDbObjectData& e, bool paper) {
  DxfTags g;
  if (paper) g.emplace_back(67, "1");
  g.emplace_back(DxfCode::kLayer, e.get(DxfCode::kLayer, "0"));
  if (const DxfTag* color = e.find(DxfCode::kColor)) g.emplace_back(DxfCode::kColor, color->value);
  return g;
}

DxfTags concat(DxfTags a, const DxfTags& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Leaves out a polyline whose vertices could not all be added, with those that were.
uint32_t dropPolyline(TzDbDatabaseImpl& db, uint32_t poly) {
  db.journal.touch(db, poly);
  db.at(poly).flags |= kRecErased;
  for (uint32_t i = db.at(poly).next; i != kNoRecord && db.at(i).has(kRecSubEntity);
       i = db.at(i).next) {
    db.journal.touch(db, i);
    db.at(i).flags |= kRecErased;
  }
  return kNoRecord;
}

// Appends a polyline with its vertices and end marker after `after`; returns the polyline, or
// kNoRecord when its text could not be stored.
uint32_t appendPolyline(TzDbDatabaseImpl& db, const TzDbObjectData& e, uint32_t after,
                        uint64_t owner, bool paper, uint8_t flags) {
  uint64_t handle = db.allocateHandle();
  DxfTags own;
  for (const DxfTag& t : e.tags())
    if (t.code != DxfCode::kType && t.code != DxfCode::kLayer && t.code != DxfCode::kColor &&
        t.code != DxfCode::kPaperSpace)
      own.emplace_back(t.code, t.value);
  DxfTags groups = concat(entityGroups(e, paper), DxfTags{DxfTag(100, "AcDb3dPolyline")});
  groups = concat(groups, own);
  uint32_t poly = db.insertRecord(
      after, "POLYLINE", db.newRecordText("POLYLINE", handle, owner, {"AcDbEntity"}, groups),
      handle, flags);
  if (poly == kNoRecord) return kNoRecord;
  uint32_t last = poly;
  for (const TzGePoint3d& p : e.newVertices) {
    uint64_t vh = db.allocateHandle();
    DxfTags v = concat(
        entityGroups(e, paper),
        {DxfTag(100, "AcDbVertex"), DxfTag(100, "AcDb3dPolylineVertex"),
         DxfTag(10, formatReal(p.x)), DxfTag(20, formatReal(p.y)), DxfTag(30, formatReal(p.z)),
         DxfTag(DxfCode::kFlags, std::to_string(kVertexOf3dPolyline))});
    last =
        db.insertRecord(last, "VERTEX", db.newRecordText("VERTEX", vh, handle, {"AcDbEntity"}, v),
                        vh, static_cast<uint8_t>((flags & ~kRecEntity) | kRecSubEntity));
    if (last == kNoRecord) return dropPolyline(db, poly);
  }
  uint64_t sh = db.allocateHandle();
  uint32_t end = db.insertRecord(
      last, "SEQEND",
      db.newRecordText("SEQEND", sh, handle, {"AcDbEntity"}, entityGroups(e, paper)), sh,
      static_cast<uint8_t>((flags & ~kRecEntity) | kRecSubEntity));
  return end == kNoRecord ? dropPolyline(db, poly) : poly;
}

}  // namespace

Tzad::ErrorStatus TzDbBlockTableRecord::appendTzDbEntity(TzDbObjectId& id, TzDbEntity* entity) {
  id = TzDbObjectId();
  if (!isWriteEnabled()) return Tzad::eNotOpenForWrite;
  if (entity == nullptr) return Tzad::eInvalidInput;
  TzDbObjectData& e = dataOf(entity);
  if (!e.isNew()) return Tzad::eAlreadyInDb;
  if (dataOf(this).isNew()) return Tzad::eNotInDatabase;
  TzDbDatabaseImpl& db = *dataOf(this).db;
  uint32_t self = dataOf(this).record;
  bool inEntitiesSection = self == db.modelSpace || self == db.paperSpace;
  uint32_t end = kNoRecord;
  if (inEntitiesSection) {
    if (db.entitiesEnd == kNoRecord) db.addSection(Section::Entities);
    end = db.entitiesEnd;
  } else if (uint32_t b = db.blockOfRecord(self); b != kNoRecord) {
    end = db.blocks[b].end;
  }
  if (end == kNoRecord) return Tzad::eNotApplicable;
  bool paper = db.isPaperLayoutRecord(self);
  uint8_t flags = kRecEntity | (paper && inEntitiesSection ? kRecPaper : 0) |
                  (db.fileHasHandles ? 0 : kRecNoHandle);
  uint64_t owner = db.at(self).has(kRecVirtual) ? 0 : db.at(self).handle;
  uint32_t index;
  if (e.type == "POLYLINE") {
    index = appendPolyline(db, e, db.previousOf(end), owner, paper, flags);
  } else {
    uint64_t handle = db.allocateHandle();
    DxfTags own;
    for (const DxfTag& t : e.tags())
      if (t.code != DxfCode::kType && t.code != DxfCode::kLayer && t.code != DxfCode::kColor &&
          t.code != DxfCode::kPaperSpace)
        own.emplace_back(t.code, t.value);
    index = db.insertRecord(db.previousOf(end), e.type,
                            db.newRecordText(e.type, handle, owner, {"AcDbEntity"},
                                             concat(entityGroups(e, paper), own)),
                            handle, flags);
  }
  if (index == kNoRecord) return Tzad::eOutOfMemory;
  e.newVertices.clear();
  loadObjectData(e, db, index);
  e.mode = TzDb::kForWrite;
  db.at(index).openedForWrite = 1;
  id = db.idOf(index);
  return Tzad::eOk;
}

bool TzDbBlockTableRecord::isLayout() const {
  const TzDbObjectData& d = dataOf(this);
  return !d.isNew() && (d.record == d.db->modelSpace || d.db->isPaperLayoutRecord(d.record));
}

std::vector<TzDbObjectId> TzDbBlockTableRecord::entityIds() const {
  std::vector<TzDbObjectId> ids;
  const TzDbObjectData& d = dataOf(this);
  if (d.isNew()) return ids;
  TzDbDatabaseImpl& db = *d.db;
  uint32_t from = kNoRecord, to = kNoRecord;
  bool wantPaper = d.record == db.paperSpace;
  if (d.record == db.modelSpace || wantPaper) {
    from = db.entitiesBegin;
    to = db.entitiesEnd;
  } else if (uint32_t b = db.blockOfRecord(d.record); b != kNoRecord) {
    from = db.blocks[b].begin;
    to = db.blocks[b].end;
  }
  if (from == kNoRecord) return ids;
  for (uint32_t i = db.at(from).next; i != kNoRecord && i != to; i = db.at(i).next) {
    const TzDbStub& r = db.at(i);
    if (!r.has(kRecEntity) || r.has(kRecErased)) continue;
    if ((d.record == db.modelSpace || wantPaper) && r.has(kRecPaper) != wantPaper) continue;
    ids.push_back(db.idOf(i));
  }
  return ids;
}
