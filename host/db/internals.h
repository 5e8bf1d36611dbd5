// The host's way into what the SDK classes keep private: the database behind a TzDbDatabase,
// an open object's tags, the record behind an id, and the constructors of the object classes.
// Modules see none of it.
#pragma once

#include <memory>
#include <utility>

#include "tzdb_database.h"

struct TzDbInternals {
  static TzDbDatabaseImpl& impl(const TzDbDatabase& db) { return *db.impl_; }
  static TzDbObjectData* data(const TzDbObject* object) { return object->data_.get(); }
  static TzDbStub* stub(TzDbObjectId id) { return id.stub_; }
  static TzDbObjectId idOf(TzDbStub* stub) { return TzDbObjectId(stub); }

  // Objects are made only by the host, from a record's tags.
  template <typename T>
  static TzDbObject* make(std::unique_ptr<TzDbObjectData> data) {
    struct Access : T {
      explicit Access(std::unique_ptr<TzDbObjectData> d) : T(std::move(d)) {}
    };
    return new Access(std::move(data));
  }
};
