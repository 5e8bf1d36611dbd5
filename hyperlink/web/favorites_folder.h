// Where the user's Favorites folder is: the "Favorites" value of the desktop's shell folders
// in tzad's settings store, else $XDG_DATA_HOME/tzad/Favorites, with environment references
// expanded.
#pragma once

#include <optional>

#include "tz_string.h"

namespace hyperlink {

// Paths hold at most this many code units, the terminator included.
constexpr size_t kFavoritesPathCapacity = 260;

// Replaces the references to defined environment variables in text: "$NAME", "${NAME}",
// "%NAME%", and a leading "~" (alone or before "/") as $HOME. A reference to an undefined
// variable stays as written.
TzString expandEnvironmentReferences(std::u16string_view text);

// The Favorites folder from the stored value (none or empty: the default folder), expanded.
// None when the value or its expansion does not fit kFavoritesPathCapacity, or when no home
// folder is known for the default.
std::optional<TzString> favoritesFolderFrom(const std::optional<TzString>& storedValue);

// The user's Favorites folder as the settings store names it, else the default folder.
std::optional<TzString> readFavoritesFolder();

}  // namespace hyperlink
