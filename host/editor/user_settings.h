// The user's own host settings (such as INETLOCATION), kept across sessions in
// $XDG_CONFIG_HOME/tzad/settings (else ~/.config/tzad/settings), one "NAME=value" a line.
// Lines starting with "#" or ";" are comments; a saved setting leaves them where they are.
#pragma once

#include <string>
#include "base/host_api.h"

namespace tzad {

TZAD_HOST_API std::string userSetting(const std::string& name, const std::string& fallback);
// Saves a setting; false (and nothing changed on disk) when the file cannot be written.
TZAD_HOST_API bool setUserSetting(const std::string& name, const std::string& value);
TZAD_HOST_API std::string userSettingsPath();

}  // namespace tzad
