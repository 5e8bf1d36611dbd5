// Internet shortcut files (".url"): INI text whose section "InternetShortcut" holds the
// address under the key "URL". Desktops on both sides of a shared Favorites folder read them.
#pragma once

#include "tz_string.h"

namespace hyperlink {

// Addresses are read into this many code units, the terminator included.
constexpr size_t kShortcutUrlCapacity = 2048;

// The address a shortcut file holds; section and key match ignoring letter case, as INI
// readers on the desktop do. Empty when the file, the section or the key is missing or the
// file is not INI text.
TzString readShortcutUrl(const TzString& path);

// Writes path as a shortcut to url, replacing the file at once (never half written). False
// when it cannot be written, or when url holds a line break, which the format cannot carry.
bool writeShortcut(const TzString& path, const TzString& url);

}  // namespace hyperlink
