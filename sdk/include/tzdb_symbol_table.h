// Symbol tables (layers, views, block records, registered applications) and their records.
#pragma once

#include <memory>
#include <type_traits>
#include <vector>

#include "tz_export.h"
#include "tzdb_entity.h"

TZAD_SDK_BEGIN

class TzDbSymbolTableRecord;

class TzDbSymbolTableIterator {
 public:
  ~TzDbSymbolTableIterator();
  bool done() const;
  void step(bool forward = true, bool skipErased = true);
  Tzad::ErrorStatus getRecordId(TzDbObjectId& id) const;
  TzDbObjectId recordId() const;

 private:
  friend class TzDbSymbolTable;
  TzDbSymbolTableIterator(std::vector<TzDbObjectId> ids, bool skipErased);
  void skip(bool skipErased);
  std::vector<TzDbObjectId> ids_;
  size_t pos_ = 0;
};

class TzDbSymbolTable : public TzDbObject {
 public:
  TZRX_DECLARE_MEMBERS(TzDbSymbolTable)

  // Looks a record up by name ignoring case. getErasedRecord false skips erased records.
  Tzad::ErrorStatus getIdAt(const TzString& name, TzDbObjectId& id,
                            bool getErasedRecord = false) const;
  Tzad::ErrorStatus getAt(const TzString& name, TzDbObjectId& id,
                          bool getErasedRecord = false) const {
    return getIdAt(name, id, getErasedRecord);
  }
  Tzad::ErrorStatus getAt(const TzString& name, TzDbSymbolTableRecord*& rec, TzDb::OpenMode mode,
                          bool openErasedRecord = false) const;
  bool has(const TzString& name) const;
  // Adds a new record (open for write, not yet in a database). The record is left open for
  // write; the caller closes it. Names must be unique ignoring case.
  Tzad::ErrorStatus add(TzDbSymbolTableRecord* record);
  Tzad::ErrorStatus add(TzDbObjectId& id, TzDbSymbolTableRecord* record);
  // The iterator is the caller's to delete.
  Tzad::ErrorStatus newIterator(TzDbSymbolTableIterator*& it, bool atBeginning = true,
                                bool skipDeleted = true) const;

 protected:
  using TzDbObject::TzDbObject;
};

class TzDbLayerTable : public TzDbSymbolTable {
 public:
  TZRX_DECLARE_MEMBERS(TzDbLayerTable)
 protected:
  using TzDbSymbolTable::TzDbSymbolTable;
};

class TzDbViewTable : public TzDbSymbolTable {
 public:
  TZRX_DECLARE_MEMBERS(TzDbViewTable)
 protected:
  using TzDbSymbolTable::TzDbSymbolTable;
};

class TzDbBlockTable : public TzDbSymbolTable {
 public:
  TZRX_DECLARE_MEMBERS(TzDbBlockTable)
 protected:
  using TzDbSymbolTable::TzDbSymbolTable;
};

class TzDbRegAppTable : public TzDbSymbolTable {
 public:
  TZRX_DECLARE_MEMBERS(TzDbRegAppTable)
 protected:
  using TzDbSymbolTable::TzDbSymbolTable;
};

class TzDbSymbolTableRecord : public TzDbObject {
 public:
  TZRX_DECLARE_MEMBERS(TzDbSymbolTableRecord)
  Tzad::ErrorStatus getName(TzString& name) const;
  TzString getName() const;
  Tzad::ErrorStatus setName(const TzString& name);

 protected:
  using TzDbObject::TzDbObject;
};

// An ACI colour; CAD SDKs pass colours as objects.
class TzCmColor {
 public:
  TzCmColor() = default;
  Tzad::ErrorStatus setColorIndex(int index) {
    index_ = index;
    return Tzad::eOk;
  }
  int colorIndex() const { return index_; }

 private:
  int index_ = 7;
};

class TzDbLayerTableRecord : public TzDbSymbolTableRecord {
 public:
  TZRX_DECLARE_MEMBERS(TzDbLayerTableRecord)
  TzDbLayerTableRecord();
  bool isFrozen() const;
  Tzad::ErrorStatus setIsFrozen(bool frozen);
  bool isLocked() const;
  Tzad::ErrorStatus setIsLocked(bool locked);
  bool isOff() const;
  Tzad::ErrorStatus setIsOff(bool off);
  TzCmColor color() const;
  Tzad::ErrorStatus setColor(const TzCmColor& color);
  int colorIndex() const;
  Tzad::ErrorStatus setColorIndex(int index);

 protected:
  using TzDbSymbolTableRecord::TzDbSymbolTableRecord;
};

class TzDbViewTableRecord : public TzDbSymbolTableRecord {
 public:
  TZRX_DECLARE_MEMBERS(TzDbViewTableRecord)
  TzDbViewTableRecord();
  bool isPaperspaceView() const;
  Tzad::ErrorStatus setIsPaperspaceView(bool paper);
  TzGePoint3d centerPoint() const;  // z is 0: views are centred in their plane
  Tzad::ErrorStatus setCenterPoint(const TzGePoint3d& center);
  double height() const;
  Tzad::ErrorStatus setHeight(double height);
  double width() const;
  Tzad::ErrorStatus setWidth(double width);

 protected:
  using TzDbSymbolTableRecord::TzDbSymbolTableRecord;
};

class TzDbBlockTableRecord : public TzDbSymbolTableRecord {
 public:
  TZRX_DECLARE_MEMBERS(TzDbBlockTableRecord)
  // Adds a new entity to this block. On success the entity is in the database, still open
  // for write, and id names it; the caller closes it.
  Tzad::ErrorStatus appendTzDbEntity(TzDbObjectId& id, TzDbEntity* entity);
  Tzad::ErrorStatus appendTzDbEntity(TzDbEntity* entity) {
    TzDbObjectId id;
    return appendTzDbEntity(id, entity);
  }
  bool isLayout() const;
  // The entities of this block, in drawing order.
  std::vector<TzDbObjectId> entityIds() const;

 protected:
  using TzDbSymbolTableRecord::TzDbSymbolTableRecord;
};

class TzDbRegAppTableRecord : public TzDbSymbolTableRecord {
 public:
  TZRX_DECLARE_MEMBERS(TzDbRegAppTableRecord)
  TzDbRegAppTableRecord();

 protected:
  using TzDbSymbolTableRecord::TzDbSymbolTableRecord;
};

// Well-known block record names.
inline constexpr char16_t TZDB_MODEL_SPACE[] = u"*Model_Space";
inline constexpr char16_t TZDB_PAPER_SPACE[] = u"*Paper_Space";

// Puts a new object into the drawing: a record into its table, or an entity into a block. The
// owner takes the object, which is then closed; an object the owner refuses is deleted, so no
// caller is left holding one that is neither in the drawing nor freed. id names the object
// once the owner has it, even when closing it then fails (its changes are then not committed).
template <typename Owner, typename Object>
Tzad::ErrorStatus tzdbAddNewObject(Owner& owner, std::unique_ptr<Object> object, TzDbObjectId& id) {
  Tzad::ErrorStatus es;
  if constexpr (std::is_base_of_v<TzDbBlockTableRecord, Owner>)
    es = owner.appendTzDbEntity(id, object.get());
  else
    es = owner.add(id, object.get());
  if (es != Tzad::eOk) return es;
  return object.release()->close();
}

template <typename Owner, typename Object>
Tzad::ErrorStatus tzdbAddNewObject(Owner& owner, std::unique_ptr<Object> object) {
  TzDbObjectId id;
  return tzdbAddNewObject(owner, std::move(object), id);
}

TZAD_SDK_END
