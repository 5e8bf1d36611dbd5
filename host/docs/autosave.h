// Automatic saves: a complete copy of a changed drawing, written now and then to
// $XDG_STATE_HOME/tzad/autosave/ so that a crash or a power cut costs little. Each copy is
// named after its drawing and a hash of the drawing's full path (two plan.dxf in different
// folders do not collide), and has a small ".source" file beside it that says which drawing it
// belongs to. The drawing's own file and its backup are never touched.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tzad {

class Document;

struct AutosaveFile {
  std::filesystem::path path;  // the copy
  std::u16string source;       // the drawing's full path; empty for one never saved
  std::u16string title;        // what the drawing was called
  std::filesystem::file_time_type written;
};

std::filesystem::path autosaveFolder();
// Writes the drawing's copy, whole and atomically; false when it could not be written.
bool writeAutosave(Document& doc);
// Removes the copy this session wrote or recovered the drawing from: it was saved, or closed
// on purpose. A copy the user chose not to open stays for RECOVER.
void removeAutosave(Document& doc);
// Renames a copy the user chose not to open, so that the drawing's next automatic save does
// not write over it: RECOVER still lists it.
void keepAside(const AutosaveFile& file);
// The copy of the drawing at `path` when it is newer than the file itself.
std::optional<AutosaveFile> newerAutosaveOf(const std::u16string& path);
// Every copy there is, newest first.
std::vector<AutosaveFile> listAutosaves();
// "2026-12-06 14:03", in local time.
std::u16string formatWhen(std::filesystem::file_time_type when);

}  // namespace tzad
