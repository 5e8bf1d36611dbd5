// The user's own host settings (such as INETLOCATION), kept across sessions in
// $XDG_CONFIG_HOME/tzad/settings (else ~/.config/tzad/settings), one "NAME=value" a line.
// Lines starting with "#" or ";" are comments; a saved setting leaves them where they are.
#pragma once

#include <string>

namespace tzad {

std::string userSetting(const std::string& name, const std::string& fallback);
// Saves a setting; false (and nothing changed on disk) when the file cannot be written.
bool setUserSetting(const std::string& name, const std::string& value);
std::string userSettingsPath();

}  // namespace tzad
