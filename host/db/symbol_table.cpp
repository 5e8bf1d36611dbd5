#include "db/object_data.h"
#include "dxf/dxf_codes.h"
#include "tzdb_database.h"

namespace {

const char* subclassOf(std::string_view type) {
  if (type == "LAYER") return "AcDbLayerTableRecord";
  if (type == "VIEW") return "AcDbViewTableRecord";
  if (type == "APPID") return "AcDbRegAppTableRecord";
  if (type == "BLOCK_RECORD") return "AcDbBlockTableRecord";
  return "AcDbSymbolTableRecord";
}

// The kind of records a table holds, its name: as the drawing was read, without the blanks a
// file may put around it.
std::string tableType(const TzDbObjectData& d) {
  return std::string(trimBlanks(d.get(DxfCode::kName)));
}

TableIndex* indexOf(const TzDbObjectData& d) {
  return d.db ? d.db->table(tableType(d)) : nullptr;
}

}  // namespace

// --- iterator ------------------------------------------------------------------------------

TzDbSymbolTableIterator::TzDbSymbolTableIterator(std::vector<TzDbObjectId> ids, bool skipErased)
    : ids_(std::move(ids)) {
  skip(skipErased);
}
TzDbSymbolTableIterator::~TzDbSymbolTableIterator() = default;
bool TzDbSymbolTableIterator::done() const {
  return pos_ >= ids_.size();
}
void TzDbSymbolTableIterator::skip(bool skipErased) {
  while (skipErased && !done() && ids_[pos_].isErased()) ++pos_;
}
void TzDbSymbolTableIterator::step(bool forward, bool skipErased) {
  if (!forward) {
    pos_ = ids_.size();
    return;
  }
  if (!done()) ++pos_;
  skip(skipErased);
}
Tzad::ErrorStatus TzDbSymbolTableIterator::getRecordId(TzDbObjectId& id) const {
  if (done()) return Tzad::eInvalidInput;
  id = ids_[pos_];
  return Tzad::eOk;
}
TzDbObjectId TzDbSymbolTableIterator::recordId() const {
  return done() ? TzDbObjectId() : ids_[pos_];
}

// --- tables --------------------------------------------------------------------------------

Tzad::ErrorStatus TzDbSymbolTable::getIdAt(const TzString& name, TzDbObjectId& id,
                                           bool getErasedRecord) const {
  id = TzDbObjectId();
  if (dataOf(this).db == nullptr) return Tzad::eNoDatabase;
  uint32_t r =
      dataOf(this).db->findTableRecord(tableType(dataOf(this)), name, getErasedRecord);
  if (r == kNoRecord) return Tzad::eKeyNotFound;
  id = dataOf(this).db->idOf(r);
  return Tzad::eOk;
}

Tzad::ErrorStatus TzDbSymbolTable::getAt(const TzString& name, TzDbSymbolTableRecord*& rec,
                                         TzDb::OpenMode mode, bool openErasedRecord) const {
  rec = nullptr;
  TzDbObjectId id;
  Tzad::ErrorStatus es = getIdAt(name, id, openErasedRecord);
  if (es != Tzad::eOk) return es;
  return tzdbOpenObject(rec, id, mode, openErasedRecord);
}

bool TzDbSymbolTable::has(const TzString& name) const {
  TzDbObjectId id;
  return getIdAt(name, id) == Tzad::eOk;
}

Tzad::ErrorStatus TzDbSymbolTable::add(TzDbSymbolTableRecord* record) {
  TzDbObjectId id;
  return add(id, record);
}

Tzad::ErrorStatus TzDbSymbolTable::add(TzDbObjectId& id, TzDbSymbolTableRecord* record) {
  if (!isWriteEnabled()) return Tzad::eNotOpenForWrite;
  if (record == nullptr) return Tzad::eInvalidInput;
  TzDbObjectData& rd = dataOf(record);
  if (!rd.isNew()) return Tzad::eAlreadyInDb;
  TzDbDatabaseImpl& db = *dataOf(this).db;
  TableIndex* table = indexOf(dataOf(this));
  std::string tableName = tableType(dataOf(this));
  if (table == nullptr || rd.type != tableName) return Tzad::eNotThatKindOfClass;
  if (table->endtab == kNoRecord) {
    if (!db.addTable(tableName)) return Tzad::eNotApplicable;
    loadObjectData(dataOf(this), db, dataOf(this).record);  // the table's text is the file's now
  }
  std::string name = rd.get(DxfCode::kName);
  if (trimBlanks(name).empty()) return Tzad::eInvalidInput;
  if (db.findTableRecord(tableName, tzutFromUtf8(name)) != kNoRecord) return Tzad::eDuplicateKey;

  uint64_t handle = db.allocateHandle();
  DxfTags groups(rd.tags().begin() + 1, rd.tags().end());
  std::string body = db.newRecordText(rd.type, handle, objectId().handle().value(),
                                      {"AcDbSymbolTableRecord", subclassOf(rd.type)}, groups);
  uint32_t index = db.insertRecord(db.previousOf(table->endtab), rd.type, body, handle,
                                   db.fileHasHandles ? 0 : kRecNoHandle);
  if (index == kNoRecord) return Tzad::eOutOfMemory;
  table->records.push_back(index);
  table->byNameValid = false;
  if (dataOf(this).getInt(DxfCode::kFlags, 0) < static_cast<int>(table->records.size()))
    dataOf(this).setInt(DxfCode::kFlags, static_cast<int>(table->records.size()));
  loadObjectData(rd, db, index);
  rd.mode = TzDb::kForWrite;
  db.at(index).openedForWrite = 1;
  id = db.idOf(index);
  return Tzad::eOk;
}

Tzad::ErrorStatus TzDbSymbolTable::newIterator(TzDbSymbolTableIterator*& it, bool atBeginning,
                                               bool skipDeleted) const {
  it = nullptr;
  std::vector<TzDbObjectId> ids;
  if (TableIndex* table = indexOf(dataOf(this)))
    for (uint32_t r : table->records) ids.push_back(dataOf(this).db->idOf(r));
  it = new TzDbSymbolTableIterator(std::move(ids), skipDeleted);
  if (!atBeginning) it->step(false);
  return Tzad::eOk;
}

// --- records -------------------------------------------------------------------------------

Tzad::ErrorStatus TzDbSymbolTableRecord::getName(TzString& name) const {
  name = tzutFromUtf8(dataOf(this).get(DxfCode::kName));
  return Tzad::eOk;
}
TzString TzDbSymbolTableRecord::getName() const {
  return tzutFromUtf8(dataOf(this).get(DxfCode::kName));
}
Tzad::ErrorStatus TzDbSymbolTableRecord::setName(const TzString& name) {
  if (!isWriteEnabled()) return Tzad::eNotOpenForWrite;
  if (trimBlanks(tzutToUtf8(name)).empty()) return Tzad::eInvalidInput;
  TzDbObjectData& d = dataOf(this);
  if (!d.isNew()) {
    uint32_t other = d.db->findTableRecord(d.type, name);
    if (other != kNoRecord && other != d.record) return Tzad::eDuplicateKey;
  }
  d.set(DxfCode::kName, tzutToUtf8(name), DxfCode::kSubclass);
  return Tzad::eOk;
}

TzDbLayerTableRecord::TzDbLayerTableRecord() {
  dataOf(this).type = "LAYER";
  dataOf(this).tags() = {DxfTag(0, "LAYER"), DxfTag(2, ""), DxfTag(70, "0"), DxfTag(62, "7"),
                         DxfTag(6, "Continuous")};
}
namespace {
Tzad::ErrorStatus setFlag(TzDbObject* o, int bit, bool on) {
  if (!o->isWriteEnabled()) return Tzad::eNotOpenForWrite;
  TzDbObjectData& d = dataOf(o);
  int flags = d.getInt(DxfCode::kFlags, 0);
  int changed = on ? flags | bit : flags & ~bit;
  if (changed != flags) d.setInt(DxfCode::kFlags, changed, DxfCode::kName);
  return Tzad::eOk;
}
}  // namespace
bool TzDbLayerTableRecord::isFrozen() const {
  return (dataOf(this).getInt(DxfCode::kFlags) & kLayerFrozen) != 0;
}
Tzad::ErrorStatus TzDbLayerTableRecord::setIsFrozen(bool frozen) {
  return setFlag(this, kLayerFrozen, frozen);
}
bool TzDbLayerTableRecord::isLocked() const {
  return (dataOf(this).getInt(DxfCode::kFlags) & kLayerLocked) != 0;
}
Tzad::ErrorStatus TzDbLayerTableRecord::setIsLocked(bool locked) {
  return setFlag(this, kLayerLocked, locked);
}
bool TzDbLayerTableRecord::isOff() const {
  return dataOf(this).getInt(DxfCode::kColor, 7) < 0;
}
Tzad::ErrorStatus TzDbLayerTableRecord::setIsOff(bool off) {
  if (!isWriteEnabled()) return Tzad::eNotOpenForWrite;
  int index = colorIndex();
  dataOf(this).setInt(DxfCode::kColor, off ? -index : index, DxfCode::kFlags);
  return Tzad::eOk;
}
int TzDbLayerTableRecord::colorIndex() const {
  int c = dataOf(this).getInt(DxfCode::kColor, 7);
  return c < 0 ? -c : c;
}
TzCmColor TzDbLayerTableRecord::color() const {
  TzCmColor c;
  return c.setColorIndex(colorIndex()) == Tzad::eOk ? c : TzCmColor();
}
Tzad::ErrorStatus TzDbLayerTableRecord::setColor(const TzCmColor& color) {
  return setColorIndex(color.colorIndex());
}
Tzad::ErrorStatus TzDbLayerTableRecord::setColorIndex(int index) {
  if (!isWriteEnabled()) return Tzad::eNotOpenForWrite;
  if (index < 1 || index > 255) return Tzad::eInvalidInput;
  dataOf(this).setInt(DxfCode::kColor, isOff() ? -index : index, DxfCode::kFlags);
  return Tzad::eOk;
}

TzDbViewTableRecord::TzDbViewTableRecord() {
  dataOf(this).type = "VIEW";
  dataOf(this).tags() = {DxfTag(0, "VIEW"), DxfTag(2, ""),      DxfTag(70, "0"),
                         DxfTag(40, "1.0"), DxfTag(10, "0.0"),  DxfTag(20, "0.0"),
                         DxfTag(41, "1.0"), DxfTag(11, "0.0"),  DxfTag(21, "0.0"),
                         DxfTag(31, "1.0"), DxfTag(12, "0.0"),  DxfTag(22, "0.0"),
                         DxfTag(32, "0.0"), DxfTag(42, "50.0"), DxfTag(43, "0.0"),
                         DxfTag(44, "0.0"), DxfTag(50, "0.0"),  DxfTag(71, "0")};
}
bool TzDbViewTableRecord::isPaperspaceView() const {
  return (dataOf(this).getInt(DxfCode::kFlags) & kViewInPaperSpace) != 0;
}
Tzad::ErrorStatus TzDbViewTableRecord::setIsPaperspaceView(bool paper) {
  return setFlag(this, kViewInPaperSpace, paper);
}
TzGePoint3d TzDbViewTableRecord::centerPoint() const {
  return {dataOf(this).getReal(DxfCode::kX), dataOf(this).getReal(DxfCode::kY), 0.0};
}
Tzad::ErrorStatus TzDbViewTableRecord::setCenterPoint(const TzGePoint3d& c) {
  if (!isWriteEnabled()) return Tzad::eNotOpenForWrite;
  dataOf(this).setReal(DxfCode::kX, c.x, DxfCode::kHeight);
  dataOf(this).setReal(DxfCode::kY, c.y, DxfCode::kX);
  return Tzad::eOk;
}
double TzDbViewTableRecord::height() const {
  return dataOf(this).getReal(DxfCode::kHeight, 1.0);
}
Tzad::ErrorStatus TzDbViewTableRecord::setHeight(double h) {
  if (!isWriteEnabled()) return Tzad::eNotOpenForWrite;
  if (!(h > 0)) return Tzad::eInvalidInput;
  dataOf(this).setReal(DxfCode::kHeight, h, DxfCode::kFlags);
  return Tzad::eOk;
}
double TzDbViewTableRecord::width() const {
  return dataOf(this).getReal(DxfCode::kWidth, 1.0);
}
Tzad::ErrorStatus TzDbViewTableRecord::setWidth(double w) {
  if (!isWriteEnabled()) return Tzad::eNotOpenForWrite;
  if (!(w > 0)) return Tzad::eInvalidInput;
  dataOf(this).setReal(DxfCode::kWidth, w, DxfCode::kY);
  return Tzad::eOk;
}

TzDbRegAppTableRecord::TzDbRegAppTableRecord() {
  dataOf(this).type = "APPID";
  dataOf(this).tags() = {DxfTag(0, "APPID"), DxfTag(2, ""), DxfTag(70, "0")};
}
