// Well-known folders: the user's documents, the current directory, a module's own folder.
#pragma once

#include <optional>
#include <string>

namespace platform {

// The user's documents folder (XDG_DOCUMENTS_DIR, else ~/Documents) when it exists.
std::optional<std::u16string> documentsFolder();
std::optional<std::u16string> currentDirectory();
// The full path of the shared library (or program) that holds `address`.
std::optional<std::u16string> modulePathOf(const void* address);

}  // namespace platform
