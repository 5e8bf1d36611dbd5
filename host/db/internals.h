// The host's way to what stands behind the SDK classes: the database behind a TzDbDatabase, an
// open object's tags, the record behind an id, and the constructors of the object classes.
// The accessors are members libtzad does not export, so modules cannot reach any of it.
#pragma once

#include <memory>
#include <utility>

#include "tzdb_database.h"
#include "tzdb_object.h"

struct TzDbInternals {
  static TzDbDatabaseImpl& impl(const TzDbDatabase& db) { return db.impl(); }
  static TzDbObjectData* data(const TzDbObject* object) { return object->data(); }
  static TzDbStub* stub(TzDbObjectId id) { return id.stub(); }
  static TzDbObjectId idOf(TzDbStub* stub) { return TzDbObjectId::of(stub); }

  // Objects are made only by the host, from a record's tags.
  template <typename T>
  static TzDbObject* make(std::unique_ptr<TzDbObjectData> data) {
    struct Access : T {
      explicit Access(std::unique_ptr<TzDbObjectData> d) : T(std::move(d)) {}
    };
    return new Access(std::move(data));
  }
};
