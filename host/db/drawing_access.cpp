#include "db/drawing_access.h"

#include "db/database_impl.h"
#include "db/internals.h"

std::optional<std::string> headerVariable(const TzDbDatabase& db, std::string_view name) {
  return TzDbInternals::impl(db).headerVar(name);
}

bool saveDrawing(TzDbDatabase& db, const std::u16string& path, bool keepBackup) {
  return TzDbInternals::impl(db).save(path, keepBackup);
}

uint64_t drawingChanges(const TzDbDatabase& db) {
  return TzDbInternals::impl(db).journal.changes();
}
