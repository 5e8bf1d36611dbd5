// What the host's own libraries and tests ask of a drawing beyond the SDK, without reaching
// into the database's implementation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TzDbDatabase;

// A header variable's value as the file holds it ("$LWDEFAULT"), or nothing.
std::optional<std::string> headerVariable(const TzDbDatabase& db, std::string_view name);
// Saves the drawing to `path` as SAVE does; with keepBackup the file it replaces stays as .bak.
bool saveDrawing(TzDbDatabase& db, const std::u16string& path, bool keepBackup);
// Counts what the drawing's undo list recorded, undid and redid: the drawing can have changed
// only when this has grown.
uint64_t drawingChanges(const TzDbDatabase& db);
