// Well-known folders: the user's home, configuration and data folders, the documents folder,
// the current directory, a module's own folder.
#pragma once

#include <optional>
#include <string>

namespace platform {

// The user's documents folder (XDG_DOCUMENTS_DIR, else ~/Documents) when it exists.
std::optional<std::u16string> documentsFolder();
std::optional<std::u16string> currentDirectory();
// The user's home folder (HOME) and the desktop's per-user configuration and data folders
// ($XDG_CONFIG_HOME, else ~/.config; $XDG_DATA_HOME, else ~/.local/share), as file names.
// Read afresh at every call, so that a changed environment takes effect at once.
std::string homeFolder();
std::string configHome();
std::string dataHome();
// Where programs keep state worth keeping across restarts ($XDG_STATE_HOME, else
// ~/.local/state).
std::string stateHome();
// The full path of the shared library (or program) that holds `address`.
std::optional<std::u16string> modulePathOf(const void* address);

}  // namespace platform
