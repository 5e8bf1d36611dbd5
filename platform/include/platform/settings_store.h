// tzad's per-user settings store: keys named by paths ("Software\Vendor\Product"), each with
// named string values, kept in one INI file, registry.ini in $XDG_CONFIG_HOME/tzad (else
// ~/.config/tzad). Key paths and value names compare ignoring ASCII letter case; subkeys and
// values enumerate in the order they were created; every write replaces the file as a whole.
//
// One key is not kept in the file: the common-dialog history
// (kRecentFilesKey) reads as the desktop's recently used files, the most recent first, as the
// values "1", "2", ... holding their paths.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr std::u16string_view kRecentFilesKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU\\*";

struct SettingsValue {
  std::u16string name;
  std::u16string data;
};

// A key as it stands when read.
struct SettingsKey {
  std::vector<std::u16string> subkeys;  // names of the direct subkeys
  std::vector<SettingsValue> values;
};

std::string settingsStorePath();
// Nothing when the key does not exist (a key exists once a value is written in it or in one of
// its subkeys) or the store cannot be read.
std::optional<SettingsKey> readSettingsKey(std::u16string_view keyPath);
// Writes one string value, creating the key; a value of that name is replaced in its place.
// False, with the store unchanged, when the store cannot be read or written, when the key is
// the recent-files key, or when the file cannot hold the name (empty, with "=", "[", "]", a
// line break, a leading "#", or blanks at either end) or the key path (with "[", "]" or a control
// character).
bool writeSettingsValue(std::u16string_view keyPath, std::u16string_view name,
                        std::u16string_view data);

}  // namespace platform
