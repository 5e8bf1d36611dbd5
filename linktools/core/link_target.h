// Where one hyperlink address leads, as the window shows it before the link is followed: the
// target resolved as HYPERLINKOPEN resolves it (the module's own code), and for a file
// whether it is there. Cheap enough for the object under the mouse: a file is looked up, not
// read, and named locations are not looked for.
#pragma once

#include <optional>

#include "tz_string.h"

namespace linktools {

struct LinkTarget {
  enum class Kind { File, MissingFile, Other } kind = Kind::Other;
  TzString target;  // the absolute path of a file, the address of anything else
};

// Nothing when the address is empty (a link to a place in this drawing).
std::optional<LinkTarget> describeLinkTarget(std::u16string_view address);

}  // namespace linktools
