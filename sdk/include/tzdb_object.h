// Database objects, opened for read or write and closed again.
#pragma once

#include <memory>

#include "tz_export.h"
#include "tz_status.h"
#include "tz_string.h"
#include "tzdb_object_id.h"
#include "tzrx_object.h"

// The host's own types, which the SDK names only by pointer: declared outside the exported
// region, they stay inside libtzad.
struct TzDbObjectData;

TZAD_SDK_BEGIN

namespace TzDb {
enum OpenMode : int { kForRead = 0, kForWrite = 1, kForNotify = 2 };
}

class TzDbObject : public TzRxObject {
 public:
  TZRX_DECLARE_MEMBERS(TzDbObject)
  ~TzDbObject() override;
  TzDbObject(const TzDbObject&) = delete;
  TzDbObject& operator=(const TzDbObject&) = delete;

  TzDbObjectId objectId() const;
  TzDbObjectId ownerId() const;
  TzDbHandle getDbHandle() const;
  TzDbDatabase* database() const;
  // The DXF type name ("LINE", "LAYER", ...).
  TzString dxfName() const;

  bool isReadEnabled() const;
  bool isWriteEnabled() const;
  bool isNewObject() const;
  bool isErased() const;
  // Marks the object erased; it is left out of the drawing from then on.
  Tzad::ErrorStatus erase(bool erasing = true);
  // Commits the changes of an object open for write and ends this open. The object is deleted:
  // the pointer must not be used afterwards. A new object not yet in a database is kept.
  // eOutOfMemory when the changes could not be stored; the drawing then keeps the object as it
  // was before this open.
  Tzad::ErrorStatus close() noexcept;

  // The host's tags of this open object.
  TZAD_HOST_ONLY TzDbObjectData* data() const;

 protected:
  TzDbObject();
  explicit TzDbObject(std::unique_ptr<TzDbObjectData> data);

 private:
  std::unique_ptr<TzDbObjectData> data_;
};

// Opens the object behind id. On success obj is the open object; close() it when done.
Tzad::ErrorStatus tzdbOpenObject(TzDbObject*& obj, TzDbObjectId id, TzDb::OpenMode mode,
                                 bool openErased = false);

// Opens the object as T; eNotThatKindOfClass when it is another kind.
template <typename T>
Tzad::ErrorStatus tzdbOpenObject(T*& obj, TzDbObjectId id, TzDb::OpenMode mode,
                                 bool openErased = false) {
  obj = nullptr;
  TzDbObject* base = nullptr;
  Tzad::ErrorStatus es = tzdbOpenObject(base, id, mode, openErased);
  if (es != Tzad::eOk) return es;
  obj = T::cast(base);
  if (obj == nullptr) {
    static_cast<void>(base->close());  // unchanged, so there is nothing that could fail to commit
    return Tzad::eNotThatKindOfClass;
  }
  return Tzad::eOk;
}

// Closes an open object when it goes out of scope.
template <typename T>
class TzDbObjectPointer {
 public:
  TzDbObjectPointer() = default;
  TzDbObjectPointer(TzDbObjectId id, TzDb::OpenMode mode, bool openErased = false) {
    status_ = tzdbOpenObject(obj_, id, mode, openErased);
  }
  // Takes over an object that was opened another way, such as a symbol table of a drawing.
  explicit TzDbObjectPointer(T* opened) : obj_(opened), status_(Tzad::eOk) {}
  ~TzDbObjectPointer() { reset(); }
  TzDbObjectPointer(const TzDbObjectPointer&) = delete;
  TzDbObjectPointer& operator=(const TzDbObjectPointer&) = delete;

  Tzad::ErrorStatus openStatus() const { return status_; }
  T* operator->() const { return obj_; }
  T* get() const { return obj_; }
  explicit operator bool() const { return obj_ != nullptr; }
  Tzad::ErrorStatus close() noexcept {
    Tzad::ErrorStatus es = obj_ ? obj_->close() : Tzad::eOk;
    obj_ = nullptr;
    return es;
  }
  // Closes without a status, as the destructor does; call close() to learn whether the changes
  // were committed.
  void reset() noexcept { static_cast<void>(close()); }

 private:
  T* obj_ = nullptr;
  Tzad::ErrorStatus status_ = Tzad::eNullObjectId;
};

TZAD_SDK_END
