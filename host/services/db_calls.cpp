// A drawing's header, saves and record names, and the file replacements' test settings, as
// tzad's binaries call them (services/host_services.h).
#include "db/drawing_access.h"
#include "db/file_replacement.h"
#include "db/record_names.h"
#include "services/host_services.h"

using tzad::hostServices;

std::optional<std::string> headerVariable(const TzDbDatabase& db, std::string_view name) {
  return hostServices().headerVariable(db, name);
}

bool saveDrawing(TzDbDatabase& db, const std::u16string& path, bool keepBackup) {
  return hostServices().saveDrawing(db, path, keepBackup);
}

uint64_t drawingChanges(const TzDbDatabase& db) {
  return hostServices().drawingChanges(db);
}

int64_t recordNameOf(TzDbObjectId id) {
  return hostServices().recordNameOf(id);
}

TzDbObjectId recordOfName(int64_t name) {
  return hostServices().recordOfName(name);
}

void FileReplacement::setStepHook(StepHook hook) {
  hostServices().setReplacementStepHook(hook);
}

void FileReplacement::setHiddenNamesOnly(bool only) {
  hostServices().setReplacementHiddenNamesOnly(only);
}

void FileReplacement::reached(Step step) {
  hostServices().replacementReached(step);
}

bool FileReplacement::hiddenNamesOnly() {
  return hostServices().replacementHiddenNamesOnly();
}
