#include "db/record_names.h"

#include <unordered_map>

#include "db/database_impl.h"
#include "db/internals.h"

namespace {

std::unordered_map<uint32_t, TzDbDatabaseImpl*>& liveDatabases() {
  static std::unordered_map<uint32_t, TzDbDatabaseImpl*> databases;
  return databases;
}

uint32_t nextSerial() {
  static uint32_t serial = 0;
  return ++serial;
}

}  // namespace

TzDbDatabaseImpl::TzDbDatabaseImpl(TzDbDatabase* owner) : self(owner), serial(nextSerial()) {
  liveDatabases()[serial] = this;
}

TzDbDatabaseImpl::~TzDbDatabaseImpl() {
  liveDatabases().erase(serial);
}

int64_t recordNameOf(TzDbObjectId id) {
  const TzDbStub* stub = TzDbInternals::stub(id);
  if (stub == nullptr) return 0;
  return static_cast<int64_t>((uint64_t{stub->db()->serial} << 32) | stub->index());
}

TzDbObjectId recordOfName(int64_t name) {
  auto it = liveDatabases().find(static_cast<uint32_t>(static_cast<uint64_t>(name) >> 32));
  if (it == liveDatabases().end()) return TzDbObjectId();
  TzDbDatabaseImpl& db = *it->second;
  uint32_t index = static_cast<uint32_t>(name);
  if (index >= db.records.size()) return TzDbObjectId();
  return TzDbInternals::idOf(&db.at(index));
}
